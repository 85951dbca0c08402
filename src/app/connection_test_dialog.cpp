#include "app/connection_test_dialog.h"

#include "app/main_window.h"
#include "app/transfer_controller.h"
#include "link/protocol.h"
#include "link/serial_link.h"
#include "link/session.h"
#include "ports/port_opener.h"
#include "widgets/transfer_runner.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace qmh4 {

namespace {

QString hex4(quint16 value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// What the system says about the port: its name, description, maker, serial number, USB ids.
QString portDetails(const QString& device) {
    if (device == SimulatedPortName)
        return QStringLiteral("Port: Simulated radio (built in)");
    QStringList lines{QStringLiteral("Port: ") + portLabel(device)};
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        if (info.systemLocation() != device && info.portName() != device)
            continue;
        const std::pair<const char*, QString> details[] = {
            {"Description", info.description()},
            {"Manufacturer", info.manufacturer()},
            {"Serial number", info.serialNumber()},
            {"USB", info.hasVendorIdentifier() && info.hasProductIdentifier()
                        ? hex4(info.vendorIdentifier()) + u':' + hex4(info.productIdentifier())
                        : QString()}};
        for (const auto& [name, text] : details) {
            if (!text.isEmpty())
                lines << QString::fromLatin1(name) + QStringLiteral(": ") + text;
        }
    }
    return lines.join(u'\n');
}

QString shownReply(const QByteArray& reply) {
    return QString::fromLatin1(reply)
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"));
}

// The identification, up to three times as a transfer sends it; runs on the worker thread.
QString identify(const std::function<std::unique_ptr<Link>()>& open, SessionOptions options) {
    const std::unique_ptr<Link> link = open();
    Session session(*link, options);
    QByteArray reply;
    const TransferResult result = runTransfer([&] {
        for (int attempt = 0; attempt < 3 && !protocol::isGoodIdentifyReply(reply); ++attempt)
            reply = session.exchange(protocol::identifyCommand(), protocol::IdentifyReplyLength);
    });
    if (result.outcome == Outcome::PortError)
        return QStringLiteral("Port Error: ") + result.detail;
    if (reply.isEmpty())
        return QStringLiteral("No answer. Is the radio switched on and in clone mode, and the "
                              "cable firmly in at both ends?");
    if (!protocol::isGoodIdentifyReply(reply))
        return QStringLiteral("Unexpected answer: ") + shownReply(reply);
    return QStringLiteral("The radio answered: ") + shownReply(reply);
}

} // namespace

ConnectionTestDialog::ConnectionTestDialog(MainWindow& window)
    : QDialog(&window), window_(window), port_(new QLabel(this)), answer_(new QLabel(this)),
      again_(new QPushButton(QStringLiteral("Test Again"), this)) {
    setObjectName(QStringLiteral("ConnectionTest"));
    runner_ = new TransferRunner(this);
    connect(runner_, &TransferRunner::finished, this, [this] {
        again_->setEnabled(true);
        showAnswer(*heard_);
    });
    setWindowTitle(QStringLiteral("Test Connection"));
    port_->setObjectName(QStringLiteral("PortDetails"));
    answer_->setObjectName(QStringLiteral("Answer"));
    answer_->setWordWrap(true);
    answer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    again_->setObjectName(QStringLiteral("TestAgain"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(again_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(again_, &QPushButton::clicked, this, &ConnectionTestDialog::runTest);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(port_);
    layout->addWidget(answer_);
    layout->addWidget(buttons);
    setMinimumWidth(460);
    runTest();
}

ConnectionTestDialog::~ConnectionTestDialog() {
    runner_->waitAndDiscard();
}

void ConnectionTestDialog::runTest() {
    if (runner_->isRunning())
        return;
    const QString device = window_.portDevice();
    port_->setText(portDetails(device));
    if (device != SimulatedPortName) {
        if (const PortProblem problem = SerialLink::tryOpen(device)) {
            showAnswer(portProblemText(
                device, problem, QStringLiteral("choose the cable's port in the COMPort menu")));
            return;
        }
    }
    answer_->setText(QStringLiteral("Testing…"));
    again_->setEnabled(false);
    runner_->start([open = window_.linkOpener(), options = window_.transfers->sessionOptions(),
                    heard = heard_](ChannelTransferObserver&) {
        *heard = identify(open, options);
        return TransferResult{};
    });
}

QString ConnectionTestDialog::answerText() const {
    return answer_->text();
}

void ConnectionTestDialog::showAnswer(const QString& text) {
    answer_->setText(text);
    emit testFinished();
}

} // namespace qmh4
