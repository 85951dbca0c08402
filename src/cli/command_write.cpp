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

// A font file that fills fewer than eight glyphs is refused: the missing ones would go to the
// radio blank and erase its own.
bool loadGlyphs(const RadioRequest& request, GlyphSet& glyphs) {
    const FontFileResult font = loadFontFile(request.fontPath, glyphs);
    if (!font.ok()) {
        tell(request.command, fontFileText(font).text);
        return false;
    }
    if (font.glyphsRead < GlyphCount) {
        tell(request.command, QStringLiteral("%1 holds %2 of the %3 glyphs")
                                  .arg(request.fontPath)
                                  .arg(font.glyphsRead)
                                  .arg(GlyphCount));
        return false;
    }
    return true;
}

// How failures of the last step are named: by the areas it sends.
QString finalBlocksName(const RadioRequest& request) {
    QStringList names;
    for (DataArea area : {DataArea::Groups, DataArea::Glyphs}) {
        if (request.has(area))
            names << dataAreaName(area);
    }
    return names.join(u',');
}

} // namespace

// The data file onto the start-up state, and the font file when there is one; nothing reaches
// the radio unless both could be read.
bool openInputs(const RadioRequest& request, WholeRadioData& data) {
    RadioData file;
    if (!fileDone(request.command, openDataFile(request.dataPath, file)))
        return false;
    data.channels = file.channels;
    data.areas = file.areas;
    if (request.fontPath.isEmpty())
        return true;
    data.glyphsReal = loadGlyphs(request, data.glyphs);
    return data.glyphsReal;
}

// Opens the data file (and the font file) onto the start-up state, keeps a backup of what is
// about to be sent, then "Write All Data" (or the chosen areas). Without a font file the
// radio's glyphs are left as they are. With --verify everything written is read back and
// compared.
int runWrite(const QStringList& arguments) {
    const auto request = parseRadioRequest(QStringLiteral("write"), arguments);
    if (!request)
        return ExitUsage;
    WholeRadioData data;
    if (!openInputs(*request, data))
        return ExitUsage;
    const std::unique_ptr<Link> link =
        openRadioLink(request->command, request->port, request->verbose);
    if (!link)
        return ExitRadioFailed;
    if (request->backup)
        backUp(request->command, data, data.glyphsReal, QStringLiteral("written"));
    const WholeRadioData expected = data;
    StepReport report(request->command, request->port, finalBlocksName(*request));
    const WholeRadioResult result =
        writeRadioAreas(*link, data, request->areas, WholeRadioOptions{}, nullptr, &report);
    if (!result.allSucceeded())
        return ExitRadioFailed;
    if (!request->verify)
        return ExitOk;
    StepReport verifyReport(request->command, request->port, dataAreaName(DataArea::Groups));
    return verifyRadio(*link, *request, expected, verifyReport);
}

} // namespace qmh4::cli
