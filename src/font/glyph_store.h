#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>

namespace qmh4 {

constexpr int GlyphCount = 8;      // user glyphs 1 to 8 of the radio's display font
constexpr int GlyphSide = 16;      // each glyph is 16 x 16 pixels
constexpr int GlyphWireBytes = 32; // one glyph on the wire

// One 16 x 16 user glyph. Row 0 is the top row, column 0 the left column.
class Glyph {
public:
    bool pixel(int row, int column) const { return bits_[index(row, column)]; }
    void setPixel(int row, int column, bool on) { bits_[index(row, column)] = on; }
    void clear() { bits_.fill(false); }
    int countSet() const;
    bool operator==(const Glyph&) const = default;

private:
    static std::size_t index(int row, int column) {
        return static_cast<std::size_t>(row * GlyphSide + column);
    }
    std::array<bool, GlyphSide * GlyphSide> bits_{};
};

using GlyphSet = std::array<Glyph, GlyphCount>;

// The radio keeps a glyph column by column: byte c holds rows 0-7 of column c (bit r = row r),
// byte 16 + c holds rows 8-15 (bit 0 = row 8 ... bit 7 = row 15).
QByteArray encodeGlyph(const Glyph& glyph);
// `wire` must hold 32 bytes; a shorter view leaves the missing columns clear.
Glyph decodeGlyph(QByteArrayView wire);

// The eight user glyphs the program works on: part of the working data (the font editor edits
// them, the whole-radio transfer moves them). Starts all clear.
//
// The radio's glyphs are not part of the data file, so a blank store says nothing about what the
// radio should hold. holdsRealGlyphs() tells whether the store's content came from somewhere
// (read from the radio, loaded from a font file, or edited by the user); only then does "Write
// All Data" send the glyph blocks, so that opening a data file and writing everything never
// blanks the radio's glyphs.
//
// Transfers work on copies and hand their results back.
class GlyphStore {
public:
    const Glyph& glyph(int index) const { return glyphs_[slot(index)]; }
    const GlyphSet& glyphs() const { return glyphs_; }
    bool holdsRealGlyphs() const { return real_; }

    // Every change below marks the store as holding real glyphs, but for a glyph put back with
    // markReal false: a whole-set read that broke off keeps the glyphs it got without vouching
    // for the rest, which would otherwise go to the radio blank.
    void setGlyph(int index, const Glyph& glyph, bool markReal = true);
    void setGlyphs(const GlyphSet& glyphs);
    void setPixel(int index, int row, int column, bool on);
    void clearGlyph(int index);
    void clearAll();

    // Back to the start-up state: all clear, nothing real.
    void reset();

    bool operator==(const GlyphStore&) const = default;

private:
    static std::size_t slot(int index) { return static_cast<std::size_t>(index); }
    GlyphSet glyphs_{};
    bool real_ = false;
};

} // namespace qmh4
