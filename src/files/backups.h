#pragma once

// Automatic backups: what every radio read brought and what every write is about to send, kept
// as data files (and font files when glyphs travelled) in one folder, named by date, time and
// what happened ("2026-12-06_143012-read-all.H4"). Only the newest files are kept. A backup that
// cannot be written is reported by the caller and never stops a transfer.

#include "document/radio_data.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace qmh4 {

constexpr int KeptBackupCount = 200;

// The folder of both programs: $XDG_DATA_HOME/QMH4Writer/backups on Linux (else
// ~/.local/share/QMH4Writer/backups), the per-user data folder elsewhere. It does not depend on
// the organisation name the window sets, so the window and `qmh4` share it.
QString backupFolder();

enum class BackupFault : quint8 {
    None,
    FolderNotCreated,
    DataNotSaved,
    FontNotSaved,
};

// What a backup did; the window and `qmh4` put a failure into words.
struct BackupResult {
    bool ok = false;
    BackupFault fault = BackupFault::None;
    QString folder;   // the backup folder asked for
    QString dataPath; // the data file written
    QString fontPath; // the font file written, empty when no glyphs were saved
    QString reason;   // the system's words when a file could not be saved
};

// Saves `data` as "<date>_<time>-<what>.H4" in `folder` (created when missing), and its glyphs
// as "….FH4" when `withGlyphs`; then prunes the folder to the newest KeptBackupCount files.
// `what` names the event: "read-all", "memory-read", "written".
BackupResult saveBackup(const RadioData& data, bool withGlyphs, const QString& what,
                        const QString& folder = backupFolder(),
                        const QDateTime& now = QDateTime::currentDateTime());

// Removes the oldest backups (by the date and time of their names) beyond `keep`; files of other
// names are left alone. Returns the removed names.
QStringList pruneBackups(const QString& folder, int keep = KeptBackupCount);

} // namespace qmh4
