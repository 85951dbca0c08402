#include "editing/channel_rules.h"

#include "channels/channel_table.h"
#include "text/cp932.h"
#include "text/radio_charset.h"

#include <QList>

#include <algorithm>
#include <array>

namespace qmh4 {

namespace {

// Refused receive bands, 10 Hz units, half-open.
constexpr qint64 RefusedBand1Low = 82400000, RefusedBand1High = 85000000;
constexpr qint64 RefusedBand2Low = 86900000, RefusedBand2High = 89500000;

struct CallBand {
    qint64 low;
    qint64 high;
    const char* fallbackMhz;
};
// CALL-VHF, CALL-UHF, CALL-1.2 in row order.
constexpr std::array<CallBand, 3> CallBands{{
    {13600000, 17400000, "145"},
    {42000000, 47000000, "433"},
    {124000000, 130000000, "1295"},
}};

const CallBand& callBandOfRow(int rowNumber) {
    const int index =
        std::clamp(rowNumber - FirstCallRow, 0, static_cast<int>(CallBands.size()) - 1);
    return CallBands[static_cast<size_t>(index)];
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString digitsOnly(const QString& text) {
    QString digits;
    for (QChar c : text) {
        if (isDigit(c))
            digits.append(c);
    }
    return digits;
}

QString withoutLeadingZeros(const QString& digits) {
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == QLatin1Char('0'))
        ++first;
    return digits.mid(first);
}

// Value of a text of digits; nullopt when empty, not all digits or longer than `maxDigits`
// after its leading zeros.
std::optional<qint64> digitValue(const QString& text, int maxDigits) {
    if (text.isEmpty() || digitsOnly(text).size() != text.size())
        return std::nullopt;
    const QString significant = withoutLeadingZeros(text);
    if (significant.size() > maxDigits)
        return std::nullopt;
    return significant.toLongLong();
}

bool inRefusedBand(qint64 f) {
    return (f >= RefusedBand1Low && f < RefusedBand1High) ||
           (f >= RefusedBand2Low && f < RefusedBand2High);
}

bool inReceiveRange(qint64 f) {
    return f >= LowestFrequency && f < FrequencyCeiling;
}

QString padDecimals(const QString& digits) {
    if (digits.isEmpty() || digits.size() > DecimalsBoxLimit)
        return QStringLiteral("00000");
    return digits.leftJustified(DecimalsBoxLimit, QLatin1Char('0'));
}

// Code page 932 bytes of a character: 1 or 2, 0 when the code page cannot hold it.
int byteLength(char32_t character) {
    const auto code = cp932::codeOf(character);
    if (!code)
        return 0;
    return *code > 0xFF ? 2 : 1;
}

} // namespace

ChannelKind channelKindOfRow(int rowNumber) {
    if (isCallRow(rowNumber))
        return ChannelKind::Call;
    if (isDualRow(rowNumber))
        return ChannelKind::Dual;
    return ChannelKind::Single;
}

bool acceptDigit(const QString& boxText, char32_t character, int limit) {
    return character >= U'0' && character <= U'9' && boxText.size() < limit;
}

bool acceptNameCharacter(const QString& name, char32_t character) {
    if (character < 0x20 || character == 0x7F)
        return false;
    const int bytes = byteLength(character);
    if (bytes == 0)
        return false;
    const int count = nameByteCount(name);
    return bytes == 1 ? count < NameByteLimit : count < NameByteLimit - 1;
}

int nameByteCount(const QString& name) {
    if (const auto counted = cp932::countedLength(name))
        return *counted;
    // Text the code page cannot hold never passes the name box; count it at its widest.
    int count = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (cp932::markerAt(name, i) != 0) {
            count += 2;
            i += 2;
        } else {
            const int bytes = byteLength(name[i].unicode());
            count += bytes == 0 ? 2 : bytes;
        }
    }
    return count;
}

QString normaliseOffsetMhz(const QString& box) {
    const QString digits = digitsOnly(box);
    return digits.isEmpty() ? QStringLiteral("0") : withoutLeadingZeros(digits);
}

QString normaliseOffsetKhz(const QString& khzBox, const QString& mhzBox) {
    const QString digits = digitsOnly(khzBox);
    const bool topMhz = digitValue(digitsOnly(mhzBox), OffsetMhzBoxLimit) == 999;
    const auto khz = digitValue(digits, 9);
    if (topMhz && (khz.value_or(0) >= 996 || (!khz && !digits.isEmpty())))
        return QStringLiteral("995");
    if (digits.isEmpty() || digits.size() > OffsetKhzBoxLimit)
        return QStringLiteral("000");
    return digits.leftJustified(OffsetKhzBoxLimit, QLatin1Char('0'));
}

std::optional<qint64> frequencyOfBoxes(const FrequencyBoxes& boxes) {
    const auto mhz = boxes.mhz.isEmpty() ? std::optional<qint64>(0) : digitValue(boxes.mhz, 9);
    const auto decimals =
        boxes.decimals.isEmpty() ? std::optional<qint64>(0) : digitValue(boxes.decimals, 9);
    if (!mhz || !decimals)
        return std::nullopt;
    return *mhz * 100000 + *decimals;
}

FrequencyBoxes normaliseFrequency(FrequencyBoxes boxes, ChannelKind kind, int rowNumber) {
    if (!boxes.mhz.isEmpty()) {
        const QString digits = digitsOnly(boxes.mhz);
        const auto mhz = digitValue(digits, MhzBoxLimit);
        if (!digits.isEmpty() && (!mhz || *mhz > 1300))
            boxes.mhz = QStringLiteral("145");
        else
            boxes.mhz = digits.isEmpty() ? QString() : withoutLeadingZeros(digits);
    }
    boxes.decimals = padDecimals(digitsOnly(boxes.decimals));

    const qint64 f = frequencyOfBoxes(boxes).value_or(0);
    const bool outsideCallBand = kind == ChannelKind::Call && !(f >= callBandOfRow(rowNumber).low &&
                                                                f < callBandOfRow(rowNumber).high);
    if (inRefusedBand(f) || outsideCallBand)
        boxes = {};
    return boxes;
}

FrequencyBoxes applyCallFallback(FrequencyBoxes boxes, int rowNumber) {
    const CallBand& band = callBandOfRow(rowNumber);
    if (boxes.decimals.size() != DecimalsBoxLimit)
        boxes.decimals = QStringLiteral("00000");
    const auto f = frequencyOfBoxes(boxes);
    if (!f || *f < band.low || *f >= band.high) {
        boxes.mhz = QString::fromLatin1(band.fallbackMhz);
        boxes.decimals = QStringLiteral("00000");
    }
    return boxes;
}

FrequencyBoxes applySingleChannelChecks(FrequencyBoxes boxes) {
    const auto mhz = digitValue(boxes.mhz, MhzBoxLimit);
    boxes.mhz = mhz && boxes.mhz.size() <= MhzBoxLimit ? QString::number(*mhz) : QString();
    const auto decimals = digitValue(boxes.decimals, DecimalsBoxLimit);
    if (!decimals || boxes.decimals.size() > DecimalsBoxLimit)
        boxes.decimals = QStringLiteral("00000");
    if (!inReceiveRange(frequencyOfBoxes(boxes).value_or(0)))
        boxes = {};
    return boxes;
}

QString composeFrequency(FrequencyBoxes& boxes) {
    if (boxes.mhz.isEmpty() && boxes.decimals.isEmpty())
        return {};
    const auto f = frequencyOfBoxes(boxes);
    if (!f || !inReceiveRange(*f) || boxes.decimals.size() > DecimalsBoxLimit) {
        boxes = {};
        return {};
    }
    // The radio's text always has five decimals; a short box would move the decimal point.
    const QString decimals = boxes.decimals.isEmpty()
                                 ? QStringLiteral("00000")
                                 : boxes.decimals.leftJustified(DecimalsBoxLimit, QLatin1Char('0'));
    const QString mhz = boxes.mhz.isEmpty() ? QStringLiteral("0") : boxes.mhz;
    return mhz + QLatin1Char('.') + decimals;
}

QString composeOffset(OffsetBoxes& boxes) {
    const auto sizedDigits = [](const QString& box) {
        return !box.isEmpty() && box.size() <= OffsetMhzBoxLimit &&
               digitsOnly(box).size() == box.size();
    };
    if (!sizedDigits(boxes.mhz))
        boxes.mhz = QStringLiteral("0");
    if (!sizedDigits(boxes.khz))
        boxes.khz = QStringLiteral("000");
    // A short kHz box ("6") would read as 0.6 and be written as no offset at all.
    boxes.khz = boxes.khz.leftJustified(OffsetKhzBoxLimit, QLatin1Char('0'));
    if (boxes.mhz.toLongLong() * 1000 + boxes.khz.toLongLong() > LargestOffsetKhz) {
        boxes.mhz = QStringLiteral("0");
        boxes.khz = QStringLiteral("000");
    }
    return boxes.mhz + QLatin1Char('.') + boxes.khz;
}

QString filterNameForRadio(const QString& name) {
    QString kept;
    for (const uint character : name.toUcs4()) {
        const auto c = static_cast<char32_t>(character);
        const int bytes = byteLength(c);
        if (bytes == 1 || (bytes == 2 && isRadioCharacterCode(*cp932::codeOf(c))))
            kept.append(QString::fromUcs4(&c, 1));
    }
    return kept;
}

std::optional<qint64> parseFrequencyText(const QString& text) {
    QString body = text;
    if (body.endsWith(QLatin1String("MHz")))
        body.chop(3);
    const qsizetype dot = body.indexOf(QLatin1Char('.'));
    if (dot < 1 || dot > MhzBoxLimit || body.size() - dot - 1 != DecimalsBoxLimit)
        return std::nullopt;
    return frequencyOfBoxes({body.left(dot), body.mid(dot + 1)});
}

} // namespace qmh4
