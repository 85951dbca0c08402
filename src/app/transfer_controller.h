#pragma once

#include "link/session.h"
#include "transfers/transfer_control.h"
#include "widgets/transfer_runner.h"

#include <QObject>

#include <chrono>
#include <functional>

namespace qmh4 {

class MainWindow;

// Runs the main window's transfers: one at a time on the worker thread, with the transfer
// state, the window's controls made inert while it runs, its progress and current row shown,
// Cancel, and the end box.
class TransferController : public QObject {
    Q_OBJECT
public:
    using Finish = std::function<void(const TransferResult&)>;

    explicit TransferController(MainWindow& window);
    ~TransferController() override;

    bool busy() const { return control_.busy(); }
    TransferControl& control() { return control_; }
    // The reply time-outs of the window's own transfers (1 s) and of the font and group
    // editors' (200 ms); tests scale them down.
    SessionOptions& sessionOptions() { return sessionOptions_; }
    SessionOptions& editorOptions() { return editorOptions_; }

    // Begins the transfer state `stateCode` (nothing happens while another runs, or when the
    // unsaved-change question is cancelled), makes every other command inert and runs `job`.
    // When it has ended, onFinished runs on the window's thread, then the end box.
    bool start(quint16 stateCode, TransferRunner::Job job, Finish onFinished = {});
    // A whole-radio command: its steps are quiet, and `status` shows the running step.
    bool startQuietSteps(quint16 stateCode, TransferRunner::Job job, Finish onFinished);
    void showStepStatus(const QString& status);
    void cancel();
    // The window closes: the worker stops after its current exchange, without a box.
    void stopForClose();
    // The window goes: the worker has stopped when this returns.
    void waitForWorker();

signals:
    // After a transfer has ended and its box (if any) was shown.
    void finished(const qmh4::TransferResult& result);

private:
    void setControlsEnabled(bool running);
    void onFinished(const TransferResult& result);
    void endTransfer();

    MainWindow& window_;
    TransferControl control_;
    SessionOptions sessionOptions_;
    SessionOptions editorOptions_{std::chrono::milliseconds(200)};
    Finish pendingFinish_;
    bool quietSteps_ = false;
    QString stepStatus_; // what the running whole-radio step shows in the status line
    // Last: destroyed first, after the worker that uses the above has stopped.
    TransferRunner runner_;
};

} // namespace qmh4
