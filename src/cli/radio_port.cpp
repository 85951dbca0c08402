#include "cli/radio_port.h"

#include "cli/arguments.h"
#include "link/serial_link.h"
#include "ports/port_opener.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <utility>

namespace qmh4::cli {

namespace {

// Bytes as readable text: ASCII as it is, CR and LF as \r and \n, anything else as \xHH.
QString readable(const QByteArray& bytes) {
    QString text;
    for (const char byte : bytes) {
        if (byte == '\r')
            text += QStringLiteral("\\r");
        else if (byte == '\n')
            text += QStringLiteral("\\n");
        else if (byte >= 0x20 && byte < 0x7F)
            text += QLatin1Char(byte);
        else
            text += QStringLiteral("\\x%1").arg(static_cast<uchar>(byte), 2, 16, QLatin1Char('0'));
    }
    return text;
}

// Passes everything to the real link and writes each exchange to stderr: the command, the
// reply (or what became of it) and the milliseconds from sending to the end of the wait.
class VerboseLink : public Link {
public:
    VerboseLink(QString command, std::unique_ptr<Link> link)
        : command_(std::move(command)), link_(std::move(link)) {}

    bool send(const QByteArray& command) override {
        sent_ = command;
        clock_.start();
        const bool sent = link_->send(command);
        if (!sent)
            show(QStringLiteral("port error: ") + link_->errorString());
        return sent;
    }
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override {
        const Reply reply = link_->receive(expected, timeout);
        switch (reply.status) {
        case Reply::Status::Complete:
            show(QStringLiteral("< ") + readable(reply.bytes));
            break;
        case Reply::Status::TimedOut:
            show(QStringLiteral("no reply of %1 bytes within %2 ms")
                     .arg(expected)
                     .arg(timeout.count()));
            break;
        case Reply::Status::PortError:
            show(QStringLiteral("port error: ") + link_->errorString());
            break;
        }
        return reply;
    }
    void close() override { link_->close(); }
    bool isOpen() const override { return link_->isOpen(); }
    QString errorString() const override { return link_->errorString(); }

private:
    void show(const QString& outcome) {
        tell(command_, QStringLiteral("> %1  %2  (%3 ms)")
                           .arg(readable(sent_), outcome)
                           .arg(clock_.elapsed()));
    }

    QString command_;
    std::unique_ptr<Link> link_;
    QByteArray sent_;
    QElapsedTimer clock_;
};

} // namespace

std::unique_ptr<Link> openRadioLink(const QString& command, const QString& port, bool verbose) {
    if (port != SimulatedPortName) {
        const PortProblem problem = SerialLink::tryOpen(port);
        if (problem) {
            tell(command,
                 portProblemText(port, problem, QStringLiteral("list ports with `qmh4 ports`")));
            return nullptr;
        }
    }
    // "sim" is a simulated radio of this run's own, holding the demo radio; the link keeps it.
    std::unique_ptr<Link> link = PortOpener().open(port);
    if (verbose)
        link = std::make_unique<VerboseLink>(command, std::move(link));
    return link;
}

} // namespace qmh4::cli
