#pragma once

#include <QWidget>

namespace qmh4 {

// The "Common Set" page of the main window: one-touch dialling and the setting commands.
class CommonSetPage : public QWidget {
    Q_OBJECT
public:
    explicit CommonSetPage(QWidget* parent = nullptr);

    // The page's part of the main window's start-up (defaults of its lists and boxes).
    void applyStartDefaults();
};

} // namespace qmh4
