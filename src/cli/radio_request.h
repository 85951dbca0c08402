#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace qmh4::cli {

// The areas `--only` can choose, in the order they are listed.
enum class Area { Channels, Banks, OneTouch, Title, Settings, Groups, Glyphs };

QString areaName(Area area);

// What `qmh4 read`, `qmh4 write` and `qmh4 verify` were asked to do.
struct RadioRequest {
    QString command; // "read", "write" or "verify"
    QString port;
    QString dataPath;
    QString fontPath; // empty without --font
    QList<Area> areas;
    bool verbose = false; // every exchange on stderr
    bool backup = true;   // read and write: keep a copy in the backup folder (not --no-backup)
    bool verify = false;  // write: read everything back and compare (--verify)
    // Every area the window's "Read All Data" / "Write All Data" moves (the write's glyph blocks
    // only with a font file): run that very sequence.
    bool whole = true;

    bool has(Area area) const { return areas.contains(area); }
};

// Parses the arguments of `qmh4 read` / `qmh4 write`; says why and returns nullopt on a usage
// error. Without --port the port is the default one (the window's last choice).
std::optional<RadioRequest> parseRadioRequest(const QString& command, const QStringList& arguments);

} // namespace qmh4::cli
