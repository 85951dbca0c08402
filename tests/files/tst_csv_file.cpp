#include "files/csv_file.h"
#include "sample_data.h"
#include "text/cp932.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qmh4;

namespace {

const QByteArray QuotedHeader = "\"\",\"Freqency\",\"mode\",\"step\",\"Carrier\",\"Tone/DCS\","
                                "\"Tx-tone\",\"Rx-tone\",\"DCS\",\"Shift\",\"Shift-Freq\","
                                "\"Skip\",\"Name\",\"0\"";

// A row line as a spreadsheet would hold it, with the values of test::setChannel.
QByteArray rowLine(int row, const QByteArray& frequency, const QByteArray& name = "CQ") {
    return "\"label\",\"" + frequency +
           "\",\"NFM\",\"12.5KHz\",\"1000Hz\",\"TSQ\",\"250.3Hz\",\"67.0Hz\",\"754\",\"-\","
           "\"5.000MHz\",\"*\",\"" +
           name + "\",\"" + QByteArray::number(row) + "\"";
}

QByteArray fileOf(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace

class TestCsvFile : public QObject {
    Q_OBJECT

private slots:
    void exportWritesEveryRowQuoted() {
        const QList<QByteArray> lines = splitLines(exportCsv(test::sampleData().channels));
        QCOMPARE(lines.size(), 1624);
        QCOMPARE(lines.first(), QuotedHeader);
        QCOMPARE(lines.at(1), QByteArray("\"Bank000-0\",\"145.12500\",\"NFM\",\"12.5KHz\","
                                         "\"1000Hz\",\"TSQ\",\"250.3Hz\",\"67.0Hz\",\"754\","
                                         "\"-\",\"5.000MHz\",\"*\",\"CQ DX\",\"1\""));
        QVERIFY(lines.at(12).endsWith(",\"  \",\"12\"")); // 東京: one blank per character
        QVERIFY(lines.at(2).startsWith("\"Bank000-1\",\"\",\"\","));
        QVERIFY(lines.at(1623).contains("\"\xCA\xDE\xB8\xDE\",\"1623\""));
    }

    void exportAndImportGiveTheTableBack() {
        ChannelTable table = test::sampleData().channels;
        test::setChannel(table, 500, QStringLiteral("830.00000MHz"), QStringLiteral("LOST"));
        test::setChannel(table, 501, QStringLiteral("850.00000MHz"), QStringLiteral("A,\"B\""));
        const QByteArray bytes = exportCsv(table);
        ChannelTable imported = table;
        imported.row(1610).cell(NameColumn) = QStringLiteral("KEEP"); // never imported
        const CsvImportReport report = importCsv(bytes, imported);
        QVERIFY(report.headerAccepted);
        QCOMPARE(report.rowsRead, 1603);
        QCOMPARE(report.refusedRows, QList<int>{500});
        for (int r = FirstRow; r <= LastImportedRow; ++r) {
            if (r != 1 && r != 12 && r != 500 && table.row(r).used)
                QCOMPARE(imported.row(r), table.row(r));
        }
        QVERIFY(!imported.row(500).used);
        QVERIFY(imported.cell(500, FrequencyColumn).isEmpty());
        QCOMPARE(imported.cell(12, NameColumn), QStringLiteral("  "));
        QCOMPARE(imported.row(1).name, QStringLiteral("CQ DX")); // ① was double-byte
        QCOMPARE(imported.cell(501, NameColumn), QStringLiteral("A,\"B\""));
        QCOMPARE(imported.cell(1610, NameColumn), QStringLiteral("KEEP"));
    }

    void headerIsCheckedBeforeAnythingChanges_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("as exported") << QuotedHeader << true;
        QTest::newRow("without quotes")
            << QByteArray(",Freqency,mode,step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,Shift,"
                          "Shift-Freq,Skip,Name,0")
            << true;
        QTest::newRow("blanks around the fields")
            << QByteArray(" , Freqency , mode,step,Carrier,Tone/DCS,Tx-tone,Rx-tone,DCS,Shift,"
                          "Shift-Freq,Skip,Name,0 ")
            << true;
        QTest::newRow("spelled right")
            << QByteArray(QuotedHeader).replace("Freqency", "Frequency") << false;
        QTest::newRow("a column short") << QByteArray(QuotedHeader).replace(",\"0\"", "") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("not code page 932") << QByteArray("\x81\x20") << false;
    }

    void headerIsCheckedBeforeAnythingChanges() {
        QFETCH(QByteArray, header);
        QFETCH(bool, accepted);
        ChannelTable table;
        const CsvImportReport report = importCsv(fileOf({header, rowLine(1, "145.00000")}), table);
        QCOMPARE(report.headerAccepted, accepted);
        QCOMPARE(table.row(1).used, accepted);
    }

    void fieldsAreSplitAsSpreadsheetsQuoteThem_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("quoted") << "\"a\",\"b\"" << QStringList{"a", "b"};
        QTest::newRow("bare") << "a,,b" << QStringList{"a", "", "b"};
        QTest::newRow("comma inside quotes") << "\"a,b\",c" << QStringList{"a,b", "c"};
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"" << QStringList{"say \"hi\""};
        QTest::newRow("empty quoted") << "\"\",\"\"" << QStringList{"", ""};
        QTest::newRow("blanks outside trimmed") << "  a  , \" b \" " << QStringList{"a", " b "};
        QTest::newRow("stray quote dropped") << "ab\"c" << QStringList{"abc"};
        QTest::newRow("inner blanks kept") << "a b" << QStringList{"a b"};
    }

    void fieldsAreSplitAsSpreadsheetsQuoteThem() {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(parseCsvLine(line), fields);
    }

    void rowValuesAreValidated_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("frequency"); // empty: the row is refused or empty
        QTest::addColumn<bool>("refused");
        const QByteArray good = rowLine(1, "145.00000");
        QTest::newRow("as exported") << good << "145.00000MHz" << false;
        QTest::newRow("few decimals") << rowLine(1, "145.5") << "145.50000MHz" << false;
        QTest::newRow("whole MHz") << rowLine(1, "145") << "145.00000MHz" << false;
        QTest::newRow("leading zero") << rowLine(1, "0145.00000") << "145.00000MHz" << false;
        QTest::newRow("830 MHz") << rowLine(1, "830.00000") << "" << true;
        QTest::newRow("880 MHz") << rowLine(1, "880.00000") << "" << true;
        QTest::newRow("850 MHz") << rowLine(1, "850.00000") << "850.00000MHz" << false;
        QTest::newRow("above 32 bits") << rowLine(1, "4294.96730") << "" << true;
        QTest::newRow("six decimals") << rowLine(1, "145.000000") << "" << true;
        QTest::newRow("not a number") << rowLine(1, "14a.00000") << "" << true;
        QTest::newRow("no frequency") << rowLine(1, "") << "" << false;
        QTest::newRow("mode") << QByteArray(good).replace("NFM", "FMN") << "" << true;
        QTest::newRow("step") << QByteArray(good).replace("12.5KHz", "12KHz") << "" << true;
        QTest::newRow("tone") << QByteArray(good).replace("250.3Hz", "250Hz") << "" << true;
        QTest::newRow("DCS") << QByteArray(good).replace("754", "755") << "" << true;
        QTest::newRow("shift") << QByteArray(good).replace("\"-\"", "\"x\"") << "" << true;
        QTest::newRow("skip") << QByteArray(good).replace("\"*\"", "\"y\"") << "" << true;
        QTest::newRow("JR") << QByteArray(good).replace("1000Hz", "JR") << "145.00000MHz" << false;
        QTest::newRow("name of 17") << rowLine(1, "145.00000", QByteArray(17, 'N')) << "" << true;
        QTest::newRow("missing fields") << QByteArray("\"x\",\"145.00000\",\"FM\"") << "" << true;
    }

    void rowValuesAreValidated() {
        QFETCH(QByteArray, line);
        QFETCH(QString, frequency);
        QFETCH(bool, refused);
        ChannelTable table;
        test::setChannel(table, 1, QStringLiteral("439.00000MHz"));
        const CsvImportReport report = importCsv(fileOf({QuotedHeader, line}), table);
        QCOMPARE(report.refusedRows, refused ? QList<int>{1} : QList<int>());
        QCOMPARE(table.cell(1, FrequencyColumn), frequency);
        QCOMPARE(table.row(1).used, !frequency.isEmpty());
        if (table.row(1).used) {
            QCOMPARE(table.row(1).step, quint8(4));
            QCOMPARE(table.row(1).txTone, quint8(38));
            QCOMPARE(table.row(1).rxTone, quint8(0));
            QCOMPARE(table.row(1).dcs, quint8(103));
            QVERIFY(table.row(1).train == 7 || table.row(1).train == 28);
        } else {
            QVERIFY(table.cell(1, NameColumn).isEmpty());
        }
    }

    void offsetIsNormalisedAsTheDialogDoes_data() {
        QTest::addColumn<QByteArray>("offset");
        QTest::addColumn<QString>("cell");
        QTest::newRow("as exported") << QByteArray("0.600MHz") << "0.600MHz";
        QTest::newRow("without unit") << QByteArray("5.5") << "5.500MHz";
        QTest::newRow("whole MHz") << QByteArray("10") << "10.000MHz";
        QTest::newRow("above 999.995") << QByteArray("999.999MHz") << "999.995MHz";
        QTest::newRow("garbage") << QByteArray("abc") << "0.000MHz";
        QTest::newRow("four kHz digits") << QByteArray("1.2345") << "0.000MHz";
        QTest::newRow("empty") << QByteArray() << "0.000MHz";
    }

    void offsetIsNormalisedAsTheDialogDoes() {
        QFETCH(QByteArray, offset);
        QFETCH(QString, cell);
        ChannelTable table;
        const QByteArray line = rowLine(1, "145.00000").replace("5.000MHz", offset);
        importCsv(fileOf({QuotedHeader, line}), table);
        QCOMPARE(table.cell(1, OffsetColumn), cell);
    }

    void namesReachTheNameTable() {
        ChannelTable table;
        const QByteArray name = *cp932::encode(QStringLiteral("東鬱:1~ｱ"));
        importCsv(fileOf({QuotedHeader, rowLine(1, "145.00000", name)}), table);
        QCOMPARE(table.cell(1, NameColumn), QStringLiteral("東:1~ｱ"));
        QCOMPARE(table.row(1).name, QStringLiteral("東①ｱ"));
    }

    void shortFileLeavesLaterRowsAndLongFileStopsAtTheBugFinder() {
        ChannelTable table;
        test::setChannel(table, 3, QStringLiteral("439.00000MHz"), QStringLiteral("KEEP"));
        importCsv(fileOf({QuotedHeader, rowLine(1, "145.00000"), rowLine(2, "830.00000")}), table);
        QVERIFY(table.row(1).used);
        QVERIFY(!table.row(2).used);
        QCOMPARE(table.cell(3, NameColumn), QStringLiteral("KEEP"));

        QList<QByteArray> lines{QuotedHeader};
        for (int r = 1; r <= 1700; ++r)
            lines.append(rowLine(r, "145.00000", "R" + QByteArray::number(r)));
        ChannelTable full;
        const ChannelRow bugFinder = full.row(FirstBugFinderRow);
        const CsvImportReport report = importCsv(fileOf(lines), full);
        QCOMPARE(report.rowsRead, 1603);
        QCOMPARE(full.cell(1603, NameColumn), QStringLiteral("R1603"));
        QCOMPARE(full.row(FirstBugFinderRow), bugFinder); // line 1605 is never read
    }

    void fileCommandsReportTheirOutcome() {
        QTemporaryDir dir;
        const ChannelTable table = test::sampleData().channels;
        const QString path = dir.filePath(QStringLiteral("list.CSV"));
        const FileOutcome exported = exportCsvFile(path, table);
        QVERIFY(exported.ok);
        QCOMPARE(exported.text, QStringLiteral("Save File"));
        QCOMPARE(exported.title, QStringLiteral("Finish"));

        ChannelTable imported;
        const FileOutcome done = importCsvFile(path, imported);
        QVERIFY(done.ok);
        QCOMPARE(done.text, QStringLiteral("Inport CSV File"));
        QCOMPARE(done.title, QStringLiteral(" Finish"));

        QVERIFY(writeTextFile(path, fileOf({QuotedHeader, rowLine(1, "830.00000"),
                                            rowLine(2, "145.00000"), rowLine(3, "880")})));
        QCOMPARE(importCsvFile(path, imported).text,
                 QStringLiteral("Inport CSV File\nRows emptied for invalid values: 1, 3"));

        const QString text = dir.filePath(QStringLiteral("list.TXT"));
        QVERIFY(writeTextFile(text, exportCsv(table)));
        ChannelTable untouched;
        const FileOutcome refused = importCsvFile(text, untouched);
        QVERIFY(!refused.ok);
        QCOMPARE(refused.text, QStringLiteral("CSV File Error"));
        QCOMPARE(refused.title, QStringLiteral(" Error"));
        QCOMPARE(untouched, ChannelTable());

        QVERIFY(!exportCsvFile(dir.filePath(QStringLiteral("list.CSV/x.CSV")), table).ok);
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csv_file.moc"
