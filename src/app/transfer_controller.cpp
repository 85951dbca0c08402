#include "app/transfer_controller.h"

#include "app/file_messages.h"
#include "app/main_window.h"
#include "app/memory_page.h"
#include "app/safety_net.h"
#include "app/unsaved_changes.h"
#include "messages/transfer_outcome_text.h"

#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include <utility>

namespace qmh4 {

TransferController::TransferController(MainWindow& window) : QObject(&window), window_(window) {
    connect(&runner_, &TransferRunner::progressChanged, &window_, &MainWindow::showProgress);
    connect(&runner_, &TransferRunner::currentRowChanged, this,
            [this](int row) { window_.memoryPage->selectRow(row); });
    connect(&runner_, &TransferRunner::finished, this, &TransferController::onFinished);
}

TransferController::~TransferController() {
    waitForWorker();
}

void TransferController::waitForWorker() {
    // The worker reads the stop flag and its snapshot: it must have ended before they go.
    control_.requestClose();
    runner_.waitAndDiscard();
}

bool TransferController::start(quint16 stateCode, TransferRunner::Job job, Finish onFinished) {
    if (control_.busy() || !window_.unsavedChanges->beginRead(stateCode) ||
        !control_.begin(stateCode))
        return false;
    pendingFinish_ = std::move(onFinished);
    window_.statusBar()->clearMessage();
    window_.safetyNet->transferStarting(stateCode);
    setControlsEnabled(true);
    runner_.start(std::move(job));
    return true;
}

bool TransferController::startQuietSteps(quint16 stateCode, TransferRunner::Job job,
                                         Finish onFinished) {
    // Every step is quiet: the only boxes are the failing steps' and the write's last one.
    control_.setQuiet(TransferControl::WholeRadioStep);
    quietSteps_ = true;
    if (start(stateCode, std::move(job), std::move(onFinished)))
        return true;
    quietSteps_ = false;
    control_.setQuiet(TransferControl::StandAlone);
    return false;
}

void TransferController::showStepStatus(const QString& status) {
    stepStatus_ = status;
    window_.statusBar()->showMessage(status);
}

void TransferController::cancel() {
    if (!control_.busy())
        return;
    control_.requestCancel();
    window_.CancelTransfer->setEnabled(false);
    window_.statusBar()->showMessage(QStringLiteral("Cancelling after the current exchange..."));
}

void TransferController::stopForClose() {
    // The worker notices the flag after its current exchange; wait for it here, so nothing it
    // uses goes away under it, and end without a box.
    const bool running = control_.busy();
    waitForWorker();
    if (running) {
        control_.finish({Outcome::Stopped, {}});
        endTransfer();
    }
}

void TransferController::setControlsEnabled(bool running) {
    window_.TabStrip1->setEnabled(!running);
    for (QMenu* menu : {window_.fileMenu, window_.editMenu, window_.portMenu, window_.helpMenu,
                        window_.communicationMenu})
        menu->menuAction()->setEnabled(!running);
    window_.Command1->setEnabled(!running);
    window_.CancelTransfer->setEnabled(running);
}

void TransferController::onFinished(const TransferResult& result) {
    if (pendingFinish_)
        std::exchange(pendingFinish_, {})(result);
    window_.unsavedChanges->endRead(result);
    const EndBox box = control_.finish(result);
    if (std::exchange(quietSteps_, false))
        control_.setQuiet(TransferControl::StandAlone);
    endTransfer();
    QStatusBar* status = window_.statusBar();
    // The last step's "Reading ..." would claim the command still runs.
    if (status->currentMessage() == std::exchange(stepStatus_, {}))
        status->clearMessage();
    if (result.outcome == Outcome::Stopped)
        status->showMessage(QStringLiteral("Transfer cancelled"));
    else if (result.outcome == Outcome::PortError)
        status->showMessage(QStringLiteral("Port Error: ") + result.detail);
    if (box != EndBox::None)
        showMessageText(&window_, endBoxText(box));
    emit finished(result);
}

void TransferController::endTransfer() {
    window_.showProgress(0, window_.ProgressBar1->maximum(), 0);
    window_.memoryPage->selectRow(FirstRow);
    setControlsEnabled(false);
}

} // namespace qmh4
