#include "radio_areas/set_mode.h"

namespace qmh4 {

namespace {

using A = SetModeArray;

// A record byte that holds a list position as it is.
struct ListByte {
    int offset;
    SetModeArray array;
    int index;
};

constexpr ListByte PlainListBytes[] = {
    {2, A::Sound, 4},     {3, A::Sound, 5},     {4, A::Recv, 6},      {5, A::Recv, 7},
    {10, A::Display, 11}, {11, A::Display, 12}, {15, A::Display, 15}, {16, A::Scan, 4},
    {17, A::Scan, 5},     {18, A::Scan, 6},     {19, A::Scan, 7},     {23, A::Send, 6},
    {25, A::Send, 7},     {32, A::Sound, 1},    {35, A::Scan, 1},     {36, A::Scan, 3},
    {37, A::Scan, 2},     {38, A::Scan, 0},     {39, A::Key, 8},      {40, A::Key, 2},
    {41, A::Key, 1},      {42, A::Send, 8},     {44, A::Display, 1},  {45, A::Power, 0},
    {46, A::Power, 1},    {47, A::Sound, 0},    {57, A::Key, 9},      {61, A::Key, 10},
    {63, A::Send, 0},     {64, A::Recv, 4},     {65, A::Send, 2},     {69, A::Display, 7},
    {73, A::Send, 4},     {74, A::Send, 3},     {75, A::Display, 9},  {76, A::Display, 10},
    {77, A::Sound, 2},    {80, A::Recv, 2},     {88, A::Send, 10},    {89, A::Send, 11},
    {90, A::Send, 12},    {94, A::Key, 4},      {97, A::Send, 1},     {98, A::Power, 2},
    {100, A::Key, 0},     {101, A::Recv, 0},    {104, A::Recv, 3},    {116, A::Recv, 1},
    {117, A::Display, 4}, {119, A::Display, 5}, {122, A::Key, 3},     {123, A::Preset, 0},
    {124, A::Send, 5},    {129, A::Display, 6}, {132, A::Display, 8}, {141, A::Key, 11},
    {145, A::Send, 9},    {146, A::Scan, 9},    {147, A::Scan, 8},
};

// Lists whose record byte is the position plus one (the radio counts them from 1).
constexpr ListByte PlusOneBytes[] = {
    {13, A::Display, 13}, {67, A::Display, 2}, {68, A::Sound, 3}, {82, A::Display, 3}};

// Bytes the write sends back as the radio gave them; the read still shows some in lists.
constexpr int KeptBytes[] = {1, 48, 49, 52, 71, 72, 78, 92, 143, 144};
constexpr ListByte KeptListBytes[] = {
    {49, A::Toutyou, 0}, {72, A::Repeater, 3}, {78, A::Repeater, 0}};
constexpr int SensitivityByte = 48; // kept; shown in Set_Mode_Toutyou 1 as value - 1

struct FixedByte {
    int offset;
    quint8 value;
};
constexpr FixedByte FixedBytes[] = {{0, 0xA5},  {9, 0x05},  {50, 0x01}, {51, 0x0C},
                                    {55, 0x02}, {56, 0x02}, {81, 0x06}, {118, 0x01}};

constexpr int BusinessBytes[] = {6, 7};
constexpr int PresetBandMainByte = 14; // position + 3
constexpr int WildKeyByte = 53;
constexpr int LampKeyByte = 96;
constexpr int LanguageByte = 62;
constexpr int DialTopByte = 93;
constexpr int DialBottomByte = 95;
constexpr int ReceiverRangeByte = 118; // always written 0x01, read into Set_Mode_Recv 5

quint8 byteAt(const QByteArray& record, int offset) {
    return offset < record.size() ? static_cast<quint8>(record[offset]) : 0;
}

// "ダイヤル上下": position ↔ the flags of bytes 93 and 95.
constexpr bool DialTop[4] = {false, false, true, true};
constexpr bool DialBottom[4] = {false, true, true, false};

int dialPosition(bool top, bool bottom) {
    if (!top) {
        return bottom ? 1 : 0;
    }
    return bottom ? 2 : 3;
}

} // namespace

SetModeSettings::SetModeSettings() {
    for (int a = 0; a < SetModeArrayCount; ++a) {
        positions_[static_cast<size_t>(a)].assign(
            static_cast<size_t>(setModeArraySize(static_cast<SetModeArray>(a))), 0);
    }
    resetSetModePage();
    // The main window selects these after the page defaults when it loads.
    setPosition(A::Scan, 1, 0);
    setPosition(A::Display, 0, 1);
}

int SetModeSettings::position(SetModeArray array, int index) const {
    if (!isSetModeList(array, index)) {
        return 0;
    }
    return positions_[static_cast<size_t>(array)][static_cast<size_t>(index)];
}

bool SetModeSettings::setPosition(SetModeArray array, int index, int position) {
    if (!isSetModeList(array, index) || position < 0 ||
        position >= setModeEntryCount(array, index)) {
        return false;
    }
    positions_[static_cast<size_t>(array)][static_cast<size_t>(index)] = position;
    return true;
}

void SetModeSettings::setAllToFirstEntry(SetModeArray array, int first, int last) {
    for (int i = first; i <= last; ++i) {
        setPosition(array, i, 0);
    }
}

void SetModeSettings::resetSetModePage() {
    setPosition(A::Business, 0, 0);
    setAllToFirstEntry(A::Display, 1, 4);
    setAllToFirstEntry(A::Power, 0, 2);
    setAllToFirstEntry(A::Send, 0, 5);
    setAllToFirstEntry(A::Toutyou, 0, 1);
    setAllToFirstEntry(A::Recv, 0, 5);
    setAllToFirstEntry(A::Scan, 0, 9);
    setAllToFirstEntry(A::Repeater, 0, 3);
    setAllToFirstEntry(A::Key, 0, 11);
    setAllToFirstEntry(A::Sound, 0, 2);
    setPosition(A::Mem, 0, 0);
    scanTime = QStringLiteral("1");
    setPosition(A::Display, 1, 1);  // "全て消灯"
    setPosition(A::Display, 3, 7);  // " 8"
    setPosition(A::Display, 8, 1);  // "シンプル"
    setPosition(A::Power, 1, 3);    // "0.2(s):0.8(s)"
    setPosition(A::Sound, 0, 2);    // "2"
    setPosition(A::Repeater, 0, 1); // "ON"
    setPosition(A::Preset, 0, 1);
    setPosition(A::Scan, 1, 1);
    setPosition(A::Toutyou, 1, 2); // "3"
    setPosition(A::Key, 0, 5);     // "PTT、Dial"
    setPosition(A::Key, 7, 1);     // "Illumination"
    setPosition(A::Key, 12, 0);
}

void SetModeSettings::resetCommonSetting() {
    setAllToFirstEntry(A::Display, 5, 15);
    setAllToFirstEntry(A::Send, 6, 12);
    setAllToFirstEntry(A::Recv, 6, 7);
    setAllToFirstEntry(A::Sound, 3, 5);
    setPosition(A::Key, 7, 1);
    setPosition(A::Preset, 0, 0);
    setPosition(A::Mem, 0, 0);
    scanTime = QStringLiteral("1");
    scanTimerChecked = false;
}

void SetModeSettings::applyRecord(const QByteArray& source) {
    record = source.left(SetModeRecordSize);
    record.resize(SetModeRecordSize, '\0');
    for (const ListByte& b : PlainListBytes) {
        setPosition(b.array, b.index, byteAt(record, b.offset));
    }
    for (const ListByte& b : KeptListBytes) {
        setPosition(b.array, b.index, byteAt(record, b.offset));
    }
    setPosition(A::Recv, 5, byteAt(record, ReceiverRangeByte));
    for (const ListByte& b : PlusOneBytes) {
        const int value = byteAt(record, b.offset);
        setPosition(b.array, b.index, value > 0 ? value - 1 : 0);
    }
    const int sensitivity = byteAt(record, SensitivityByte);
    setPosition(A::Toutyou, 1, sensitivity > 0 ? sensitivity - 1 : 0);
    const int band = byteAt(record, PresetBandMainByte);
    setPosition(A::Display, 14, band > 2 ? band - 3 : 0);

    setPosition(A::Business, 0, byteAt(record, BusinessBytes[1]) == 0 ? 0 : 1);
    setPosition(A::Display, 0,
                byteAt(record, LanguageByte) == 0 ? static_cast<int>(Language::English)
                                                  : static_cast<int>(Language::Japanese));
    setPosition(
        A::Key, 5,
        dialPosition(byteAt(record, DialTopByte) != 0, byteAt(record, DialBottomByte) != 0));
    // A code no item has leaves the key list as it was.
    setPosition(A::Key, 6, keyItemPosition(byteAt(record, WildKeyByte)));
    setPosition(A::Key, 7, keyItemPosition(byteAt(record, LampKeyByte)));

    setPosition(A::Repeater, 1, 0);
    setPosition(A::Repeater, 2, 0);
    setPosition(A::Mem, 0, 0);
}

QByteArray SetModeSettings::buildRecord(const QByteArray& readBack) const {
    QByteArray out(SetModeRecordSize, '\0');
    auto put = [&out](int offset, int value) {
        out[offset] = static_cast<char>(static_cast<quint8>(value));
    };
    for (int offset : KeptBytes) {
        put(offset, byteAt(readBack, offset));
    }
    for (const FixedByte& f : FixedBytes) {
        put(f.offset, f.value);
    }
    for (const ListByte& b : PlainListBytes) {
        put(b.offset, position(b.array, b.index));
    }
    for (const ListByte& b : PlusOneBytes) {
        put(b.offset, position(b.array, b.index) + 1);
    }
    put(PresetBandMainByte, position(A::Display, 14) + 3);
    const int business = position(A::Business) == 0 ? 0x00 : 0x0D;
    for (int offset : BusinessBytes) {
        put(offset, business);
    }
    put(LanguageByte, position(A::Display, 0) == static_cast<int>(Language::Japanese) ? 1 : 0);
    const int dial = position(A::Key, 5);
    put(DialTopByte, DialTop[dial] ? 1 : 0);
    put(DialBottomByte, DialBottom[dial] ? 1 : 0);
    put(WildKeyByte, keyItemCode(position(A::Key, 6)));
    put(LampKeyByte, keyItemCode(position(A::Key, 7)));
    return out;
}

void SetModeSettings::applyWriteProtect(const QByteArray& data) {
    if (data.isEmpty()) {
        return;
    }
    // The low digit of the first byte is the position ("OFF", "ON", "一時解除").
    setPosition(A::Mem, 0, static_cast<quint8>(data[0]) & 0x0F);
}

QByteArray setModeBlock(const QByteArray& record, int block) {
    int start = 0;
    for (int b = 0; b < block; ++b) {
        start += SetModeBlockSize[b];
    }
    return record.mid(start, SetModeBlockSize[block]);
}

bool scanTimeKeyAccepted(const QString& boxText, QChar key) {
    if (key == QLatin1Char('\b')) {
        return true;
    }
    return key >= QLatin1Char('0') && key <= QLatin1Char('9') && boxText.size() < 3;
}

QString mendedScanTime(const QString& boxText) {
    QString digits;
    for (QChar c : boxText) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits.append(c);
        }
    }
    if (digits.isEmpty() || digits.size() > 3) {
        return QStringLiteral("1");
    }
    const int value = digits.toInt();
    return value >= 1 && value <= 300 ? digits : QStringLiteral("1");
}

} // namespace qmh4
