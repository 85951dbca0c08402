#pragma once

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

} // namespace qmh4::cli
