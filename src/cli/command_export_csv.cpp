#include "cli/arguments.h"
#include "cli/commands.h"
#include "files/csv_file.h"
#include "files/data_file.h"

namespace qmh4::cli {

// Writes the channels of a data file as a CSV channel list.
int runExportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    if (!parseArguments(parser, QStringLiteral("export-csv"), arguments, 2)) {
        return ExitUsage;
    }
    const QStringList paths = parser.positionalArguments();
    RadioData data;
    if (!fileDone(QStringLiteral("export-csv"), openDataFile(paths.at(0), data)) ||
        !fileDone(QStringLiteral("export-csv"), exportCsvFile(paths.at(1), data.channels))) {
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace qmh4::cli
