#include "channels/channel_record.h"
#include "link/channel_transfer.h"
#include "link/protocol.h"
#include "sim/simulated_radio.h"
#include "support/test_support.h"

#include <QTest>
#include <QtEndian>

#include <set>

using namespace qmh4;
using namespace std::chrono_literals;

namespace {

const SessionOptions fast{5ms};
constexpr int FirstPassBlockExchange = 1 + 1623 + 1; // identify, 1623 records, then the pass table
const QByteArray passBlockPrefix = "KV~F00";

QByteArray recordRegion(const SimulatedRadio& radio) {
    return radio.memory(0x1200, 1623 * 64);
}

ChannelTable readFrom(SimulatedRadio& radio) {
    ChannelTable table;
    Session session(radio, fast);
    const TransferResult result = readAllChannels(session, table);
    if (result.outcome != Outcome::Success)
        qFatal("read failed");
    return table;
}

void usePass(ChannelTable& table, int pass, const char* frequency) {
    ChannelRow& row = table.row(FirstPassRow + pass);
    row.used = true;
    row.cell(FrequencyColumn) = QString::fromLatin1(frequency);
    row.cell(ModeColumn) = QStringLiteral("FM");
}

QList<quint32> commandAddresses(const SimulatedRadio& radio, char kind) {
    QList<quint32> addresses;
    for (const ExchangeRecord& exchange : radio.log()) {
        if (exchange.command.startsWith("KV~F") && exchange.command[9] == kind)
            addresses << exchange.command.mid(4, 5).toUInt(nullptr, 16);
    }
    return addresses;
}

// Stops the transfer once a given row has become current.
class StopAtRow : public ChannelTransferObserver {
public:
    StopAtRow(int row, std::atomic<bool>& stop) : row_(row), stop_(stop) {}
    void currentRow(int rowNumber) override {
        if (rowNumber == row_)
            stop_.store(true);
    }

private:
    int row_;
    std::atomic<bool>& stop_;
};

class Recorder : public ChannelTransferObserver {
public:
    QList<int> rows;
    QList<int> decoded;
    QList<std::array<int, 3>> steps;
    bool blanked = false;
    void currentRow(int rowNumber) override { rows << rowNumber; }
    void rowDecoded(int rowNumber, const ChannelRow&) override { decoded << rowNumber; }
    void progress(int value, int maximum, int percent) override {
        steps << std::array<int, 3>{value, maximum, percent};
    }
    void emptyRowsBlanked() override { blanked = true; }
};

} // namespace

class TestChannelTransfer : public QObject {
    Q_OBJECT

private slots:
    // Reading the demo radio and writing the table into a blank one reproduces every record.
    void readAllThenWriteAllReproducesTheMemory() {
        SimulatedRadio source;
        Recorder recorder;
        ChannelTable table;
        {
            Session session(source, fast);
            QCOMPARE(readAllChannels(session, table, &recorder).outcome, Outcome::Success);
        }
        QCOMPARE(source.exchangeCount(), 1 + 1623);
        QCOMPARE(recorder.decoded.size(), 1623);
        QVERIFY(recorder.blanked);
        QCOMPARE(recorder.steps.back(), (std::array<int, 3>{1704, 1704, 100}));
        QVERIFY(std::find(recorder.steps.begin(), recorder.steps.end(),
                          std::array<int, 3>{1623, 1704, 95}) != recorder.steps.end());

        SimulatedRadio target(SimulatedRadio::blankImage());
        Session session(target, fast);
        QCOMPARE(writeAllChannels(session, table).outcome, Outcome::Success);
        QCOMPARE(recordRegion(target), recordRegion(source));
        QCOMPARE(target.exchangeCount(), 1 + 1623 + 13);
    }

    void dualRowsUseTheirRemappedRecords_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<quint32>("address");
        QTest::addColumn<QString>("frequency"); // as the demo radio holds it
        QTest::newRow("pair 0 main") << 1101 << quint32(0x12500) << "145.00000MHz";
        QTest::newRow("pair 0 sub") << 1102 << quint32(0x13E00) << "433.00000MHz";
        QTest::newRow("pair 1 main") << 1103 << quint32(0x12540) << "145.50000MHz";
        QTest::newRow("pair 1 sub") << 1104 << quint32(0x13E40) << "1295.00000MHz";
        QTest::newRow("last sub") << 1300 << quint32(0x156C0) << "";
    }
    void dualRowsUseTheirRemappedRecords() {
        QFETCH(int, row);
        QFETCH(quint32, address);
        QFETCH(QString, frequency);
        SimulatedRadio radio;
        ChannelTable table;
        Session session(radio, fast);
        QCOMPARE(readSelectedChannels(session, table, row, row).outcome, Outcome::Success);
        QCOMPARE(commandAddresses(radio, 'R'), QList<quint32>{address});
        QCOMPARE(table.cell(row, FrequencyColumn), frequency);

        // Written back into a blank radio the row lands at the same record.
        table.row(row).used = true;
        table.setCell(row, FrequencyColumn, QStringLiteral("145.00000MHz"));
        SimulatedRadio target(SimulatedRadio::blankImage());
        Session writer(target, fast);
        QCOMPARE(writeSelectedChannels(writer, table, row, row).outcome, Outcome::Success);
        QCOMPARE(target.memory(address + 1, 4), test::hexBytes("40 86 A4 08"));
    }

    void readingAnEmptyRadioBlanksAllButCallAndBugFinderRows() {
        SimulatedRadio radio(SimulatedRadio::blankImage());
        ChannelTable table;
        table.setCell(5, FrequencyColumn, QStringLiteral("145.00000MHz"));
        table.row(5).used = true;
        table.row(5).name = QStringLiteral("OLD");
        table.setCell(1500, NameColumn, QStringLiteral("stale"));
        Session session(radio, fast);
        QCOMPARE(readAllChannels(session, table).outcome, Outcome::Success);
        QVERIFY(table.cell(5, FrequencyColumn).isEmpty());
        QVERIFY(table.row(5).name.isEmpty());
        QVERIFY(!table.row(5).used);
        QVERIFY(table.cell(1500, NameColumn).isEmpty());
        QCOMPARE(table.cell(1401, FrequencyColumn), QStringLiteral("145.00000MHz"));
        QCOMPARE(table.cell(1403, FrequencyColumn), QStringLiteral("1295.00000MHz"));
        QCOMPARE(table.cell(1604, FrequencyColumn), QStringLiteral("398.60500MHz"));
    }

    void passTableOfThreeChannels() {
        ChannelTable table;
        usePass(table, 5, "145.50000MHz");
        usePass(table, 2, "433.00000MHz");
        usePass(table, 9, "145.20000MHz");
        const QByteArray pass = buildPassTable(table);
        QCOMPARE(pass.size(), 808);
        QCOMPARE(pass.mid(5 * 8, 8), test::hexBytes("60 27 AC 08 FF 02 09 FF"));
        QCOMPARE(pass.mid(9 * 8, 8), test::hexBytes("80 93 A7 08 FF 05 64 FF"));
        QCOMPARE(pass.mid(2 * 8, 8), test::hexBytes("40 0E CF 19 FF FF 05 FF"));
        QCOMPARE(pass.mid(100 * 8, 8), test::hexBytes("80 93 A7 08 09 09 FF FF"));
        for (int entry : {0, 1, 3, 4, 6, 7, 8, 10, 50, 99})
            QCOMPARE(pass.mid(entry * 8, 8), QByteArray(8, '\xFF'));
    }

    // With all 100 in use the list runs from the head through every entry in frequency order
    // (equal frequencies by pass number) and back to the head.
    void passTableWithAllHundredUsed() {
        ChannelTable table;
        for (int i = 0; i < 100; ++i) {
            const QByteArray text = QByteArray::number(439.9 - (i % 7) * 0.01, 'f', 5) + "MHz";
            usePass(table, i, text.constData());
        }
        const QByteArray pass = buildPassTable(table);
        const auto entry = [&](int i, int field) { return quint8(pass[i * 8 + field]); };
        const auto hz = [&](int i) { return qFromLittleEndian<quint32>(pass.constData() + i * 8); };
        QCOMPARE(entry(100, 4), quint8(0)); // link A of the head
        QCOMPARE(entry(100, 6), quint8(0xFF));
        int previous = 100;
        int current = entry(100, 5);
        QCOMPARE(hz(100), hz(current));
        std::set<int> seen;
        for (int step = 0; step < 100; ++step) {
            QVERIFY(current < 100);
            QVERIFY(seen.insert(current).second);
            QCOMPARE(int(entry(current, 6)), previous);
            QCOMPARE(entry(current, 4), quint8(0xFF));
            if (previous != 100) {
                QVERIFY(hz(previous) <= hz(current));
                if (hz(previous) == hz(current))
                    QVERIFY(previous < current);
            }
            previous = current;
            current = entry(current, 5);
        }
        QCOMPARE(current, 100); // the highest entry points back to the head
    }

    void writeWithoutPassChannelsSendsThirteenBlocksOfF() {
        SimulatedRadio radio;
        ChannelTable table;
        Session session(radio, fast);
        QCOMPARE(writeAllChannels(session, table).outcome, Outcome::Success);
        const auto& log = radio.log();
        QCOMPARE(int(log.size()), FirstPassBlockExchange + 12);
        for (size_t i = FirstPassBlockExchange - 1; i < log.size(); ++i) {
            const QByteArray& command = log[i].command;
            const int block = int(i) - (FirstPassBlockExchange - 1) + 1;
            const quint32 address = block < 13 ? 0xC00 + 64 * quint32(block - 1) : 0xF00;
            QCOMPARE(command.left(10), "KV~F" + protocol::addressDigits(address) + "W");
            QCOMPARE(command.mid(10, command.size() - 11), QByteArray(block < 13 ? 128 : 80, 'F'));
        }
        QCOMPARE(radio.memory(0xC00, 808), QByteArray(808, '\xFF'));
    }

    void selectedRowsGoInAscendingOrder_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("selectionEnd");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("selected upward") << 20 << 10 << 10 << 20;
        QTest::newRow("selected downward") << 10 << 20 << 10 << 20;
        QTest::newRow("single row") << 7 << 7 << 7 << 7;
    }
    void selectedRowsGoInAscendingOrder() {
        QFETCH(int, current);
        QFETCH(int, selectionEnd);
        QFETCH(int, first);
        QFETCH(int, last);
        QList<quint32> expected;
        for (int row = first; row <= last; ++row)
            expected << recordAddress(recordNumber(row));

        SimulatedRadio radio;
        ChannelTable table;
        Recorder recorder;
        {
            Session session(radio, fast);
            QCOMPARE(readSelectedChannels(session, table, current, selectionEnd, &recorder).outcome,
                     Outcome::Success);
        }
        QCOMPARE(commandAddresses(radio, 'R'), expected);
        const int n = last - first + 1;
        QCOMPARE(recorder.steps.back(), (std::array<int, 3>{n, n, 100}));

        radio.clearLog();
        Session session(radio, fast);
        QCOMPARE(writeSelectedChannels(session, table, current, selectionEnd).outcome,
                 Outcome::Success);
        QCOMPARE(commandAddresses(radio, 'W').mid(0, n), expected);
        QCOMPARE(commandAddresses(radio, 'W').size(), n + 13); // then the pass table
    }

    // Every kind of bad reply is retried and the result is what a clean run gives.
    void retriesEndWithIdenticalMemory_data() {
        QTest::addColumn<int>("fault");
        for (Fault fault : {Fault::NoAnswer, Fault::Truncated, Fault::ExtraByte, Fault::WrongMarker,
                            Fault::NonHexDigit})
            QTest::newRow(qPrintable(faultName(fault))) << int(fault);
    }
    void retriesEndWithIdenticalMemory() {
        QFETCH(int, fault);
        const auto kind = static_cast<Fault>(fault);
        SimulatedRadio clean;
        const ChannelTable expected = readFrom(clean);

        SimulatedRadio faulty;
        for (int exchange : {1, 2, 300, 301, 302, 1624})
            faulty.injectFault(exchange, kind);
        ChannelTable table;
        {
            Session session(faulty, fast);
            QCOMPARE(readAllChannels(session, table).outcome, Outcome::Success);
        }
        QVERIFY(table == expected);

        SimulatedRadio target(SimulatedRadio::blankImage());
        for (int exchange : {2, 3, 1000, 1630, 1631, 1640})
            target.injectFault(exchange, kind);
        Session session(target, fast);
        QCOMPARE(writeAllChannels(session, table).outcome, Outcome::Success);
        QCOMPARE(recordRegion(target), recordRegion(clean));
        QCOMPARE(target.memory(0xC00, 808), QByteArray(808, '\xFF'));
    }

    // Failed attempts are counted over the whole loop, not per record.
    void readFailureLimit_data() {
        QTest::addColumn<QList<int>>("faulty"); // exchange numbers
        QTest::addColumn<int>("outcome");
        QList<int> inARow, scattered;
        for (int i = 0; i < 30; ++i) {
            inARow << 6 + i;
            scattered << 10 + 50 * i;
        }
        QTest::newRow("30 in a row") << inARow << int(Outcome::Failed);
        QTest::newRow("30 over the loop") << scattered << int(Outcome::Failed);
        QTest::newRow("29 over the loop") << scattered.mid(1) << int(Outcome::Success);
    }
    void readFailureLimit() {
        QFETCH(QList<int>, faulty);
        QFETCH(int, outcome);
        SimulatedRadio radio;
        for (int exchange : faulty)
            radio.injectFault(exchange, Fault::WrongMarker);
        ChannelTable table;
        Session session(radio, fast);
        QCOMPARE(int(readAllChannels(session, table).outcome), outcome);
        if (outcome == int(Outcome::Failed)) {
            // Nothing is sent after the 30th failure; rows read so far stay decoded.
            QCOMPARE(radio.exchangeCount(), faulty.last());
            QCOMPARE(table.cell(1, FrequencyColumn), QStringLiteral("145.00000MHz"));
        }
    }

    void writeFailureLimits_data() {
        QTest::addColumn<int>("firstFaulty");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("outcome");
        const int b1 = FirstPassBlockExchange;
        QTest::newRow("channel loop 20") << 100 << 20 << int(Outcome::Failed);
        QTest::newRow("channel loop 19") << 100 << 19 << int(Outcome::Success);
        QTest::newRow("pass block 1: 3") << b1 << 3 << int(Outcome::Failed);
        QTest::newRow("pass block 1: 2") << b1 << 2 << int(Outcome::Success);
        QTest::newRow("pass blocks 2-12: 10") << b1 + 1 << 10 << int(Outcome::Failed);
        QTest::newRow("pass blocks 2-12: 9") << b1 + 1 << 9 << int(Outcome::Success);
        QTest::newRow("pass block 13: 2") << b1 + 12 << 2 << int(Outcome::Failed);
        QTest::newRow("pass block 13: 1") << b1 + 12 << 1 << int(Outcome::Success);
    }
    void writeFailureLimits() {
        QFETCH(int, firstFaulty);
        QFETCH(int, count);
        QFETCH(int, outcome);
        SimulatedRadio radio(SimulatedRadio::blankImage());
        for (int i = 0; i < count; ++i)
            radio.injectFault(firstFaulty + i, Fault::WrongMarker);
        ChannelTable table;
        Session session(radio, fast);
        QCOMPARE(int(writeAllChannels(session, table).outcome), outcome);
        const int all = FirstPassBlockExchange + 12 + count;
        QCOMPARE(radio.exchangeCount(),
                 outcome == int(Outcome::Failed) ? firstFaulty + count - 1 : all);
    }

    void undecodableRecordIsAPortError() {
        SimulatedRadio radio;
        radio.image()[0x1200 + 2 * 64 + 13] = 0; // record 3: Tx tone byte 0 is outside the table
        ChannelTable table;
        Recorder recorder;
        Session session(radio, fast);
        const TransferResult result = readAllChannels(session, table, &recorder);
        QCOMPARE(result.outcome, Outcome::PortError);
        QVERIFY(result.detail.contains("row 3"));
        QCOMPARE(radio.exchangeCount(), 1 + 3);
        QCOMPARE(recorder.decoded, (QList<int>{1, 2}));
        QVERIFY(!recorder.blanked);
    }

    void closingStopsAfterTheCurrentExchange() {
        SimulatedRadio radio;
        std::atomic<bool> stop{false};
        StopAtRow observer(10, stop);
        ChannelTable table;
        Session session(radio, fast, &stop);
        QCOMPARE(readAllChannels(session, table, &observer).outcome, Outcome::Stopped);
        QCOMPARE(radio.exchangeCount(), 1 + 10);
    }
};

QTEST_GUILESS_MAIN(TestChannelTransfer)
#include "tst_channel_transfer.moc"
