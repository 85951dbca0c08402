#pragma once

// The session rules every radio transfer is built from: the handshake, one exchange with its
// reply time-out, block reads and writes with retries, failure limits counted over a whole loop,
// and the way a transfer ends.
//
// A transfer is plain sequential code on a worker thread (or directly in the CLI):
//
//     Session session(link, {std::chrono::milliseconds(1000)}, control.stopFlag());
//     TransferResult result = runTransfer([&] {
//         session.identify();
//         FailureCounter failures(30);
//         QByteArray data = session.readBlock(0x00200, failures);
//         ...
//     });
//
// identify(), readBlock(), writeBlock() and exchange() end the transfer by throwing
// TransferEnded; runTransfer() is the one place that catches it and turns it into the outcome.

#include "link/link.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <exception>
#include <functional>

namespace qmh4 {

// How a transfer ended. The box the main window shows for each is decided by TransferControl.
enum class Outcome {
    Success,   // "Success" / " Finish" unless the step is quiet
    Failed,    // handshake or a loop gave up: "Error" / " Error"
    PortError, // the port could not be opened or failed: "Port Error" / " Error"
    Stopped,   // the closing flag or Cancel: no box at all
};

// The one result of every transfer: the channels, the areas, the glyphs, the whole radio.
struct TransferResult {
    TransferResult() = default;
    TransferResult(Outcome end, QString portWords = {})
        : outcome(end), detail(std::move(portWords)) {}

    Outcome outcome = Outcome::Success;
    // For PortError the port's own words ("Permission denied", "record of row 12 cannot be
    // decoded"), for the status line and the CLI's stderr; the box itself stays "Port Error".
    QString detail;
    // Reads of the glyphs: glyphs 0 .. decoded-1 were decoded before the end.
    int decoded = 0;

    bool ok() const { return outcome == Outcome::Success; }
};

// Thrown by the session to end the running transfer; caught by runTransfer().
class TransferEnded : public std::exception {
public:
    TransferEnded(Outcome outcome, QString detail = {}) : outcome_(outcome), detail_(detail) {}
    Outcome outcome() const { return outcome_; }
    const QString& detail() const { return detail_; }
    const char* what() const noexcept override { return "transfer ended"; }

private:
    Outcome outcome_;
    QString detail_;
};

// Runs a transfer body; Success when it returns, the thrown outcome when it ends early.
TransferResult runTransfer(const std::function<void()>& body);

// Failed attempts of one loop, all records of the loop together. The transfer fails when the
// count reaches the limit (tested after every failed attempt).
class FailureCounter {
public:
    explicit FailureCounter(int limit) : limit_(limit) {}
    // Counts one failed attempt; throws TransferEnded(Failed) when the limit is reached.
    void fail();
    int count() const { return count_; }
    int limit() const { return limit_; }

private:
    int limit_;
    int count_ = 0;
};

struct SessionOptions {
    // How long one reply may take: 1000 ms for the main window, 200 ms for the editors. Tests
    // scale it down.
    std::chrono::milliseconds replyTimeout{1000};
};

// Progress and results of a running transfer. Called on the transfer's thread; the window
// forwards them to its own thread through queued signals. All methods do nothing by default.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    // The bar's value and maximum and the percent shown beside it ("45" followed by "%").
    virtual void progress(int /*value*/, int /*maximum*/, int /*percent*/) {}
    // The grid row the current record belongs to.
    virtual void currentRow(int /*rowNumber*/) {}
};

class Session {
public:
    // `stop` (may be null) is the closing flag or the Cancel button; it is read after every
    // exchange, and a set flag ends the transfer with Stopped.
    Session(Link& link, SessionOptions options = {}, const std::atomic<bool>* stop = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The handshake that starts every transfer: "KV~QM-H4E" + CR, a 16-byte reply with "O"
    // and "K" at 12 and 13; three attempts, then TransferEnded(Failed).
    void identify();

    // Reads the 64 bytes at `address`. A bad reply counts in `failures` and the same command
    // is sent again; returns the data of the first good reply.
    QByteArray readBlock(quint32 address, FailureCounter& failures);
    // Writes 1 to 64 bytes at `address`, repeating until the radio answers "OK".
    void writeBlock(quint32 address, const QByteArray& data, FailureCounter& failures);

    // One raw exchange: sends `command` and waits for `replyLength` bytes. Returns everything
    // that arrived (so a longer reply shows up as a wrong length), or an empty array after the
    // time-out. Throws TransferEnded(PortError) on a port fault (the port is closed first) and
    // TransferEnded(Stopped) when the stop flag is set once the exchange is over.
    QByteArray exchange(const QByteArray& command, qsizetype replyLength);

    // Exchanges made by this session so far (the CLI and benchmarks report it).
    int exchangeCount() const { return exchanges_; }
    const SessionOptions& options() const { return options_; }

private:
    Link& link_;
    SessionOptions options_;
    const std::atomic<bool>* stop_;
    int exchanges_ = 0;
};

} // namespace qmh4
