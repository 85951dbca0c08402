#include "link/protocol.h"
#include "link/session.h"
#include "messages/transfer_outcome_text.h"
#include "sim/simulated_radio.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using namespace qmh4::protocol;
using namespace std::chrono_literals;

const SessionOptions fast{5ms};

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void commands() {
        QCOMPARE(readCommand(0x1FE01), "KV~F1FE01R\r");
        QCOMPARE(writeCommand(0x00C00, test::hexBytes("60 27 AC 08 FF 02 09 FF")),
                 "KV~F00C00W6027AC08FF0209FF\r");
        QCOMPARE(identifyCommand(), "KV~QM-H4E\r");
        QCOMPARE(fontIdentifyCommand(), "KV~QM-H4\r");
    }

    // Kinds: R read, W write of a 64-byte record, I identify, F the font editor's identify.
    void replyChecks_data() {
        QTest::addColumn<char>("kind");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("good");
        QByteArray data;
        for (int i = 0; i < 64; ++i)
            data.append(static_cast<char>(i * 37 + 5));
        const QByteArray read = readCommand(0x01200) + "\r\n" + hexText(data) + "\r\n";
        const auto changed = [&](qsizetype at, char c) {
            QByteArray bytes = read;
            bytes[at] = c;
            return bytes;
        };
        QTest::newRow("read good") << 'R' << read << true;
        // ':' decodes as "10" if taken leniently.
        QTest::newRow("read colon in the data") << 'R' << changed(40, ':') << false;
        QTest::newRow("read lower-case digit") << 'R' << changed(13 + 2 * 63, 'f') << false;

        const QByteArray write = writeCommand(0x1200, QByteArray(64, '\0'));
        QTest::newRow("write OK") << 'W' << write + "\r\nOK\r\n" << true;
        QTest::newRow("write OK, prefix not the command") << 'W' << QByteArray(141, '#') + "OK\r\n"
                                                          << true;
        QTest::newRow("write OK one late") << 'W' << "x" + write + "\r\nOK\r\n" << false;

        const QByteArray identify = "KV~QM-H4E\r\r\nOK\r\n";
        QTest::newRow("identify 16 bytes OK") << 'I' << identify << true;
        QTest::newRow("identify 17 bytes OK at 12") << 'I' << identify + '\n' << false;
        const QByteArray font = "KV~QM-H4\r\r\n\r\nOK\r\n";
        QTest::newRow("identify 17 bytes OK at 13") << 'I' << font << false;
        QTest::newRow("font 17 bytes OK at 13") << 'F' << font << true;
    }
    void replyChecks() {
        QFETCH(char, kind);
        QFETCH(QByteArray, reply);
        QFETCH(bool, good);
        switch (kind) {
        case 'R':
            QCOMPARE(isGoodReadReply(reply), good);
            if (good) // the data come back byte for byte
                QCOMPARE(hexText(readReplyData(reply)), reply.mid(13, 128));
            break;
        case 'W':
            QCOMPARE(isGoodWriteReply(reply, 139), good);
            break;
        case 'I':
            QCOMPARE(isGoodIdentifyReply(reply), good);
            break;
        default:
            QCOMPARE(isGoodFontIdentifyReply(reply), good);
        }
    }

    // `faults` is a fault plan, or "port" for a failing device.
    void identify_data() {
        QTest::addColumn<QString>("faults");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("exchanges");
        QTest::newRow("first attempt") << "" << int(Outcome::Success) << 1;
        QTest::newRow("marker, then silence") << "1=marker,2=silent" << int(Outcome::Success) << 3;
        QTest::newRow("three bad replies")
            << "1=marker,2=long,3=short" << int(Outcome::Failed) << 3;
        QTest::newRow("port fault ends at once") << "port" << int(Outcome::PortError) << 0;
    }
    void identify() {
        QFETCH(QString, faults);
        QFETCH(int, outcome);
        QFETCH(int, exchanges);
        SimulatedRadio radio;
        radio.setPortFault(faults == "port");
        if (faults != "port")
            radio.setFaults(*FaultPlan::parse(faults, nullptr));
        Session session(radio, fast);
        const TransferResult result = runTransfer([&] { session.identify(); });
        QCOMPARE(int(result.outcome), outcome);
        // A port fault is reported in the system's own words.
        QCOMPARE(result.detail, faults == "port" ? QString("Input/output error") : QString());
        QCOMPARE(radio.exchangeCount(), exchanges);
        QVERIFY(!radio.isOpen());
        for (const ExchangeRecord& exchange : radio.log())
            QCOMPARE(exchange.command, identifyCommand());
    }

    // Script letters: B begin, Q mark the next step quiet (whole-radio sequence), S/F/P
    // finish with Success/Failed/PortError. After the colon, the box of each finish
    // ("-" for none).
    void transferControl_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("failure, then success shows its box") << "BFBS:Error,Success";
        QTest::newRow("port error, then success") << "BPBS:Port Error,Success";
        QTest::newRow("quiet steps") << "QBSQBS:-,-";
        QTest::newRow("quiet step failing still shows Error") << "QBFQBS:Error,-";
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
                QVERIFY(!control.begin(2)); // a second command while one runs does nothing
                break;
            case 'Q':
                control.setQuiet(TransferControl::WholeRadioStep);
                break;
            default: {
                const Outcome outcome = step == 'S'   ? Outcome::Success
                                        : step == 'F' ? Outcome::Failed
                                                      : Outcome::PortError;
                const EndBox box = control.finish({outcome, {}});
                shown << (box == EndBox::None ? QStringLiteral("-") : endBoxText(box).text);
            }
            }
        }
        QCOMPARE(shown.join(','), script.section(':', 1));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
