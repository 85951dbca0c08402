#include "app/file_choice.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace qmh4 {

namespace {

FileChooser& currentChooser() {
    static FileChooser chooser;
    return chooser;
}

// The save dialogs start in the program's folder, where its files have always been kept; an
// installed program's folder is not the user's, so then they start in the user's documents.
QString saveFolder() {
    const QString program = QCoreApplication::applicationDirPath();
    if (QFileInfo(program).isWritable())
        return program;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString showDialog(QWidget* parent, const FileRequest& request) {
    QFileDialog dialog(parent);
    const bool save = request.mode == FileRequest::Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

FileRequest openDataFileRequest() {
    return {FileRequest::Mode::Open,
            {QStringLiteral("H4 (*.H4 *.h4)"), QStringLiteral("H4 Files (*.H4 *.h4)"),
             QStringLiteral("All Files (*)")},
            {},
            {}};
}

FileRequest saveDataFileRequest() {
    return {FileRequest::Mode::Save,
            {QStringLiteral("QMH4ファイル(*.H4 *.h4)"), QStringLiteral("すべてのファイル(*)")},
            QStringLiteral("H4"),
            saveFolder()};
}

FileRequest importCsvRequest() {
    return {FileRequest::Mode::Open,
            {QStringLiteral("CSV (*.CSV *.csv)"), QStringLiteral("CSV Files (*.CSV *.csv)"),
             QStringLiteral("All Files (*)")},
            {},
            {}};
}

FileRequest exportCsvRequest() {
    return {FileRequest::Mode::Save,
            {QStringLiteral("CSVファイル(*.CSV *.csv)"), QStringLiteral("すべてのファイル(*)")},
            QStringLiteral("CSV"),
            saveFolder()};
}

QString chooseFile(QWidget* parent, const FileRequest& request) {
    if (currentChooser())
        return currentChooser()(parent, request);
    return showDialog(parent, request);
}

FileChooser setFileChooser(FileChooser chooser) {
    FileChooser previous = std::move(currentChooser());
    currentChooser() = std::move(chooser);
    return previous;
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace qmh4
