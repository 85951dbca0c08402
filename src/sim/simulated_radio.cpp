#include "sim/simulated_radio.h"

#include "link/protocol.h"

#include <QFile>
#include <QSaveFile>

#include <utility>

namespace qmh4 {

namespace {

constexpr char CR = '\r';

struct ParsedBlockCommand {
    quint32 address = 0;
    bool write = false;
    QByteArray data; // a write's bytes
};

std::optional<quint32> parseAddress(const QByteArray& digits) {
    quint32 address = 0;
    for (char c : digits) {
        const int value = protocol::digitValue(c);
        if (value < 0)
            return std::nullopt;
        address = address * 16 + static_cast<quint32>(value);
    }
    return address;
}

// "KV~F" + 5 digits + "R" + CR, or "KV~F" + 5 digits + "W" + 2n digits + CR with n 1 to 64
// and the block inside the memory. Anything else is not a command the radio knows.
std::optional<ParsedBlockCommand> parseBlockCommand(const QByteArray& command) {
    if (command.size() < protocol::ReadCommandLength || !command.startsWith("KV~F") ||
        !command.endsWith(CR))
        return std::nullopt;
    const auto address = parseAddress(command.mid(4, 5));
    if (!address)
        return std::nullopt;
    ParsedBlockCommand parsed;
    parsed.address = *address;
    const char kind = command[9];
    if (kind == 'R' && command.size() == protocol::ReadCommandLength)
        return parsed;
    if (kind != 'W')
        return std::nullopt;
    const QByteArray digits = command.mid(10, command.size() - 11);
    const qsizetype n = digits.size() / 2;
    if (digits.size() % 2 != 0 || n < 1 || n > protocol::BlockSize ||
        *address + static_cast<quint32>(n) > protocol::MemorySize)
        return std::nullopt;
    for (qsizetype k = 0; k < n; ++k) {
        const int high = protocol::digitValue(digits[2 * k]);
        const int low = protocol::digitValue(digits[2 * k + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        parsed.data.append(static_cast<char>(high * 16 + low));
    }
    parsed.write = true;
    return parsed;
}

bool isReadReply(const QByteArray& reply) {
    return reply.size() == protocol::ReadReplyLength;
}

} // namespace

QString faultName(Fault fault) {
    switch (fault) {
    case Fault::None:
        return QStringLiteral("none");
    case Fault::NoAnswer:
        return QStringLiteral("silent");
    case Fault::Truncated:
        return QStringLiteral("short");
    case Fault::ExtraByte:
        return QStringLiteral("long");
    case Fault::WrongMarker:
        return QStringLiteral("marker");
    case Fault::NonHexDigit:
        return QStringLiteral("nonhex");
    }
    return {};
}

std::optional<FaultPlan> FaultPlan::parse(const QString& planText, QString* error) {
    FaultPlan plan;
    const auto fail = [&](const QString& why) -> std::optional<FaultPlan> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    for (const QString& item : planText.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = item.trimmed().split(QLatin1Char('='));
        if (parts.size() != 2)
            return fail(QStringLiteral("fault item \"%1\" is not key=value").arg(item));
        const QString key = parts[0].trimmed();
        const QString value = parts[1].trimmed();
        bool ok = false;
        if (key == QLatin1String("rate")) {
            plan.randomRate = value.toDouble(&ok);
            if (!ok || plan.randomRate < 0.0 || plan.randomRate > 1.0)
                return fail(QStringLiteral("fault rate \"%1\" is not between 0 and 1").arg(value));
        } else if (key == QLatin1String("seed")) {
            plan.seed = value.toUInt(&ok);
            if (!ok)
                return fail(QStringLiteral("fault seed \"%1\" is not a number").arg(value));
        } else {
            const int number = key.toInt(&ok);
            if (!ok || number < 1)
                return fail(QStringLiteral("\"%1\" is not an exchange number").arg(key));
            std::optional<Fault> fault;
            for (Fault f : {Fault::NoAnswer, Fault::Truncated, Fault::ExtraByte, Fault::WrongMarker,
                            Fault::NonHexDigit}) {
                if (faultName(f) == value)
                    fault = f;
            }
            if (!fault)
                return fail(QStringLiteral("unknown fault \"%1\" (silent, short, long, marker, "
                                           "nonhex)")
                                .arg(value));
            plan.byExchange[number] = *fault;
        }
    }
    return plan;
}

SimulatedRadio::SimulatedRadio() : SimulatedRadio(demoImage()) {}

SimulatedRadio::SimulatedRadio(QByteArray image)
    : image_(image.size() == ImageSize ? std::move(image) : demoImage()), random_(plan_.seed) {}

SimulatedRadio::~SimulatedRadio() = default;

QByteArray SimulatedRadio::memory(quint32 address, qsizetype length) const {
    QByteArray bytes;
    bytes.reserve(length);
    for (qsizetype i = 0; i < length; ++i)
        bytes.append(image_[(address + static_cast<quint32>(i)) % ImageSize]);
    return bytes;
}

void SimulatedRadio::setMemory(quint32 address, const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i)
        image_[(address + static_cast<quint32>(i)) % ImageSize] = bytes[i];
}

bool SimulatedRadio::loadImage(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(ImageSize + 1);
    if (bytes.size() != ImageSize) {
        if (error)
            *error = QStringLiteral("%1: a radio image is exactly %2 bytes, this file has %3")
                         .arg(path)
                         .arg(ImageSize)
                         .arg(file.size());
        return false;
    }
    image_ = bytes;
    return true;
}

bool SimulatedRadio::saveImage(const QString& path, QString* error) const {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(image_) == image_.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
}

void SimulatedRadio::setPacing(int baud, std::chrono::microseconds latency) {
    baud_ = baud > 0 ? baud : 0;
    latency_ = latency;
}

std::chrono::nanoseconds SimulatedRadio::wireTime(qsizetype bytes) const {
    if (baud_ == 0)
        return {};
    return std::chrono::nanoseconds(static_cast<qint64>(bytes) * 10 * 1'000'000'000LL / baud_);
}

void SimulatedRadio::setFaults(const FaultPlan& plan) {
    plan_ = plan;
    random_.seed(plan.seed);
}

Fault SimulatedRadio::nextFault() {
    const auto planned = plan_.byExchange.find(exchangeNumber_);
    if (planned != plan_.byExchange.end())
        return planned->second;
    if (plan_.randomRate > 0.0 && random_.generateDouble() < plan_.randomRate)
        return static_cast<Fault>(1 + random_.bounded(5));
    return Fault::None;
}

std::optional<QByteArray> SimulatedRadio::answer(const QByteArray& command, bool store) {
    // The reply echoes the command and adds CR LF, so "OK" and the data land right behind it.
    QByteArray prefix = command + "\r\n";
    if (command == protocol::identifyCommand())
        return prefix + "OK\r\n";
    if (command == protocol::fontIdentifyCommand()) // 17 bytes, "OK" at 13 and 14
        return prefix + "\r\nOK\r\n";
    const auto parsed = parseBlockCommand(command);
    if (!parsed)
        return std::nullopt;
    if (!parsed->write)
        return prefix + protocol::hexText(memory(parsed->address, protocol::BlockSize)) + "\r\n";
    if (store)
        setMemory(parsed->address, parsed->data);
    return prefix + "OK\r\n";
}

QByteArray SimulatedRadio::applyFault(QByteArray reply, Fault fault) const {
    switch (fault) {
    case Fault::None:
    case Fault::NoAnswer:
        break;
    case Fault::Truncated:
        reply.chop(3);
        break;
    case Fault::ExtraByte:
        reply.prepend(reply[0]);
        break;
    case Fault::WrongMarker:
        if (isReadReply(reply))
            std::swap(reply[141], reply[142]);
        else // "OK" always stands just before CR LF (the font identify's prefix is longer)
            reply.replace(reply.size() - 4, 2, "NG");
        break;
    case Fault::NonHexDigit: {
        // A read's data digit becomes a character the lenient decoding of old would have
        // taken for a value (':' is "10", 'G' is "16"); other replies carry no data, so the
        // echo is garbled instead, which the program does not look at.
        static const char garbage[] = {':', 'G', '@', 'z', ' '};
        const int pick = exchangeNumber_ % 5;
        const qsizetype at = isReadReply(reply) ? 13 + (exchangeNumber_ * 37) % 128 : 1;
        reply[at] = garbage[pick];
        break;
    }
    }
    return reply;
}

std::optional<QByteArray> SimulatedRadio::respond(const QByteArray& command) {
    ++exchangeNumber_;
    const Fault fault = nextFault();
    ExchangeRecord record;
    record.number = exchangeNumber_;
    record.command = command;
    record.fault = fault;
    std::optional<QByteArray> reply = answer(command, fault != Fault::NoAnswer);
    record.understood = reply.has_value();
    if (reply && fault == Fault::NoAnswer)
        reply.reset();
    if (reply)
        reply = applyFault(*reply, fault);
    if (reply)
        record.reply = *reply;
    log_.push_back(record);
    return reply;
}

bool SimulatedRadio::send(const QByteArray& command) {
    if (portFault_) {
        error_ = QStringLiteral("Input/output error");
        open_ = false;
        return false;
    }
    error_.clear();
    open_ = true;
    pending_ = respond(command);
    replyStart_ = Clock::now() + wireTime(command.size()) + latency_;
    return true;
}

void SimulatedRadio::waitUntil(Clock::time_point when) {
    std::unique_lock lock(mutex_);
    while (Clock::now() < when)
        wake_.wait_until(lock, when);
}

Reply SimulatedRadio::receive(qsizetype expected, std::chrono::milliseconds timeout) {
    Reply reply;
    if (!open_) {
        reply.status = Reply::Status::PortError;
        error_ = QStringLiteral("The port is not open");
        return reply;
    }
    const auto deadline = Clock::now() + timeout;
    if (pending_ && pending_->size() >= expected) {
        const auto ready = replyStart_ + wireTime(expected);
        if (ready <= deadline) {
            waitUntil(ready);
            reply.status = Reply::Status::Complete;
            // With pacing, only what has come down the wire by now is in the buffer.
            reply.bytes = baud_ == 0 ? *pending_ : pending_->left(expected);
            pending_.reset();
            close();
            return reply;
        }
    }
    waitUntil(deadline);
    pending_.reset();
    close();
    return reply;
}

void SimulatedRadio::close() {
    open_ = false;
}

} // namespace qmh4
