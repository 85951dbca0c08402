#pragma once

#include <QObject>

class QAction;

namespace qmh4 {

class MainWindow;
class RecentFiles;

// What a desktop program offers besides the documented commands: the standard shortcuts
// (Ctrl+O on "Open(&O)", Ctrl+Shift+S on "Save(&S)", Ctrl+Q quits through the normal close),
// "Save to Current File" (Ctrl+S), "Recent Files", files dropped on the window, and the status
// bar's port and file fields.
class DesktopCommands : public QObject {
    Q_OBJECT
public:
    explicit DesktopCommands(MainWindow& window);

    // Writes to the data file last opened or saved, without a dialog; with none yet it runs
    // "Save(&S)".
    void saveToCurrentFile();

    QAction* saveCurrentAction;
    QAction* quitAction;
    RecentFiles* recentFiles;

private:
    MainWindow& window_;
};

} // namespace qmh4
