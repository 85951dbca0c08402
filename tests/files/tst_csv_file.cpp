#include "channels/value_tables.h"
#include "files/csv_file.h"
#include "messages/file_outcome_text.h"
#include "sample_data.h"
#include "support/test_support.h"
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
    // The bytes of an export, header and quoting included, are the spreadsheet test's file.
    void exportAndImportGiveTheTableBack() {
        ChannelTable table = test::sampleData().channels;
        test::setChannel(table, 500, QStringLiteral("830.00000MHz"), QStringLiteral("LOST"));
        test::setChannel(table, 501, QStringLiteral("850.00000MHz"), QStringLiteral("A,\"B\""));
        const QByteArray bytes = exportCsv(table);
        ChannelTable imported = table;
        imported.row(1610).setNameWithMarkers(QStringLiteral("KEEP")); // never imported
        const CsvImportReport report = importCsv(bytes, imported);
        QCOMPARE(report.rowsRead, 1603);
        QCOMPARE(report.refusedRows, QList<int>{500});
        for (int r = FirstRow; r <= LastImportedRow; ++r) {
            if (r != 1 && r != 12 && r != 500 && table.row(r).used())
                QCOMPARE(imported.row(r), table.row(r));
        }
        QVERIFY(!imported.row(500).used());
        QCOMPARE(imported.cell(12, NameColumn), QStringLiteral("  ")); // 東京: a blank each
        QCOMPARE(imported.row(1).name(), QStringLiteral("CQ DX"));     // ① was double-byte
        QCOMPARE(imported.cell(501, NameColumn), QStringLiteral("A,\"B\""));
        QCOMPARE(imported.cell(1610, NameColumn), QStringLiteral("KEEP"));
    }

    void headerIsCheckedBeforeAnythingChanges_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("as exported") << QuotedHeader << true;
        QTest::newRow("spelled right")
            << QByteArray(QuotedHeader).replace("Freqency", "Frequency") << false;
        QTest::newRow("not code page 932") << QByteArray("\x81\x20") << false;
    }

    void headerIsCheckedBeforeAnythingChanges() {
        QFETCH(QByteArray, header);
        QFETCH(bool, accepted);
        ChannelTable table;
        const CsvImportReport report = importCsv(fileOf({header, rowLine(1, "145.00000")}), table);
        QCOMPARE(report.headerAccepted, accepted);
        QCOMPARE(table.row(1).used(), accepted);
    }

    void fieldsAreSplitAsSpreadsheetsQuoteThem_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("quoted") << "\"a\",\"b\"" << QStringList{"a", "b"};
        QTest::newRow("comma inside quotes") << "\"a,b\",c" << QStringList{"a,b", "c"};
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"" << QStringList{"say \"hi\""};
        QTest::newRow("blanks outside trimmed") << "  a  , \" b \" " << QStringList{"a", " b "};
        QTest::newRow("stray quote dropped") << "ab\"c" << QStringList{"abc"};
    }

    void fieldsAreSplitAsSpreadsheetsQuoteThem() {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(parseCsvLine(line), fields);
    }

    // The offset is normalised as the detail dialog does it; a name keeps the double-byte
    // characters the radio has and reaches the name table with its glyphs.
    void rowValuesAreValidated_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("frequency"); // empty: the row is refused or empty
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* name, const QByteArray& line, const char* frequency,
                            bool refused, const char* offset = "5.000MHz",
                            const QString& nameCell = u"CQ"_qs) {
            QTest::newRow(name) << line << QString(frequency) << refused << QString(offset)
                                << nameCell;
        };
        const QByteArray good = rowLine(1, "145.00000");
        row("as exported", good, "145.00000MHz", false);
        row("few decimals", rowLine(1, "145.5"), "145.50000MHz", false);
        row("830 MHz", rowLine(1, "830.00000"), "", true);
        row("850 MHz", rowLine(1, "850.00000"), "850.00000MHz", false);
        row("above 32 bits", rowLine(1, "4294.96730"), "", true);
        row("no frequency", rowLine(1, ""), "", false);
        row("mode", QByteArray(good).replace("NFM", "FMN"), "", true);
        row("DCS", QByteArray(good).replace("754", "755"), "", true);
        row("name of 17", rowLine(1, "145.00000", QByteArray(17, 'N')), "", true);
        row("missing fields", "\"x\",\"145.00000\",\"FM\"", "", true);
        row("offset above 999.995", QByteArray(good).replace("5.000MHz", "999.999MHz"),
            "145.00000MHz", false, "999.995MHz");
        row("offset garbage", QByteArray(good).replace("5.000MHz", "abc"), "145.00000MHz", false,
            "0.000MHz");
        row("name in code page 932", rowLine(1, "145.00000", *cp932::encode(u"東鬱:1~ｱ"_qs)),
            "145.00000MHz", false, "5.000MHz", u"東:1~ｱ"_qs);
    }

    void rowValuesAreValidated() {
        QFETCH(QByteArray, line);
        QFETCH(QString, frequency);
        QFETCH(bool, refused);
        ChannelTable table;
        test::setChannel(table, 1, QStringLiteral("439.00000MHz"));
        const CsvImportReport report = importCsv(fileOf({QuotedHeader, line}), table);
        QCOMPARE(report.refusedRows, refused ? QList<int>{1} : QList<int>());
        ChannelTable want; // an accepted row holds every value of the line, indices included
        if (!frequency.isEmpty()) {
            QFETCH(QString, name);
            test::setChannel(want, 1, frequency, name, true); // the name table gets ①
            QFETCH(QString, offset);
            want.row(1).cell(OffsetColumn) = offset;
        }
        QCOMPARE(table.row(1).cells(), want.row(1).cells()); // an emptied row: every cell empty
        QCOMPARE(table.row(1).used(), want.row(1).used());
        if (want.row(1).used())
            QCOMPARE(table.row(1), want.row(1));
    }

    // Rows a short file does not reach are validated too: the call rows of the start-up state
    // become channels, their side tables taken from their texts.
    void rowsBeyondAShortFileAreValidated() {
        ChannelTable table;
        importCsv(fileOf({QuotedHeader, rowLine(1, "145.00000"), rowLine(2, "433.00000")}), table);
        for (int r = FirstCallRow; r <= LastCallRow; ++r) {
            QVERIFY(table.row(r).used());
            QCOMPARE(table.row(r).train(), trainIndex(u"2300Hz"));
            QCOMPARE(table.row(r).txTone(), ctcssIndex(u"88.5Hz"));
        }
    }

    // The export opened and saved again by a spreadsheet (numbers unquoted and without their
    // zeros, "145" for 145.00000 and "23" for DCS 023, the header's ends unquoted, LF line
    // ends) imports as the export itself.
    void spreadsheetSavedListComesBack() {
        const QByteArray original = *readTextFile(test::dataPath(u"export-before-calc.CSV"_qs));
        ChannelTable exported, saved;
        QVERIFY(importCsv(original, exported).refusedRows.isEmpty());
        const QByteArray resaved = *readTextFile(test::dataPath(u"calc-saved-export.csv"_qs));
        QVERIFY(importCsv(resaved, saved).refusedRows.isEmpty());
        QCOMPARE(saved, exported);
        QCOMPARE(exportCsv(saved), original);
    }

    void fileCommandsReportTheirOutcome() {
        QTemporaryDir dir;
        const ChannelTable table = test::sampleData().channels;
        const QString path = dir.filePath(QStringLiteral("list.CSV"));
        QVERIFY(exportCsvFile(path, table).ok());

        ChannelTable imported;
        QCOMPARE(fileOutcomeText(importCsvFile(path, imported)).text, "Inport CSV File");

        QVERIFY(writeTextFile(path, fileOf({QuotedHeader, rowLine(1, "830.00000"),
                                            rowLine(2, "145.00000"), rowLine(3, "880")})));
        QCOMPARE(fileOutcomeText(importCsvFile(path, imported)).text,
                 "Inport CSV File\nRows emptied for invalid values: 1, 3");

        const QString text = dir.filePath(QStringLiteral("list.TXT"));
        QVERIFY(writeTextFile(text, exportCsv(table)));
        ChannelTable untouched;
        QCOMPARE(fileOutcomeText(importCsvFile(text, untouched)).text, "CSV File Error");
        QCOMPARE(untouched, ChannelTable());
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csv_file.moc"
