#include "editing/grid_editing.h"
#include "files/common_csv_layout.h"
#include "messages/file_outcome_text.h"

#include <QtTest>

using namespace qmh4;

namespace {

// The row's cells 1..12 joined by "|".
QString cellsOf(const ChannelRow& row) {
    QStringList cells;
    for (int column = FrequencyColumn; column <= NameColumn; ++column)
        cells.append(row.cell(column));
    return cells.join(u'|');
}

// "1=A 3=B": the names of the used rows among the first `rows`.
QString namesOf(const ChannelTable& table, int from, int to) {
    QStringList names;
    for (int r = from; r <= to; ++r) {
        if (table.row(r).used())
            names.append(QStringLiteral("%1=%2").arg(r).arg(table.cell(r, NameColumn)));
    }
    return names.join(u' ');
}

} // namespace

class TestCommonCsvLayout : public QObject {
    Q_OBJECT

private slots:
    // One line under its header into row 1: the cells it gives, or why it was skipped, and the
    // remark on a value that was changed.
    void importMapsEachValue_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("report");
        const QString plain = "146.52000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.000MHz||";
        // Six decimals, as the export writes them, are the round trip's below.
        QTest::newRow("few decimals") << QByteArray("Frequency\n146.52") << plain << "";
        QTest::newRow("whole MHz") << QByteArray("Frequency\n446") << "446.00000MHz|FM"
                                   << "";
        QTest::newRow("below 1 MHz") << QByteArray("Frequency\n0.75") << "|0.75000MHz|"
                                     << "";
        QTest::newRow("finer than 10 Hz")
            << QByteArray("Frequency\n146.520005") << QString(plain).replace("52000", "52001")
            << "line 2: frequency 146.520005 MHz rounded to 146.52001 MHz";
        QTest::newRow("duplex and offset, any column order")
            << QByteArray("Offset,Duplex,Frequency\n0.6005,-,146.52")
            << "146.52000MHz|FM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|-|0.601MHz||"
            << "line 2: offset 0.6005 MHz rounded to 0.601 MHz";
        const QByteArray tones = "Frequency,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                                 "CrossMode,Comment\n146.52,";
        QTest::newRow("Tone") << tones + "Tone,100.0,123,754,NN,,"
                              << "Tone|100.0Hz|100.0Hz|754"
                              << "";
        QTest::newRow("TSQL") << tones + "TSQL,100,123.0,,NN,,"
                              << "TSQ|123.0Hz|123.0Hz|023"
                              << "";
        QTest::newRow("DTCS two digits") << tones + "DTCS,,,23,NN,,"
                                         << "DCS|88.5Hz|88.5Hz|023"
                                         << "";
        QTest::newRow("Cross Tone->Tone") << tones + "Cross,100.0,123.0,,,Tone->Tone,"
                                          << "TSQ|100.0Hz|123.0Hz|023"
                                          << "";
        QTest::newRow("SQ named in the comment") << tones + ",,,,,,Bank000-0 (SQ)"
                                                 << "SQ|88.5Hz|88.5Hz|023"
                                                 << "";
        QTest::newRow("Train named in the comment") << tones + ",,,,,,x (Train 1700Hz)"
                                                    << "1700Hz|Train|88.5Hz|88.5Hz|023"
                                                    << "";
        const QByteArray others = "Frequency,Mode,TStep,Skip,Name\n146.52,";
        QTest::newRow("NFM, 12.50 kHz, skip") << others + "NFM,12.50,S,A"
                                              << "NFM|12.5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|"
                                                 "0.000MHz|*|A"
                                              << "";
        QTest::newRow("step not listed, P, long name")
            << others + "WFM,7.5,P,ABCDEFGHIJKLMNOPQR"
            << "WFM|5KHz|ＪＲ|None|88.5Hz|88.5Hz|023|Off|0.000MHz||ABCDEFGHIJKLMNOP"
            << "line 2: step 7.5 kHz set to 5KHz\nline 2: skip mark P dropped\nline 2: name "
               "\"ABCDEFGHIJKLMNOPQR\" stored as \"ABCDEFGHIJKLMNOP\"";
        QTest::newRow("quoted fields")
            << QByteArray("\"Name\",Frequency\n\"A,\"\"B\"\"\",\"146.52\"") << plain + "A,\"B\""
            << "";
        const QList<std::pair<const char*, const char*>> refused = {
            {"Mode\nUSB", "USB mode"},
            {"Duplex\nsplit", "duplex split"},
            {"Duplex\noff", "duplex off"},
            {"Offset\n1000", "offset 1000 MHz"},
            {"Tone,rToneFreq\nTone,159.8", "tone 159.8 Hz"},
            {"Tone,cToneFreq\nTSQL,88.55", "tone 88.55 Hz"},
            {"Tone,DtcsCode\nDTCS,017", "DCS code 017"},
            {"Tone,DtcsPolarity\nDTCS,RN", "DCS polarity RN"},
            {"Tone,CrossMode\nCross,DTCS->", "cross mode DTCS->"},
            {"Tone\nDTCS-R", "tone mode DTCS-R"},
        };
        for (const auto& [columnsAndValue, reason] : refused) {
            const QList<QByteArray> parts = QByteArray(columnsAndValue).split('\n');
            QTest::newRow(reason) << "Frequency," + parts[0] + "\n146.52," + parts[1] << ""
                                  << QStringLiteral("Imported 0 channels; skipped 1: line 2 (%1)")
                                         .arg(QString::fromUtf8(reason));
        }
        for (const char* frequency : {"830", "1300", "0.5", "14a"}) {
            QTest::newRow(frequency)
                << "Frequency\n" + QByteArray(frequency) << ""
                << QStringLiteral("Imported 0 channels; skipped 1: line 2 (frequency %1%2)")
                       .arg(QLatin1String(frequency),
                            QLatin1String(frequency[2] == 'a' ? "" : " MHz"));
        }
    }

    void importMapsEachValue() {
        QFETCH(QByteArray, file);
        QFETCH(QString, cells);
        QFETCH(QString, report);
        ChannelTable table;
        const ChannelListImport result = importChannelList(file, table, 1);
        QVERIFY(result.readable);
        QVERIFY2((u'|' + cellsOf(table.row(1))).contains(cells), qPrintable(cellsOf(table.row(1))));
        QStringList lines = channelListReport(result);
        if (!cells.isEmpty()) {
            QCOMPARE(lines.takeLast(), QStringLiteral("Imported 1 channel into row 1"));
            // The row is the dialog's own: opening and accepting it changes nothing.
            DetailFields fields = fieldsOfRow(table, 1);
            ChannelTable again = table;
            writeRecordToRow(again, 1, recordFromFields(fields, ChannelKind::Single, 1));
            QCOMPARE(again.row(1), table.row(1));
        }
        QCOMPARE(lines.join(u'\n'), report);
    }

    // Where the lines go and how the file is read.
    void importPlacesAndDecodes_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("summary");
        QTest::newRow("BOM, CR LF, UTF-8")
            << QByteArray("\xEF\xBB\xBFName,Frequency\r\n\xE6\x9D\xB1\xE4\xBA\xAC,146.5\r\nB,1\r\n")
            << 1 << "1=東京 2=B"
            << "Imported 2 channels into rows 1–2";
        QTest::newRow("code page 932")
            << QByteArray("Name,Frequency\n\x93\x8C\x8B\x9E,146.5\n") << 1 << "1=東京"
            << "Imported 1 channel into row 1";
        QTest::newRow("start row, empty memories, row limit")
            << QByteArray("Frequency,Name\n1,A\n,\n0,\n2,B\n3,C\n4,D\n\n") << 997 << "997=A 1000=B"
            << "Imported 2 channels into rows 997–1000; skipped 2: line 6 (past row 1000), "
               "line 7 (past row 1000)";
        QTest::newRow("neither UTF-8 nor code page 932")
            << QByteArray("Name,Frequency\n\x93\x8C,1\n\x85\x40,2\n") << 1 << "1=東"
            << "Imported 1 channel into row 1; skipped 1: line 3 (text that is no UTF-8 or code "
               "page 932)";
        QTest::newRow("header without Frequency")
            << QByteArray("Location,Name,Freq\n1,A,146.5\n") << 1 << ""
            << "";
    }

    void importPlacesAndDecodes() {
        QFETCH(QByteArray, file);
        QFETCH(int, firstRow);
        QFETCH(QString, names);
        QFETCH(QString, summary);
        ChannelTable table;
        const ChannelListImport result = importChannelList(file, table, firstRow);
        QCOMPARE(result.readable, !summary.isEmpty());
        QCOMPARE(namesOf(table, 1, 1000), names);
        if (result.readable)
            QCOMPARE(channelListSummary(result), summary);
        QCOMPARE(isCommonLayoutHeader(file), result.readable);
    }

    // Every tone type, a glyph marker and a field that needs quotes; imported back they give
    // the same rows.
    void exportWritesEveryToneTypeAndReadsBack() {
        ChannelTable table;
        // mode, step, tone type, Tx, Rx, DCS, train, shift, skip; frequency, offset, name
        const QList<std::pair<int, DetailRecord>> records = {
            {1, {{0, 0, 0, 8, 8, 0, 28, 0, false}, "145.12500", "0.600", "A,B:1~"}},
            {2, {{0, 0, 1, 12, 12, 0, 28, 1, false}, "433.00000", "0.600", ""}},
            {3, {{2, 0, 2, 12, 12, 0, 28, 2, true}, "433.00000", "0.600", ""}},
            {4, {{0, 4, 2, 12, 20, 0, 28, 0, false}, "433.00000", "0.600", ""}},
            {5, {{1, 0, 3, 8, 8, 0, 28, 0, false}, "1299.99999", "0.600", ""}},
            {6, {{0, 0, 4, 8, 8, 103, 28, 0, false}, "0.53099", "0.600", ""}},
            {7, {{3, 0, 5, 8, 8, 0, 14, 0, false}, "50.00000", "999.995", ""}},
            {1402, {{0, 0, 0, 8, 8, 0, 28, 0, false}, "435.00000", "0.000", ""}}};
        for (const auto& [row, record] : records)
            writeRecordToRow(table, row, record);
        const QString expected = QString(
            R"(Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
1,"A,B:1~",145.125000,,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,Bank000-0,,,,
2,,433.000000,+,0.600000,Tone,100.0,100.0,023,NN,023,Tone->Tone,FM,5.00,,,Bank000-1,,,,
3,,433.000000,-,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,5.00,S,,Bank000-2,,,,
4,,433.000000,,0.600000,Cross,100.0,131.8,023,NN,023,Tone->Tone,FM,12.50,,,Bank000-3,,,,
5,,1299.999990,,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,,Bank000-4 (SQ),,,,
6,,0.530990,,0.600000,DTCS,88.5,88.5,754,NN,754,Tone->Tone,FM,5.00,,,Bank000-5,,,,
7,,50.000000,,999.995000,,88.5,88.5,023,NN,023,Tone->Tone,WFM,5.00,,,Bank000-6 (Train 1700Hz),,,,
1402,,435.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,CALL-UHF,,,,
)");
        const QByteArray exported = exportChannelList(table);
        QCOMPARE(QString::fromUtf8(exported), QString(expected).replace(u'\n', "\r\n"));
        ChannelTable imported;
        QCOMPARE(channelListSummary(importChannelList(exported, imported, 1)),
                 QStringLiteral("Imported 8 channels into rows 1–8"));
        for (int row = 1; row <= 7; ++row)
            QCOMPARE(imported.row(row), table.row(row));
    }
};

QTEST_GUILESS_MAIN(TestCommonCsvLayout)
#include "tst_common_csv_layout.moc"
