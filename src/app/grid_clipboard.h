#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace qmh4 {

class MainWindow;

// Copy, Cut and Paste of channel rows on the grid: in the Edit menu, on Ctrl+C / Ctrl+X /
// Ctrl+V and in the grid's context menu. Copy offers the rows as the export's CSV lines, as
// tab-separated cells and in the program's own form; Paste fills rows from the current one
// within its block as one change and tells in the status line what it wrote and refused. Cut
// copies, then clears by the Clear button's rules. Each works only while the grid's page is
// shown and no transfer runs (another page's Ctrl+C must not replace the clipboard).
class GridClipboard : public QObject {
    Q_OBJECT
public:
    GridClipboard(MainWindow& window, QMenu* editMenu);

    void copy();
    void cut();
    void paste();

    QAction* copyAction;
    QAction* cutAction;
    QAction* pasteAction;

private:
    bool gridEditable() const;

    MainWindow& window_;
};

} // namespace qmh4
