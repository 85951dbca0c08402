#include "link/protocol.h"
#include "link/session.h"
#include "link/transfer_control.h"
#include "sim/simulated_radio.h"

#include <QTest>

using namespace qmh4;
using namespace std::chrono_literals;

namespace {

// Answers every command with 17 bytes that carry "OK" where a 16-byte identify reply has it.
class LongReplyLink : public Link {
public:
    int sent = 0;
    bool send(const QByteArray&) override { return ++sent > 0; }
    Reply receive(qsizetype, std::chrono::milliseconds) override {
        return {Reply::Status::Complete, "KV~QM-H4E\r\r\nOK\r\n\n"};
    }
    void close() override {}
    bool isOpen() const override { return false; }
    QString errorString() const override { return {}; }
};

const SessionOptions fast{5ms};

} // namespace

class TestSession : public QObject {
    Q_OBJECT

private slots:
    // `faults` is a fault plan, or "port" for a failing device, or "stop" for the closing flag.
    void identify_data() {
        QTest::addColumn<QString>("faults");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("exchanges");
        QTest::newRow("first attempt") << "" << int(Outcome::Success) << 1;
        QTest::newRow("wrong marker twice") << "1=marker,2=marker" << int(Outcome::Success) << 3;
        QTest::newRow("no answer twice") << "1=silent,2=silent" << int(Outcome::Success) << 3;
        QTest::newRow("three bad replies")
            << "1=marker,2=long,3=short" << int(Outcome::Failed) << 3;
        QTest::newRow("three time-outs")
            << "1=silent,2=silent,3=silent" << int(Outcome::Failed) << 3;
        QTest::newRow("port fault ends at once") << "port" << int(Outcome::PortError) << 0;
        QTest::newRow("closing flag ends after the exchange")
            << "stop" << int(Outcome::Stopped) << 1;
    }
    void identify() {
        QFETCH(QString, faults);
        QFETCH(int, outcome);
        QFETCH(int, exchanges);
        SimulatedRadio radio;
        const std::atomic<bool> stop{faults == "stop"};
        radio.setPortFault(faults == "port");
        if (faults != "stop" && faults != "port")
            radio.setFaults(*FaultPlan::parse(faults, nullptr));
        Session session(radio, fast, &stop);
        const TransferResult result = runTransfer([&] { session.identify(); });
        QCOMPARE(int(result.outcome), outcome);
        // A port fault is reported in the system's own words.
        QCOMPARE(result.detail, faults == "port" ? QString("Input/output error") : QString());
        QCOMPARE(radio.exchangeCount(), exchanges);
        QVERIFY(!radio.isOpen());
        for (const ExchangeRecord& exchange : radio.log())
            QCOMPARE(exchange.command, protocol::identifyCommand());
    }

    void identifyRefusesASeventeenByteReply() {
        LongReplyLink link;
        Session session(link, fast);
        QCOMPARE(runTransfer([&] { session.identify(); }).outcome, Outcome::Failed);
        QCOMPARE(link.sent, 3);
    }

    // Script letters: B begin, Q mark the next step quiet (whole-radio sequence), S/F/P/X
    // finish with Success/Failed/PortError/Stopped. After the colon, the box of each finish
    // ("-" for none).
    void transferControl_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("stand-alone success") << "BS:Success";
        QTest::newRow("failure, then success shows its box") << "BFBS:Error,Success";
        QTest::newRow("port error, then success") << "BPBS:Port Error,Success";
        QTest::newRow("quiet steps") << "QBSQBS:-,-";
        QTest::newRow("quiet step failing still shows Error") << "QBFQBS:Error,-";
        QTest::newRow("stopped shows nothing") << "BX:-";
        QTest::newRow("after a quiet success the next stand-alone one shows") << "QBSBS:-,Success";
    }
    void transferControl() {
        QFETCH(QString, script);
        TransferControl control;
        QStringList shown;
        for (QChar step : script.section(':', 0, 0)) {
            switch (step.toLatin1()) {
            case 'B':
                QVERIFY(control.begin(1));
                QVERIFY(control.busy());
                QVERIFY(!control.begin(2)); // a second command while one runs does nothing
                break;
            case 'Q':
                control.setQuiet(TransferControl::WholeRadioStep);
                break;
            default: {
                const Outcome outcome = step == 'S'   ? Outcome::Success
                                        : step == 'F' ? Outcome::Failed
                                        : step == 'P' ? Outcome::PortError
                                                      : Outcome::Stopped;
                const EndBox box = control.finish({outcome, {}});
                QVERIFY(!control.busy());
                shown << (box.show ? box.text : QStringLiteral("-"));
                if (box.show)
                    QCOMPARE(box.title,
                             box.text == "Success" ? QString(" Finish") : QString(" Error"));
            }
            }
        }
        QCOMPARE(shown.join(','), script.section(':', 1));
    }

    // Closing the window stops the running transfer and refuses new ones; Cancel stops only
    // the running one.
    void stopRequests_data() {
        QTest::addColumn<bool>("closing");
        QTest::newRow("close") << true;
        QTest::newRow("cancel") << false;
    }
    void stopRequests() {
        QFETCH(bool, closing);
        TransferControl control;
        QVERIFY(control.begin(7));
        closing ? control.requestClose() : control.requestCancel();
        QVERIFY(control.stopFlag()->load());
        QVERIFY(!control.finish({Outcome::Stopped, {}}).show);
        QCOMPARE(control.begin(7), !closing);
        QCOMPARE(control.stopFlag()->load(), closing);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
