#pragma once

#include "document/radio_data.h"
#include "files/file_outcome.h"
#include "files/text_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The settings file keeps the COM port from one run to the next. It is a whole data file,
// written when a port is chosen, named "QMH4Writer.INI" and kept beside the program; when the
// program's folder cannot be written (an installed program usually sits in a read-only
// folder) it goes to the user's configuration folder instead, and is read from there too.
namespace qmh4 {

inline constexpr const char* SettingsFileName = "QMH4Writer.INI";

// The port at start-up and the COMPort menu item that carries the check mark (0: none).
struct ComPortChoice {
    int port = FirstComPort;
    int checkedItem = 0;
    bool operator==(const ComPortChoice&) const = default;
};

// The port of a settings file's "COMPORT" line: "COMPORT03" gives port 3, checked; a line of
// another length or the value 0 gives port 1, checked; no such line, or a port above 16, port 1
// with nothing checked.
ComPortChoice comPortOfSettings(const QByteArray& bytes);

class SettingsFile {
public:
    SettingsFile(const QString& programFolder, const QString& userConfigFolder);
    // Beside the running program, else in QStandardPaths::AppConfigLocation.
    static SettingsFile forApplication();

    // The file read at start-up: the one beside the program or the one in the user's
    // configuration folder, the newer when both exist.
    QString readPath() const;
    ComPortChoice readComPort() const;

    // Writes `data` as a data file beside the program, or in the user's configuration folder
    // when that fails. The outcome names the path written.
    FileOutcome save(const RadioData& data,
                     const QDateTime& now = QDateTime::currentDateTime()) const;
    QString lastSavedPath() const { return lastSaved_; }

private:
    QString programPath_;
    QString userPath_;
    mutable QString lastSaved_;
};

} // namespace qmh4
