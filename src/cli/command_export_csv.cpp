#include "cli/arguments.h"
#include "cli/commands.h"
#include "files/common_csv_layout.h"
#include "files/csv_file.h"
#include "files/data_file.h"

namespace qmh4::cli {

// Writes the channels of a data file as a CSV channel list, in the program's own layout or
// (--layout common) in the common one.
int runExportCsv(const QStringList& arguments) {
    const QString command = QStringLiteral("export-csv");
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("layout"), QStringLiteral("native (the default) or common."),
                      QStringLiteral("LAYOUT"), QStringLiteral("native")});
    if (!parseArguments(parser, command, arguments, 2)) {
        return ExitUsage;
    }
    const QString layout = parser.value(QStringLiteral("layout"));
    const bool common = layout == QLatin1String("common");
    if (!common && layout != QLatin1String("native")) {
        tell(command, QStringLiteral("--layout must be native or common, not \"%1\"").arg(layout));
        return ExitUsage;
    }
    const QStringList paths = parser.positionalArguments();
    RadioData data;
    if (!fileDone(command, openDataFile(paths.at(0), data)) ||
        !fileDone(command, common ? exportChannelListFile(paths.at(1), data.channels)
                                  : exportCsvFile(paths.at(1), data.channels))) {
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace qmh4::cli
