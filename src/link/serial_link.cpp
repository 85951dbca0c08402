#include "link/serial_link.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <utility>

namespace qmh4 {

namespace {
constexpr qint32 BaudRate = 57600;
// Writing a 139-byte command takes 24 ms at 57600 baud; a driver that has not taken it after
// this long has failed.
constexpr int WriteTimeoutMs = 2000;
} // namespace

SerialLink::SerialLink(QString portName) : portName_(std::move(portName)) {
    port_.setPortName(portName_);
}

SerialLink::~SerialLink() {
    close();
}

bool SerialLink::fail(const QString& why) {
    error_ = why.isEmpty() ? QStringLiteral("Serial port error") : why;
    close();
    return false;
}

bool SerialLink::open() {
    error_.clear();
    if (port_.isOpen())
        return true;
    if (!port_.open(QIODevice::ReadWrite))
        return fail(port_.errorString());
    const bool configured = port_.setBaudRate(BaudRate) && port_.setDataBits(QSerialPort::Data8) &&
                            port_.setParity(QSerialPort::NoParity) &&
                            port_.setStopBits(QSerialPort::OneStop) &&
                            port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured)
        return fail(port_.errorString());
    // Bytes that arrived after the last close (a late reply) are still buffered by the
    // operating system; they must not be taken as the start of the next reply.
    if (!port_.clear(QSerialPort::Input))
        return fail(port_.errorString());
    port_.clearError();
    return true;
}

bool SerialLink::send(const QByteArray& command) {
    if (!open())
        return false;
    if (port_.write(command) != command.size())
        return fail(port_.errorString());
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(WriteTimeoutMs))
            return fail(port_.errorString());
    }
    return true;
}

Reply SerialLink::receive(qsizetype expected, std::chrono::milliseconds timeout) {
    Reply reply;
    if (!port_.isOpen()) {
        reply.status = Reply::Status::PortError;
        if (error_.isEmpty())
            error_ = QStringLiteral("The port is not open");
        return reply;
    }
    const QDeadlineTimer deadline(timeout);
    while (port_.bytesAvailable() < expected && !deadline.hasExpired()) {
        port_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        // A vanished device shows up as one read error after another, each returning at once:
        // any error but the time-out ends the transfer instead of being waited out again.
        const auto error = port_.error();
        if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
            fail(port_.errorString());
            reply.status = Reply::Status::PortError;
            return reply;
        }
    }
    if (port_.bytesAvailable() >= expected) {
        reply.status = Reply::Status::Complete;
        reply.bytes = port_.readAll();
    } else {
        reply.status = Reply::Status::TimedOut; // what came is thrown away with the close
    }
    close();
    return reply;
}

void SerialLink::close() {
    if (port_.isOpen())
        port_.close();
}

bool SerialLink::isOpen() const {
    return port_.isOpen();
}

QString SerialLink::errorString() const {
    return error_;
}

} // namespace qmh4
