#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/radio_port.h"
#include "cli/radio_request.h"
#include "cli/radio_steps.h"
#include "cli/step_report.h"
#include "files/data_file.h"
#include "font/font_file.h"
#include "link/link.h"
#include "transfers/area_transfers.h"

#include <array>
#include <memory>
#include <utility>

namespace qmh4::cli {

namespace {

// One area as the window reads it on its own: the main window's areas in a session of their
// own, the glyphs and the groups as their editors read them.
TransferResult readArea(Area area, Link& link, WholeRadioData& data,
                        const WholeRadioOptions& options, WholeRadioObserver* observer) {
    RadioAreas& areas = data.areas;
    if (area == Area::Glyphs)
        return readGlyphsAsEditor(link, data.glyphs, options.editors);
    if (area == Area::Groups)
        return readGroupsAsEditor(link, areas, options.editors);
    Session session(link, options.main);
    switch (area) {
    case Area::Channels:
        return readAllChannels(session, data.channels, observer);
    case Area::Banks: {
        const TransferResult result = readBanks(session, areas.banks, observer);
        // The one-touch keys name banks by their place among the non-empty ones.
        areas.oneTouch.rebuild(areas.banks);
        return result;
    }
    case Area::OneTouch:
        return readOneTouch(session, areas.oneTouch, areas.banks, observer);
    case Area::Title:
        return readTitle(session, areas.title, observer);
    case Area::Settings:
        return readSetMode(session, areas.setMode, areas.dtmf, observer);
    case Area::Glyphs:
    case Area::Groups:
        break;
    }
    return {Outcome::Failed, {}};
}

// The areas in the order of "Read All Data": the glyphs (font editor) before the groups (group
// editor).
constexpr std::array ReadOrder{
    std::pair{Area::Channels, WholeStep::Channels}, std::pair{Area::Banks, WholeStep::Banks},
    std::pair{Area::OneTouch, WholeStep::OneTouch}, std::pair{Area::Title, WholeStep::Title},
    std::pair{Area::Settings, WholeStep::Settings}, std::pair{Area::Glyphs, WholeStep::Glyphs},
    std::pair{Area::Groups, WholeStep::Groups}};

bool saveReadFiles(const RadioRequest& request, const WholeRadioData& read, const QDateTime& now) {
    RadioData data;
    data.channels = read.channels;
    data.areas = read.areas;
    if (!fileDone(request.command, saveDataFile(request.dataPath, data, now)))
        return false;
    if (request.fontPath.isEmpty())
        return true;
    const FontFileResult font = saveFontFile(request.fontPath, read.glyphs, now);
    if (!font.ok)
        tell(request.command, font.error);
    return font.ok;
}

} // namespace

WholeRadioResult readChosenAreas(Link& link, WholeRadioData& data, const RadioRequest& request,
                                 const WholeRadioOptions& options, WholeRadioObserver& observer) {
    WholeRadioResult result;
    for (const auto& [area, step] : ReadOrder) {
        if (!request.has(area))
            continue;
        observer.stepStarted(step);
        result.steps.push_back({step, readArea(area, link, data, options, &observer)});
        observer.stepFinished(result.steps.back());
    }
    return result;
}

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
    StepReport report(request->command, request->port, areaName(Area::Groups));
    const WholeRadioOptions options;
    const WholeRadioResult result = request->whole
                                        ? readWholeRadio(*link, data, options, nullptr, &report)
                                        : readChosenAreas(*link, data, *request, options, report);
    if (!result.allSucceeded())
        return ExitRadioFailed;
    // The backup and the file asked for carry the same time, so they are the same bytes.
    const QDateTime now = QDateTime::currentDateTime();
    if (request->backup) {
        backUp(request->command, data, request->has(Area::Glyphs),
               request->whole ? QStringLiteral("read-all") : QStringLiteral("read"), now);
    }
    return saveReadFiles(*request, data, now) ? ExitOk : ExitUsage;
}

} // namespace qmh4::cli
