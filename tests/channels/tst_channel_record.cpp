#include "channels/channel_record.h"
#include "channels/value_tables.h"
#include "support/test_support.h"
#include "text/cp932.h"
#include "text/radio_charset.h"

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

QByteArray withByte(QByteArray record, int offset, int value) {
    record[offset] = static_cast<char>(value);
    return record;
}

// A row the way the detail dialog commits one.
ChannelRow filledRow(const QString& frequency) {
    ChannelRow row;
    row.cell(LabelColumn) = u"Bank000-0"_qs;
    row.cell(FrequencyColumn) = frequency;
    row.cell(ModeColumn) = u"FM"_qs;
    row.cell(StepColumn) = stepCaption(0);
    row.cell(CarrierColumn) = trainCaption(28);
    row.cell(ToneTypeColumn) = u"None"_qs;
    row.cell(TxToneColumn) = ctcssCaption(8);
    row.cell(RxToneColumn) = ctcssCaption(8);
    row.cell(DcsColumn) = dcsCaption(0);
    row.cell(ShiftColumn) = u"Off"_qs;
    row.cell(OffsetColumn) = u"0.000MHz"_qs;
    row.used = true;
    return row;
}

// Draws the rows the detail dialog can produce, every field independently.
class RowGenerator {
public:
    explicit RowGenerator(quint32 seed) : random_(seed) {}

    ChannelRow next() {
        ChannelRow row;
        row.cell(LabelColumn) = u"label"_qs;
        const quint64 units = pick(53'099, 129'999'999);
        row.cell(FrequencyColumn) = frequencyTextFromUnits(units);
        row.cell(ModeColumn) = modeCaption(pick(0, ModeCount - 1));
        row.step = static_cast<quint8>(pick(0, StepCount - 1));
        row.cell(StepColumn) = stepCaption(row.step);
        row.train = static_cast<quint8>(pick(0, TrainCount - 1));
        row.cell(CarrierColumn) = trainCaption(row.train);
        row.cell(ToneTypeColumn) = toneTypeCaption(pick(0, ToneTypeCount - 1));
        row.txTone = static_cast<quint8>(pick(0, CtcssCount - 1));
        row.cell(TxToneColumn) = ctcssCaption(row.txTone);
        row.rxTone = static_cast<quint8>(pick(0, CtcssCount - 1));
        row.cell(RxToneColumn) = ctcssCaption(row.rxTone);
        row.dcs = static_cast<quint8>(pick(0, DcsCount - 1));
        row.cell(DcsColumn) = dcsCaption(row.dcs);
        row.cell(ShiftColumn) = shiftCaption(pick(0, ShiftCount - 1));
        row.cell(OffsetColumn) = offsetTextFromHz(static_cast<quint32>(pick(0, 999'995)) * 1000);
        row.cell(SkipColumn) = skipCaption(pick(0, 1) == 1);
        row.cell(NameColumn) = nameCell();
        row.name = cp932::markersToGlyphs(row.cell(NameColumn));
        row.used = true;
        return row;
    }

    int pick(int low, int high) { return random_.bounded(low, high + 1); }

private:
    // Up to 16 counted bytes of ASCII, half-width katakana, radio characters and markers.
    QString nameCell() {
        QString cell;
        const int budget = pick(0, 16);
        int used = 0;
        while (used < budget) {
            const int kind = pick(0, 3);
            if (kind == 0 && used + 1 <= budget) {
                cell += QChar(static_cast<char16_t>(pick(0x20, 0x7E)));
                used += 1;
            } else if (kind == 1 && used + 1 <= budget) {
                cell += cp932::characterOf(static_cast<quint16>(pick(0xA1, 0xDF)));
                used += 1;
            } else if (kind == 2 && used + 2 <= budget) {
                cell += radioCharacter();
                used += 2;
            } else if (kind == 3 && used + 2 <= budget) {
                cell += cp932::markerOfGlyph(pick(1, cp932::GlyphCount));
                used += 2;
            } else if (used + 1 <= budget) {
                cell += u'x';
                used += 1;
            }
        }
        return cell;
    }

    QString radioCharacter() {
        for (;;) { // the table keeps two unassigned codes of the punctuation row
            const QString c = cp932::characterOf(radioCharacterCode(pick(0, 843)));
            if (c != u"\uFFFD")
                return c;
        }
    }

    QRandomGenerator random_;
};

int randomRowNumber(RowGenerator& generator) {
    return generator.pick(FirstRow, LastRow);
}

} // namespace

class ChannelRecordTest : public QObject {
    Q_OBJECT

private slots:
    void decodesWorkedExamples_data();
    void decodesWorkedExamples();
    void decodesNameCells_data();
    void decodesNameCells();
    void readsDigitFieldsByTheirLowDigit_data();
    void readsDigitFieldsByTheirLowDigit();
    void unknownToneTypeLeavesTheCell();
    void emptyRecordOnlyClearsTheUsedFlag();
    void badIndexLeavesTheRowUntouched_data();
    void badIndexLeavesTheRowUntouched();
    void statusByte_data();
    void statusByte();
    void encodesFields_data();
    void encodesFields();
    void encodesNames_data();
    void encodesNames();
    void unusedRowIsAllZero();
    void recordNumbersAndAddresses_data();
    void recordNumbersAndAddresses();
    void rowsSurviveEncodeAndDecode();
    void recordsSurviveDecodeAndEncode();
};

void ChannelRecordTest::decodesWorkedExamples_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("145 MHz") << validRecord("40 86 A4 08") << int(FrequencyColumn)
                             << u"145.00000MHz"_qs;
    QTest::newRow("1295 MHz") << validRecord("C0 21 30 4D") << int(FrequencyColumn)
                              << u"1295.00000MHz"_qs;
    QTest::newRow("50 kHz keeps five decimals")
        << validRecord("50 C3 00 00") << int(FrequencyColumn) << u"0.05000MHz"_qs;
    QTest::newRow("DCS byte 0x0A")
        << withByte(validRecord(), 15, 0x0A) << int(DcsColumn) << u"054"_qs;
    QTest::newRow("DCS byte 103") << withByte(validRecord(), 15, 103) << int(DcsColumn)
                                  << u"754"_qs;
    QTest::newRow("tone byte 39") << withByte(validRecord(), 13, 39) << int(TxToneColumn)
                                  << u"250.3Hz"_qs;
    QTest::newRow("tone byte 1") << withByte(validRecord(), 14, 1) << int(RxToneColumn)
                                 << u"67.0Hz"_qs;
    QTest::newRow("train 28") << withByte(validRecord(), 16, 28) << int(CarrierColumn)
                              << u"ＪＲ"_qs;
    QTest::newRow("step 15") << withByte(validRecord(), 6, 15) << int(StepColumn) << u"1MHz"_qs;
    QTest::newRow("offset 600 kHz") << validRecord().replace(7, 4, hexBytes("C0 27 09 00"))
                                    << int(OffsetColumn) << u"0.600MHz"_qs;
    QTest::newRow("offset drops Hz") << validRecord().replace(7, 4, hexBytes("E7 03 00 00"))
                                     << int(OffsetColumn) << u"0.000MHz"_qs;
}

void ChannelRecordTest::decodesWorkedExamples() {
    QFETCH(QByteArray, record);
    QFETCH(int, column);
    QFETCH(QString, text);
    ChannelRow row;
    QCOMPARE(decodeRecord(record, row), DecodeStatus::Decoded);
    QCOMPARE(row.cell(column), text);
    QVERIFY(row.used);
}

void ChannelRecordTest::decodesNameCells_data() {
    QTest::addColumn<QByteArray>("cells");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cell");
    QTest::newRow("glyph then CQ") << hexBytes("40 87 43 00 51 00") << u"①CQ"_qs << u":1~CQ"_qs;
    QTest::newRow("zero cell in the middle")
        << hexBytes("41 00 00 00 42 00") << u"AB"_qs << u"AB"_qs;
    QTest::newRow("double-byte low byte first")
        << hexBytes("69 82 71 82") << u"ＪＲ"_qs << u"ＪＲ"_qs;
    QTest::newRow("half-width katakana") << hexBytes("B1 00") << u"ｱ"_qs << u"ｱ"_qs;
    QTest::newRow("glyph 8 in the last cell")
        << hexBytes("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                    "00 00 00 00 00 00 47 87")
        << u"⑧"_qs << u":8~"_qs;
    QTest::newRow("no character") << QByteArray() << QString() << QString();
}

void ChannelRecordTest::decodesNameCells() {
    QFETCH(QByteArray, cells);
    QFETCH(QString, name);
    QFETCH(QString, cell);
    ChannelRow row;
    row.name = u"old"_qs;
    row.cell(NameColumn) = u"old"_qs;
    QCOMPARE(decodeRecord(validRecord().replace(32, cells.size(), cells), row),
             DecodeStatus::Decoded);
    QCOMPARE(row.name, name);
    QCOMPARE(row.cell(NameColumn), cell);
}

void ChannelRecordTest::readsDigitFieldsByTheirLowDigit_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("mode 0") << 5 << 0x00 << int(ModeColumn) << u"NFM"_qs;
    QTest::newRow("mode 3") << 5 << 0x03 << int(ModeColumn) << u"WFM"_qs;
    QTest::newRow("mode high digit ignored") << 5 << 0x21 << int(ModeColumn) << u"FM"_qs;
    QTest::newRow("mode 4 has no caption") << 5 << 0x04 << int(ModeColumn) << QString();
    QTest::newRow("tone type 1") << 12 << 0x01 << int(ToneTypeColumn) << u"Train"_qs;
    QTest::newRow("tone type high digit ignored") << 12 << 0x35 << int(ToneTypeColumn) << u"DCS"_qs;
    QTest::newRow("shift 1") << 11 << 0x01 << int(ShiftColumn) << u"+"_qs;
    QTest::newRow("shift 2") << 11 << 0x12 << int(ShiftColumn) << u"-"_qs;
    QTest::newRow("shift 3 is off") << 11 << 0x03 << int(ShiftColumn) << u"Off"_qs;
    QTest::newRow("skip 1") << 19 << 0x01 << int(SkipColumn) << u"*"_qs;
    QTest::newRow("skip high digit ignored") << 19 << 0x41 << int(SkipColumn) << u"*"_qs;
    QTest::newRow("skip 2 is not skipped") << 19 << 0x02 << int(SkipColumn) << QString();
}

void ChannelRecordTest::readsDigitFieldsByTheirLowDigit() {
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(int, column);
    QFETCH(QString, text);
    ChannelRow row = filledRow(u"1.00000MHz"_qs);
    QCOMPARE(decodeRecord(withByte(validRecord(), offset, value), row), DecodeStatus::Decoded);
    QCOMPARE(row.cell(column), text);
}

void ChannelRecordTest::unknownToneTypeLeavesTheCell() {
    ChannelRow row = filledRow(u"1.00000MHz"_qs);
    row.cell(ToneTypeColumn) = u"TSQ"_qs;
    QCOMPARE(decodeRecord(withByte(validRecord(), 12, 0x06), row), DecodeStatus::Decoded);
    QCOMPARE(row.cell(ToneTypeColumn), u"TSQ"_qs);
}

void ChannelRecordTest::emptyRecordOnlyClearsTheUsedFlag() {
    ChannelRow row = filledRow(u"145.00000MHz"_qs);
    row.name = u"KEEP"_qs;
    ChannelRow expected = row;
    expected.used = false;
    // Status 0x10 still reads as empty: only the low digit counts.
    for (const int status : {0x00, 0x10}) {
        ChannelRow target = row;
        QCOMPARE(decodeRecord(withByte(validRecord(), 0, status), target), DecodeStatus::Empty);
        QCOMPARE(target, expected);
    }
}

void ChannelRecordTest::badIndexLeavesTheRowUntouched_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::newRow("tx tone byte 0") << withByte(validRecord(), 13, 0);
    QTest::newRow("tx tone byte 40") << withByte(validRecord(), 13, 40);
    QTest::newRow("rx tone byte 0") << withByte(validRecord(), 14, 0);
    QTest::newRow("rx tone byte 255") << withByte(validRecord(), 14, 255);
    QTest::newRow("DCS 104") << withByte(validRecord(), 15, 104);
    QTest::newRow("train 29") << withByte(validRecord(), 16, 29);
    QTest::newRow("step 16") << withByte(validRecord(), 6, 16);
    QTest::newRow("short record") << validRecord().left(63);
    QTest::newRow("long record") << validRecord() + QByteArray(1, '\0');
}

void ChannelRecordTest::badIndexLeavesTheRowUntouched() {
    QFETCH(QByteArray, record);
    ChannelRow row = filledRow(u"433.00000MHz"_qs);
    row.name = u"NAME"_qs;
    row.used = false;
    const ChannelRow before = row;
    QCOMPARE(decodeRecord(record, row), DecodeStatus::BadIndex);
    QCOMPARE(row, before);
}

void ChannelRecordTest::statusByte_data() {
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<int>("rowNumber");
    QTest::addColumn<int>("status");
    QTest::newRow("145 MHz") << u"145.00000MHz"_qs << 1 << 0x02;
    QTest::newRow("1295 MHz") << u"1295.00000MHz"_qs << 1 << 0x02;
    QTest::newRow("300 MHz") << u"300.00000MHz"_qs << 1 << 0x01;
    QTest::newRow("fixed list 53.75 MHz") << u"53.75000MHz"_qs << 1 << 0x02;
    QTest::newRow("fixed list 853.25 MHz") << u"853.25000MHz"_qs << 1 << 0x02;
    QTest::newRow("next to the fixed list") << u"53.75001MHz"_qs << 1 << 0x01;
    QTest::newRow("136 MHz band start") << u"136.00000MHz"_qs << 1 << 0x02;
    QTest::newRow("174 MHz band end is open") << u"174.00000MHz"_qs << 1 << 0x01;
    QTest::newRow("just below 136 MHz") << u"135.99999MHz"_qs << 1 << 0x01;
    QTest::newRow("420 MHz") << u"420.00000MHz"_qs << 1 << 0x02;
    QTest::newRow("470 MHz") << u"470.00000MHz"_qs << 1 << 0x01;
    QTest::newRow("1240 MHz") << u"1240.00000MHz"_qs << 1 << 0x02;
    QTest::newRow("522 kHz") << u"0.52200MHz"_qs << 1 << 0x02;
    QTest::newRow("1620 kHz") << u"1.62000MHz"_qs << 1 << 0x01;
    QTest::newRow("87.6 MHz") << u"87.60000MHz"_qs << 1 << 0x02;
    QTest::newRow("107.9 MHz") << u"107.90000MHz"_qs << 1 << 0x01;
    QTest::newRow("bug finder at 145 MHz") << u"145.00000MHz"_qs << 1604 << 0x01;
    QTest::newRow("last bug finder row") << u"145.00000MHz"_qs << 1623 << 0x01;
    QTest::newRow("TSF row before it") << u"145.00000MHz"_qs << 1603 << 0x02;
}

void ChannelRecordTest::statusByte() {
    QFETCH(QString, frequency);
    QFETCH(int, rowNumber);
    QFETCH(int, status);
    QCOMPARE(static_cast<quint8>(encodeRecord(filledRow(frequency), rowNumber).at(0)),
             static_cast<quint8>(status));
}

void ChannelRecordTest::encodesFields_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes"); // bytes 1..20 of the record
    const QByteArray base = hexBytes("40 86 A4 08 01 00 00 00 00 00 00 00 09 09 00 1C 00 3E 00 0A");
    const auto with = [&](int offset, const char* hex) {
        return QByteArray(base).replace(offset - 1, QByteArray(hexBytes(hex)).size(),
                                        hexBytes(hex));
    };
    QTest::newRow("as committed") << int(LabelColumn) << u"Bank000-0"_qs << base;
    QTest::newRow("1295 MHz") << int(FrequencyColumn) << u"1295.00000MHz"_qs
                              << with(1, "C0 21 30 4D");
    QTest::newRow("frequency of another length")
        << int(FrequencyColumn) << u"1.0000MHz"_qs << with(1, "00 00 00 00");
    QTest::newRow("mode WFM") << int(ModeColumn) << u"WFM"_qs << with(5, "03");
    QTest::newRow("mode ERROR") << int(ModeColumn) << u"ERROR"_qs << with(5, "00");
    QTest::newRow("offset 9 characters")
        << int(OffsetColumn) << u"10.000MHz"_qs << with(7, "80 96 98 00");
    QTest::newRow("offset 10 characters")
        << int(OffsetColumn) << u"999.995MHz"_qs << with(7, "78 B6 9A 3B");
    QTest::newRow("tone type TSQ") << int(ToneTypeColumn) << u"TSQ"_qs << with(12, "03");
    QTest::newRow("tone type Train") << int(ToneTypeColumn) << u"Train"_qs << with(12, "01");
    QTest::newRow("tone type ERROR") << int(ToneTypeColumn) << u"ERROR"_qs << with(12, "00");
    QTest::newRow("skip") << int(SkipColumn) << u"*"_qs << with(19, "01");
}

void ChannelRecordTest::encodesFields() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    ChannelRow row = filledRow(u"145.00000MHz"_qs);
    row.cell(column) = text;
    const QByteArray record = encodeRecord(row, 1);
    QCOMPARE(record.size(), RecordSize);
    QCOMPARE(record.mid(1, 20).toHex(' '), bytes.toHex(' '));
    QCOMPARE(record.mid(21), QByteArray(RecordSize - 21, '\0'));
}

void ChannelRecordTest::encodesNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shift");
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QByteArray>("expected"); // bytes 7..11, then the 32 name bytes
    const QByteArray noOffset = hexBytes("00 00 00 00 00");
    const auto name = [](const char* hex) {
        QByteArray cells = hexBytes(hex);
        return cells + QByteArray(32 - cells.size(), '\0');
    };
    QTest::newRow("glyph then CQ")
        << u"①CQ"_qs << u"Off"_qs << u"0.000MHz"_qs << noOffset + name("40 87 43 00 51 00");
    QTest::newRow("double-byte") << u"ＪＲ東"_qs << u"Off"_qs << u"0.000MHz"_qs
                                 << noOffset + name("69 82 71 82 8C 93");
    QTest::newRow("longer than 16 keeps the first 16")
        << u"ABCDEFGHIJKLMNOPQR"_qs << u"Off"_qs << u"0.000MHz"_qs
        << noOffset + name("41 00 42 00 43 00 44 00 45 00 46 00 47 00 48 00 49 00 4A 00 "
                           "4B 00 4C 00 4D 00 4E 00 4F 00 50 00");
    QTest::newRow("character the code page lacks takes no cell")
        << u"A\u00E9B"_qs << u"Off"_qs << u"0.000MHz"_qs << noOffset + name("41 00 42 00");
    QTest::newRow("shift with offset")
        << QString() << u"-"_qs << u"0.600MHz"_qs << hexBytes("C0 27 09 00 02") + name("");
    QTest::newRow("offset of 6 characters forces shift off")
        << QString() << u"+"_qs << u"0.6MHz"_qs << noOffset + name("");
}

void ChannelRecordTest::encodesNames() {
    QFETCH(QString, name);
    QFETCH(QString, shift);
    QFETCH(QString, offset);
    QFETCH(QByteArray, expected);
    ChannelRow row = filledRow(u"145.00000MHz"_qs);
    row.name = name;
    row.cell(NameColumn) = u"ignored: the name table is what is written"_qs;
    row.cell(ShiftColumn) = shift;
    row.cell(OffsetColumn) = offset;
    const QByteArray record = encodeRecord(row, 1);
    QCOMPARE(record.size(), RecordSize);
    QCOMPARE((record.mid(7, 5) + record.mid(32)).toHex(' '), expected.toHex(' '));
}

void ChannelRecordTest::unusedRowIsAllZero() {
    ChannelRow row = filledRow(u"145.00000MHz"_qs);
    row.used = false;
    QCOMPARE(encodeRecord(row, 1), QByteArray(RecordSize, '\0'));
    QCOMPARE(encodeRecord(row, 1604), QByteArray(RecordSize, '\0'));
}

void ChannelRecordTest::recordNumbersAndAddresses_data() {
    QTest::addColumn<int>("rowNumber");
    QTest::addColumn<int>("record");
    QTest::addColumn<quint32>("address");
    QTest::newRow("first row") << 1 << 1 << 0x01200u;
    QTest::newRow("before the dual block") << 1100 << 1100 << 0x01200u + 1099u * 64u;
    QTest::newRow("first Main") << 1101 << 1101 << 0x01200u + 1100u * 64u;
    QTest::newRow("first Sub") << 1102 << 1201 << 0x13E00u;
    QTest::newRow("second Main") << 1103 << 1102 << 0x12540u;
    QTest::newRow("last Sub") << 1300 << 1300 << 0x01200u + 1299u * 64u;
    QTest::newRow("after the dual block") << 1301 << 1301 << 0x01200u + 1300u * 64u;
    QTest::newRow("last row") << 1623 << 1623 << 0x1A780u;
}

void ChannelRecordTest::recordNumbersAndAddresses() {
    QFETCH(int, rowNumber);
    QFETCH(int, record);
    QFETCH(quint32, address);
    QCOMPARE(recordNumber(rowNumber), record);
    QCOMPARE(recordAddress(record), address);
}

void ChannelRecordTest::rowsSurviveEncodeAndDecode() {
    RowGenerator generator(20240611);
    for (int i = 0; i < 5000; ++i) {
        const ChannelRow row = generator.next();
        const int rowNumber = randomRowNumber(generator);
        ChannelRow decoded;
        decoded.cell(LabelColumn) = row.cell(LabelColumn);
        QCOMPARE(decodeRecord(encodeRecord(row, rowNumber), decoded), DecodeStatus::Decoded);
        if (decoded != row) {
            for (int column = 0; column < ColumnCount; ++column)
                QCOMPARE(decoded.cell(column), row.cell(column));
            QCOMPARE(decoded.name, row.name);
            QFAIL("side tables differ");
        }
    }
}

void ChannelRecordTest::recordsSurviveDecodeAndEncode() {
    RowGenerator generator(7);
    for (int i = 0; i < 5000; ++i) {
        // Whatever the row holds, the record encode makes of it comes back byte for byte.
        ChannelRow row = generator.next();
        if (generator.pick(0, 4) == 0)
            row.cell(OffsetColumn) = u"12MHz"_qs; // no offset, shift forced off
        if (generator.pick(0, 4) == 0)
            row.cell(ModeColumn) = u"ERROR"_qs;
        const int rowNumber = randomRowNumber(generator);
        const QByteArray record = encodeRecord(row, rowNumber);
        ChannelRow decoded;
        QCOMPARE(decodeRecord(record, decoded), DecodeStatus::Decoded);
        QCOMPARE(encodeRecord(decoded, rowNumber).toHex(' '), record.toHex(' '));
    }
}

QTEST_GUILESS_MAIN(ChannelRecordTest)
#include "tst_channel_record.moc"
