#pragma once

#include <QObject>

class QAction;

namespace qmh4 {

class FindBar;
class GridClipboard;
class MainWindow;

// The "Memory" page's commands: the channel transfers of its buttons, the grid's editing (the
// detail dialog, Delete, Clear, Up/Down, All Clear), the clipboard, "Edit Selected Rows…" and
// finding rows. Each does nothing while a transfer runs: it may be writing the very rows.
class MemoryCommands : public QObject {
    Q_OBJECT
public:
    explicit MemoryCommands(MainWindow& window);

    // The Edit menu's clipboard and finding rows.
    GridClipboard* gridClipboard;
    QAction* editSelectedRowsAction;
    FindBar* findBar;

public slots:
    void readAllChannels();
    void writeAllChannels();
    void readSelectedChannels();
    void writeSelectedChannels();
    void allClear();
    // Double click and Enter open the detail dialog on the current row, Delete clears the
    // selected rows; Clear and Up/Down are the page's buttons.
    void editCurrentChannel();
    // Enter on several rows and the Edit menu: the chosen fields for every used row selected.
    void editSelectedRows();
    void gridKeyPressed(int key);
    void clearSelectedRows();
    void moveCurrentRow(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectButtons();
    void buildEditMenu();
    void keepSelectionAcrossReset();
    void startChannelTransfer(quint16 code);
    bool busy() const;

    MainWindow& window_;
    QObject* grid_ = nullptr; // the Memory page's grid, whose keys this filters
};

} // namespace qmh4
