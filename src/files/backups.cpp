#include "files/backups.h"

#include "files/data_file.h"
#include "files/text_file.h"
#include "font/font_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace qmh4 {

namespace {

const QRegularExpression& backupName() {
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{6}(-\\d+)?-[a-z-]+\\.(H4|FH4)$"));
    return pattern;
}

// "2026-12-06_143012-read-all"; a second backup of the same kind in the same second gets a
// counter, so it never replaces the first.
QString freeBaseName(const QDir& dir, const QString& what, const QDateTime& now) {
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    QString base = stamp + u'-' + what;
    for (int n = 2; QFile::exists(dir.filePath(base + QStringLiteral(".H4"))); ++n)
        base = QStringLiteral("%1-%2-%3").arg(stamp).arg(n).arg(what);
    return base;
}

} // namespace

QString backupFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/QMH4Writer/backups");
}

BackupResult saveBackup(const RadioData& data, bool withGlyphs, const QString& what,
                        const QString& folder, const QDateTime& now) {
    BackupResult result;
    result.folder = folder;
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        result.fault = BackupFault::FolderNotCreated;
        return result;
    }
    const QString base = freeBaseName(dir, what, now);
    result.dataPath = dir.filePath(base + QStringLiteral(".H4"));
    if (!writeTextFile(result.dataPath, writeDataFile(data, now), &result.reason)) {
        result.fault = BackupFault::DataNotSaved;
        return result;
    }
    if (withGlyphs) {
        result.fontPath = dir.filePath(base + QStringLiteral(".FH4"));
        const FontFileResult font = saveFontFile(result.fontPath, data.glyphs.glyphs());
        if (!font.ok()) {
            result.fault = BackupFault::FontNotSaved;
            result.reason = font.reason;
            return result;
        }
    }
    pruneBackups(folder);
    result.ok = true;
    return result;
}

QStringList pruneBackups(const QString& folder, int keep) {
    const QDir dir(folder);
    QStringList names;
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (backupName().match(name).hasMatch())
            names << name;
    }
    // The names begin with the date and time, so their order is their age.
    std::sort(names.begin(), names.end(), std::greater<>());
    QStringList removed;
    for (qsizetype i = keep; i < names.size(); ++i) {
        if (QFile::remove(dir.filePath(names.at(i))))
            removed << names.at(i);
    }
    return removed;
}

} // namespace qmh4
