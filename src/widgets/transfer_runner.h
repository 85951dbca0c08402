#pragma once

#include "channels/channel_table.h"
#include "link/session.h"
#include "transfers/channel_transfer.h"

#include <QObject>

#include <functional>

class QThread;

namespace qmh4 {

// Runs one transfer at a time on a worker thread. A job is plain sequential code over a
// session: it runs on the worker thread with its own snapshot of what it sends and reads
// into its own copy. What it reports through the observer reaches the window thread as
// queued signals, in the order it was reported, and `finished` comes after all of them.
// Stopping is the job's business: its session reads the window's stop flag after every
// exchange.
class TransferRunner : public QObject {
    Q_OBJECT
public:
    using Job = std::function<TransferResult(ChannelTransferObserver& observer)>;

    explicit TransferRunner(QObject* parent = nullptr);
    ~TransferRunner() override;

    bool isRunning() const { return thread_ != nullptr; }
    // Starts job on a new worker thread; false (and nothing runs) while another job runs.
    bool start(Job job);
    // Blocks until the running job's thread has ended (the caller has raised the stop flag);
    // `finished` is not emitted. Nothing the job uses may be destroyed before this returns.
    void waitAndDiscard();

signals:
    void progressChanged(int value, int maximum, int percent);
    void currentRowChanged(int gridRow);
    void rowDecoded(int gridRow, const qmh4::ChannelRow& row);
    void emptyRowsBlanked();
    // On the window thread, once the worker thread has ended.
    void finished(const qmh4::TransferResult& result);

private:
    class Forwarder;
    void onThreadFinished();

    QThread* thread_ = nullptr;
    TransferResult result_; // written by the worker, read after its thread has ended
};

} // namespace qmh4

Q_DECLARE_METATYPE(qmh4::ChannelRow)
Q_DECLARE_METATYPE(qmh4::TransferResult)
