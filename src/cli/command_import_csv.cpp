#include "cli/arguments.h"
#include "cli/commands.h"
#include "files/csv_file.h"
#include "files/data_file.h"

namespace qmh4::cli {

// Imports a CSV channel list onto the start-up state or onto a data file, and saves the result
// as a data file.
int runImportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("onto"),
                      QStringLiteral("Import onto this data file instead of the start-up state."),
                      QStringLiteral("BASE.H4")});
    if (!parseArguments(parser, QStringLiteral("import-csv"), arguments, 2)) {
        return ExitUsage;
    }
    const QStringList paths = parser.positionalArguments();
    RadioData data;
    const QString command = QStringLiteral("import-csv");
    if (parser.isSet(QStringLiteral("onto")) &&
        !fileDone(command, openDataFile(parser.value(QStringLiteral("onto")), data))) {
        return ExitUsage;
    }
    if (!fileDone(command, importCsvFile(paths.at(0), data.channels)) ||
        !fileDone(command, saveDataFile(paths.at(1), data))) {
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace qmh4::cli
