#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qmh4 {

// Every box the main window shows goes through here: plain boxes with one OK button, the
// text first, then the title. Tests replace the sink to record the boxes instead of blocking.
using MessageSink = std::function<void(QWidget* parent, const QString& text, const QString& title)>;

void showMessage(QWidget* parent, const QString& text, const QString& title);

// Installs `sink` (an empty one restores the real modal box) and returns the one it replaces.
MessageSink setMessageSink(MessageSink sink);

} // namespace qmh4
