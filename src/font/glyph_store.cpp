#include "font/glyph_store.h"

#include <algorithm>

namespace qmh4 {

int Glyph::countSet() const {
    return static_cast<int>(std::count(bits_.begin(), bits_.end(), true));
}

QByteArray encodeGlyph(const Glyph& glyph) {
    QByteArray wire(GlyphWireBytes, '\0');
    for (int column = 0; column < GlyphSide; ++column) {
        unsigned upper = 0; // rows 0-7
        unsigned lower = 0; // rows 8-15
        for (int bit = 0; bit < 8; ++bit) {
            if (glyph.pixel(bit, column))
                upper |= 1u << bit;
            if (glyph.pixel(bit + 8, column))
                lower |= 1u << bit;
        }
        wire[column] = static_cast<char>(upper);
        wire[column + GlyphSide] = static_cast<char>(lower);
    }
    return wire;
}

Glyph decodeGlyph(QByteArrayView wire) {
    Glyph glyph;
    const auto byteAt = [&](int i) -> unsigned {
        return i < wire.size() ? static_cast<unsigned char>(wire[i]) : 0u;
    };
    for (int column = 0; column < GlyphSide; ++column) {
        const unsigned upper = byteAt(column);
        const unsigned lower = byteAt(column + GlyphSide);
        for (int bit = 0; bit < 8; ++bit) {
            glyph.setPixel(bit, column, (upper >> bit) & 1u);
            glyph.setPixel(bit + 8, column, (lower >> bit) & 1u);
        }
    }
    return glyph;
}

void GlyphStore::setGlyph(int index, const Glyph& glyph, bool markReal) {
    glyphs_[slot(index)] = glyph;
    real_ = real_ || markReal;
}

void GlyphStore::setGlyphs(const GlyphSet& glyphs) {
    glyphs_ = glyphs;
    real_ = true;
}

void GlyphStore::setPixel(int index, int row, int column, bool on) {
    glyphs_[slot(index)].setPixel(row, column, on);
    real_ = true;
}

void GlyphStore::clearGlyph(int index) {
    glyphs_[slot(index)].clear();
    real_ = true;
}

void GlyphStore::clearAll() {
    for (Glyph& glyph : glyphs_)
        glyph.clear();
    real_ = true;
}

void GlyphStore::reset() {
    glyphs_ = GlyphSet{};
    real_ = false;
}

} // namespace qmh4
