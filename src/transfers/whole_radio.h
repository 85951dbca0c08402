#pragma once

// "Read All Data" and "Write All Data": every area of the radio in one command, step after step,
// each step an ordinary transfer of its own (its own handshake) run quietly. A step that fails
// shows its own box and the sequence goes on with the next; the closing flag is looked at after
// every step.
//
// Read: channels, banks, one-touch, title, settings (with the DTMF memories, decoded), then the
// font editor's read of the glyphs and the group editor's read of the groups. No box at the end.
// Write: channels with the pass table, banks, one-touch, title, settings (with the DTMF blocks),
// then, without a new handshake, the two group blocks and the eight glyph blocks. The glyph blocks
// go to the radio only when the glyph store holds real glyphs: a blank store would erase the
// radio's own.

#include "link/session.h"
#include "transfers/area_steps.h"
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

struct StepResult {
    WholeStep step;
    TransferResult result;
};

// The box a step shows: Failed or PortError when it failed; None when it succeeded (the steps
// are quiet) or was stopped.
inline EndBox stepBox(const TransferResult& result) {
    return failureBox(result.outcome);
}

struct WholeRadioResult {
    std::vector<StepResult> steps;
    bool stopped = false;            // the closing flag ended the sequence
    bool glyphBlocksWritten = false; // write: all eight glyph blocks went to the radio

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

// The chosen areas as "Read All Data" reads them, in its order: the main window's areas each in
// a session of its own, then the glyphs and the groups as their editors read them.
WholeRadioResult readRadioAreas(Link& link, WholeRadioData& data, DataAreas areas,
                                const WholeRadioOptions& options,
                                const std::atomic<bool>* stop = nullptr,
                                WholeRadioObserver* observer = nullptr);
// The chosen areas as "Write All Data" writes them; the groups and the glyphs go in one last
// step, after one handshake of their own when nothing went before them.
// `data.areas.setMode.record` ends as the radio's record read back by the settings step.
WholeRadioResult writeRadioAreas(Link& link, WholeRadioData& data, DataAreas areas,
                                 const WholeRadioOptions& options,
                                 const std::atomic<bool>* stop = nullptr,
                                 WholeRadioObserver* observer = nullptr);

// What "Write All Data" of `data` sends: every area, the glyphs only when it holds real glyphs.
DataAreas writtenAreas(const WholeRadioData& data);

inline WholeRadioResult readWholeRadio(Link& link, WholeRadioData& data,
                                       const WholeRadioOptions& options,
                                       const std::atomic<bool>* stop = nullptr,
                                       WholeRadioObserver* observer = nullptr) {
    return readRadioAreas(link, data, DataAreas::all(), options, stop, observer);
}
inline WholeRadioResult writeWholeRadio(Link& link, WholeRadioData& data,
                                        const WholeRadioOptions& options,
                                        const std::atomic<bool>* stop = nullptr,
                                        WholeRadioObserver* observer = nullptr) {
    return writeRadioAreas(link, data, writtenAreas(data), options, stop, observer);
}

// A glyph transfer's result as a step of the whole-radio commands reports it: the port's own
// words stay with a port error; what only the font editor uses (how far a read got, how it
// words its end) is not carried over.
TransferResult asWholeRadioStep(const TransferResult& glyphs);

// The editors' reads as the command line runs them.
TransferResult readGlyphsAsEditor(Link& link, GlyphSet& glyphs, SessionOptions options,
                                  const std::atomic<bool>* stop = nullptr);
TransferResult readGroupsAsEditor(Link& link, RadioAreas& areas, SessionOptions options,
                                  const std::atomic<bool>* stop = nullptr);

} // namespace qmh4
