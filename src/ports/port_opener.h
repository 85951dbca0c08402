#pragma once

#include "link/link.h"

#include <QString>

#include <functional>
#include <memory>

namespace qmh4 {

class SimulatedRadio;

// The port name that stands for the built-in simulated radio.
inline const QString SimulatedPortName = QStringLiteral("sim");

// A Link that forwards every call to one that outlives the transfer (a simulated radio that
// keeps its memory from one transfer to the next).
class SharedLink : public Link {
public:
    explicit SharedLink(std::shared_ptr<Link> target) : target_(std::move(target)) {}

    bool send(const QByteArray& command) override { return target_->send(command); }
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override {
        return target_->receive(expected, timeout);
    }
    void close() override { target_->close(); }
    bool isOpen() const override { return target_->isOpen(); }
    QString errorString() const override { return target_->errorString(); }

private:
    std::shared_ptr<Link> target_;
};

// What a port name means to the window and the command line: a device path (/dev/ttyUSB0,
// /dev/pts/7) or a port name (COM3, ttyUSB0) opens a serial port; "sim" is the opener's own
// simulated radio, made with the demo image on first use and kept for the opener's life, so
// what a write stored is there for the next read. Opening happens at the first command, so a
// bad name shows up as a port error of the transfer.
class PortOpener {
public:
    // The pace of the simulated radio's replies (0: at once); applies to it from now on.
    void setSimulatedBaud(int baud);
    SimulatedRadio& simulatedRadio();

    using Opener = std::function<std::unique_ptr<Link>()>;
    // Opens `portName` when called, on whatever thread runs the transfer.
    Opener opener(const QString& portName);
    std::unique_ptr<Link> open(const QString& portName) { return opener(portName)(); }

private:
    std::shared_ptr<SimulatedRadio> simulated_;
    int baud_ = 0;
};

} // namespace qmh4
