#include "channels/channel_record.h"
#include "channels/value_tables.h"
#include "editing/channel_rows.h"
#include "support/test_support.h"
#include "text/cp932.h"

#include <QRandomGenerator>
#include <QTest>

using namespace qmh4;
using qmh4::test::hexBytes;

namespace {

// A record as the radio would hold it: in use, the given frequency, every index valid.
QByteArray validRecord(const char* frequencyHex = "40 86 A4 08") {
    QByteArray record(RecordSize, '\0');
    record[0] = 0x01;
    record.replace(1, 4, hexBytes(frequencyHex));
    record[13] = 9; // tone 88.5Hz
    record[14] = 9;
    record[18] = 0x3E;
    record[20] = 0x0A;
    return record;
}

// A valid record with the given bytes at `offset`.
QByteArray with(int offset, const char* hex) {
    const QByteArray bytes = hexBytes(hex);
    return validRecord().replace(offset, bytes.size(), bytes);
}

// A row the way the detail dialog commits one.
ChannelRow filledRow(const QString& frequency) {
    ChannelRow row;
    row.cell(LabelColumn) = u"Bank000-0"_qs;
    test::putChannel(row, {frequency, "FM", "5KHz", "ＪＲ", "None", "88.5Hz", "88.5Hz", "023", "-",
                           "0.000MHz", "", ""});
    return row;
}

// Draws the rows the detail dialog can produce, every field independently.
class RowGenerator {
public:
    explicit RowGenerator(quint32 seed) : random_(seed) {}

    ChannelRow next() {
        ChannelRow row;
        row.cell(FrequencyColumn) = frequencyTextFromUnits(pick(53'099, 129'999'999));
        row.cell(ModeColumn) = modeCaption(pick(0, ModeCount - 1));
        row.setStep(index(StepCount));
        row.setTrain(index(TrainCount));
        row.cell(ToneTypeColumn) = toneTypeCaption(pick(0, ToneTypeCount - 1));
        row.setTxTone(index(CtcssCount));
        row.setRxTone(index(CtcssCount));
        row.setDcs(index(DcsCount));
        row.cell(ShiftColumn) = shiftCaption(pick(0, ShiftCount - 1));
        row.cell(OffsetColumn) = offsetTextFromHz(static_cast<quint32>(pick(0, 999'995)) * 1000);
        row.cell(SkipColumn) = skipCaption(pick(0, 1) == 1);
        row.setNameWithMarkers(nameCell());
        row.markUsed();
        return row;
    }

    int pick(int low, int high) { return random_.bounded(low, high + 1); }

private:
    int index(int count) { return pick(0, count - 1); }

    // Up to 16 counted bytes of ASCII, half-width katakana, double-byte characters and markers.
    QString nameCell() {
        static const QString wide = u"ぁヶ※ｓ愛東俊"_qs;
        QString cell;
        for (int left = pick(0, 16); left > 0;) {
            const int kind = pick(0, left == 1 ? 1 : 3);
            cell += kind == 0   ? QString(QChar(static_cast<char16_t>(pick(0x20, 0x7E))))
                    : kind == 1 ? cp932::characterOf(static_cast<quint16>(pick(0xA1, 0xDF)))
                    : kind == 2 ? QString(wide[pick(0, static_cast<int>(wide.size()) - 1)])
                                : cp932::markerOfGlyph(pick(1, cp932::GlyphCount));
            left -= kind < 2 ? 1 : 2;
        }
        return cell;
    }

    QRandomGenerator random_;
};

} // namespace

class ChannelRecordTest : public QObject {
    Q_OBJECT

private slots:
    void decodes_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QByteArray& record, Column column,
                            const char16_t* text) {
            QTest::newRow(name) << record << int(DecodeStatus::Decoded) << int(column)
                                << QString::fromUtf16(text);
        };
        const auto unread = [](const char* name, const QByteArray& record, DecodeStatus status) {
            QTest::newRow(name) << record << int(status) << 0 << QString();
        };
        const auto hz = [&row](const char* name, const char* hex, const char16_t* text) {
            row(name, validRecord(hex), FrequencyColumn, text);
        };
        hz("145 MHz", "40 86 A4 08", u"145.00000MHz");
        hz("50 kHz, five decimals", "50 C3 00 00", u"0.05000MHz");
        // The radio holds hertz; the text shows tens of hertz, halves rounded to even.
        hz("half rounds to even, down", "45 86 A4 08", u"145.00000MHz");
        hz("half rounds to even, up", "4F 86 A4 08", u"145.00002MHz");
        hz("rounding carries into MHz", "FC E0 F5 05", u"100.00000MHz");
        hz("largest number", "FF FF FF FF", u"4294.96730MHz");
        row("DCS byte 0x0A", with(15, "0A"), DcsColumn, u"054");
        // Mode, step, tone type, shift and skip are read by the low digit of their byte.
        row("mode high digit ignored", with(5, "21"), ModeColumn, u"FM");
        row("step high digit ignored", with(6, "15"), StepColumn, u"15KHz");
        row("tone type high digit", with(12, "35"), ToneTypeColumn, u"DCS");
        row("glyph then CQ", with(32, "40 87 43 00 51 00"), NameColumn, u":1~CQ");
        row("zero cell in the middle", with(32, "41 00 00 00 42 00"), NameColumn, u"AB");
        row("glyph 8 last", with(62, "47 87"), NameColumn, u":8~");
        unread("empty", with(0, "00"), DecodeStatus::Empty);
        unread("tx tone byte 0", with(13, "00"), DecodeStatus::BadIndex);
        unread("tx tone byte 40", with(13, "28"), DecodeStatus::BadIndex);
        unread("DCS 104", with(15, "68"), DecodeStatus::BadIndex);
        unread("train 29", with(16, "1D"), DecodeStatus::BadIndex);
        unread("short record", validRecord().left(63), DecodeStatus::BadIndex);
    }
    // An empty status only clears the used flag (the transfer blanks the row afterwards); a
    // record with an index outside its table, or of another size, leaves the row as it was.
    void decodes() {
        QFETCH(QByteArray, record);
        QFETCH(int, status);
        QFETCH(int, column);
        ChannelRow row = filledRow(u"1.00000MHz"_qs);
        row.cell(ToneTypeColumn) = u"TSQ"_qs;
        row.setNameWithMarkers(u"old"_qs);
        ChannelRow before = row;
        QCOMPARE(int(decodeRecord(record, row)), status);
        if (status != int(DecodeStatus::Decoded)) {
            before.markUsed(status == int(DecodeStatus::BadIndex));
            QVERIFY(row == before);
            return;
        }
        QTEST(row.cell(column), "text");
        QVERIFY(row.used());
    }

    void encodes_data() {
        QTest::addColumn<int>("column"); // -1: set the name table entry
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rowNumber");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes"); // expected at `offset`
        const auto row = [](const char* name, int column, const char16_t* text, int rowNumber,
                            int offset, const char* hex) {
            QTest::newRow(name) << column << QString::fromUtf16(text) << rowNumber << offset
                                << hexBytes(hex);
        };
        const auto status = [&row](const char* name, const char16_t* frequency, const char* hex,
                                   int rowNumber = 1) {
            row(name, FrequencyColumn, frequency, rowNumber, 0, hex);
        };
        row("as committed", LabelColumn, u"", 1, 0,
            "02 40 86 A4 08 01 00 00 00 00 00 02 00 09 09 00 1C 00 3E 00 0A 00 00 00 00 00 00 "
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
            "00 00 00 00 00 00 00 00 00 00");
        status("1295 MHz", u"1295.00000MHz", "02 C0 21 30 4D");
        status("fixed list 53.75 MHz", u"53.75000MHz", "02");
        status("next to the fixed list", u"53.75001MHz", "01");
        status("last of the 7 MHz fixed steps", u"229.75000MHz", "02");
        status("bug finder at 145 MHz", u"145.00000MHz", "01", 1604);
        status("frequency of another length", u"1.0000MHz", "01 00 00 00 00");
        row("offset of 9", OffsetColumn, u"10.000MHz", 1, 7, "80 96 98 00 02");
        row("offset of 6 forces shift off", OffsetColumn, u"0.6MHz", 1, 7, "00 00 00 00 00");
        row("glyph then CQ", -1, u"①CQ", 1, 32, "40 87 43 00 51 00 00 00");
        row("the first 16 of 18", -1, u"ABCDEFGHIJKLMNOPQR", 1, 60, "4F 00 50 00");
        row("no cell for a lacking one", -1, u"A\u00E9B", 1, 32, "41 00 42 00 00 00");
    }
    // An unused row is always 64 zero bytes.
    void encodes() {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, rowNumber);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        ChannelRow row = filledRow(u"145.00000MHz"_qs);
        if (column < 0) // the entry: "①CQ" shows as ":1~CQ", the entry's glyph is written
            row.setNameWithGlyphs(text);
        else if (column != LabelColumn)
            row.cell(column) = text;
        const QByteArray record = encodeRecord(row, rowNumber);
        QCOMPARE(record.size(), RecordSize);
        QCOMPARE(record.mid(offset, bytes.size()).toHex(' '), bytes.toHex(' '));
        row.markUsed(false);
        QCOMPARE(encodeRecord(row, rowNumber), QByteArray(RecordSize, '\0'));
    }

    // The last Sub row; the first Sub and Main rows of the dual block are the selected-rows
    // transfer test's addresses.
    void lastSubRowRecord() {
        QCOMPARE(recordNumber(1300), 1300);
        QCOMPARE(recordAddress(recordNumber(1300)), 0x156C0u);
    }

    // decode(encode(row)) == row for every row the detail dialog can produce; and whatever a row
    // holds, even texts encode cannot take, the record encode makes of it comes back byte for
    // byte.
    void generatedRowsAndRecordsComeBack() {
        RowGenerator generator(20240611);
        for (int i = 0; i < 5000; ++i) {
            ChannelRow row = generator.next();
            const int rowNumber = generator.pick(FirstRow, LastRow);
            ChannelRow decoded;
            QCOMPARE(decodeRecord(encodeRecord(row, rowNumber), decoded), DecodeStatus::Decoded);
            QVERIFY(decoded == row); // cells, side tables and name entry

            if (generator.pick(0, 2) == 0) { // no offset (shift forced off), no mode
                row.cell(OffsetColumn) = u"12MHz"_qs;
                row.cell(ModeColumn) = u"ERROR"_qs;
            }
            const QByteArray record = encodeRecord(row, rowNumber);
            ChannelRow again;
            QCOMPARE(decodeRecord(record, again), DecodeStatus::Decoded);
            QCOMPARE(encodeRecord(again, rowNumber).toHex(' '), record.toHex(' '));
        }
    }
};

QTEST_GUILESS_MAIN(ChannelRecordTest)
#include "tst_channel_record.moc"
