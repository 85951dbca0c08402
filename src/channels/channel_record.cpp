#include "channels/channel_record.h"

#include "channels/value_tables.h"
#include "text/cp932.h"

#include <algorithm>
#include <limits>

namespace qmh4 {

namespace {

// Byte offsets inside a channel record.
enum RecordByte : int {
    StatusByte = 0,
    FrequencyByte = 1,
    ModeByte = 5,
    StepByte = 6,
    OffsetByte = 7,
    ShiftByte = 11,
    ToneTypeByte = 12,
    TxToneByte = 13,
    RxToneByte = 14,
    DcsByte = 15,
    TrainByte = 16,
    FixedByte17 = 17,
    FixedByte18 = 18,
    SkipByte = 19,
    FixedByte20 = 20,
    NameByte = 32,
};
constexpr int NameCells = 16;

constexpr quint8 StatusEmpty = 0x00;
constexpr quint8 StatusInUse = 0x01;
constexpr quint8 StatusListedBand = 0x02;

quint8 byteAt(const QByteArray& record, int offset) {
    return static_cast<quint8>(record.at(offset));
}

// The radio reads several fields by the low digit of their hex text only.
int lowNibble(const QByteArray& record, int offset) {
    return byteAt(record, offset) & 0x0F;
}

quint32 littleEndian32(const QByteArray& record, int offset) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | byteAt(record, offset + i);
    return value;
}

void putLittleEndian32(QByteArray& record, int offset, quint32 value) {
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putByte(QByteArray& record, int offset, int value) {
    record[offset] = static_cast<char>(static_cast<quint8>(value));
}

// Only the whole bytes that index a table can fall outside it; the step is a single hex digit
// and always names one of the 16 steps.
bool indicesInRange(const QByteArray& record) {
    const auto isTone = [](quint8 b) { return b >= 1 && b <= CtcssCount; };
    return isTone(byteAt(record, TxToneByte)) && isTone(byteAt(record, RxToneByte)) &&
           byteAt(record, DcsByte) < DcsCount && byteAt(record, TrainByte) < TrainCount;
}

// A zero cell does not end the name: the radio leaves gaps where a character was deleted.
QString decodeName(const QByteArray& record) {
    QString name;
    for (int cell = 0; cell < NameCells; ++cell) {
        const int offset = NameByte + 2 * cell;
        const auto code =
            static_cast<quint16>(byteAt(record, offset + 1) * 256 + byteAt(record, offset));
        if (code != 0)
            name += cp932::characterOf(code);
    }
    return name;
}

// Writes at most the 16 cells the record has; a character code page 932 cannot hold (none the
// editor lets through) and a NUL take no cell.
void encodeName(QByteArray& record, QStringView name) {
    int cell = 0;
    for (qsizetype i = 0; i < name.size() && cell < NameCells; ++i) {
        char32_t ch = name[i].unicode();
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        const auto code = cp932::codeOf(ch);
        if (!code || *code == 0) // a zero cell would read back as no character at all
            continue;
        putByte(record, NameByte + 2 * cell, *code & 0xFF);
        putByte(record, NameByte + 2 * cell + 1, *code >> 8);
        ++cell;
    }
}

bool inListedBand(quint64 units) {
    struct Band {
        quint64 from;
        quint64 below;
    };
    constexpr Band Bands[] = {
        {13'600'000, 17'400'000},   // 136 .. 174 MHz
        {42'000'000, 47'000'000},   // 420 .. 470 MHz
        {124'000'000, 130'000'000}, // 1240 .. 1300 MHz
        {52'200, 162'000},          // 522 .. 1620 kHz
        {8'760'000, 10'790'000},    // 87.6 .. 107.9 MHz
    };
    return std::any_of(std::begin(Bands), std::end(Bands),
                       [units](const Band& b) { return units >= b.from && units < b.below; });
}

quint8 statusByte(quint64 units, int rowNumber) {
    if (isBugFinderRow(rowNumber))
        return StatusInUse;
    return inListedBand(units) || isFixedFrequency(units) ? StatusListedBand : StatusInUse;
}

int recordIndexOr0(int index) {
    return index < 0 ? 0 : index;
}

} // namespace

DecodeStatus decodeRecord(const QByteArray& record, ChannelRow& row) {
    if (record.size() != RecordSize)
        return DecodeStatus::BadIndex;
    if (lowNibble(record, StatusByte) == StatusEmpty) {
        row.markUsed(false); // the cells stay: the transfer blanks unused rows after its loop
        return DecodeStatus::Empty;
    }
    if (!indicesInRange(record))
        return DecodeStatus::BadIndex;

    row.cell(ModeColumn) = modeCaption(lowNibble(record, ModeByte)); // empty beyond "WFM"
    row.setStep(lowNibble(record, StepByte));
    row.setTrain(byteAt(record, TrainByte));
    if (const int toneType = lowNibble(record, ToneTypeByte); toneType < ToneTypeCount)
        row.cell(ToneTypeColumn) = toneTypeCaption(toneType); // otherwise the cell stays
    row.setTxTone(byteAt(record, TxToneByte) - 1);
    row.setRxTone(byteAt(record, RxToneByte) - 1);
    row.setDcs(byteAt(record, DcsByte));
    row.cell(FrequencyColumn) = frequencyTextFromHz(littleEndian32(record, FrequencyByte));
    const int shift = lowNibble(record, ShiftByte);
    row.cell(ShiftColumn) = shiftCaption(shift == 1 || shift == 2 ? shift : 0);
    row.cell(OffsetColumn) = offsetTextFromHz(littleEndian32(record, OffsetByte));
    row.cell(SkipColumn) = skipCaption(lowNibble(record, SkipByte) == 1);
    row.setNameWithGlyphs(decodeName(record));
    row.markUsed();
    return DecodeStatus::Decoded;
}

QByteArray encodeRecord(const ChannelRow& row, int rowNumber) {
    QByteArray record(RecordSize, '\0');
    if (!row.used())
        return record;

    const quint64 units = frequencyUnits(row.cell(FrequencyColumn));
    // No text of the grid comes near 4295 MHz; should one, it saturates instead of wrapping
    // round to a small, wrong frequency.
    const quint64 hz = std::min<quint64>(units * 10, std::numeric_limits<quint32>::max());
    putByte(record, StatusByte, statusByte(units, rowNumber));
    putLittleEndian32(record, FrequencyByte, static_cast<quint32>(hz));
    putByte(record, ModeByte, recordIndexOr0(modeIndex(row.cell(ModeColumn))));
    putByte(record, StepByte, row.step());
    const auto offset = offsetHz(row.cell(OffsetColumn));
    putLittleEndian32(record, OffsetByte, offset.value_or(0));
    putByte(record, ShiftByte, offset ? recordIndexOr0(shiftIndex(row.cell(ShiftColumn))) : 0);
    putByte(record, ToneTypeByte, recordIndexOr0(toneTypeIndex(row.cell(ToneTypeColumn))));
    putByte(record, TxToneByte, row.txTone() + 1);
    putByte(record, RxToneByte, row.rxTone() + 1);
    putByte(record, DcsByte, row.dcs());
    putByte(record, TrainByte, row.train());
    putByte(record, FixedByte17, 0x00);
    putByte(record, FixedByte18, 0x3E);
    putByte(record, SkipByte, row.cell(SkipColumn) == u"*" ? 1 : 0);
    putByte(record, FixedByte20, 0x0A);
    encodeName(record, row.name());
    return record;
}

int recordNumber(int rowNumber) {
    if (isDualRow(rowNumber))
        return dualRemapTable()[static_cast<std::size_t>(rowNumber - FirstDualRow)];
    return rowNumber;
}

quint32 recordAddress(int recordNumber) {
    return static_cast<quint32>(recordNumber - 1) * RecordSize + 0x1200;
}

} // namespace qmh4
