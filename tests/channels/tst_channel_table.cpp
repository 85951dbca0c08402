#include "channels/channel_record.h"
#include "channels/channel_table.h"

#include <QTest>

using namespace qmh4;

namespace {

std::array<int, 50> bankSizes(std::initializer_list<int> leading) {
    std::array<int, 50> sizes{};
    std::copy(leading.begin(), leading.end(), sizes.begin());
    return sizes;
}

bool hasTexts(const ChannelRow& row) {
    for (int column = FrequencyColumn; column <= NameColumn; ++column) {
        if (!row.cell(column).isEmpty())
            return true;
    }
    return !row.name.isEmpty();
}

} // namespace

class ChannelTableTest : public QObject {
    Q_OBJECT

private slots:
    void startupFillsOnlyCallAndBugFinderRows();
    void startupPresetRows_data();
    void startupPresetRows();
    void startupSideTables();
    void labels_data();
    void labels();
    void relabelsFromBankSizes();
    void refusesSizesThatDoNotFill1000Rows_data();
    void refusesSizesThatDoNotFill1000Rows();
    void clearCellsKeepsLabelAndSideTables();
    void blankEmptyRowsSparesCallAndBugFinderRows();
    void rowsOutsideTheTableAreRefused();
};

void ChannelTableTest::startupFillsOnlyCallAndBugFinderRows() {
    const ChannelTable table;
    int filled = 0;
    for (int row = FirstRow; row <= LastRow; ++row) {
        const bool expected = isCallRow(row) || isBugFinderRow(row);
        QCOMPARE(hasTexts(table.row(row)), expected);
        QVERIFY(!table.row(row).used);
        filled += hasTexts(table.row(row)) ? 1 : 0;
    }
    QCOMPARE(filled, 23);
}

void ChannelTableTest::startupPresetRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("frequency");
    QTest::newRow("CALL-VHF") << 1401 << u"145.00000MHz"_qs;
    QTest::newRow("CALL-UHF") << 1402 << u"433.00000MHz"_qs;
    QTest::newRow("CALL-1.2") << 1403 << u"1295.00000MHz"_qs;
    QTest::newRow("BUG - 0") << 1604 << u"398.60500MHz"_qs;
    QTest::newRow("BUG - 6") << 1610 << u"140.00000MHz"_qs;
    QTest::newRow("BUG - 19") << 1623 << u"321.13500MHz"_qs;
}

void ChannelTableTest::startupPresetRows() {
    QFETCH(int, row);
    QFETCH(QString, frequency);
    const ChannelTable table;
    const QStringList expected{frequency,  u"FM"_qs,       u"5KHz"_qs,   u"2300Hz"_qs,
                               u"None"_qs, u"88.5Hz"_qs,   u"88.5Hz"_qs, u"023"_qs,
                               u"Off"_qs,  u"0.000MHz"_qs, QString(),    QString()};
    for (int column = FrequencyColumn; column <= NameColumn; ++column)
        QCOMPARE(table.cell(row, column), expected.at(column - 1));
}

void ChannelTableTest::startupSideTables() {
    const ChannelTable table;
    for (int row = FirstRow; row <= LastRow; ++row) {
        const ChannelRow& r = table.row(row);
        QVERIFY(r.txTone == 8 && r.rxTone == 8 && r.dcs == 0 && r.train == 28 && r.step == 0);
        QVERIFY(r.name.isEmpty());
    }
}

void ChannelTableTest::labels_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");
    QTest::newRow("first memory row") << 1 << u"Bank000-0"_qs;
    QTest::newRow("end of bank 0") << 100 << u"Bank000-99"_qs;
    QTest::newRow("start of bank 1") << 101 << u"Bank001-0"_qs;
    QTest::newRow("last memory row") << 1000 << u"Bank009-99"_qs;
    QTest::newRow("first program scan") << 1001 << u"PRG - 0A"_qs;
    QTest::newRow("second program scan") << 1002 << u"PRG - 0B"_qs;
    QTest::newRow("last program scan") << 1100 << u"PRG - 49B"_qs;
    QTest::newRow("first Main") << 1101 << u"Dual0(Main) "_qs;
    QTest::newRow("first Sub") << 1102 << u"Dual0(Sub) "_qs;
    QTest::newRow("last Sub") << 1300 << u"Dual99(Sub) "_qs;
    QTest::newRow("first priority") << 1301 << u"PRIO - 0"_qs;
    QTest::newRow("last priority") << 1400 << u"PRIO - 99"_qs;
    QTest::newRow("call VHF") << 1401 << u"CALL-VHF"_qs;
    QTest::newRow("call UHF") << 1402 << u"CALL-UHF"_qs;
    QTest::newRow("call 1.2") << 1403 << u"CALL-1.2"_qs;
    QTest::newRow("first pass") << 1404 << u"PASS - 0"_qs;
    QTest::newRow("last pass") << 1503 << u"PASS - 99"_qs;
    QTest::newRow("first TSF") << 1504 << u"TSF - 0"_qs;
    QTest::newRow("last TSF") << 1603 << u"TSF - 99"_qs;
    QTest::newRow("first bug finder") << 1604 << u"BUG - 0"_qs;
    QTest::newRow("last bug finder") << 1623 << u"BUG - 19"_qs;
}

void ChannelTableTest::labels() {
    QFETCH(int, row);
    QFETCH(QString, label);
    const ChannelTable table;
    QCOMPARE(table.cell(row, LabelColumn), label);
}

void ChannelTableTest::relabelsFromBankSizes() {
    ChannelTable table;
    auto sizes = bankSizes({3, 0, 2});
    sizes[49] = 995;
    QVERIFY(table.relabelMemoryRows(sizes));
    const QStringList expected{u"Bank000-0"_qs, u"Bank000-1"_qs, u"Bank000-2"_qs,
                               u"Bank002-0"_qs, u"Bank002-1"_qs, u"Bank049-0"_qs};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(table.cell(i + 1, LabelColumn), expected.at(i));
    QCOMPARE(table.cell(1000, LabelColumn), u"Bank049-994"_qs);
    QCOMPARE(table.cell(1001, LabelColumn), u"PRG - 0A"_qs);
}

void ChannelTableTest::refusesSizesThatDoNotFill1000Rows_data() {
    QTest::addColumn<QList<int>>("sizes");
    QTest::newRow("all zero") << QList<int>{};
    QTest::newRow("999") << QList<int>{999};
    QTest::newRow("1001") << QList<int>{1001};
    QTest::newRow("negative size evens the sum") << QList<int>{1100, -100};
    QTest::newRow("overflowing sum") << QList<int>{0x7FFFFFFF, 0x7FFFFFFF, 1002};
}

void ChannelTableTest::refusesSizesThatDoNotFill1000Rows() {
    QFETCH(QList<int>, sizes);
    std::array<int, 50> all{};
    std::copy(sizes.begin(), sizes.end(), all.begin());
    ChannelTable table;
    const ChannelTable before;
    QVERIFY(!table.relabelMemoryRows(all));
    QCOMPARE(table, before);
}

void ChannelTableTest::clearCellsKeepsLabelAndSideTables() {
    ChannelTable table;
    ChannelRow& row = table.row(1402);
    row.name = u"N"_qs;
    row.cell(NameColumn) = u"N"_qs;
    row.txTone = 3;
    row.used = true;
    table.clearCells(1402);
    QVERIFY(!hasTexts(table.row(1402)));
    QCOMPARE(table.cell(1402, LabelColumn), u"CALL-UHF"_qs);
    QCOMPARE(table.row(1402).txTone, 3);
    QVERIFY(table.row(1402).used);
}

void ChannelTableTest::blankEmptyRowsSparesCallAndBugFinderRows() {
    ChannelTable table;
    // Every row gets texts and a name; rows 5 and 1500 hold a channel.
    for (int row = FirstRow; row <= LastRow; ++row) {
        table.setCell(row, FrequencyColumn, u"145.00000MHz"_qs);
        table.setCell(row, NameColumn, u"X"_qs);
        table.row(row).name = u"X"_qs;
    }
    table.row(5).used = true;
    table.row(1500).used = true;
    table.blankEmptyRows();
    for (int row = FirstRow; row <= LastRow; ++row) {
        const bool kept = row == 5 || row == 1500 || isCallRow(row) || isBugFinderRow(row);
        QCOMPARE(hasTexts(table.row(row)), kept);
        QVERIFY(!table.cell(row, LabelColumn).isEmpty());
    }
}

void ChannelTableTest::rowsOutsideTheTableAreRefused() {
    ChannelTable table;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.row(0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.row(LastRow + 1));
    QVERIFY(isChannelRow(LastRow) && !isChannelRow(0) && !isChannelRow(LastRow + 1));
}

QTEST_GUILESS_MAIN(ChannelTableTest)
#include "tst_channel_table.moc"
