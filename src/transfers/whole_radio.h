#pragma once

// "Read All Data" and "Write All Data": every area of the radio in one command, step after step,
// each step an ordinary transfer of its own (its own handshake) run quietly. A step that fails
// shows its own box and the sequence goes on with the next; the closing flag is looked at after
// every step.
//
// Read: channels, banks, one-touch, title, settings (with the DTMF memories, decoded), then the
// font editor's read of the glyphs and the group editor's read of the groups. No box at the end.
// Write: channels with the pass table, banks, one-touch, title, settings (with the DTMF blocks),
// then, without a new handshake, the two group blocks and the eight glyph blocks. "Success" /
// " Finish" comes only when every step succeeded. The glyph blocks go to the radio only when the
// glyph store holds real glyphs: a blank store would erase the radio's own.

#include "channels/channel_table.h"
#include "font/glyph_store.h"
#include "link/session.h"
#include "radio_areas/radio_areas.h"
#include "transfers/channel_transfer.h"
#include "transfers/transfer_control.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

namespace qmh4 {

class Link;

// The whole-radio write's glyph blocks, also when the command line writes them alone: three
// failed attempts over all eight blocks give "Error".
inline constexpr int FinalGlyphFailureLimit = 3;

// What the whole-radio commands move: the main window's working data and the glyph store.
struct WholeRadioData {
    ChannelTable channels;
    RadioAreas areas;
    GlyphSet glyphs{};
    bool glyphsReal = false; // GlyphStore::holdsRealGlyphs() when the command started
};

enum class WholeStep {
    Channels,
    Banks,
    OneTouch,
    Title,
    Settings,
    Glyphs,      // read: the font editor's read
    Groups,      // read: the group editor's read
    FinalBlocks, // write: the group blocks and the glyph blocks without a handshake
};

struct StepResult {
    WholeStep step;
    TransferResult result;
};

// The box a step shows: "Error" / " Error" or "Port Error" / " Error" when it failed; none when
// it succeeded (the steps are quiet) or was stopped.
EndBox stepBox(const TransferResult& result);

struct WholeRadioResult {
    std::vector<StepResult> steps;
    bool stopped = false;            // the closing flag ended the sequence
    bool glyphBlocksWritten = false; // write: all eight glyph blocks went to the radio
    EndBox finalBox; // write only: "Success" / " Finish" after a clean run, else nothing

    bool allSucceeded() const;
};

class WholeRadioObserver : public ChannelTransferObserver {
public:
    virtual void stepStarted(WholeStep /*step*/) {}
    // The window shows stepBox(step.result) here, while the sequence goes on.
    virtual void stepFinished(const StepResult& /*step*/) {}
};

struct WholeRadioOptions {
    SessionOptions main{std::chrono::milliseconds(1000)};   // the main window's steps
    SessionOptions editors{std::chrono::milliseconds(200)}; // the font and group editors
    // The editors' reads. By default they run here on the same link; the window replaces them
    // with opening the editors, which read and close themselves.
    std::function<TransferResult(Link&, WholeRadioData&)> readGlyphs;
    std::function<TransferResult(Link&, WholeRadioData&)> readGroups;
};

WholeRadioResult readWholeRadio(Link& link, WholeRadioData& data, const WholeRadioOptions& options,
                                const std::atomic<bool>* stop = nullptr,
                                WholeRadioObserver* observer = nullptr);
// `data.areas.setMode.record` ends as the radio's record read back by the settings step.
WholeRadioResult writeWholeRadio(Link& link, WholeRadioData& data, const WholeRadioOptions& options,
                                 const std::atomic<bool>* stop = nullptr,
                                 WholeRadioObserver* observer = nullptr);

// A glyph transfer's result as a step of the whole-radio commands reports it: the port's own
// words stay with a port error, the font editor's box text is not carried over.
TransferResult asWholeRadioStep(const TransferResult& glyphs);

// The editors' reads as the command line runs them.
TransferResult readGlyphsAsEditor(Link& link, GlyphSet& glyphs, SessionOptions options,
                                  const std::atomic<bool>* stop = nullptr);
TransferResult readGroupsAsEditor(Link& link, RadioAreas& areas, SessionOptions options,
                                  const std::atomic<bool>* stop = nullptr);

} // namespace qmh4
