#include "sim/simulated_radio.h"
#include "support/test_support.h"
#include "transfers/channel_transfer.h"

#include <QTest>

using namespace qmh4;
using namespace std::chrono_literals;

namespace {

const SessionOptions fast{5ms};
constexpr int FirstPassBlockExchange = 1 + 1623 + 1; // identify, 1623 records, then the pass table

void usePass(ChannelTable& table, int pass, const char* frequency) {
    ChannelRow& row = table.row(FirstPassRow + pass);
    row.markUsed();
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

// Records what a channel read reports; sets `stop` once row `stopAtRow` becomes current.
class Recorder : public ChannelTransferObserver {
public:
    QList<int> decoded;
    bool blanked = false;
    int stopAtRow = 0;
    std::atomic<bool> stop{false};
    void currentRow(int rowNumber) override {
        if (rowNumber == stopAtRow)
            stop.store(true);
    }
    void rowDecoded(int rowNumber, const ChannelRow&) override { decoded << rowNumber; }
    void emptyRowsBlanked() override { blanked = true; }
};

} // namespace

class TestChannelTransfer : public QObject {
    Q_OBJECT

private slots:
    // Selected rows go in ascending order whatever the direction of the selection; rows of the dual
    // block use their remapped records (row 1102 is record 1201, the sub of pair 0).
    void selectedRowsGoInAscendingOrder() {
        const int current = 1104;
        const int selectionEnd = 1100;
        const QList<quint32> addresses{0x124C0, 0x12500, 0x13E00, 0x12540, 0x13E40};
        const QStringList frequencies{"", "145.00000MHz", "433.00000MHz", "145.50000MHz",
                                      "1295.00000MHz"}; // as the demo radio holds them
        SimulatedRadio radio;
        ChannelTable table;
        Recorder recorder;
        {
            Session session(radio, fast);
            QCOMPARE(readSelectedChannels(session, table, current, selectionEnd, &recorder).outcome,
                     Outcome::Success);
        }
        QVERIFY(recorder.blanked); // the empty rows of the whole table, after the last row
        QCOMPARE(commandAddresses(radio, 'R'), addresses);
        const int n = int(addresses.size());
        for (int i = 0; i < n; ++i)
            QCOMPARE(table.cell(selectionEnd + i, FrequencyColumn), frequencies[i]);

        // Written back into a blank radio, each row lands at its own record; then the pass
        // table follows: with no pass channel in use, thirteen blocks of "F". (A whole read and
        // write is the fault matrix's round trip, tests/hardening.)
        SimulatedRadio target(SimulatedRadio::blankImage());
        Session session(target, fast);
        QCOMPARE(writeSelectedChannels(session, table, current, selectionEnd).outcome,
                 Outcome::Success);
        QCOMPARE(commandAddresses(target, 'W').mid(0, n), addresses);
        QCOMPARE(target.exchangeCount(), 1 + n + 13);
        for (int i = 0; i < n; ++i)
            QCOMPARE(target.memory(addresses[i], 64), radio.memory(addresses[i], 64));
        QCOMPARE(target.memory(0xC00, 808), QByteArray(808, '\xFF'));
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
        for (int entry : {0, 1, 3, 4, 6, 10, 99})
            QCOMPARE(pass.mid(entry * 8, 8), QByteArray(8, '\xFF'));
    }

    // With all 100 in use the list runs from the head through every entry in frequency order
    // (equal frequencies by pass number) and back to the head.
    void passTableWithAllHundredUsed() {
        ChannelTable table;
        QList<int> order; // pass numbers by rising frequency
        for (int step = 6; step >= 0; --step) {
            for (int i = step; i < 100; i += 7)
                order << i;
        }
        for (int i = 0; i < 100; ++i)
            usePass(table, i, (QByteArray::number(439.9 - (i % 7) * 0.01, 'f', 5) + "MHz").data());
        const QByteArray pass = buildPassTable(table);
        const auto entry = [&](int i, int field) { return int(quint8(pass[i * 8 + field])); };
        QCOMPARE(entry(100, 4), 0); // link A of the head
        QCOMPARE(entry(100, 6), 0xFF);
        QCOMPARE(pass.mid(100 * 8, 4), pass.mid(order.first() * 8, 4));
        order.prepend(100);
        for (int k = 1; k <= 100; ++k) {
            QCOMPARE(entry(order[k - 1], 5), order[k]);
            QCOMPARE(entry(order[k], 6), order[k - 1]);
            QCOMPARE(entry(order[k], 4), 0xFF);
        }
        QCOMPARE(entry(order[100], 5), 100); // the highest entry points back to the head
    }

    // Failed attempts are counted over the whole loop, not per record; the attempt that reaches
    // the limit is the last exchange. A read that ends early (at its limit, on a record it cannot
    // decode, or closed) keeps the rows decoded so far and blanks nothing.
    void endsEarly_data() {
        // R read, W write, U read with record 3 undecodable, S read closed as row 10 is read.
        QTest::addColumn<char>("way");
        QTest::addColumn<int>("first"); // the faulty exchanges: `count` of them, `gap` apart
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("outcome");
        const int b1 = FirstPassBlockExchange, failed = int(Outcome::Failed);
        QTest::newRow("read: 30 over the loop") << 'R' << 10 << 30 << 50 << failed;
        QTest::newRow("channel loop: 20") << 'W' << 100 << 20 << 1 << failed;
        QTest::newRow("pass block 1: 3") << 'W' << b1 << 3 << 1 << failed;
        QTest::newRow("pass blocks 2-12: 10") << 'W' << b1 + 1 << 10 << 1 << failed;
        QTest::newRow("pass block 13: 2") << 'W' << b1 + 12 << 2 << 1 << failed;
        QTest::newRow("record 3 undecodable") << 'U' << 4 << 1 << 1 << int(Outcome::PortError);
        QTest::newRow("closing at row 10") << 'S' << 11 << 1 << 1 << int(Outcome::Stopped);
    }
    void endsEarly() {
        QFETCH(char, way);
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, gap);
        SimulatedRadio radio;
        Recorder recorder;
        if (way == 'U')
            radio.image()[0x1200 + 2 * 64 + 13] = 0; // Tx tone byte 0 is outside the table
        else if (way == 'S')
            recorder.stopAtRow = 10;
        else
            for (int i = 0; i < count; ++i)
                radio.injectFault(first + gap * i, Fault::WrongMarker);
        ChannelTable table;
        Session session(radio, fast, &recorder.stop);
        const TransferResult result = way == 'W' ? writeAllChannels(session, table)
                                                 : readAllChannels(session, table, &recorder);
        QTEST(int(result.outcome), "outcome");
        QCOMPARE(result.detail.contains("row 3"), way == 'U');
        const int exchanges = first + gap * (count - 1);
        QCOMPARE(radio.exchangeCount(), exchanges);
        if (way != 'W') {
            QCOMPARE(recorder.decoded.size(), exchanges - 1 - count); // identify, failures
            QVERIFY(!recorder.blanked);
            QCOMPARE(table.cell(1, FrequencyColumn), QStringLiteral("145.00000MHz"));
        }
    }
};

QTEST_GUILESS_MAIN(TestChannelTransfer)
#include "tst_channel_transfer.moc"
