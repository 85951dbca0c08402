#pragma once

#include <QWidget>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

namespace qmh4 {

class MainWindow;

// Finding rows by name, frequency text or label (case aside, any part of them): Ctrl+F shows
// this bar under the grid, typing goes to the first row from the current one that matches,
// Return or F3 to the next, Shift+Return or Shift+F3 to the previous, going round the table's
// end; Escape hides the bar. The grid selects and scrolls to the row found.
class FindBar : public QWidget {
    Q_OBJECT
public:
    FindBar(MainWindow& window, QMenu* editMenu);

    void showBar();
    // Goes to the next (or previous) matching row; false when none matches.
    bool findNext(bool forward = true);

    QLineEdit* FindText;
    QPushButton* FindPrevious;
    QPushButton* FindNext;
    QPushButton* FindClose;
    QAction* findAction;
    QAction* findNextAction;
    QAction* findPreviousAction;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool findFrom(int row, bool forward);
    void hideBar();

    MainWindow& window_;
};

} // namespace qmh4
