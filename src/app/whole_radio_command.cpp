#include "app/whole_radio_command.h"

#include "app/bank_page.h"
#include "app/file_messages.h"
#include "app/main_window.h"
#include "app/safety_net.h"
#include "app/transfer_controller.h"
#include "app/undo_history.h"
#include "link/link.h"
#include "messages/transfer_outcome_text.h"

#include <QStatusBar>

#include <algorithm>
#include <span>
#include <utility>

namespace qmh4 {

namespace {

// The share of the whole command's bar each step takes, about as long as the step runs: the
// channels are most of the work. Each row adds up to 100.
struct StepShare {
    WholeStep step;
    int percent;
    const char* status;
};
constexpr StepShare ReadShares[] = {
    {WholeStep::Channels, 70, "Reading channels..."},
    {WholeStep::Banks, 4, "Reading banks..."},
    {WholeStep::OneTouch, 2, "Reading one-touch..."},
    {WholeStep::Title, 2, "Reading the opening title..."},
    {WholeStep::Settings, 8, "Reading settings and DTMF..."},
    {WholeStep::Glyphs, 8, "Reading the font..."},
    {WholeStep::Groups, 6, "Reading groups..."},
};
constexpr StepShare WriteShares[] = {
    {WholeStep::Channels, 70, "Writing channels..."},
    {WholeStep::Banks, 4, "Writing banks..."},
    {WholeStep::OneTouch, 2, "Writing one-touch..."},
    {WholeStep::Title, 2, "Writing the opening title..."},
    {WholeStep::Settings, 8, "Writing settings and DTMF..."},
    {WholeStep::FinalBlocks, 14, "Writing groups and the font..."},
};

// Forwards a whole-radio command's progress and rows to the runner, and hands each finished
// step to the window thread, waiting there until its box (if any) has been answered. Each step
// fills its own share of the bar, which never goes back.
class WholeRadioRelay : public WholeRadioObserver {
public:
    using StepDone = std::function<void(const StepResult&)>;
    using Status = std::function<void(const QString&)>;
    WholeRadioRelay(ChannelTransferObserver& forward, WindowCall& call, bool reading, Status status,
                    StepDone done)
        : forward_(forward), call_(call), reading_(reading), status_(std::move(status)),
          done_(std::move(done)) {}

    void stepStarted(WholeStep step) override {
        const auto shares = reading_ ? std::span<const StepShare>(ReadShares)
                                     : std::span<const StepShare>(WriteShares);
        int start = 0;
        for (const StepShare& share : shares) {
            if (share.step == step) {
                stepStart_ = start;
                stepShare_ = share.percent;
                status_(QString::fromLatin1(share.status));
                break;
            }
            start += share.percent;
        }
        report(stepStart_);
    }
    void progress(int /*value*/, int /*maximum*/, int percent) override {
        report(stepStart_ + std::clamp(percent, 0, 100) * stepShare_ / 100);
    }
    void currentRow(int rowNumber) override { forward_.currentRow(rowNumber); }
    void rowDecoded(int rowNumber, const ChannelRow& row) override {
        forward_.rowDecoded(rowNumber, row);
    }
    void emptyRowsBlanked() override { forward_.emptyRowsBlanked(); }
    void stepFinished(const StepResult& step) override {
        report(stepStart_ + stepShare_);
        call_.run([this, &step] { done_(step); });
    }

private:
    void report(int overall) {
        if (overall <= shown_)
            return;
        shown_ = overall;
        forward_.progress(overall, 100, overall);
    }

    ChannelTransferObserver& forward_;
    WindowCall& call_;
    bool reading_;
    Status status_;
    StepDone done_;
    int stepStart_ = 0;
    int stepShare_ = 0;
    int shown_ = 0;
};

} // namespace

// What one run works on: its own copy of the working data, filled on the worker thread and
// taken over by the window when the run ends.
struct WholeRadioCommand::Run {
    WholeRadioData data;
    WholeRadioResult result;
    bool adopted = false; // a read's data has reached the window
};

WholeRadioCommand::WholeRadioCommand(MainWindow& window)
    : QObject(&window), window_(window), windowCall_(std::make_shared<WindowCall>(&window)) {}

WholeRadioCommand::~WholeRadioCommand() {
    abandon();
}

void WholeRadioCommand::abandon() {
    windowCall_->abandon();
}

bool WholeRadioCommand::read() {
    return start(true);
}

bool WholeRadioCommand::write() {
    return start(false);
}

void WholeRadioCommand::showStepBox(const StepResult& step, bool reading) {
    // The editors of a read have shown their own boxes.
    if (reading && (step.step == WholeStep::Glyphs || step.step == WholeStep::Groups))
        return;
    const EndBox box = stepBox(step.result);
    if (box == EndBox::None)
        return;
    const MessageText words = endBoxText(box);
    if (!step.result.detail.isEmpty())
        window_.statusBar()->showMessage(words.text + QStringLiteral(": ") + step.result.detail);
    showMessageText(&window_, words);
}

void WholeRadioCommand::adoptRead(Run& run) {
    if (std::exchange(run.adopted, true))
        return;
    RadioData read = window_.currentData();
    read.channels = run.data.channels;
    read.areas = run.data.areas;
    window_.adoptData(read, QStringLiteral("Read All Data"));
}

// The editors read once as they open (the flag is spent as their read starts) and close
// themselves, showing their own boxes; the flag is down again once they have closed.
TransferResult
WholeRadioCommand::openEditorWithAutoRead(const std::function<TransferResult()>& open) {
    bool* autoTransfer = window_.autoTransferFlag();
    *autoTransfer = true;
    const TransferResult result = open();
    *autoTransfer = false;
    return result;
}

WholeRadioOptions WholeRadioCommand::optionsFor(bool reading, const std::shared_ptr<Run>& run) {
    WholeRadioOptions options;
    options.main = window_.transfers->sessionOptions();
    options.editors = window_.transfers->editorOptions();
    if (!reading)
        return options;
    // The editors read on the window thread while the sequence waits: first the areas read so
    // far reach the window, so the group editor sees the banks just read.
    options.readGlyphs = [this, call = windowCall_, run](Link&, WholeRadioData&) {
        TransferResult result{Outcome::Stopped, {}};
        call->run([&] {
            adoptRead(*run);
            result = openEditorWithAutoRead([this] { return window_.openFontEditor(); });
        });
        return result;
    };
    options.readGroups = [this, call = windowCall_](Link&, WholeRadioData&) {
        TransferResult result{Outcome::Stopped, {}};
        call->run([&] {
            result = openEditorWithAutoRead(
                [this] { return window_.bankPage->openGroupEditor(window_.autoTransferFlag()); });
        });
        return result;
    };
    return options;
}

bool WholeRadioCommand::start(bool reading) {
    if (window_.transferRunning())
        return false;
    auto run = std::make_shared<Run>();
    const GlyphStore& glyphs = window_.document().glyphs();
    run->data = {window_.channels(), window_.areas(), glyphs.glyphs(), glyphs.holdsRealGlyphs()};
    windowCall_->reopen();
    TransferRunner::Job job = [this, open = window_.linkOpener(),
                               options = optionsFor(reading, run),
                               stop = window_.transfers->control().stopFlag(), call = windowCall_,
                               run, reading](ChannelTransferObserver& forward) {
        const std::unique_ptr<Link> link = open();
        const auto status = [this](const QString& text) {
            QMetaObject::invokeMethod(
                this, [this, text] { window_.transfers->showStepStatus(text); },
                Qt::QueuedConnection);
        };
        WholeRadioRelay relay(
            forward, *call, reading, status,
            [this, reading](const StepResult& step) { showStepBox(step, reading); });
        run->result = reading ? readWholeRadio(*link, run->data, options, stop, &relay)
                              : writeWholeRadio(*link, run->data, options, stop, &relay);
        link->close();
        return run->result.stopped ? TransferResult{Outcome::Stopped, {}} : TransferResult{};
    };
    const quint16 state =
        reading ? MainWindow::ReadWholeRadioState : MainWindow::WriteWholeRadioState;
    return window_.transfers->startQuietSteps(state, std::move(job),
                                              [this, run, reading](const TransferResult&) {
                                                  reading ? finishRead(*run) : finishWrite(*run);
                                              });
}

void WholeRadioCommand::finishRead(Run& run) {
    adoptRead(run);
    if (run.result.allSucceeded())
        window_.safetyNet->readSucceeded(QStringLiteral("read-all"), true);
}

void WholeRadioCommand::finishWrite(Run& run) {
    // The settings step has refreshed the record from the radio.
    for (const StepResult& step : run.result.steps)
        if (step.step == WholeStep::Settings && step.result.outcome == Outcome::Success)
            window_.undoHistory->derived([&] {
                window_.document().editAreas(
                    QStringLiteral("Write All Data"), [&](RadioAreas& areas) {
                        areas.setMode.record = run.data.areas.setMode.record;
                    });
            });
    if (!run.result.allSucceeded())
        return;
    showMessageText(&window_, endBoxText(EndBox::Success));
    window_.safetyNet->wholeWriteSucceeded();
}

} // namespace qmh4
