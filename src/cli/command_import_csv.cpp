#include "cli/arguments.h"
#include "cli/commands.h"
#include "files/common_csv_layout.h"
#include "files/csv_file.h"
#include "files/data_file.h"
#include "messages/file_outcome_text.h"

namespace qmh4::cli {

namespace {

const QString CommandName = QStringLiteral("import-csv");

// A channel list in the common layout goes into memory rows from --first-row on; its report
// and summary end on stderr.
bool importCommonLayout(const QCommandLineParser& parser, const QString& path, RadioData& data) {
    bool number = true;
    const QString given = parser.value(QStringLiteral("first-row"));
    const int firstRow = given.isEmpty() ? FirstMemoryRow : given.toInt(&number);
    if (!number || firstRow < FirstMemoryRow || firstRow > LastMemoryRow) {
        tell(CommandName, QStringLiteral("--first-row must be 1 to 1000, not \"%1\"").arg(given));
        return false;
    }
    const FileOutcome outcome = importChannelListFile(path, data.channels, firstRow);
    if (!outcome.ok())
        return fileDone(CommandName, outcome);
    for (const QString& line : channelListReport(outcome.channelList))
        tell(CommandName, line);
    return true;
}

} // namespace

// Imports a CSV channel list, in the program's own layout or the common one (told apart by the
// header), onto the start-up state or onto a data file, and saves the result as a data file.
int runImportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("onto"),
                      QStringLiteral("Import onto this data file instead of the start-up state."),
                      QStringLiteral("BASE.H4")});
    parser.addOption({QStringLiteral("first-row"),
                      QStringLiteral("Common layout: the memory row of the first channel."),
                      QStringLiteral("N")});
    if (!parseArguments(parser, CommandName, arguments, 2)) {
        return ExitUsage;
    }
    const QStringList paths = parser.positionalArguments();
    RadioData data;
    if (parser.isSet(QStringLiteral("onto")) &&
        !fileDone(CommandName, openDataFile(parser.value(QStringLiteral("onto")), data))) {
        return ExitUsage;
    }
    const std::optional<QByteArray> bytes = readTextFile(paths.at(0));
    const bool common = bytes && isCommonLayoutHeader(*bytes);
    if (common ? !importCommonLayout(parser, paths.at(0), data)
               : !fileDone(CommandName, importCsvFile(paths.at(0), data.channels))) {
        return ExitUsage;
    }
    if (!fileDone(CommandName, saveDataFile(paths.at(1), data))) {
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace qmh4::cli
