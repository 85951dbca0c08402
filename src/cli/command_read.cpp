#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/radio_port.h"
#include "cli/radio_request.h"
#include "cli/radio_steps.h"
#include "cli/step_report.h"
#include "files/data_file.h"
#include "font/font_file.h"
#include "link/link.h"
#include "messages/file_outcome_text.h"

#include <memory>

namespace qmh4::cli {

namespace {

bool saveReadFiles(const RadioRequest& request, const WholeRadioData& read, const QDateTime& now) {
    RadioData data;
    data.channels = read.channels;
    data.areas = read.areas;
    if (!fileDone(request.command, saveDataFile(request.dataPath, data, now)))
        return false;
    if (request.fontPath.isEmpty())
        return true;
    const FontFileResult font = saveFontFile(request.fontPath, read.glyphs, now);
    if (!font.ok())
        tell(request.command, fontFileText(font).text);
    return font.ok();
}

} // namespace

// "Read All Data" (or the chosen areas), then the data file and, with --font, the font file.
// The files are written only when every step succeeded: a file never looks like a whole radio
// when part of it is missing.
int runRead(const QStringList& arguments) {
    const auto request = parseRadioRequest(QStringLiteral("read"), arguments);
    if (!request)
        return ExitUsage;
    const std::unique_ptr<Link> link =
        openRadioLink(request->command, request->port, request->verbose);
    if (!link)
        return ExitRadioFailed;
    WholeRadioData data;
    StepReport report(request->command, request->port, dataAreaName(DataArea::Groups));
    const WholeRadioResult result =
        readRadioAreas(*link, data, request->areas, WholeRadioOptions{}, nullptr, &report);
    if (!result.allSucceeded())
        return ExitRadioFailed;
    // The backup and the file asked for carry the same time, so they are the same bytes.
    const QDateTime now = QDateTime::currentDateTime();
    if (request->backup) {
        backUp(request->command, data, request->has(DataArea::Glyphs),
               request->whole ? QStringLiteral("read-all") : QStringLiteral("read"), now);
    }
    return saveReadFiles(*request, data, now) ? ExitOk : ExitUsage;
}

} // namespace qmh4::cli
