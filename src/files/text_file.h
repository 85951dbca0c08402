#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The program's files are text in code page 932 with CR LF line ends. These helpers read and
// write them whole: a file is read completely before anything is applied, and written through
// QSaveFile so that a failed write leaves the old file as it was.
namespace qmh4 {

// Files larger than this are no file of the program (a full data file is about 100 KB).
constexpr qint64 MaxTextFileSize = 32 * 1024 * 1024;

// The lines of a file: split at LF, a CR before the LF dropped; a last line without an end
// counts, an empty tail after the last line end does not.
QList<QByteArray> splitLines(const QByteArray& bytes);

// One line decoded from code page 932; nullopt when it holds bytes that form no character.
std::optional<QString> decodeLine(const QByteArray& line);

// Lines encoded in code page 932, each ended by CR LF. A character the code page cannot hold
// is written as "?" (the texts of the tables never hold one).
QByteArray encodeLines(const QStringList& lines);

// The whole file, or nullopt (with `error` set) when it cannot be read or is too large.
std::optional<QByteArray> readTextFile(const QString& path, QString* error = nullptr);

// Writes the file through QSaveFile; false (with `error` set) leaves any old file untouched.
bool writeTextFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// True when the last characters of `path`, in upper case, are `suffix` (".H4", "CSV").
bool pathEndsWith(const QString& path, const QString& suffix);

// "5, 9, 12" for the numbers, at most `limit` of them, then "… (n in all)".
QString numberList(const QList<int>& numbers, int limit = 20);

} // namespace qmh4
