#include "link/serial_link.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace qmh4 {

namespace {
constexpr qint32 BaudRate = 57600;
// Writing a 139-byte command takes 24 ms at 57600 baud; a driver that has not taken it after
// this long has failed.
constexpr int WriteTimeoutMs = 2000;

PortProblem::Kind problemKind(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return PortProblem::Kind::None;
    case QSerialPort::DeviceNotFoundError:
        return PortProblem::Kind::NotFound;
    case QSerialPort::PermissionError:
        return PortProblem::Kind::Permission;
    default:
        return PortProblem::Kind::Other;
    }
}

} // namespace

QString portLabel(const QString& portName) {
    static const QRegularExpression usbDevice(QStringLiteral("^/dev/ttyUSB([0-9]|1[0-5])$"));
    const QRegularExpressionMatch match = usbDevice.match(portName);
    if (!match.hasMatch())
        return portName;
    return QStringLiteral("%1 (COM%2)").arg(portName).arg(match.captured(1).toInt() + 1);
}

QString portProblemText(const QString& portName, const PortProblem& problem,
                        const QString& listHint) {
    QString hint = listHint;
    if (problem.kind == PortProblem::Kind::Permission) {
        hint = QStringLiteral("another program may be using it; otherwise add yourself to the "
                              "group dialout (sudo usermod -aG dialout \"$USER\") and log in "
                              "again");
    }
    return QStringLiteral("cannot open %1: %2 \u2014 %3")
        .arg(portLabel(portName), problem.reason, hint);
}

PortProblem SerialLink::tryOpen(const QString& portName) {
    QSerialPort port(portName);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return {};
    }
    const PortProblem::Kind kind = problemKind(port.error());
    return {kind == PortProblem::Kind::None ? PortProblem::Kind::Other : kind, port.errorString()};
}

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
    requestLowLatency();
    // Bytes that arrived after the last close (a late reply) are still buffered by the
    // operating system; they must not be taken as the start of the next reply.
    if (!port_.clear(QSerialPort::Input))
        return fail(port_.errorString());
    port_.clearError();
    return true;
}

// A USB serial chip holds the tail of a reply for up to 16 ms unless its driver runs in
// low-latency mode; over the 1800 exchanges of a full read that adds up to about 25 s. The
// request is repeated at every open because some drivers forget it at the close. A port that
// does not know the setting (a pseudo-terminal, a built-in UART) simply keeps its own.
void SerialLink::requestLowLatency() {
    ++lowLatencyRequests_;
    lowLatencyGranted_ = false;
#ifdef Q_OS_LINUX
    const int descriptor = static_cast<int>(port_.handle());
    serial_struct serial{};
    if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags |= static_cast<int>(ASYNC_LOW_LATENCY);
    lowLatencyGranted_ = ::ioctl(descriptor, TIOCSSERIAL, &serial) == 0;
#endif
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
