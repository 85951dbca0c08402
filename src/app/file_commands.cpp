#include "app/file_commands.h"

#include "app/channel_grid_model.h"
#include "app/file_choice.h"
#include "app/file_messages.h"
#include "app/main_window.h"
#include "app/memory_page.h"
#include "app/undo_history.h"
#include "app/unsaved_changes.h"
#include "files/common_csv_layout.h"
#include "files/csv_file.h"
#include "files/data_file.h"

#include <QAction>
#include <QMenu>

namespace qmh4 {

namespace {

QAction* addCommand(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

FileCommands::FileCommands(MainWindow& window, QMenu* fileMenu)
    : QObject(&window), window_(window) {
    connect(window.openAction, &QAction::triggered, this, &FileCommands::openFile);
    connect(window.saveAction, &QAction::triggered, this, &FileCommands::saveFile);
    connect(window.importAction, &QAction::triggered, this, &FileCommands::importCsv);
    connect(window.exportAction, &QAction::triggered, this, &FileCommands::exportCsv);
    QAction* importList = addCommand(fileMenu, "ChannelListImport", u"Import Channel List…"_qs);
    QAction* exportList = addCommand(fileMenu, "ChannelListExport", u"Export Channel List…"_qs);
    connect(importList, &QAction::triggered, this, &FileCommands::importChannelList);
    connect(exportList, &QAction::triggered, this, &FileCommands::exportChannelList);
}

// The file the user chose; empty while a transfer runs or when the dialog was cancelled.
QString FileCommands::chosenPath(const FileRequest& request) const {
    if (window_.transferRunning())
        return {};
    return chooseFile(&window_, request);
}

void FileCommands::openFile() {
    const QString path = chosenPath(openDataFileRequest());
    if (!path.isEmpty())
        openFileAt(path);
}

void FileCommands::openFileAt(const QString& path) {
    if (window_.transferRunning() || !window_.unsavedChanges->settle())
        return;
    RadioData data = window_.currentData();
    const FileOutcome outcome = openDataFile(path, data);
    if (outcome.ok()) {
        window_.adoptData(data);
        window_.document().setFilePath(path);
        window_.undoHistory->markClean();
    }
    showFileOutcome(&window_, outcome);
}

bool FileCommands::saveFile() {
    const QString path = chosenPath(saveDataFileRequest());
    return !path.isEmpty() && saveFileAt(withDefaultSuffix(path, QStringLiteral("H4")));
}

bool FileCommands::saveFileAt(const QString& path) {
    if (window_.transferRunning())
        return false;
    const FileOutcome outcome = saveDataFile(path, window_.currentData());
    if (outcome.ok()) {
        window_.document().setFilePath(path);
        window_.undoHistory->markClean();
    }
    showFileOutcome(&window_, outcome);
    return outcome.ok();
}

void FileCommands::importCsv() {
    const QString path = chosenPath(importCsvRequest());
    if (!path.isEmpty())
        importCsvAt(path);
}

void FileCommands::importCsvAt(const QString& path) {
    if (window_.transferRunning() || !window_.unsavedChanges->settle())
        return;
    ChannelTable imported = window_.channels();
    const FileOutcome outcome = importCsvFile(path, imported);
    if (outcome.ok()) {
        window_.document().replaceChannels(QStringLiteral("Import CSV"), imported);
        window_.showProgress(RowCount, RowCount, 100);
    }
    showFileOutcome(&window_, outcome);
    window_.showProgress(0, RowCount, 0);
}

void FileCommands::exportCsv() {
    const QString path = chosenPath(exportCsvRequest());
    if (path.isEmpty())
        return;
    const FileOutcome outcome =
        exportCsvFile(withDefaultSuffix(path, QStringLiteral("CSV")), window_.channels());
    if (outcome.ok())
        window_.showProgress(RowCount, RowCount, 100);
    showFileOutcome(&window_, outcome);
    window_.showProgress(0, RowCount, 0);
}

void FileCommands::importChannelList() {
    const QString path = chosenPath(importCsvRequest());
    if (!path.isEmpty())
        importChannelListAt(path);
}

void FileCommands::importChannelListAt(const QString& path) {
    if (window_.transferRunning() || !window_.unsavedChanges->settle())
        return;
    const int current = window_.memoryPage->currentRow();
    ChannelTable imported = window_.channels();
    const FileOutcome outcome =
        importChannelListFile(path, imported, isMemoryRow(current) ? current : FirstMemoryRow);
    if (outcome.ok())
        window_.document().replaceChannels(QStringLiteral("Import Channel List"), imported);
    showFileOutcome(&window_, outcome);
}

void FileCommands::exportChannelList() {
    const QString path = chosenPath(exportCsvRequest());
    if (path.isEmpty())
        return;
    const FileOutcome outcome =
        exportChannelListFile(withDefaultSuffix(path, QStringLiteral("CSV")), window_.channels());
    showFileOutcome(&window_, outcome);
}

} // namespace qmh4
