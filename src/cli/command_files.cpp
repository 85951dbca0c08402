#include "cli/commands.h"
#include "files/csv_file.h"
#include "files/data_file.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace qmh4::cli {

namespace {

// Tells what a file command ended with; false (after saying why) when it failed.
bool reported(const QString& command, const FileOutcome& outcome) {
    if (!outcome.ok || outcome.text.contains(QLatin1Char('\n'))) {
        QTextStream(stderr)
            << "qmh4 " << command << ": "
            << QString(outcome.text).replace(QLatin1Char('\n'), QStringLiteral(": ")) << "\n";
    }
    return outcome.ok;
}

bool parse(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
           qsizetype positionals) {
    if (!parser.parse(QStringList{QStringLiteral("qmh4 ") + command} + arguments) ||
        parser.positionalArguments().size() != positionals) {
        QTextStream(stderr) << "qmh4 " << command << ": "
                            << (parser.errorText().isEmpty() ? QStringLiteral("wrong arguments")
                                                             : parser.errorText())
                            << "\n";
        return false;
    }
    return true;
}

} // namespace

// Writes the channels of a data file as a CSV channel list.
int runExportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    if (!parse(parser, QStringLiteral("export-csv"), arguments, 2)) {
        return ExitUsage;
    }
    const QStringList paths = parser.positionalArguments();
    RadioData data;
    if (!reported(QStringLiteral("export-csv"), openDataFile(paths.at(0), data)) ||
        !reported(QStringLiteral("export-csv"), exportCsvFile(paths.at(1), data.channels))) {
        return ExitUsage;
    }
    return ExitOk;
}

// Imports a CSV channel list onto the start-up state or onto a data file, and saves the result
// as a data file.
int runImportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("onto"),
                      QStringLiteral("Import onto this data file instead of the start-up state."),
                      QStringLiteral("BASE.H4")});
    if (!parse(parser, QStringLiteral("import-csv"), arguments, 2)) {
        return ExitUsage;
    }
    const QStringList paths = parser.positionalArguments();
    RadioData data;
    const QString command = QStringLiteral("import-csv");
    if (parser.isSet(QStringLiteral("onto")) &&
        !reported(command, openDataFile(parser.value(QStringLiteral("onto")), data))) {
        return ExitUsage;
    }
    if (!reported(command, importCsvFile(paths.at(0), data.channels)) ||
        !reported(command, saveDataFile(paths.at(1), data))) {
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace qmh4::cli
