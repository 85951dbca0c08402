#include "text/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace qmh4::cp932 {

namespace {

constexpr auto CodecName = "windows-31j";
constexpr char32_t Replacement = 0xFFFD;
constexpr char32_t IcuSubstitute = 0x1A; // what ICU's decoder yields for an unassigned code

// Converters are costly to create and are used for every name of a transfer or a file, so each
// thread keeps one of each. Qt 6.4 never clears an encoder's error flag once set (resetState()
// leaves it), so a converter that saw an error is replaced before its next use.
QStringEncoder& encoder() {
    thread_local std::optional<QStringEncoder> instance;
    if (!instance || instance->hasError())
        instance.emplace(CodecName, QStringConverter::Flag::Stateless);
    return *instance;
}

QStringDecoder& decoder() {
    thread_local std::optional<QStringDecoder> instance;
    if (!instance || instance->hasError())
        instance.emplace(CodecName, QStringConverter::Flag::Stateless);
    return *instance;
}

// ICU's table follows IBM and swaps three control codes (0x1A, 0x1C, 0x7F); Windows, and so
// every file and name of the radio, keeps them as they are. They never occur inside a
// double-byte character, so texts are converted around them.
bool isSwappedControl(char32_t ch) {
    return ch == 0x1A || ch == 0x1C || ch == 0x7F;
}

// Runs `convert` over the stretches of `items` between the swapped control codes and `keep`
// on each of those; stops when a conversion fails.
template <typename View, typename IsControl, typename Convert, typename Keep>
bool forEachSegment(View items, IsControl isControl, Convert convert, Keep keep) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= items.size(); ++i) {
        if (i < items.size() && !isControl(items[i]))
            continue;
        if (i > start && !convert(items.sliced(start, i - start)))
            return false;
        if (i < items.size())
            keep(items[i]);
        start = i + 1;
    }
    return true;
}

QString fromCodePoint(char32_t ch) {
    return QString::fromUcs4(&ch, 1);
}

// Calls `visit(codePoint, position, length)` for every code point of the text; an unpaired
// surrogate is passed on as it is (no encoding has it, so it is refused downstream).
template <typename Visitor>
void forEachCodePoint(QStringView text, Visitor&& visit) {
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            visit(QChar::surrogateToUcs4(c, text[i + 1]), i, qsizetype{2});
            i += 2;
        } else {
            visit(char32_t{c.unicode()}, i, qsizetype{1});
            i += 1;
        }
    }
}

QString withWindowsVariants(QStringView text) {
    QString mapped;
    mapped.reserve(text.size());
    forEachCodePoint(text, [&](char32_t ch, qsizetype, qsizetype) {
        const char32_t variant = windowsVariant(ch);
        if (QChar::requiresSurrogates(variant)) {
            mapped.append(QChar(QChar::highSurrogate(variant)));
            mapped.append(QChar(QChar::lowSurrogate(variant)));
        } else {
            mapped.append(QChar(static_cast<char16_t>(variant)));
        }
    });
    return mapped;
}

} // namespace

char32_t windowsVariant(char32_t ch) {
    switch (ch) {
    case 0x301C:
        return 0xFF5E; // WAVE DASH -> FULLWIDTH TILDE
    case 0x2212:
        return 0xFF0D; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case 0x2016:
        return 0x2225; // DOUBLE VERTICAL LINE -> PARALLEL TO
    case 0x00A2:
        return 0xFFE0; // ¢
    case 0x00A3:
        return 0xFFE1; // £
    case 0x00AC:
        return 0xFFE2; // ¬
    default:
        return ch;
    }
}

std::optional<quint16> codeOf(char32_t ch) {
    if (ch < 0x80)
        return static_cast<quint16>(ch); // the ASCII half of code page 932 is ASCII
    const auto bytes = encode(fromCodePoint(ch));
    if (!bytes || bytes->isEmpty() || bytes->size() > 2)
        return std::nullopt;
    if (bytes->size() == 1)
        return static_cast<quint16>(static_cast<quint8>(bytes->at(0)));
    return static_cast<quint16>(static_cast<quint8>(bytes->at(0)) * 256 +
                                static_cast<quint8>(bytes->at(1)));
}

bool isSingleByte(char32_t ch) {
    const auto code = codeOf(ch);
    return code && *code < 256;
}

QString characterOf(quint16 code) {
    if (code < 0x80)
        return QString(QChar(code));
    QByteArray bytes;
    if (code > 0xFF)
        bytes.append(static_cast<char>(code >> 8));
    bytes.append(static_cast<char>(code & 0xFF));
    QStringDecoder& dec = decoder();
    const QString text = dec(bytes);
    const bool oneCodePoint = text.size() == 1 || (text.size() == 2 && text[0].isHighSurrogate());
    if (dec.hasError() || !oneCodePoint || text[0] == QChar(IcuSubstitute))
        return fromCodePoint(Replacement);
    return text;
}

std::optional<QByteArray> encode(QStringView text) {
    const QString mapped = withWindowsVariants(text);
    QByteArray bytes;
    bytes.reserve(mapped.size() * 2);
    QStringEncoder& enc = encoder();
    const bool ok = forEachSegment(
        QStringView(mapped), [](QChar c) { return isSwappedControl(c.unicode()); },
        [&](QStringView segment) {
            bytes += enc(segment);
            // Qt writes FC FC for a character it cannot encode and only flags the error:
            // refuse the whole text so that no substitute reaches a file or the radio.
            return !enc.hasError();
        },
        [&](QChar control) { bytes += static_cast<char>(control.unicode()); });
    if (!ok)
        return std::nullopt;
    return bytes;
}

bool canEncode(QStringView text) {
    return encode(text).has_value();
}

QString decode(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    QStringDecoder& dec = decoder();
    forEachSegment(
        bytes, [](char b) { return isSwappedControl(static_cast<quint8>(b)); },
        [&](QByteArrayView segment) {
            text += QString(dec(segment)).replace(QChar(IcuSubstitute), QChar(Replacement));
            return true;
        },
        [&](char control) { text += QChar(static_cast<char16_t>(control)); });
    return text;
}

std::optional<int> countedLength(QStringView text) {
    int length = 0;
    bool encodable = true;
    qsizetype skipUntil = 0;
    forEachCodePoint(text, [&](char32_t ch, qsizetype pos, qsizetype) {
        if (pos < skipUntil)
            return;
        if (markerAt(text, pos) != 0) {
            length += 2;
            skipUntil = pos + 3;
            return;
        }
        const auto code = codeOf(ch);
        if (!code)
            encodable = false;
        else
            length += *code < 256 ? 1 : 2;
    });
    if (!encodable)
        return std::nullopt;
    return length;
}

QString markerOfGlyph(int glyphNumber) {
    return QStringLiteral(":%1~").arg(glyphNumber);
}

int markerAt(QStringView text, qsizetype pos) {
    if (pos < 0 || pos + 3 > text.size() || text[pos] != u':' || text[pos + 2] != u'~')
        return 0;
    const char16_t digit = text[pos + 1].unicode();
    if (digit < u'1' || digit > u'0' + GlyphCount)
        return 0;
    return digit - u'0';
}

QString glyphsToMarkers(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const int offset = c.unicode() - FirstGlyph;
        if (offset >= 0 && offset < GlyphCount)
            result += markerOfGlyph(offset + 1);
        else
            result += c;
    }
    return result;
}

QString markersToGlyphs(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (const int glyph = markerAt(text, i); glyph != 0) {
            result += QChar(static_cast<char16_t>(FirstGlyph + glyph - 1));
            i += 3;
        } else {
            result += text[i];
            i += 1;
        }
    }
    return result;
}

} // namespace qmh4::cp932
