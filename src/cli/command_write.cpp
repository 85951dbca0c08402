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
#include "transfers/glyph_transfer.h"

#include <array>
#include <memory>

namespace qmh4::cli {

namespace {

// A font file that fills fewer than eight glyphs is refused: the missing ones would go to the
// radio blank and erase its own.
bool loadGlyphs(const RadioRequest& request, GlyphSet& glyphs) {
    const FontFileResult font = loadFontFile(request.fontPath, glyphs);
    if (!font.ok) {
        tell(request.command, font.error);
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

TransferResult writeArea(Area area, Session& session, WholeRadioData& data,
                         WholeRadioObserver* observer) {
    RadioAreas& areas = data.areas;
    switch (area) {
    case Area::Channels:
        return writeAllChannels(session, data.channels, observer);
    case Area::Banks:
        return writeBanks(session, areas.banks, observer);
    case Area::OneTouch:
        return writeOneTouch(session, areas.oneTouch, observer);
    case Area::Title:
        return writeTitle(session, areas.title, observer);
    case Area::Settings:
        return writeSetMode(session, areas.setMode, areas.dtmf, observer);
    case Area::Groups:
    case Area::Glyphs:
        break;
    }
    return {Outcome::Failed, {}};
}

// The group and glyph blocks as the whole-radio write sends them after its other steps, without
// a handshake of their own; when they are all that is written, one handshake goes first.
TransferResult writeFinalBlocks(Link& link, WholeRadioData& data, const RadioRequest& request,
                                const SessionOptions& options, bool handshake,
                                WholeRadioObserver* observer) {
    Session session(link, options);
    if (request.has(Area::Groups)) {
        const TransferResult groups = writeGroups(session, data.areas.groups, observer,
                                                  handshake ? Handshake::Yes : Handshake::No);
        if (groups.outcome != Outcome::Success || !request.has(Area::Glyphs))
            return groups;
    } else if (handshake) {
        const TransferResult identified = runTransfer([&] { session.identify(); });
        if (identified.outcome != Outcome::Success)
            return identified;
    }
    return asWholeRadioStep(
        writeGlyphBlocks(link, data.glyphs, FinalGlyphFailureLimit, options.replyTimeout));
}

constexpr std::array WriteOrder{
    std::pair{Area::Channels, WholeStep::Channels}, std::pair{Area::Banks, WholeStep::Banks},
    std::pair{Area::OneTouch, WholeStep::OneTouch}, std::pair{Area::Title, WholeStep::Title},
    std::pair{Area::Settings, WholeStep::Settings}};

WholeRadioResult writeChosenAreas(Link& link, WholeRadioData& data, const RadioRequest& request,
                                  const WholeRadioOptions& options, WholeRadioObserver& observer) {
    WholeRadioResult result;
    auto run = [&](WholeStep step, auto body) {
        observer.stepStarted(step);
        result.steps.push_back({step, body()});
        observer.stepFinished(result.steps.back());
    };
    for (const auto& [area, step] : WriteOrder) {
        if (!request.has(area))
            continue;
        run(step, [&] {
            Session session(link, options.main);
            return writeArea(area, session, data, &observer);
        });
    }
    if (request.has(Area::Groups) || request.has(Area::Glyphs)) {
        const bool handshake = result.steps.empty();
        run(WholeStep::FinalBlocks, [&] {
            return writeFinalBlocks(link, data, request, options.main, handshake, &observer);
        });
    }
    return result;
}

// How failures of the last step are named: by the areas it sends.
QString finalBlocksName(const RadioRequest& request) {
    QStringList names;
    for (Area area : {Area::Groups, Area::Glyphs}) {
        if (request.has(area))
            names << areaName(area);
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
    const WholeRadioOptions options;
    const WholeRadioResult result = request->whole
                                        ? writeWholeRadio(*link, data, options, nullptr, &report)
                                        : writeChosenAreas(*link, data, *request, options, report);
    if (!result.allSucceeded())
        return ExitRadioFailed;
    if (!request->verify)
        return ExitOk;
    StepReport verifyReport(request->command, request->port, areaName(Area::Groups));
    return verifyRadio(*link, *request, expected, verifyReport);
}

} // namespace qmh4::cli
