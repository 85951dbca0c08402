#pragma once

// A radio in software: a 128 KiB memory image that answers identify, read and write commands
// the way the radio's clone port does. It serves tests and benchmarks in process (as a Link)
// and the pseudo-terminal of `qmh4 sim` (through respond()).

#include "link/link.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace qmh4 {

// What can go wrong with one reply.
enum class Fault {
    None,
    NoAnswer,    // the command is lost: nothing comes back (and a write is not stored)
    Truncated,   // the reply stops three bytes short
    ExtraByte,   // one byte too many (a doubled first byte, so the markers move as well)
    WrongMarker, // CR LF swapped in a read reply, "NG" instead of "OK" otherwise
    NonHexDigit, // one data digit of a read reply replaced by a character that is not hex
};

QString faultName(Fault fault);

// Which exchanges go wrong: by number (1 for the first exchange the radio sees), or at random
// with a rate and a seed, so a failing run can be repeated exactly.
struct FaultPlan {
    std::map<int, Fault> byExchange;
    double randomRate = 0.0; // 0 to 1
    quint32 seed = 1;

    // "3=silent,7=short,9=long,12=marker,15=nonhex,rate=0.02,seed=42". Returns nullopt and
    // sets `error` for a malformed plan.
    static std::optional<FaultPlan> parse(const QString& planText, QString* error);
};

struct ExchangeRecord {
    int number = 0;
    QByteArray command;
    QByteArray reply; // what was sent back; empty for no answer
    Fault fault = Fault::None;
    bool understood = false; // false for a malformed command (never answered)
};

class SimulatedRadio : public Link {
public:
    static constexpr qsizetype ImageSize = 0x20000;

    // A radio in use (memories over several banks, repeaters, names, settings).
    SimulatedRadio();
    // `image` must be ImageSize bytes; anything else gives the demo image.
    explicit SimulatedRadio(QByteArray image);
    ~SimulatedRadio() override;

    static QByteArray demoImage();
    static QByteArray blankImage() { return QByteArray(ImageSize, '\0'); }

    const QByteArray& image() const { return image_; }
    QByteArray& image() { return image_; }
    // The bytes at [address, address + length) of the image.
    QByteArray memory(quint32 address, qsizetype length) const;
    void setMemory(quint32 address, const QByteArray& bytes);

    // Loads a raw 128 KiB image; a file of another size is refused with nothing changed.
    bool loadImage(const QString& path, QString* error);
    bool saveImage(const QString& path, QString* error) const;

    // Wire pacing: the command's own wire time at `baud` (10 bits a byte), then `latency`, then
    // the reply streamed at baud / 10 bytes per second. Baud 0 answers at once.
    void setPacing(int baud, std::chrono::microseconds latency = {});
    int baud() const { return baud_; }
    std::chrono::microseconds latency() const { return latency_; }
    std::chrono::nanoseconds wireTime(qsizetype bytes) const;

    void setFaults(const FaultPlan& plan);
    void injectFault(int exchangeNumber, Fault fault) { plan_.byExchange[exchangeNumber] = fault; }
    // While set, every send fails as a vanished device would.
    void setPortFault(bool broken) { portFault_ = broken; }

    const std::vector<ExchangeRecord>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    int exchangeCount() const { return exchangeNumber_; }

    // The radio's answer to one complete command (fault applied), or nullopt for no answer.
    std::optional<QByteArray> respond(const QByteArray& command);

    // Link, in process.
    bool send(const QByteArray& command) override;
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override;
    void close() override;
    bool isOpen() const override { return open_; }
    QString errorString() const override { return error_; }

private:
    using Clock = std::chrono::steady_clock;

    std::optional<QByteArray> answer(const QByteArray& command, bool store);
    Fault nextFault();
    QByteArray applyFault(QByteArray reply, Fault fault) const;
    void waitUntil(Clock::time_point when);

    QByteArray image_;
    int baud_ = 0;
    std::chrono::microseconds latency_{0};
    FaultPlan plan_;
    QRandomGenerator random_;
    bool portFault_ = false;
    std::vector<ExchangeRecord> log_;
    int exchangeNumber_ = 0;

    // The in-process link: one outstanding reply and when it starts to arrive.
    bool open_ = false;
    QString error_;
    std::optional<QByteArray> pending_;
    Clock::time_point replyStart_;
    std::mutex mutex_;
    std::condition_variable wake_;
};

} // namespace qmh4
