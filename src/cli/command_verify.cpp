#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/radio_port.h"
#include "cli/radio_steps.h"
#include "files/backups.h"
#include "link/link.h"
#include "messages/file_outcome_text.h"

#include <QTextStream>

#include <memory>

namespace qmh4::cli {

void backUp(const QString& command, const WholeRadioData& data, bool withGlyphs,
            const QString& what, const QDateTime& now) {
    RadioData kept;
    kept.channels = data.channels;
    kept.areas = data.areas;
    kept.glyphs.setGlyphs(data.glyphs);
    const BackupResult backup = saveBackup(kept, withGlyphs, what, backupFolder(), now);
    if (!backup.ok)
        tell(command, QStringLiteral("no backup kept (%1)").arg(backupFailureText(backup)));
    else if (command == QLatin1String("read"))
        tell(command, QStringLiteral("backup: %1").arg(backup.dataPath));
}

int printDifferences(const std::vector<Difference>& differences) {
    QTextStream out(stdout);
    for (const Difference& difference : differences)
        out << differenceLine(difference) << '\n';
    return differences.empty() ? ExitOk : ExitDifferent;
}

int verifyRadio(Link& link, const RadioRequest& request, const WholeRadioData& expected,
                StepReport& report) {
    WholeRadioData radio = expected;
    const WholeRadioResult read =
        readRadioAreas(link, radio, request.areas, WholeRadioOptions{}, nullptr, &report);
    if (!read.allSucceeded())
        return ExitRadioFailed;
    radio.glyphsReal = true; // the glyph blocks came from the radio
    return printDifferences(compareRadioData(radio, expected, request.areas));
}

// Reads back what `qmh4 write` of the same files would send and compares.
int runVerify(const QStringList& arguments) {
    const auto request = parseRadioRequest(QStringLiteral("verify"), arguments);
    if (!request)
        return ExitUsage;
    WholeRadioData expected;
    if (!openInputs(*request, expected))
        return ExitUsage;
    const std::unique_ptr<Link> link =
        openRadioLink(request->command, request->port, request->verbose);
    if (!link)
        return ExitRadioFailed;
    StepReport report(request->command, request->port, dataAreaName(DataArea::Groups));
    return verifyRadio(*link, *request, expected, report);
}

} // namespace qmh4::cli
