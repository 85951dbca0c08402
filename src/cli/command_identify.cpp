#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/radio_port.h"
#include "link/protocol.h"
#include "link/session.h"
#include "ports/default_port.h"

#include <QTextStream>

namespace qmh4::cli {

namespace {

const QString Identify = QStringLiteral("identify");

// The reply as text, its line ends shown.
QString shown(const QByteArray& reply) {
    return QString::fromLatin1(reply)
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"));
}

} // namespace

// Sends the identification a transfer starts with, up to three times as a transfer does, and
// prints what came back: the quickest way to see whether cable, port and radio work together.
int runIdentify(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Device path, port name or \"sim\"."),
         QStringLiteral("P")},
        {QStringLiteral("verbose"), QStringLiteral("Show every exchange on stderr.")},
    });
    if (!parseArguments(parser, Identify, arguments, 0))
        return ExitUsage;
    QString port = parser.value(QStringLiteral("port"));
    if (port.isEmpty())
        port = defaultPort();
    const auto link = openRadioLink(Identify, port, parser.isSet(QStringLiteral("verbose")));
    if (!link)
        return ExitRadioFailed;

    Session session(*link);
    QByteArray reply;
    const TransferResult result = runTransfer([&] {
        for (int attempt = 0; attempt < 3 && !protocol::isGoodIdentifyReply(reply); ++attempt)
            reply = session.exchange(protocol::identifyCommand(), protocol::IdentifyReplyLength);
    });
    if (result.outcome == Outcome::PortError) {
        tell(Identify, QStringLiteral("Port Error (%1: %2)").arg(port, result.detail));
        return ExitRadioFailed;
    }
    if (!protocol::isGoodIdentifyReply(reply)) {
        tell(Identify, reply.isEmpty()
                           ? QStringLiteral("no answer on %1 — is the radio on and in clone "
                                            "mode, and the cable firmly in?")
                                 .arg(port)
                           : QStringLiteral("unexpected answer on %1: %2").arg(port, shown(reply)));
        return ExitRadioFailed;
    }
    QTextStream(stdout) << port << ": " << shown(reply) << '\n';
    return ExitOk;
}

} // namespace qmh4::cli
