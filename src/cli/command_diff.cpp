#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/radio_steps.h"
#include "files/data_file.h"

#include <QCommandLineParser>

namespace qmh4::cli {

namespace {

bool openData(const QString& path, WholeRadioData& data) {
    RadioData file;
    if (!fileDone(QStringLiteral("diff"), openDataFile(path, file)))
        return false;
    data.channels = file.channels;
    data.areas = file.areas;
    return true;
}

} // namespace

// The differences between two data files, in the lines of `qmh4 verify`.
int runDiff(const QStringList& arguments) {
    QCommandLineParser parser;
    if (!parseArguments(parser, QStringLiteral("diff"), arguments, 2))
        return ExitUsage;
    WholeRadioData first;
    WholeRadioData second;
    if (!openData(parser.positionalArguments().at(0), first) ||
        !openData(parser.positionalArguments().at(1), second))
        return ExitUsage;
    return printDifferences(compareRadioData(first, second));
}

} // namespace qmh4::cli
