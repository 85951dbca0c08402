#pragma once

#include "link/link.h"

#include <QSerialPort>
#include <QString>

namespace qmh4 {

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

private:
    bool open();
    bool fail(const QString& why);

    QString portName_;
    QSerialPort port_;
    QString error_;
};

} // namespace qmh4
