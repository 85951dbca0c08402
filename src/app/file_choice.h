#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace qmh4 {

// The file dialogs of the File menu. Every one goes through chooseFile(), so tests can answer
// them without a modal dialog, the way message_box.h does for boxes.
struct FileRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QStringList filters;   // "QMH4ファイル(*.H4 *.h4)", the first one selected
    QString defaultSuffix; // "H4": added to a saved name the user typed without one
    QString directory;     // where the dialog starts; empty: the dialog's own choice
};

// The data file and CSV dialogs. The patterns match the extension in any case.
FileRequest openDataFileRequest();
FileRequest saveDataFileRequest();
FileRequest importCsvRequest();
FileRequest exportCsvRequest();

// The chosen path, or an empty string when the dialog was cancelled. A save dialog confirms
// before overwriting and adds the default suffix to a name without a suffix.
using FileChooser = std::function<QString(QWidget* parent, const FileRequest& request)>;
QString chooseFile(QWidget* parent, const FileRequest& request);

// Installs `chooser` (an empty one restores the real dialog) and returns the one it replaces.
FileChooser setFileChooser(FileChooser chooser);

// `path` with "." + suffix appended when its file name has no suffix of its own.
QString withDefaultSuffix(const QString& path, const QString& suffix);

} // namespace qmh4
