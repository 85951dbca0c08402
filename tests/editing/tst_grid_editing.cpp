#include "editing/grid_editing.h"

#include <QTest>

using namespace qmh4;

Q_DECLARE_METATYPE(qmh4::ChannelKind)
Q_DECLARE_METATYPE(qmh4::DetailCode)
Q_DECLARE_METATYPE(qmh4::ClearVariant)

namespace {

// A used channel with every field set away from the defaults.
void fillRow(ChannelTable& table, int row, const QString& frequency, const QString& name) {
    ChannelRow& r = table.row(row);
    r.cell(FrequencyColumn) = frequency;
    r.cell(ModeColumn) = "NFM";
    r.cell(StepColumn) = "12.5KHz";
    r.cell(CarrierColumn) = "1000Hz";
    r.cell(ToneTypeColumn) = "DCS";
    r.cell(TxToneColumn) = "67.0Hz";
    r.cell(RxToneColumn) = "250.3Hz";
    r.cell(DcsColumn) = "754";
    r.cell(ShiftColumn) = "-";
    r.cell(OffsetColumn) = "10.000MHz";
    r.cell(SkipColumn) = "*";
    r.cell(NameColumn) = name;
    r.step = 4;
    r.train = 7;
    r.txTone = 0;
    r.rxTone = 38;
    r.dcs = 103;
    r.used = true;
    r.name = name;
}

DetailRecord recordAt(const QString& frequency) {
    DetailRecord record;
    record.frequency = frequency;
    record.offset = "0.600";
    return record;
}

bool rowIsClear(const ChannelRow& row) {
    for (int column = FrequencyColumn; column <= NameColumn; ++column) {
        if (!row.cell(column).isEmpty())
            return false;
    }
    return !row.used && row.txTone == 0 && row.rxTone == 0 && row.dcs == 0 && row.train == 0 &&
           row.step == 0;
}

} // namespace

class GridEditingTest : public QObject {
    Q_OBJECT

private slots:
    void openRow_data();
    void openRow();
    void openFillsFromRow();
    void commitWritesEveryField();
    void commitShowsErrorForBadIndices();
    void commitDualCodes_data();
    void commitDualCodes();
    void okWithoutFrequencyClearsSingleRow_data();
    void okWithoutFrequencyClearsSingleRow();
    void passOverlap_data();
    void passOverlap();
    void refusedPassEditRestoresTheChannel();
    void sameFrequencyOnMemoryChannelAccepted();
    void clearSelection_data();
    void clearSelection();
    void upDown_data();
    void upDown();
};

void GridEditingTest::openRow_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<ChannelKind>("kind");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("secondRow");
    QTest::newRow("memory") << 1 << true << ChannelKind::Single << 1 << 0;
    QTest::newRow("Sub row opens its pair") << 1102 << true << ChannelKind::Dual << 1101 << 1102;
    QTest::newRow("last Sub row") << 1300 << true << ChannelKind::Dual << 1299 << 1300;
    QTest::newRow("CALL-VHF") << 1401 << true << ChannelKind::Call << 1401 << 0;
    QTest::newRow("first bug finder") << 1604 << false << ChannelKind::Single << 0 << 0;
    QTest::newRow("last bug finder") << 1623 << false << ChannelKind::Single << 0 << 0;
    QTest::newRow("header row") << 0 << false << ChannelKind::Single << 0 << 0;
}

void GridEditingTest::openRow() {
    QFETCH(int, row);
    const DetailRequest request = openDetail(ChannelTable(), row);
    QTEST(request.opens, "opens");
    if (!request.opens)
        return;
    QTEST(request.kind, "kind");
    QTEST(request.firstRow, "firstRow");
    QTEST(request.secondRow, "secondRow");
    QCOMPARE(request.amWfmEnabled(), request.kind == ChannelKind::Single);
}

// Opening a pair and pressing "OK" without a change writes back exactly what was there.
void GridEditingTest::openFillsFromRow() {
    ChannelTable table;
    fillRow(table, 1101, "5.00000MHz", "");
    fillRow(table, 1102, "1295.12340MHz", "CQ:1~");
    table.row(1102).name = "CQ①";
    const ChannelTable before = table;
    DetailRequest request = openDetail(table, 1102);
    QCOMPARE(request.first.label, "Dual0(Main) ");
    QCOMPARE(request.second.label, "Dual0(Sub) ");
    QCOMPARE(request.second.frequency, (FrequencyBoxes{"1295", "12340"}));
    QCOMPARE(request.second.offset, (OffsetBoxes{"10", "000"}));
    commitDetail(table, acceptDetail(request, request.first, request.second));
    QVERIFY(table == before);
}

void GridEditingTest::commitWritesEveryField() {
    ChannelTable table;
    DetailRecord record = recordAt("5.00000");
    record.mode = 3;
    record.step = 15;
    record.toneType = 5;
    record.txTone = 1;
    record.rxTone = 2;
    record.dcs = 10;
    record.train = 27;
    record.shift = 1;
    record.offset = "999.995";
    record.skip = true;
    record.name = ":2~東";
    const CommitReport report =
        commitDetail(table, {DetailCode::SingleFilled, 17, 0, record, DetailRecord{}});
    QCOMPARE(report.outcome, CommitOutcome::Written);
    QCOMPARE(report.rows, (RowSpan{17, 17}));
    const ChannelRow& row = table.row(17);
    const QStringList expected{"5.00000MHz", "WFM", "1MHz", "3000Hz",     "Train", "69.3Hz",
                               "71.9Hz",     "054", "+",    "999.995MHz", "*",     ":2~東"};
    for (int column = FrequencyColumn; column <= NameColumn; ++column)
        QCOMPARE(row.cell(column), expected[column - 1]);
    QCOMPARE((QList<int>{row.step, row.train, row.txTone, row.rxTone, row.dcs, row.used}),
             (QList<int>{15, 27, 1, 2, 10, 1}));
    QCOMPARE(row.name, "②東");
    QCOMPARE(row.cell(LabelColumn), ChannelTable().cell(17, LabelColumn));
}

void GridEditingTest::commitShowsErrorForBadIndices() {
    ChannelTable table;
    DetailRecord record = recordAt("145.00000");
    record.mode = 4;
    record.toneType = 6;
    record.shift = 3;
    commitDetail(table, {DetailCode::SingleFilled, 1, 0, record, DetailRecord{}});
    QCOMPARE(table.cell(1, ModeColumn), "ERROR");
    QCOMPARE(table.cell(1, ToneTypeColumn), "ERROR");
    QCOMPARE(table.cell(1, ShiftColumn), "ERROR");
}

void GridEditingTest::commitDualCodes_data() {
    QTest::addColumn<QString>("mainFrequency");
    QTest::addColumn<QString>("subFrequency");
    QTest::addColumn<DetailCode>("code");
    QTest::addColumn<QString>("mainCell");
    QTest::addColumn<QString>("subCell");
    QTest::newRow("both filled") << "145.00000"
                                 << "433.00000" << DetailCode::Both << "145.00000MHz"
                                 << "433.00000MHz";
    QTest::newRow("Main only") << "145.00000"
                               << "" << DetailCode::MainOnly << "145.00000MHz"
                               << "";
    QTest::newRow("Sub only") << ""
                              << "433.00000" << DetailCode::SubOnly << ""
                              << "433.00000MHz";
    QTest::newRow("neither") << ""
                             << "" << DetailCode::NeitherDual << ""
                             << "";
}

void GridEditingTest::commitDualCodes() {
    ChannelTable table;
    fillRow(table, 1103, "100.00000MHz", "OLD");
    fillRow(table, 1104, "200.00000MHz", "OLD");
    DetailRequest request = openDetail(table, 1104);
    QFETCH(QString, mainFrequency);
    QFETCH(QString, subFrequency);
    const auto boxesOf = [](const QString& text) {
        return text.isEmpty() ? FrequencyBoxes{} : FrequencyBoxes{text.left(3), text.mid(4)};
    };
    request.first.frequency = boxesOf(mainFrequency);
    request.second.frequency = boxesOf(subFrequency);
    const DetailResult result = acceptDetail(request, request.first, request.second);
    QTEST(result.code, "code");

    const CommitReport report = commitDetail(table, result);
    QCOMPARE(report.rows, (RowSpan{1103, 1104}));
    QTEST(table.cell(1103, FrequencyColumn), "mainCell");
    QTEST(table.cell(1104, FrequencyColumn), "subCell");
    for (int row : {1103, 1104}) {
        const bool filled = !table.cell(row, FrequencyColumn).isEmpty();
        QCOMPARE(table.row(row).used, filled);
        QCOMPARE(rowIsClear(table.row(row)), !filled);
        QCOMPARE(table.row(row).name, filled ? "OLD" : "");
    }
    QCOMPARE(table.cell(1102, FrequencyColumn), QString()); // neighbours untouched
    QCOMPARE(table.cell(1105, FrequencyColumn), QString());
}

// A row that shows a frequency must never go to the radio as an empty record: "OK" with the
// frequency refused clears the row.
void GridEditingTest::okWithoutFrequencyClearsSingleRow_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("memory") << 10;
    QTest::newRow("pass") << 1450;
}

void GridEditingTest::okWithoutFrequencyClearsSingleRow() {
    QFETCH(int, row);
    ChannelTable table;
    fillRow(table, row, "145.00000MHz", "GONE");
    DetailRequest request = openDetail(table, row);
    request.first.frequency = {"836", "00000"};
    const DetailResult result = acceptDetail(request, request.first, request.second);
    QCOMPARE(result.code, DetailCode::SingleEmpty);
    const CommitReport report = commitDetail(table, result);
    QCOMPARE(report.rows, (RowSpan{row, row}));
    QVERIFY(rowIsClear(table.row(row)));
    QCOMPARE(table.row(row).name, QString());
}

// The radio tells pass channels apart to the kHz, whatever the number of MHz digits.
void GridEditingTest::passOverlap_data() {
    QTest::addColumn<QString>("held");
    QTest::addColumn<bool>("heldUsed");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<bool>("overlaps");
    QTest::newRow("same kHz") << "145.12500MHz" << true << "145.12599" << true;
    QTest::newRow("next kHz") << "145.12500MHz" << true << "145.12600" << false;
    QTest::newRow("one digit, same kHz") << "5.12300MHz" << true << "5.12399" << true;
    QTest::newRow("four digits, other kHz") << "1295.10000MHz" << true << "1295.10500" << false;
    QTest::newRow("four digits, same kHz") << "1295.10000MHz" << true << "1295.10090" << true;
    QTest::newRow("other digit count") << "14.50000MHz" << true << "145.00000" << false;
    QTest::newRow("held channel unused") << "145.00000MHz" << false << "145.00000" << false;
}

void GridEditingTest::passOverlap() {
    QFETCH(QString, held);
    QFETCH(bool, heldUsed);
    ChannelTable table;
    fillRow(table, 1503, held, "");
    table.row(1503).used = heldUsed;
    QFETCH(QString, wanted);
    QTEST(passFrequencyTaken(table, 1404, wanted), "overlaps");
    QVERIFY(!passFrequencyTaken(table, 1503, wanted)); // a channel never overlaps itself
}

// The refused edit must leave the existing channel exactly as it was: still in use, with its
// name, so the next write does not send it as empty.
void GridEditingTest::refusedPassEditRestoresTheChannel() {
    ChannelTable table;
    fillRow(table, 1404, "145.00000MHz", "FIRST");
    fillRow(table, 1405, "433.00000MHz", "SECOND");
    const ChannelTable before = table;
    DetailRequest request = openDetail(table, 1405);
    request.first.frequency = {"145", "00000"};
    request.first.name = "CHANGED";
    const CommitReport report =
        commitDetail(table, acceptDetail(request, request.first, request.second));
    QCOMPARE(report.outcome, CommitOutcome::Overlap);
    QVERIFY(report.rows.isEmpty());
    QVERIFY(table == before);
    QVERIFY(table.row(1405).used);
    QCOMPARE(table.row(1405).name, "SECOND");
    QCOMPARE(QString(OverlapMessage), "Overlaps in Frequency");
    QCOMPARE(QString(OverlapTitle), " Error");
}

void GridEditingTest::sameFrequencyOnMemoryChannelAccepted() {
    ChannelTable table;
    fillRow(table, 1404, "145.00000MHz", "PASS");
    DetailRequest request = openDetail(table, 1);
    request.first.frequency = {"145", ""};
    const CommitReport report =
        commitDetail(table, acceptDetail(request, request.first, request.second));
    QCOMPARE(report.outcome, CommitOutcome::Written);
    QCOMPARE(table.cell(1, FrequencyColumn), "145.00000MHz");
}

void GridEditingTest::clearSelection_data() {
    QTest::addColumn<ClearVariant>("variant");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("selectionEnd");
    QTest::addColumn<QList<int>>("cleared");
    QTest::addColumn<QList<int>>("kept");
    const QList<int> around{1399, 1400, 1401, 1402, 1403, 1404, 1405, 1406};
    QTest::newRow("Delete spans the call rows")
        << ClearVariant::DeleteKey << 1400 << 1405 << QList<int>{1400, 1401, 1402, 1403, 1404, 1405}
        << QList<int>{1399, 1406};
    QTest::newRow("Clear skips the call rows")
        << ClearVariant::ClearButton << 1400 << 1405 << QList<int>{1400, 1404, 1405}
        << QList<int>{1399, 1401, 1402, 1403, 1406};
    QTest::newRow("Clear, selection made upwards")
        << ClearVariant::ClearButton << 1405 << 1400 << QList<int>{1400, 1404, 1405}
        << QList<int>{1401, 1402, 1403};
    QTest::newRow("Delete on a call row does nothing")
        << ClearVariant::DeleteKey << 1402 << 1405 << QList<int>{} << around;
    QTest::newRow("Delete on a bug-finder row does nothing")
        << ClearVariant::DeleteKey << 1604 << 1600 << QList<int>{} << QList<int>{1600, 1604};
    QTest::newRow("Delete reaches into the bug finder")
        << ClearVariant::DeleteKey << 1603 << 1605 << QList<int>{1603, 1604, 1605}
        << QList<int>{1606};
    QTest::newRow("Clear stops before the bug finder")
        << ClearVariant::ClearButton << 1602 << 1610 << QList<int>{1602, 1603}
        << QList<int>{1604, 1610};
    QTest::newRow("Clear on bug-finder rows only")
        << ClearVariant::ClearButton << 1604 << 1623 << QList<int>{} << QList<int>{1604, 1623};
    QTest::newRow("Clear on one call row")
        << ClearVariant::ClearButton << 1401 << 1401 << QList<int>{} << QList<int>{1401};
}

void GridEditingTest::clearSelection() {
    QFETCH(ClearVariant, variant);
    QFETCH(int, current);
    QFETCH(int, selectionEnd);
    QFETCH(QList<int>, cleared);
    QFETCH(QList<int>, kept);
    ChannelTable table;
    for (int row : cleared + kept) {
        if (!isCallRow(row) && !isBugFinderRow(row))
            fillRow(table, row, "145.00000MHz", "NAME");
        table.row(row).used = true;
        table.row(row).name = "NAME";
    }
    const ChannelTable before = table;

    const RowSpan span = clearRows(table, current, selectionEnd, variant);

    for (int row : cleared) {
        QVERIFY2(rowIsClear(table.row(row)), qPrintable(QString::number(row)));
        // The Delete key leaves the name-table entries; the button empties them.
        QCOMPARE(table.row(row).name, variant == ClearVariant::DeleteKey ? "NAME" : "");
    }
    for (int row : kept)
        QVERIFY2(table.row(row) == before.row(row), qPrintable(QString::number(row)));
    if (cleared.isEmpty()) {
        QVERIFY(span.isEmpty());
    } else {
        QCOMPARE(span.first, cleared.first());
        QCOMPARE(span.last, cleared.last());
    }
}

void GridEditingTest::upDown_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("down");
    QTest::newRow("first row") << 1 << 1 << 2;
    QTest::newRow("second row") << 2 << 1 << 3;
    QTest::newRow("last row") << 1623 << 1622 << 1623;
}

void GridEditingTest::upDown() {
    QFETCH(int, row);
    QTEST(rowAfterUp(row), "up");
    QTEST(rowAfterDown(row), "down");
}

QTEST_GUILESS_MAIN(GridEditingTest)
#include "tst_grid_editing.moc"
