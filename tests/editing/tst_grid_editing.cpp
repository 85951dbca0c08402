#include "channel_rows.h"
#include "editing/grid_editing.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::fillRow;
using qmh4::test::rowIsClear;

Q_DECLARE_METATYPE(qmh4::ChannelKind)
Q_DECLARE_METATYPE(qmh4::DetailCode)

class GridEditingTest : public QObject {
    Q_OBJECT

private slots:
    void openRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<ChannelKind>("kind");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("secondRow");
        QTest::newRow("memory") << 1 << true << ChannelKind::Single << 1 << 0;
        QTest::newRow("last Sub row") << 1300 << true << ChannelKind::Dual << 1299 << 1300;
        QTest::newRow("first bug finder") << 1604 << false << ChannelKind::Single << 0 << 0;
        QTest::newRow("last bug finder") << 1623 << false << ChannelKind::Single << 0 << 0;
        QTest::newRow("header row") << 0 << false << ChannelKind::Single << 0 << 0;
    }

    void openRow() {
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

    // "OK" written into the table. A row that shows a frequency must never go to the radio as an
    // empty record, so a frequency refused on "OK" clears the row. A pass frequency already held is
    // refused and leaves the edited channel exactly as it was, in use and with its name, so that
    // the next write does not send it as empty. Rows outside the edit never change.
    void commit_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("firstMhz");
        QTest::addColumn<QString>("secondMhz");
        QTest::addColumn<DetailCode>("code");
        QTest::addColumn<QStringList>("cells"); // frequency cells of the edited rows; none: refused
        const auto row = [](const char* name, int rowNumber, const char* first, const char* second,
                            DetailCode code, const QStringList& cells) {
            QTest::newRow(name) << rowNumber << QString(first) << QString(second) << code << cells;
        };
        const QString f145 = "145.00000MHz", f433 = "433.00000MHz";
        row("memory, a pass channel's frequency", 1, "145", "", DetailCode::SingleFilled, {f145});
        row("memory, refused band", 10, "836", "", DetailCode::SingleEmpty, {""});
        row("pass, refused band", 1450, "836", "", DetailCode::SingleEmpty, {""});
        row("pass, frequency held", 1405, "145", "", DetailCode::SingleFilled, {});
        row("pass, new frequency", 1405, "146", "", DetailCode::SingleFilled, {"146.00000MHz"});
        row("dual, both", 1104, "145", "433", DetailCode::Both, {f145, f433});
        row("dual, Main only", 1104, "145", "", DetailCode::MainOnly, {f145, ""});
        row("dual, Sub only", 1104, "", "433", DetailCode::SubOnly, {"", f433});
        row("dual, neither", 1104, "", "", DetailCode::NeitherDual, {"", ""});
    }

    void commit() {
        QFETCH(int, row);
        QFETCH(QString, firstMhz);
        QFETCH(QString, secondMhz);
        QFETCH(QStringList, cells);
        ChannelTable table;
        fillRow(table, 1404, "145.00000MHz", "PASS");
        fillRow(table, row, "433.00000MHz", "OLD");
        if (isDualRow(row))
            fillRow(table, row - 1, "433.00000MHz", "OLD");
        const ChannelTable before = table;
        DetailRequest request = openDetail(table, row);
        request.first.frequency = {firstMhz, "00000"};
        request.second.frequency = {secondMhz, "00000"};
        request.first.name = request.second.name = "NEW";
        const DetailResult result = acceptDetail(request, request.first, request.second);
        QTEST(result.code, "code");

        const CommitReport report = commitDetail(table, result);
        QCOMPARE(report.outcome, cells.isEmpty() ? CommitOutcome::Overlap : CommitOutcome::Written);
        const int first = result.firstRow, count = static_cast<int>(cells.size());
        QCOMPARE(report.rows, (count == 0 ? RowSpan{} : RowSpan{first, first + count - 1}));
        for (int r = FirstRow; r <= LastRow; ++r) {
            if (r < first || r >= first + count) {
                QVERIFY2(table.row(r) == before.row(r), qPrintable(QString::number(r)));
                continue;
            }
            const QString& cell = cells[r - first];
            QCOMPARE(table.cell(r, FrequencyColumn), cell);
            QCOMPARE(table.row(r).used, !cell.isEmpty());
            QCOMPARE(rowIsClear(table.row(r)), cell.isEmpty());
            QCOMPARE(table.row(r).name, cell.isEmpty() ? "" : "NEW");
        }
    }

    // Indices outside the dialog's lists show as "ERROR", never as another entry's caption.
    void commitShowsErrorForBadIndices() {
        DetailRecord record;
        record.frequency = "145.00000";
        record.mode = 4;
        record.toneType = 6;
        record.shift = 3;
        ChannelTable table;
        commitDetail(table, {DetailCode::SingleFilled, 1, 0, record, DetailRecord{}});
        const ChannelRow& row = table.row(1);
        QCOMPARE(
            (QStringList{row.cell(ModeColumn), row.cell(ToneTypeColumn), row.cell(ShiftColumn)}),
            QStringList(3, "ERROR"));
    }

    // The radio tells pass channels apart to the kHz, whatever the number of MHz digits.
    void passOverlap_data() {
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

    void passOverlap() {
        QFETCH(QString, held);
        QFETCH(bool, heldUsed);
        ChannelTable table;
        fillRow(table, 1503, held, "");
        table.row(1503).used = heldUsed;
        QFETCH(QString, wanted);
        QTEST(passFrequencyTaken(table, 1404, wanted), "overlaps");
        QVERIFY(!passFrequencyTaken(table, 1503, wanted)); // a channel never overlaps itself
    }

    // The rows from the current row to the selection end are cleared, every other row stays.
    void clearSelection_data() {
        QTest::addColumn<bool>("deleteKey"); // else the "Clear" button
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("selectionEnd");
        QTest::addColumn<QList<int>>("cleared");
        const auto row = [](const char* name, bool deleteKey, int current, int selectionEnd,
                            const QList<int>& cleared) {
            QTest::newRow(name) << deleteKey << current << selectionEnd << cleared;
        };
        row("Delete spans the call rows", true, 1400, 1405, {1400, 1401, 1402, 1403, 1404, 1405});
        row("Clear skips the call rows, selection upwards", false, 1405, 1400, {1400, 1404, 1405});
        row("Clear on one call row", false, 1401, 1401, {});
        row("Delete on a bug-finder row does nothing", true, 1604, 1600, {});
        row("Delete reaches into the bug finder", true, 1603, 1605, {1603, 1604, 1605});
        row("Clear stops before the bug finder", false, 1602, 1610, {1602, 1603});
    }
    void clearSelection() {
        QFETCH(bool, deleteKey);
        QFETCH(int, current);
        QFETCH(int, selectionEnd);
        QFETCH(QList<int>, cleared);
        ChannelTable table;
        for (int row = 1398; row <= 1612; ++row)
            fillRow(table, row, "145.00000MHz", "NAME");
        const ChannelTable before = table;
        const ClearVariant variant =
            deleteKey ? ClearVariant::DeleteKey : ClearVariant::ClearButton;
        const RowSpan span = clearRows(table, current, selectionEnd, variant);
        for (int row = FirstRow; row <= LastRow; ++row) {
            const QByteArray where = QByteArray::number(row);
            if (!cleared.contains(row)) {
                QVERIFY2(table.row(row) == before.row(row), where);
                continue;
            }
            QVERIFY2(rowIsClear(table.row(row)), where);
            // The Delete key leaves the name-table entries; the button empties them.
            QCOMPARE(table.row(row).name, deleteKey ? "NAME" : "");
        }
        QCOMPARE(span, (cleared.isEmpty() ? RowSpan{} : RowSpan{cleared.first(), cleared.last()}));
    }
};

QTEST_GUILESS_MAIN(GridEditingTest)
#include "tst_grid_editing.moc"
