#include "channels/channel_table.h"

#include <QTest>

using namespace qmh4;

namespace {

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
    void startupFillsOnlyCallAndBugFinderRows() {
        const ChannelTable table;
        int filled = 0;
        for (int row = FirstRow; row <= LastRow; ++row) {
            const ChannelRow& r = table.row(row);
            QCOMPARE(hasTexts(r), isCallRow(row) || isBugFinderRow(row));
            QVERIFY(!r.used && r.txTone == 8 && r.rxTone == 8 && r.dcs == 0 && r.train == 28 &&
                    r.step == 0);
            filled += hasTexts(r) ? 1 : 0;
        }
        QCOMPARE(filled, 23);
        const QStringList preset{u"FM"_qs,       u"5KHz"_qs,   u"2300Hz"_qs, u"None"_qs,
                                 u"88.5Hz"_qs,   u"88.5Hz"_qs, u"023"_qs,    u"Off"_qs,
                                 u"0.000MHz"_qs, QString(),    QString()};
        for (const int row : {1401, 1623}) {
            const auto& cells = table.row(row).cells;
            QCOMPARE(QStringList(cells.begin() + ModeColumn, cells.end()), preset);
        }
        QCOMPARE(table.cell(1403, FrequencyColumn), u"1295.00000MHz"_qs);
        QCOMPARE(table.cell(1604, FrequencyColumn), u"398.60500MHz"_qs);
        QCOMPARE(table.cell(1623, FrequencyColumn), u"321.13500MHz"_qs);
    }

    void labels_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("label");
        QTest::newRow("first memory row") << 1 << u"Bank000-0"_qs;
        QTest::newRow("last memory row") << 1000 << u"Bank009-99"_qs;
        QTest::newRow("last program scan") << 1100 << u"PRG - 49B"_qs;
        QTest::newRow("first Main") << 1101 << u"Dual0(Main) "_qs;
        QTest::newRow("first Sub") << 1102 << u"Dual0(Sub) "_qs;
        QTest::newRow("last Sub") << 1300 << u"Dual99(Sub) "_qs;
        QTest::newRow("call 1.2") << 1403 << u"CALL-1.2"_qs;
        QTest::newRow("last TSF") << 1603 << u"TSF - 99"_qs;
        QTest::newRow("last bug finder") << 1623 << u"BUG - 19"_qs;
    }
    void labels() {
        QFETCH(int, row);
        QTEST(ChannelTable().cell(row, LabelColumn), "label");
    }

    void relabelsFromBankSizes() {
        ChannelTable table;
        std::array<int, 50> sizes{3, 0, 2};
        sizes[49] = 995;
        QVERIFY(table.relabelMemoryRows(sizes));
        const QStringList expected{u"Bank000-0"_qs, u"Bank000-1"_qs, u"Bank000-2"_qs,
                                   u"Bank002-0"_qs, u"Bank002-1"_qs, u"Bank049-0"_qs};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(table.cell(i + 1, LabelColumn), expected.at(i));
        QCOMPARE(table.cell(1000, LabelColumn), u"Bank049-994"_qs);
        QCOMPARE(table.cell(1001, LabelColumn), u"PRG - 0A"_qs);
    }

    void refusesSizesThatDoNotFill1000Rows_data() {
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("all zero") << QList<int>{};
        QTest::newRow("999") << QList<int>{999};
        QTest::newRow("1001") << QList<int>{1001};
        QTest::newRow("negative size evens the sum") << QList<int>{1100, -100};
        QTest::newRow("overflowing sum") << QList<int>{0x7FFFFFFF, 0x7FFFFFFF, 1002};
    }
    void refusesSizesThatDoNotFill1000Rows() {
        QFETCH(QList<int>, sizes);
        std::array<int, 50> all{};
        std::copy(sizes.begin(), sizes.end(), all.begin());
        ChannelTable table;
        QVERIFY(!table.relabelMemoryRows(all));
        QCOMPARE(table, ChannelTable());
    }

    void blankEmptyRowsSparesCallAndBugFinderRows() {
        ChannelTable table;
        for (int row = FirstRow; row <= LastRow; ++row) {
            table.setCell(row, NameColumn, u"X"_qs);
            table.row(row).name = u"X"_qs;
            table.row(row).txTone = 3;
        }
        table.row(5).used = true;
        table.row(1500).used = true;
        table.blankEmptyRows();
        for (int row = FirstRow; row <= LastRow; ++row) {
            const bool kept = row == 5 || row == 1500 || isCallRow(row) || isBugFinderRow(row);
            QCOMPARE(hasTexts(table.row(row)), kept);
            QCOMPARE(table.row(row).txTone, 3); // side tables and labels stay
            QVERIFY(!table.cell(row, LabelColumn).isEmpty());
        }
    }

    void rowsOutsideTheTableAreRefused() {
        ChannelTable table;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.row(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.row(LastRow + 1));
    }
};

QTEST_GUILESS_MAIN(ChannelTableTest)
#include "tst_channel_table.moc"
