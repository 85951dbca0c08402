#include "transfers/whole_radio.h"

#include "link/link.h"
#include "transfers/area_transfers.h"
#include "transfers/glyph_transfer.h"

#include <algorithm>

namespace qmh4 {

namespace {

bool stopping(const std::atomic<bool>* stop) {
    return stop && stop->load();
}

// Runs one step, reports it, and tells whether the sequence may go on.
class Steps {
public:
    Steps(WholeRadioResult& result, Link& link, const SessionOptions& options,
          const std::atomic<bool>* stop, WholeRadioObserver* observer)
        : result_(result), link_(link), options_(options), stop_(stop), observer_(observer) {}

    bool run(WholeStep step, const std::function<TransferResult()>& body) {
        if (observer_)
            observer_->stepStarted(step);
        const StepResult done{step, body()};
        result_.steps.push_back(done);
        if (observer_)
            observer_->stepFinished(done);
        if (done.result.outcome == Outcome::Stopped || stopping(stop_)) {
            result_.stopped = true;
            return false;
        }
        return true;
    }

    // A step that is an ordinary transfer of its own, on a fresh session (its own handshake).
    template <typename Body>
    bool runInSession(WholeStep step, Body body) {
        return run(step, [&] {
            Session session(link_, options_, stop_);
            return body(session);
        });
    }

    // The chosen areas of the main window, each read or written in a session of its own.
    bool runSessionAreas(DataAreas areas, AreaTransfer SessionArea::*transfer,
                         WholeRadioData& data) {
        for (const SessionArea& area : sessionAreas()) {
            if (areas.has(area.area) && !runInSession(area.step, [&](Session& s) {
                    return (area.*transfer)(s, data, observer_);
                }))
                return false;
        }
        return true;
    }

private:
    WholeRadioResult& result_;
    Link& link_;
    const SessionOptions& options_;
    const std::atomic<bool>* stop_;
    WholeRadioObserver* observer_;
};

} // namespace

TransferResult asWholeRadioStep(const TransferResult& glyphs) {
    TransferResult step;
    step.outcome = glyphs.outcome;
    if (glyphs.outcome == Outcome::PortError)
        step.detail = glyphs.detail;
    return step;
}

bool WholeRadioResult::allSucceeded() const {
    return !stopped && std::all_of(steps.begin(), steps.end(), [](const StepResult& s) {
        return s.result.outcome == Outcome::Success;
    });
}

TransferResult readGlyphsAsEditor(Link& link, GlyphSet& glyphs, SessionOptions options,
                                  const std::atomic<bool>* stop) {
    GlyphTransfers transfers(options.replyTimeout);
    return asWholeRadioStep(transfers.readAll(link, glyphs, stop));
}

TransferResult readGroupsAsEditor(Link& link, RadioAreas& areas, SessionOptions options,
                                  const std::atomic<bool>* stop) {
    // Opening the group editor first makes the empty banks unusable.
    areas.groups.prepare(areas.banks);
    Session session(link, options, stop);
    return readGroups(session, areas.groups);
}

DataAreas writtenAreas(const WholeRadioData& data) {
    DataAreas areas = DataAreas::all();
    if (!data.glyphsReal)
        areas.remove(DataArea::Glyphs);
    return areas;
}

WholeRadioResult readRadioAreas(Link& link, WholeRadioData& data, DataAreas areas,
                                const WholeRadioOptions& options, const std::atomic<bool>* stop,
                                WholeRadioObserver* observer) {
    WholeRadioResult result;
    Steps steps(result, link, options.main, stop, observer);
    if (!steps.runSessionAreas(areas, &SessionArea::read, data))
        return result;
    const bool goOn = !areas.has(DataArea::Glyphs) || steps.run(WholeStep::Glyphs, [&] {
        if (options.readGlyphs)
            return options.readGlyphs(link, data);
        const TransferResult r = readGlyphsAsEditor(link, data.glyphs, options.editors, stop);
        data.glyphsReal = data.glyphsReal || r.outcome == Outcome::Success;
        return r;
    });
    if (goOn && areas.has(DataArea::Groups)) {
        steps.run(WholeStep::Groups, [&] {
            if (options.readGroups)
                return options.readGroups(link, data);
            return readGroupsAsEditor(link, data.areas, options.editors, stop);
        });
    }
    return result;
}

WholeRadioResult writeRadioAreas(Link& link, WholeRadioData& data, DataAreas areas,
                                 const WholeRadioOptions& options, const std::atomic<bool>* stop,
                                 WholeRadioObserver* observer) {
    WholeRadioResult result;
    Steps steps(result, link, options.main, stop, observer);
    if (!steps.runSessionAreas(areas, &SessionArea::write, data) ||
        (!areas.has(DataArea::Groups) && !areas.has(DataArea::Glyphs)))
        return result;
    const Handshake handshake = result.steps.empty() ? Handshake::Yes : Handshake::No;
    steps.runInSession(WholeStep::FinalBlocks, [&](Session& s) {
        if (areas.has(DataArea::Groups)) {
            const TransferResult groups = writeGroups(s, data.areas.groups, observer, handshake);
            if (groups.outcome != Outcome::Success || !areas.has(DataArea::Glyphs))
                return groups;
        } else if (handshake == Handshake::Yes) {
            const TransferResult identified = runTransfer([&] { s.identify(); });
            if (identified.outcome != Outcome::Success)
                return identified;
        }
        const TransferResult glyphs = writeGlyphBlocks(link, data.glyphs, FinalGlyphFailureLimit,
                                                       options.main.replyTimeout, stop);
        result.glyphBlocksWritten = glyphs.ok();
        return asWholeRadioStep(glyphs);
    });
    return result;
}

} // namespace qmh4
