#include "channel_rows.h"
#include "editing/grid_editing.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::fillRow;
using qmh4::test::rowIsClear;

Q_DECLARE_METATYPE(qmh4::DetailCode)

class GridEditingTest : public QObject {
    Q_OBJECT

private slots:
    // The edges of what opens (the window tests open the others): the last pair, the last pass
    // channel and the first bug-finder row.
    void openRowEdges() {
        const DetailRequest pair = openDetail(ChannelTable(), 1300);
        QVERIFY(pair.opens && pair.firstRow == 1299 && pair.secondRow == 1300);
        QVERIFY(openDetail(ChannelTable(), 1603).opens);
        QVERIFY(!openDetail(ChannelTable(), 1604).opens);
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
        row("pass, frequency held", 1405, "145", "", DetailCode::SingleFilled, {});
        row("pass, new frequency", 1405, "146", "", DetailCode::SingleFilled, {"146.00000MHz"});
        row("dual, both", 1104, "145", "433", DetailCode::Both, {f145, f433});
        row("dual, Main only", 1104, "145", "", DetailCode::MainOnly, {f145, ""});
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
            QCOMPARE(rowIsClear(table.row(r)), cell.isEmpty());
            QCOMPARE(table.row(r).name(), cell.isEmpty() ? "" : "NEW");
        }
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
        QTest::newRow("four digits, same kHz") << "1295.10000MHz" << true << "1295.10090" << true;
        QTest::newRow("other digit count") << "14.50000MHz" << true << "145.00000" << false;
        QTest::newRow("held channel unused") << "145.00000MHz" << false << "145.00000" << false;
    }

    void passOverlap() {
        QFETCH(QString, held);
        QFETCH(bool, heldUsed);
        ChannelTable table;
        fillRow(table, 1503, held, "");
        table.row(1503).markUsed(heldUsed);
        QFETCH(QString, wanted);
        QTEST(passFrequencyTaken(table, 1404, wanted), "overlaps");
        QVERIFY(!passFrequencyTaken(table, 1503, wanted)); // a channel never overlaps itself
    }

    // At the bug finder's edge the Delete key runs on into it and keeps the name entries, the
    // Clear button stops before it and empties them. The window tests run the call rows.
    void clearAtTheBugFinder() {
        ChannelTable table;
        for (int row = 1598; row <= 1612; ++row)
            fillRow(table, row, "145.00000MHz", "NAME");
        ChannelTable deleted = table, cleared = table;
        QCOMPARE(clearRows(deleted, 1603, 1605, ClearVariant::DeleteKey), (RowSpan{1603, 1605}));
        QCOMPARE(clearRows(cleared, 1602, 1610, ClearVariant::ClearButton), (RowSpan{1602, 1603}));
        for (int row = 1598; row <= 1612; ++row) {
            const bool byDelete = row >= 1603 && row <= 1605, byClear = row >= 1602 && row <= 1603;
            QVERIFY(byDelete ? rowIsClear(deleted.row(row)) : deleted.row(row) == table.row(row));
            QVERIFY(byClear ? rowIsClear(cleared.row(row)) : cleared.row(row) == table.row(row));
            QCOMPARE(deleted.row(row).name(), "NAME");
            QCOMPARE(cleared.row(row).name(), byClear ? "" : "NAME");
        }
    }
};

QTEST_GUILESS_MAIN(GridEditingTest)
#include "tst_grid_editing.moc"
