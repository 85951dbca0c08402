#include "widgets/transfer_runner.h"

#include <QThread>

#include <exception>

namespace qmh4 {

// Emitting the runner's signals on the worker thread queues them to the window's thread.
class TransferRunner::Forwarder : public ChannelTransferObserver {
public:
    explicit Forwarder(TransferRunner* runner) : runner_(runner) {}

    void progress(int value, int maximum, int percent) override {
        emit runner_->progressChanged(value, maximum, percent);
    }
    void currentRow(int rowNumber) override { emit runner_->currentRowChanged(rowNumber); }
    void rowDecoded(int rowNumber, const ChannelRow& row) override {
        emit runner_->rowDecoded(rowNumber, row);
    }
    void emptyRowsBlanked() override { emit runner_->emptyRowsBlanked(); }

private:
    TransferRunner* runner_;
};

namespace {

// Nothing thrown on the worker may reach the thread's edge (that ends the program): whatever
// escapes a job ends it as a failed transfer that names what went wrong.
TransferResult runGuarded(const TransferRunner::Job& job, ChannelTransferObserver& observer) {
    try {
        return job(observer);
    } catch (const std::exception& fault) {
        return {Outcome::Failed,
                QStringLiteral("internal error: %1").arg(QString::fromLocal8Bit(fault.what()))};
    } catch (...) {
        return {Outcome::Failed, QStringLiteral("internal error")};
    }
}

} // namespace

TransferRunner::TransferRunner(QObject* parent) : QObject(parent) {
    qRegisterMetaType<ChannelRow>();
    qRegisterMetaType<TransferResult>();
}

TransferRunner::~TransferRunner() {
    waitAndDiscard();
}

bool TransferRunner::start(Job job) {
    if (isRunning())
        return false;
    result_ = {};
    thread_ = QThread::create([this, job = std::move(job)] {
        Forwarder forwarder(this);
        result_ = runGuarded(job, forwarder);
    });
    thread_->setObjectName(QStringLiteral("transfer"));
    // Queued, so it is delivered after every signal the job emitted before it ended.
    connect(thread_, &QThread::finished, this, &TransferRunner::onThreadFinished,
            Qt::QueuedConnection);
    thread_->start();
    return true;
}

void TransferRunner::waitAndDiscard() {
    if (!thread_)
        return;
    thread_->wait();
    disconnect(thread_, nullptr, this, nullptr);
    delete thread_;
    thread_ = nullptr;
}

void TransferRunner::onThreadFinished() {
    if (!thread_)
        return;
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit finished(result_);
}

} // namespace qmh4
