#include "link/protocol.h"
#include "link/session.h"
#include "link/transfer_control.h"
#include "sim/simulated_radio.h"

#include <QTest>

#include <deque>

using namespace qmh4;
using namespace std::chrono_literals;

namespace {

// Answers with prepared byte strings, one per command, to try replies the radio never sends.
class ScriptedLink : public Link {
public:
    std::deque<QByteArray> replies; // an empty entry is a time-out
    QList<QByteArray> sent;
    bool open = false;

    bool send(const QByteArray& command) override {
        sent << command;
        open = true;
        return true;
    }
    Reply receive(qsizetype expected, std::chrono::milliseconds) override {
        open = false;
        Reply reply;
        const QByteArray bytes = replies.empty() ? QByteArray() : replies.front();
        if (!replies.empty())
            replies.pop_front();
        if (bytes.size() >= expected)
            reply = {Reply::Status::Complete, bytes};
        return reply;
    }
    void close() override { open = false; }
    bool isOpen() const override { return open; }
    QString errorString() const override { return {}; }
};

const SessionOptions fast{5ms};

} // namespace

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void identifyAttempts_data() {
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
    }
    void identifyAttempts() {
        QFETCH(QString, faults);
        QFETCH(int, outcome);
        QFETCH(int, exchanges);
        SimulatedRadio radio;
        radio.setFaults(*FaultPlan::parse(faults, nullptr));
        Session session(radio, fast);
        const TransferResult result = runTransfer([&] { session.identify(); });
        QCOMPARE(int(result.outcome), outcome);
        QCOMPARE(radio.exchangeCount(), exchanges);
        for (const ExchangeRecord& exchange : radio.log())
            QCOMPARE(exchange.command, protocol::identifyCommand());
    }

    void identifyNeedsExactlySixteenBytes() {
        ScriptedLink link;
        const QByteArray good = "KV~QM-H4E\r\r\nOK\r\n";
        link.replies = {good + "\n", good + "X", good + "\r"}; // 17 bytes, "OK" at 12 and 13
        Session session(link, fast);
        QCOMPARE(runTransfer([&] { session.identify(); }).outcome, Outcome::Failed);
        QCOMPARE(link.sent.size(), 3);
    }

    void portFaultEndsAtOnceWithTheSystemsWords() {
        SimulatedRadio radio;
        radio.setPortFault(true);
        Session session(radio, fast);
        const TransferResult result = runTransfer([&] { session.identify(); });
        QCOMPARE(result.outcome, Outcome::PortError);
        QCOMPARE(result.detail, QStringLiteral("Input/output error"));
        QCOMPARE(radio.exchangeCount(), 0);
    }

    void stopFlagEndsAfterTheCurrentExchange() {
        SimulatedRadio radio;
        std::atomic<bool> stop{true};
        Session session(radio, fast, &stop);
        const TransferResult result = runTransfer([&] { session.identify(); });
        QCOMPARE(result.outcome, Outcome::Stopped);
        QCOMPARE(radio.exchangeCount(), 1);
        QVERIFY(!radio.isOpen());
    }

    void failureLimitCountsTheWholeLoop() {
        SimulatedRadio radio;
        radio.setFaults(*FaultPlan::parse("1=marker,3=nonhex,5=long", nullptr));
        Session session(radio, fast);
        FailureCounter failures(3);
        const TransferResult result = runTransfer([&] {
            session.readBlock(0x1200, failures); // exchanges 1 (bad) and 2
            session.readBlock(0x1240, failures); // 3 (bad) and 4
            session.readBlock(0x1280, failures); // 5 (bad): the third failure of the loop
        });
        QCOMPARE(result.outcome, Outcome::Failed);
        QCOMPARE(failures.count(), 3);
        QCOMPARE(radio.exchangeCount(), 5);
    }

    void readAndWriteBlocks() {
        SimulatedRadio radio(SimulatedRadio::blankImage());
        radio.setFaults(*FaultPlan::parse("1=short,3=nonhex", nullptr));
        Session session(radio, fast);
        FailureCounter failures(10);
        const QByteArray data = QByteArray::fromHex("00FF10A5C3");
        QByteArray back;
        const TransferResult result = runTransfer([&] {
            session.writeBlock(0x00C00, data, failures);
            back = session.readBlock(0x00C00, failures);
        });
        QCOMPARE(result.outcome, Outcome::Success);
        QCOMPARE(back.left(5), data);
        QCOMPARE(failures.count(), 2);
        QCOMPARE(session.exchangeCount(), 4);
    }

    // Script letters: B begin, Q mark the next step quiet (whole-radio sequence), S/F/P/X
    // finish with Success/Failed/PortError/Stopped. `boxes` lists the box of each finish
    // ("-" for none).
    void transferControl_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("boxes");
        QTest::newRow("stand-alone success") << "BS"
                                             << "Success";
        QTest::newRow("failure, then success shows its box") << "BFBS"
                                                             << "Error,Success";
        QTest::newRow("port error, then success") << "BPBS"
                                                  << "Port Error,Success";
        QTest::newRow("quiet steps") << "QBSQBS"
                                     << "-,-";
        QTest::newRow("quiet step failing still shows Error") << "QBFQBS"
                                                              << "Error,-";
        QTest::newRow("stopped shows nothing") << "BX"
                                               << "-";
        QTest::newRow("after a quiet success the next stand-alone one shows") << "QBSBS"
                                                                              << "-,Success";
    }
    void transferControl() {
        QFETCH(QString, script);
        QFETCH(QString, boxes);
        TransferControl control;
        QStringList shown;
        for (QChar step : script) {
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
        QCOMPARE(shown.join(','), boxes);
    }

    void closingStopsTheRunningTransferAndRefusesNewOnes() {
        TransferControl control;
        QVERIFY(control.begin(7));
        control.requestClose();
        QVERIFY(control.stopFlag()->load());
        QVERIFY(!control.finish({Outcome::Stopped, {}}).show);
        QVERIFY(!control.begin(7));
    }

    void cancelIsClearedByTheNextBegin() {
        TransferControl control;
        QVERIFY(control.begin(1));
        control.requestCancel();
        QVERIFY(control.stopFlag()->load());
        control.finish({Outcome::Stopped, {}});
        QVERIFY(control.begin(1));
        QVERIFY(!control.stopFlag()->load());
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
