#include "channels/channel_table.h"

#include <QTest>

#include <initializer_list>
#include <map>

using namespace qmh4;

namespace {

bool hasTexts(const ChannelRow& row) {
    for (int column = FrequencyColumn; column <= NameColumn; ++column)
        if (!row.cell(column).isEmpty())
            return true;
    return !row.name().isEmpty();
}

QStringList labelsOf(const ChannelTable& table, std::initializer_list<int> rows) {
    QStringList labels;
    for (int row : rows)
        labels << table.cell(row, LabelColumn);
    return labels;
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
            QVERIFY(!r.used() && r.txTone() == 8 && r.rxTone() == 8 && r.dcs() == 0 &&
                    r.train() == 28 && r.step() == 0);
            filled += hasTexts(r) ? 1 : 0;
        }
        QCOMPARE(filled, 23);
        const QStringList preset{u"FM"_qs,       u"5KHz"_qs,   u"2300Hz"_qs, u"None"_qs,
                                 u"88.5Hz"_qs,   u"88.5Hz"_qs, u"023"_qs,    u"Off"_qs,
                                 u"0.000MHz"_qs, QString(),    QString()};
        for (const int row : {1401, 1623}) {
            const auto& cells = table.row(row).cells();
            QCOMPARE(QStringList(cells.begin() + ModeColumn, cells.end()), preset);
        }
        QCOMPARE(labelsOf(table, {1100, 1101, 1102, 1403, 1623}),
                 QStringList({u"PRG - 49B"_qs, u"Dual0(Main) "_qs, u"Dual0(Sub) "_qs,
                              u"CALL-1.2"_qs, u"BUG - 19"_qs}));
    }

    void relabelsFromBankSizes() {
        ChannelTable table;
        std::array<int, 50> sizes{3, 0, 2};
        sizes[49] = 995;
        QVERIFY(table.relabelMemoryRows(sizes));
        QCOMPARE(
            labelsOf(table, {1, 2, 3, 4, 5, 6, 1000, 1001}),
            QStringList({u"Bank000-0"_qs, u"Bank000-1"_qs, u"Bank000-2"_qs, u"Bank002-0"_qs,
                         u"Bank002-1"_qs, u"Bank049-0"_qs, u"Bank049-994"_qs, u"PRG - 0A"_qs}));
    }

    void refusesSizesThatDoNotFill1000Rows_data() {
        QTest::addColumn<QList<int>>("sizes");
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
            table.row(row).setNameWithMarkers(u"X"_qs);
            table.row(row).setTxTone(3);
        }
        table.row(5).markUsed();
        table.blankEmptyRows();
        for (int row = FirstRow; row <= LastRow; ++row) {
            const bool kept = row == 5 || isCallRow(row) || isBugFinderRow(row);
            QCOMPARE(hasTexts(table.row(row)), kept);
            QCOMPARE(table.row(row).txTone(), 3); // side tables stay
        }
    }

    // An index and the caption its column shows change together; an index outside its table
    // changes neither.
    void attributeAndCaptionTogether_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("outside");
        QTest::newRow("step") << int(StepColumn) << 15 << u"1MHz"_qs << 16;
        QTest::newRow("train") << int(CarrierColumn) << 28 << u"ＪＲ"_qs << 29;
        QTest::newRow("tx tone") << int(TxToneColumn) << 38 << u"250.3Hz"_qs << -1;
        QTest::newRow("rx tone") << int(RxToneColumn) << 0 << u"67.0Hz"_qs << 39;
        QTest::newRow("DCS") << int(DcsColumn) << 103 << u"754"_qs << 256;
    }
    void attributeAndCaptionTogether() {
        using Setter = void (ChannelRow::*)(int);
        using Getter = quint8 (ChannelRow::*)() const;
        const std::map<int, std::pair<Setter, Getter>> attributes{
            {StepColumn, {&ChannelRow::setStep, &ChannelRow::step}},
            {CarrierColumn, {&ChannelRow::setTrain, &ChannelRow::train}},
            {TxToneColumn, {&ChannelRow::setTxTone, &ChannelRow::txTone}},
            {RxToneColumn, {&ChannelRow::setRxTone, &ChannelRow::rxTone}},
            {DcsColumn, {&ChannelRow::setDcs, &ChannelRow::dcs}}};
        QFETCH(int, column);
        QFETCH(int, index);
        QFETCH(int, outside);
        const auto [set, entry] = attributes.at(column);
        ChannelRow row = ChannelTable().row(FirstCallRow); // shows the carrier 2300Hz, entry 28
        ChannelRow expected = row;
        (row.*set)(outside);
        QVERIFY(row == expected);
        (row.*set)(index);
        QTEST(row.cell(column), "caption");
        QCOMPARE(int((row.*entry)()), index);
        for (int other = LabelColumn; other < ColumnCount; ++other)
            QVERIFY(other == column || row.cell(other) == expected.cell(other));
    }

    void rowsOutsideTheTableAreRefused() {
        ChannelTable table;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.row(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.row(LastRow + 1));
    }
};

QTEST_GUILESS_MAIN(ChannelTableTest)
#include "tst_channel_table.moc"
