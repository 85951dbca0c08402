#include "app/desktop_commands.h"

#include "app/file_commands.h"
#include "app/file_drop.h"
#include "app/main_window.h"
#include "app/recent_files.h"
#include "app/window_state.h"

#include <QAction>
#include <QMenu>

namespace qmh4 {

DesktopCommands::DesktopCommands(MainWindow& window) : QObject(&window), window_(window) {
    QMenu* file = window.fileMenu;
    window.openAction->setShortcut(QKeySequence::Open);
    window.saveAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));

    QMenu* recent = new QMenu(QStringLiteral("Recent Files"), file);
    recent->setObjectName(QStringLiteral("RecentFiles"));
    file->insertMenu(window.saveAction, recent);
    recentFiles = new RecentFiles(window, recent);

    saveCurrentAction = new QAction(QStringLiteral("Save to Current File"), file);
    saveCurrentAction->setObjectName(QStringLiteral("SaveCurrentFile"));
    saveCurrentAction->setShortcut(QKeySequence::Save);
    file->insertAction(window.importAction, saveCurrentAction);
    connect(saveCurrentAction, &QAction::triggered, this, &DesktopCommands::saveToCurrentFile);

    file->addSeparator();
    quitAction = file->addAction(QStringLiteral("Quit"));
    quitAction->setObjectName(QStringLiteral("FileQuit"));
    quitAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    quitAction->setMenuRole(QAction::QuitRole);
    connect(quitAction, &QAction::triggered, &window, &QWidget::close);

    new FileDrop(window);
    addStatusFields(window);
}

void DesktopCommands::saveToCurrentFile() {
    const QString path = window_.document().filePath();
    if (path.isEmpty())
        window_.fileCommands->saveFile();
    else
        window_.fileCommands->saveFileAt(path);
}

} // namespace qmh4
