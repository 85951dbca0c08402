#pragma once

#include "link/link.h"

#include <QSerialPort>
#include <QString>

namespace qmh4 {

// Why a port could not be opened: the system's own words and what to do about it.
struct PortProblem {
    enum class Kind { None, NotFound, Permission, Other };
    Kind kind = Kind::None;
    QString reason; // "No such file or directory", "Permission denied"

    explicit operator bool() const { return kind != Kind::None; }
};

// "/dev/ttyUSB0 (COM1)": the device, with the COM port number it stands for when it is one.
QString portLabel(const QString& portName);

// "cannot open /dev/ttyUSB0 (COM1): No such file or directory — <hint>", the hint chosen by
// the kind of problem; `listHint` says where the user sees the ports that exist.
QString portProblemText(const QString& portName, const PortProblem& problem,
                        const QString& listHint);

// The radio on a serial port: 57600 baud, 8 data bits, no parity, 1 stop bit, no flow control,
// every other setting left to the driver. The port is opened for each command and closed after
// each reply or time-out. All calls block the calling thread (the port belongs to it); none of
// them sleeps or spins: a wait blocks until bytes arrive, the port fails or the deadline passes.
class SerialLink : public Link {
public:
    // `portName` is a device path (/dev/ttyUSB0, /dev/pts/7) or a port name (COM3, ttyUSB0).
    explicit SerialLink(QString portName);
    ~SerialLink() override;

    bool send(const QByteArray& command) override;
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override;
    void close() override;
    bool isOpen() const override;
    QString errorString() const override;

    const QString& portName() const { return portName_; }

    // Opens the port as a transfer would, then closes it again: an empty problem when it
    // opened; else what stopped it, for a message before any transfer starts.
    static PortProblem tryOpen(const QString& portName);

    // How often the driver's low-latency mode was requested, and whether the last request
    // was granted (a pseudo-terminal or a non-USB port refuses it, which is harmless).
    int lowLatencyRequests() const { return lowLatencyRequests_; }
    bool lowLatencyGranted() const { return lowLatencyGranted_; }

private:
    bool open();
    void requestLowLatency();
    bool fail(const QString& why);

    QString portName_;
    QSerialPort port_;
    QString error_;
    int lowLatencyRequests_ = 0;
    bool lowLatencyGranted_ = false;
};

} // namespace qmh4
