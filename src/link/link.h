#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

namespace qmh4 {

// What one wait for a reply brought back.
struct Reply {
    enum class Status {
        Complete,  // at least the expected number of bytes arrived; bytes holds all that was
                   // buffered
        TimedOut,  // the deadline passed first; bytes is empty (late bytes are thrown away)
        PortError, // the port failed (could not open, vanished, driver error); see errorString()
    };
    Status status = Status::TimedOut;
    QByteArray bytes;
};

// Something that answers like the radio on its clone port: the serial port, or the simulated
// radio in process. The link is strictly half-duplex: one command, then its whole reply.
class Link {
public:
    virtual ~Link() = default;

    // Opens the port (if it is not open) and writes the whole command. False on a port fault.
    virtual bool send(const QByteArray& command) = 0;
    // Blocks until `expected` bytes are buffered or `timeout` passes, then closes the port.
    // Everything buffered is returned, so a longer reply shows up as a wrong length.
    virtual Reply receive(qsizetype expected, std::chrono::milliseconds timeout) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The port's own words for the last fault ("Permission denied", …); empty when none.
    virtual QString errorString() const = 0;
};

} // namespace qmh4
