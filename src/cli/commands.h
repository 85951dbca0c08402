#pragma once

#include <QStringList>

namespace qmh4::cli {

// Exit statuses of every command.
constexpr int ExitOk = 0;
constexpr int ExitRadioFailed = 1; // a radio step failed; its message is on stderr
constexpr int ExitUsage = 2;       // a usage or file error
constexpr int ExitDifferent = 3;   // verify/diff: differences, listed on stdout

// A command gets its own arguments (without "qmh4" and the command name).
using CommandFunction = int (*)(const QStringList& arguments);

struct Command {
    const char* name;
    const char* synopsis; // the arguments, as `qmh4 --help` and `qmh4 CMD --help` show them
    const char* summary;  // what the command does, one line
    CommandFunction run;
};

// The command of that name; null when there is none.
const Command* findCommand(const QString& name);

int runSim(const QStringList& arguments);
int runPorts(const QStringList& arguments);
int runIdentify(const QStringList& arguments);
int runRead(const QStringList& arguments);
int runWrite(const QStringList& arguments);
int runExportCsv(const QStringList& arguments);
int runImportCsv(const QStringList& arguments);
int runVerify(const QStringList& arguments);
int runDiff(const QStringList& arguments);

} // namespace qmh4::cli
