#include "radio_areas/bank_test_support.h"
#include "sim/simulated_radio.h"
#include "support/test_support.h"
#include "transfers/area_transfers.h"

#include <QTest>

using namespace qmh4;
using namespace std::chrono_literals;

namespace {

// Short replies so failing attempts do not make the test slow.
const SessionOptions quick{30ms};

// The commands the radio saw, shortened to their first ten characters ("KV~F00200W").
QStringList commandsSeen(const SimulatedRadio& radio) {
    QStringList seen;
    for (const ExchangeRecord& e : radio.log())
        seen.append(QString::fromLatin1(e.command.left(10)).trimmed());
    return seen;
}

} // namespace

// The round trip of every area is the fault matrix's clean whole-radio read and write
// (tests/hardening) and the area pages' (tests/app).
class AreaTransfersTest : public QObject {
    Q_OBJECT

private slots:
    // Sizes that do not add up to 1000 are refused before anything is sent.
    void bankWrite() {
        SimulatedRadio radio(SimulatedRadio::blankImage());
        Session session(radio, quick);
        BankSizes banks = test::banksOf({{0, 100}});
        QCOMPARE(writeBanks(session, banks).outcome, Outcome::Failed);
        QVERIFY(radio.log().empty());
        banks.setSize(0, 1000);
        QCOMPARE(writeBanks(session, banks).outcome, Outcome::Success);
        QCOMPARE(commandsSeen(radio), QStringList({"KV~QM-H4E", "KV~F00200W", "KV~F00240W"}));
        QCOMPARE(radio.log().at(1).command.mid(10, 4), QByteArray("E803"));
        QCOMPARE(radio.memory(0x240 + 36, 14), test::hexBytes("6400C80064000300640064001400"));
    }

    // A bad reply is never decoded: the same block is asked again; three bad replies end the
    // command with what was decoded so far kept.
    void faults_data() {
        QTest::addColumn<QList<int>>("faultyExchanges");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("bank0");  // expected size of bank 0 (block 0)
        QTest::addColumn<int>("bank40"); // expected size of bank 40 (block 1)
        QTest::newRow("one garbled digit retried")
            << QList<int>{2} << int(Fault::NonHexDigit) << int(Outcome::Success) << 600 << 400;
        QTest::newRow("block 1 fails three times")
            << QList<int>{3, 4, 5} << int(Fault::WrongMarker) << int(Outcome::Failed) << 600 << 0;
        QTest::newRow("handshake fails three times")
            << QList<int>{1, 2, 3} << int(Fault::Truncated) << int(Outcome::Failed) << 100 << 0;
    }
    void faults() {
        QFETCH(QList<int>, faultyExchanges);
        QFETCH(int, fault);
        SimulatedRadio radio(SimulatedRadio::blankImage());
        radio.setMemory(0x200, test::hexBytes("58 02"));      // bank 0: 600
        radio.setMemory(0x240 + 16, test::hexBytes("90 01")); // bank 40: 400
        for (int n : faultyExchanges)
            radio.injectFault(n, Fault(fault));
        Session session(radio, quick);
        BankSizes banks;
        QTEST(int(readBanks(session, banks).outcome), "outcome");
        QTEST(banks.size(0), "bank0");
        QTEST(banks.size(40), "bank40");
    }

    // Both "Read" commands decode the DTMF memories; the write reads the record back first
    // and never writes the write-protect byte.
    void setModeSequence() {
        SimulatedRadio radio;
        radio.setMemory(WriteProtectAddress, QByteArray(1, char(0x02)));
        Session session(radio, quick);
        SetModeSettings settings;
        DtmfSettings dtmf;
        QCOMPARE(readSetMode(session, settings, dtmf).outcome, Outcome::Success);
        QCOMPARE(settings.position(SetModeArray::Mem), 2);
        QCOMPARE(dtmf.memories[1], QString("0312345678"));
        QCOMPARE(commandsSeen(radio),
                 QStringList({"KV~QM-H4E", "KV~F00000R", "KV~F00040R", "KV~F00080R", "KV~F1FE01R",
                              "KV~F01100R", "KV~F01133R", "KV~F01173R"}));

        radio.clearLog();
        radio.setMemory(48, QByteArray(1, char(0x04))); // the radio changed a kept byte
        settings.setPosition(SetModeArray::Toutyou, 1, 0);
        dtmf.setMemory(9, "99#");
        QCOMPARE(writeSetMode(session, settings, dtmf).outcome, Outcome::Success);
        QCOMPARE(
            commandsSeen(radio),
            QStringList({"KV~QM-H4E", "KV~F00000R", "KV~F00040R", "KV~F00080R", "KV~F00000W",
                         "KV~F00040W", "KV~F00080W", "KV~F01100W", "KV~F01133W", "KV~F01173W"}));
        QCOMPARE(radio.memory(48, 1), QByteArray(1, char(0x04)));
        QCOMPARE(radio.memory(0x1173 + 32, 4), test::hexBytes("09 09 0F 11"));
    }
};

QTEST_GUILESS_MAIN(AreaTransfersTest)
#include "tst_area_transfers.moc"
