#pragma once

#include <QWidget>

namespace qmh4 {

// The "Bank" page of the main window: the bank sizes, their sliders and the group editor button.
class BankPage : public QWidget {
    Q_OBJECT
public:
    explicit BankPage(QWidget* parent = nullptr);

    // The page's part of the main window's start-up (defaults of its lists and boxes).
    void applyStartDefaults();
};

} // namespace qmh4
