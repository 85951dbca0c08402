#pragma once

#include "files/file_outcome.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace qmh4::cli {

// "qmh4 <command>: <text>" on stderr: what went wrong, or what the user should know.
void tell(const QString& command, const QString& text);

// Parses a command's own arguments; on a bad option or a count of positional arguments other
// than `positionals` it says why and returns false.
bool parseArguments(QCommandLineParser& parser, const QString& command,
                    const QStringList& arguments, qsizetype positionals);

// Tells what a file operation ended with, in the window's words joined by ": ": its error, or
// what a success passed over (a plain success says nothing). Returns whether it succeeded.
bool fileDone(const QString& command, const FileOutcome& outcome);

} // namespace qmh4::cli
