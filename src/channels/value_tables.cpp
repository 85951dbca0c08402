#include "channels/value_tables.h"

#include <QStringList>

#include <limits>

namespace qmh4 {

namespace {

const QStringList& modes() {
    static const QStringList list{u"NFM"_qs, u"FM"_qs, u"AM"_qs, u"WFM"_qs};
    return list;
}

const QStringList& steps() {
    static const QStringList list{u"5KHz"_qs,    u"6.25KHz"_qs, u"8.33KHz"_qs, u"10KHz"_qs,
                                  u"12.5KHz"_qs, u"15KHz"_qs,   u"20KHz"_qs,   u"25KHz"_qs,
                                  u"30KHz"_qs,   u"50KHz"_qs,   u"100KHz"_qs,  u"125KHz"_qs,
                                  u"150KHz"_qs,  u"200KHz"_qs,  u"500KHz"_qs,  u"1MHz"_qs};
    return list;
}

const QStringList& toneTypes() {
    static const QStringList list{u"None"_qs, u"Train"_qs, u"Tone"_qs,
                                  u"TSQ"_qs,  u"SQ"_qs,    u"DCS"_qs};
    return list;
}

const QStringList& listedModes() {
    static const QStringList list{u"FM"_qs, u"AM"_qs, u"NFM"_qs, u"WFM"_qs};
    return list;
}

const QStringList& listedToneTypes() {
    static const QStringList list{u"None"_qs, u"Tone"_qs, u"TSQ"_qs,
                                  u"SQ"_qs,   u"DCS"_qs,  u"Train"_qs};
    return list;
}

const QStringList& ctcssTones() {
    static const QStringList list = [] {
        // Tenths of a hertz.
        constexpr int Tones[CtcssCount] = {
            670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
            1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
            1622, 1679, 1738, 1799, 1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};
        QStringList captions;
        for (const int tenths : Tones)
            captions << QStringLiteral("%1.%2Hz").arg(tenths / 10).arg(tenths % 10);
        return captions;
    }();
    return list;
}

const QStringList& dcsCodes() {
    static const QStringList list =
        QStringLiteral(
            "023 025 026 031 032 036 043 047 051 053 054 065 071 072 073 074 114 115 116 122 125 "
            "131 132 134 143 145 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 "
            "251 252 255 261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 "
            "371 411 412 413 423 431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 526 "
            "532 546 565 606 612 624 627 631 632 654 662 664 703 712 723 731 732 734 743 754")
            .split(u' ');
    return list;
}

const QStringList& trainTones() {
    static const QStringList list = [] {
        QStringList captions;
        for (int hz = 300; hz <= 3000; hz += 100)
            captions << QStringLiteral("%1Hz").arg(hz);
        captions << QStringLiteral("ＪＲ");
        return captions;
    }();
    return list;
}

const QStringList& shifts() {
    static const QStringList list{u"Off"_qs, u"+"_qs, u"-"_qs};
    return list;
}

QString captionAt(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

int indexIn(const QStringList& list, QStringView caption) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i) == caption)
            return static_cast<int>(i);
    }
    return -1;
}

// Decimal digits of a number, left-padded with zeros to at least `width` digits.
QString paddedDecimal(quint64 value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

} // namespace

QString modeCaption(int index) {
    return captionAt(modes(), index);
}
QString stepCaption(int index) {
    return captionAt(steps(), index);
}
QString toneTypeCaption(int index) {
    return captionAt(toneTypes(), index);
}
QString ctcssCaption(int index) {
    return captionAt(ctcssTones(), index);
}
QString dcsCaption(int index) {
    return captionAt(dcsCodes(), index);
}
QString trainCaption(int index) {
    return captionAt(trainTones(), index);
}
QString shiftCaption(int index) {
    return captionAt(shifts(), index);
}
QString skipCaption(bool skipped) {
    return skipped ? QStringLiteral("*") : QString();
}

QString listedModeCaption(int index) {
    return captionAt(listedModes(), index);
}
int listedModeIndex(QStringView caption) {
    return indexIn(listedModes(), caption);
}
QString listedToneTypeCaption(int index) {
    return captionAt(listedToneTypes(), index);
}
int listedToneTypeIndex(QStringView caption) {
    return indexIn(listedToneTypes(), caption);
}

int modeIndex(QStringView caption) {
    return indexIn(modes(), caption);
}
int stepIndex(QStringView caption) {
    return indexIn(steps(), caption);
}
int toneTypeIndex(QStringView caption) {
    return indexIn(toneTypes(), caption);
}
int ctcssIndex(QStringView caption) {
    return indexIn(ctcssTones(), caption);
}
int dcsIndex(QStringView caption) {
    return indexIn(dcsCodes(), caption);
}
int trainIndex(QStringView caption) {
    return indexIn(trainTones(), caption);
}
int shiftIndex(QStringView caption) {
    return indexIn(shifts(), caption);
}

const std::array<quint32, FixedFrequencyCount>& fixedFrequencies() {
    static const std::array<quint32, FixedFrequencyCount> list = [] {
        struct Run {
            quint32 first;
            quint32 step;
            quint32 count;
        };
        constexpr Run Runs[] = {{5'375'000, 700'000, 3},
                                {18'075'000, 700'000, 8},
                                {47'675'000, 800'000, 49},
                                {47'725'000, 800'000, 48}};
        std::array<quint32, FixedFrequencyCount> units{};
        std::size_t next = 0;
        for (const Run& run : Runs) {
            for (quint32 k = 0; k < run.count; ++k)
                units[next++] = run.first + run.step * k;
        }
        return units;
    }();
    return list;
}

bool isFixedFrequency(quint64 units) {
    for (const quint32 fixed : fixedFrequencies()) {
        if (fixed == units)
            return true;
    }
    return false;
}

const std::array<quint16, DualRemapCount>& dualRemapTable() {
    static const std::array<quint16, DualRemapCount> table = [] {
        std::array<quint16, DualRemapCount> records{};
        for (int pair = 0; pair < DualRemapCount / 2; ++pair) {
            records[static_cast<std::size_t>(2 * pair)] = static_cast<quint16>(1101 + pair);
            records[static_cast<std::size_t>(2 * pair + 1)] = static_cast<quint16>(1201 + pair);
        }
        return records;
    }();
    return table;
}

quint64 leadingNumber(QStringView text) {
    constexpr quint64 Limit = std::numeric_limits<quint64>::max() / 10 - 9;
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    quint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value < Limit) // a number this long is nonsense anyway; do not let it wrap
            value = value * 10 + static_cast<quint64>(text[i].unicode() - u'0');
    }
    return value;
}

FrequencyParts splitFrequencyText(QStringView text) {
    const qsizetype length = text.size();
    if (length < 10 || length > 13)
        return {};
    const qsizetype integerDigits = length - 9; // 13 -> 4 .. 10 -> 1
    return {text.mid(0, integerDigits).toString(), text.mid(integerDigits + 1, 5).toString()};
}

quint64 frequencyUnits(QStringView text) {
    const FrequencyParts parts = splitFrequencyText(text);
    return leadingNumber(parts.megahertz) * 100'000 + leadingNumber(parts.decimals);
}

QString frequencyTextFromUnits(quint64 units) {
    return QStringLiteral("%1.%2MHz").arg(units / 100'000).arg(paddedDecimal(units % 100'000, 5));
}

QString frequencyTextFromHz(quint32 hz) {
    quint64 units = hz / 10;
    const quint32 rest = hz % 10;
    if (rest > 5 || (rest == 5 && units % 2 == 1))
        ++units;
    return frequencyTextFromUnits(units);
}

OffsetParts splitOffsetText(QStringView text) {
    const qsizetype length = text.size();
    if (length < 8 || length > 10)
        return {};
    const qsizetype integerDigits = length - 7; // 10 -> 3 .. 8 -> 1
    return {text.mid(0, integerDigits).toString(), text.mid(integerDigits + 1, 3).toString()};
}

std::optional<quint32> offsetHz(QStringView text) {
    if (text.size() < 8 || text.size() > 10)
        return std::nullopt;
    const OffsetParts parts = splitOffsetText(text);
    // At most 999 MHz and 999 kHz: always within 32 bits.
    return static_cast<quint32>(leadingNumber(parts.megahertz) * 1'000'000 +
                                leadingNumber(parts.kilohertz) * 1'000);
}

QString offsetTextFromHz(quint32 hz) {
    const quint32 khz = hz / 1000;
    return QStringLiteral("%1.%2MHz").arg(khz / 1000).arg(paddedDecimal(khz % 1000, 3));
}

const QStringList& listedModeCaptions() {
    return listedModes();
}

const QStringList& listedToneTypeCaptions() {
    return listedToneTypes();
}

const QStringList& shiftCaptions() {
    return shifts();
}

} // namespace qmh4
