#pragma once

#include "app/file_choice.h"

#include <QObject>

class QMenu;

namespace qmh4 {

class MainWindow;

// The File menu's commands on the working data: "Open(&O)" and "Save(&S)" of data files,
// "Import(&I)" and "Export(&E)" of the program's own CSV, and "Import Channel List…" /
// "Export Channel List…" in the layout of the common multi-radio programming tools (the import
// fills memory rows from the current memory row on and ends with its report in a box). Every
// command does nothing while a transfer runs; cancelling a file dialog ends it silently.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(MainWindow& window, QMenu* fileMenu);

    // Each command asks for its file; the *At forms take one given otherwise (dropped on the
    // window, named on the command line, chosen from the recent files).
    void openFile();
    // True when the data was saved (false: the dialog was cancelled, or the file failed).
    bool saveFile();
    void importCsv();
    void exportCsv();
    void importChannelList();
    void exportChannelList();
    void openFileAt(const QString& path);
    // Saves the data file at `path` as it is, without a dialog.
    bool saveFileAt(const QString& path);
    void importCsvAt(const QString& path);
    void importChannelListAt(const QString& path);

private:
    QString chosenPath(const FileRequest& request) const;

    MainWindow& window_;
};

} // namespace qmh4
