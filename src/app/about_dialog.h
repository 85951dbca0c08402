#pragma once

#include <QDialog>

class QPushButton;

namespace qmh4 {

// The about window, opened modally from the help menu; "OK" closes it.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Where the window opens: 1000 twips right of and 2000 twips below the main window's corner.
    static QPoint placementFor(const QWidget* mainWindow);

private:
    QPushButton* Command1;
};

} // namespace qmh4
