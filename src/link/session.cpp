#include "link/session.h"

#include "link/protocol.h"

namespace qmh4 {

TransferResult runTransfer(const std::function<void()>& body) {
    try {
        body();
    } catch (const TransferEnded& end) {
        return {end.outcome(), end.detail()};
    }
    return {Outcome::Success, {}};
}

void FailureCounter::fail() {
    ++count_;
    if (count_ >= limit_)
        throw TransferEnded(Outcome::Failed);
}

Session::Session(Link& link, SessionOptions options, const std::atomic<bool>* stop)
    : link_(link), options_(options), stop_(stop) {}

Session::~Session() {
    link_.close();
}

QByteArray Session::exchange(const QByteArray& command, qsizetype replyLength) {
    ++exchanges_;
    if (!link_.send(command)) {
        const QString why = link_.errorString();
        link_.close();
        throw TransferEnded(Outcome::PortError, why);
    }
    Reply reply = link_.receive(replyLength, options_.replyTimeout);
    if (reply.status == Reply::Status::PortError) {
        const QString why = link_.errorString();
        link_.close();
        throw TransferEnded(Outcome::PortError, why);
    }
    if (stop_ && stop_->load()) {
        link_.close();
        throw TransferEnded(Outcome::Stopped);
    }
    if (reply.status == Reply::Status::TimedOut)
        return {};
    return reply.bytes;
}

void Session::identify() {
    FailureCounter failures(3);
    const QByteArray command = protocol::identifyCommand();
    for (;;) {
        if (protocol::isGoodIdentifyReply(exchange(command, protocol::IdentifyReplyLength)))
            return;
        failures.fail();
    }
}

QByteArray Session::readBlock(quint32 address, FailureCounter& failures) {
    const QByteArray command = protocol::readCommand(address);
    for (;;) {
        const QByteArray reply = exchange(command, protocol::ReadReplyLength);
        if (protocol::isGoodReadReply(reply))
            return protocol::readReplyData(reply);
        failures.fail();
    }
}

void Session::writeBlock(quint32 address, const QByteArray& data, FailureCounter& failures) {
    const QByteArray command = protocol::writeCommand(address, data);
    const qsizetype replyLength = protocol::writeReplyLength(command.size());
    for (;;) {
        if (protocol::isGoodWriteReply(exchange(command, replyLength), command.size()))
            return;
        failures.fail();
    }
}

} // namespace qmh4
