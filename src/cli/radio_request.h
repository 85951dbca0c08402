#pragma once

#include "transfers/area_steps.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace qmh4::cli {

// What `qmh4 read`, `qmh4 write` and `qmh4 verify` were asked to do.
struct RadioRequest {
    QString command; // "read", "write" or "verify"
    QString port;
    QString dataPath;
    QString fontPath; // empty without --font
    DataAreas areas = DataAreas::all();
    bool verbose = false; // every exchange on stderr
    bool backup = true;   // read and write: keep a copy in the backup folder (not --no-backup)
    bool verify = false;  // write: read everything back and compare (--verify)
    // Every area the window's "Read All Data" / "Write All Data" moves (the write's glyph blocks
    // only with a font file): run that very sequence.
    bool whole = true;

    bool has(DataArea area) const { return areas.has(area); }
};

// Parses the arguments of `qmh4 read` / `qmh4 write`; says why and returns nullopt on a usage
// error. Without --port the port is the default one (the window's last choice).
std::optional<RadioRequest> parseRadioRequest(const QString& command, const QStringList& arguments);

} // namespace qmh4::cli
