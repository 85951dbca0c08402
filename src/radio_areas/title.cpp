#include "radio_areas/title.h"

#include "text/cp932.h"
#include "text/radio_charset.h"

#include <QList>

namespace qmh4 {

namespace {

constexpr char32_t Backspace = 0x08;
constexpr char32_t CtrlV = 0x16;
constexpr int SlideByte = 32;

QString codePointText(char32_t ch) {
    return QString::fromUcs4(&ch, 1);
}

// A character the title may hold: a printable single-byte character, or a double-byte one
// the radio's display has.
bool isTitleCharacter(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F) {
        return false;
    }
    const auto code = cp932::codeOf(ch);
    if (!code) {
        return false;
    }
    return *code < 256 || isRadioCharacterCode(*code);
}

// The longest start of `text` whose counted length is at most 16 bytes.
QString cutToTitleLength(const QString& text) {
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString next = kept + text[i];
        if (text[i].isHighSurrogate() && i + 1 < text.size()) {
            next += text[++i];
        }
        if (titleLength(next) > TitleMaxBytes) {
            break;
        }
        kept = next;
    }
    return kept;
}

} // namespace

int titleLength(const QString& text) {
    if (const auto length = cp932::countedLength(text)) {
        return *length;
    }
    int length = 0;
    for (char32_t ch : text.toUcs4()) {
        const auto code = cp932::codeOf(ch);
        length += code && *code < 256 ? 1 : 2;
    }
    return length;
}

bool titleKeyAccepted(const QString& text, char32_t key) {
    if (key == Backspace) {
        return true;
    }
    if (key == CtrlV || !isTitleCharacter(key)) {
        return false;
    }
    const int n = titleLength(text);
    return cp932::isSingleByte(key) ? n < TitleMaxBytes : n < TitleMaxBytes - 1;
}

QString filteredTitleText(const QString& text) {
    QString kept;
    const QString withMarkers = cp932::glyphsToMarkers(text);
    for (char32_t ch : withMarkers.toUcs4()) {
        if (isTitleCharacter(ch)) {
            kept += codePointText(ch);
        }
    }
    return cutToTitleLength(kept);
}

const QString& Title::setText(const QString& text) {
    text_ = filteredTitleText(text);
    return text_;
}

QString Title::radioText() const {
    return cp932::markersToGlyphs(text_);
}

bool Title::setSlide(int position) {
    if (position != 0 && position != 1) {
        return false;
    }
    slide_ = position;
    return true;
}

bool Title::appendMarker(int glyphNumber) {
    if (glyphNumber < 1 || glyphNumber > cp932::GlyphCount ||
        titleLength(text_) > TitleMaxBytes - 1) {
        return false;
    }
    text_ += cp932::markerOfGlyph(glyphNumber);
    return true;
}

QByteArray Title::buildBlock() const {
    QByteArray data(TitleBlockSize, '\0');
    // Cut again: nothing longer than the radio shows may reach the block.
    const QString glyphs = cp932::markersToGlyphs(cutToTitleLength(text_));
    int slot = 0;
    for (char32_t ch : glyphs.toUcs4()) {
        const auto code = cp932::codeOf(ch);
        if (!code || slot >= TitleSlotCount) {
            continue;
        }
        data[2 * slot] = static_cast<char>(*code & 0xFF);
        data[2 * slot + 1] = static_cast<char>(*code >> 8);
        ++slot;
    }
    const char slide = static_cast<char>(slide_ == 1 ? 0x11 : 0x00);
    data[SlideByte] = slide;
    data[SlideByte + 1] = slide;
    return data;
}

void Title::decodeBlock(const QByteArray& data) {
    auto byteAt = [&data](int offset) {
        return offset < data.size() ? static_cast<quint8>(data[offset]) : quint8{0};
    };
    QString text;
    for (int slot = 0; slot < TitleSlotCount; ++slot) {
        const quint16 code = static_cast<quint16>(byteAt(2 * slot + 1) * 256 + byteAt(2 * slot));
        if (code == 0) {
            continue;
        }
        const QString ch = cp932::characterOf(code);
        // A slot that holds no character of the code page adds nothing.
        if (ch != QString(QChar(0xFFFD))) {
            text += ch;
        }
    }
    text_ = cutToTitleLength(cp932::glyphsToMarkers(text));
    slide_ = (byteAt(SlideByte) & 0x0F) == 1 ? 1 : 0;
}

} // namespace qmh4
