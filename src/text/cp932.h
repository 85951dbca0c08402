#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// Code page 932 (Shift_JIS as Windows has it), the code page of the radio's names, the title
// and every text file of the program. A character's "code" is the 16-bit number the radio and
// the files use: one byte below 256 for a single-byte character, lead * 256 + trail for a
// double-byte one. "Single-byte" always means one code page 932 byte (ASCII and half-width
// katakana), never a Unicode code point below 256: "¢" is the double-byte 0x8191.
namespace qmh4::cp932 {

// Replaces the JIS flavour of a character by the one code page 932 holds (U+301C WAVE DASH by
// U+FF5E, U+2212 MINUS by U+FF0D, U+2016 by U+2225, ¢ £ ¬ by their full-width forms); any
// other character comes back unchanged.
char32_t windowsVariant(char32_t ch);

// The code of one character, after the variant mapping; nullopt when code page 932 has no such
// character (it is refused rather than written as a substitute).
std::optional<quint16> codeOf(char32_t ch);
bool isSingleByte(char32_t ch);

// The character of a code: one code point, or U+FFFD when the code is no character of the code
// page (a lone lead byte, an unassigned code).
QString characterOf(quint16 code);

// The bytes of a text; nullopt as soon as one character cannot be encoded.
std::optional<QByteArray> encode(QStringView text);
bool canEncode(QStringView text);
// The text of code page 932 bytes; an unassigned code gives U+FFFD, a lead byte without its
// trail byte at the very end is dropped. Control codes stay themselves (0x1A is U+001A).
QString decode(QByteArrayView bytes);

// The counted length of a name or title in bytes: single-byte characters count 1, double-byte
// ones 2, and a user glyph marker ":1~" .. ":8~" counts 2, the size of the glyph it stands for.
// nullopt when the text holds a character that cannot be encoded.
std::optional<int> countedLength(QStringView text);

// User glyphs: the radio keeps glyph n (1..8) as the character ① .. ⑧ (0x8740 .. 0x8747); the
// grid and the text boxes show it as the marker ":n~".
constexpr char16_t FirstGlyph = u'\u2460'; // ①
constexpr int GlyphCount = 8;
QString markerOfGlyph(int glyphNumber); // 1 -> ":1~"
QString glyphsToMarkers(QStringView text);
QString markersToGlyphs(QStringView text);
// The glyph number (1..8) of the marker starting at `pos`, 0 when there is none.
int markerAt(QStringView text, qsizetype pos);

} // namespace qmh4::cp932
