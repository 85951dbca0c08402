// The font-file reader on any bytes: no crash, never more than eight glyphs, and the glyphs it
// read survive a save and a load unchanged.

#include "font/font_file.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace qmh4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    GlyphSet glyphs{};
    const int filled = applyFontFileText(text, glyphs);
    FUZZ_CHECK(filled >= 0 && filled <= GlyphCount);

    const QByteArray saved = formatFontFile(glyphs, QStringLiteral("Save Date and Time x"));
    GlyphSet again{};
    FUZZ_CHECK(applyFontFileText(saved, again) == GlyphCount);
    FUZZ_CHECK(again == glyphs);
    return 0;
}
