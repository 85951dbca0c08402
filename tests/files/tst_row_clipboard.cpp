#include "files/row_clipboard.h"

#include <QtTest>

using namespace qmh4;

namespace {

// One pasted line in the export's layout; "" gives a line without a frequency.
QString line(const QString& frequency, const QString& mode = QStringLiteral("FM")) {
    return QStringLiteral("\"x\",\"%1\",\"%2\",\"5KHz\",\"1000Hz\",\"None\",\"88.5Hz\",\"88.5Hz\","
                          "\"023\",\"Off\",\"0.000MHz\",\"\",\"N\",\"0\"\r\n")
        .arg(frequency, mode);
}

} // namespace

class TestRowClipboard : public QObject {
    Q_OBJECT

private slots:
    void pasteKeepsToTheBlockAndTheRowsLimits_data();
    void pasteKeepsToTheBlockAndTheRowsLimits();
};

void TestRowClipboard::pasteKeepsToTheBlockAndTheRowsLimits_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("span"); // first, last row covered; {} for none
    QTest::addColumn<QList<int>>("refused");
    QTest::addColumn<QList<int>>("overlap");
    QTest::addColumn<int>("leftOver");
    const QString three = line("145") + line("146") + line("147");
    QTest::newRow("stops at row 1000")
        << 999 << three << QList<int>{999, 1000} << QList<int>{} << QList<int>{} << 1;
    QTest::newRow("never reaches the bug-finder rows")
        << 1602 << three << QList<int>{1602, 1603} << QList<int>{} << QList<int>{} << 1;
    QTest::newRow("nothing on a bug-finder row")
        << 1610 << three << QList<int>{} << QList<int>{} << QList<int>{} << 0;
    QTest::newRow("a word from elsewhere empties nothing")
        << 5 << u"hello\r\n"_qs << QList<int>{} << QList<int>{} << QList<int>{} << 0;
    QTest::newRow("a refused row, the others written")
        << 200 << line("145") + line("836") + line("146.1234567") + line("2000") + line("147")
        << QList<int>{200, 204} << QList<int>{201, 202, 203} << QList<int>{} << 0;
    QTest::newRow("header and tab-separated cells")
        << 10
        << u"\"\",\"Freqency\",\"mode\"\r\nx\t145.5\tNFM\t5KHz\t1000Hz\tNone\t88.5Hz\t"
           u"88.5Hz\t023\tOff\t0.000MHz\t\tN\t0\r\n"_qs
        << QList<int>{10, 10} << QList<int>{} << QList<int>{} << 0;
    QTest::newRow("a Sub row starts its pair; an odd line leaves the Sub empty")
        << 1104 << line("145") << QList<int>{1103, 1104} << QList<int>{} << QList<int>{} << 0;
    QTest::newRow("no AM on a dual row")
        << 1101 << line("145", "AM") + line("146", "WFM") << QList<int>{1101, 1102}
        << QList<int>{1101, 1102} << QList<int>{} << 0;
    QTest::newRow("call rows: their band only, never emptied")
        << 1401 << line("433") + line("") + line("1295.5") << QList<int>{1401, 1403}
        << QList<int>{1401, 1402} << QList<int>{} << 0;
    QTest::newRow("pass overlap with the table and within the paste")
        << 1405 << line("145.5") + line("146") + line("146.0005") << QList<int>{1405, 1407}
        << QList<int>{} << QList<int>{1405, 1407} << 0;
}

void TestRowClipboard::pasteKeepsToTheBlockAndTheRowsLimits() {
    QFETCH(int, start);
    QFETCH(QString, text);
    QFETCH(QList<int>, span);
    QFETCH(QList<int>, refused);
    QFETCH(QList<int>, overlap);
    QFETCH(int, leftOver);
    ChannelTable table;
    ChannelTable pass;
    pasteRows(pass, 1404, line("145.50000"));
    table.row(1404) = pass.row(1404);
    pasteRows(table, FirstDualRow, line("430").repeated(200)); // the emptied Sub shows
    const ChannelTable before = table;

    const PasteReport report = pasteRows(table, start, text);

    const RowSpan covered = span.isEmpty() ? RowSpan{} : RowSpan{span.first(), span.last()};
    QCOMPARE(report.rows, covered);
    QCOMPARE(report.refusedRows, refused);
    QCOMPARE(report.overlapRows, overlap);
    QCOMPARE(report.linesLeftOver, leftOver);
    for (int row = FirstRow; row <= LastRow; ++row) {
        const bool written = row >= report.rows.first && row <= report.rows.last &&
                             !refused.contains(row) && !overlap.contains(row);
        QVERIFY2((table.row(row) == before.row(row)) != written, qPrintable(QString::number(row)));
    }
}

QTEST_GUILESS_MAIN(TestRowClipboard)
#include "tst_row_clipboard.moc"
