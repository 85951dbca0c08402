#pragma once

#include <QWidget>

namespace qmh4 {

// The "Set Mode" page of the main window: the set-mode settings and the DTMF memories.
class SetModePage : public QWidget {
    Q_OBJECT
public:
    explicit SetModePage(QWidget* parent = nullptr);

    // The page's part of the main window's start-up (defaults of its lists and boxes).
    void applyStartDefaults();
};

} // namespace qmh4
