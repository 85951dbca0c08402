#pragma once

#include "font/glyph_store.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

namespace qmh4 {

// The font file (.FH4): text in code page 932, CR LF line ends.
//
//   Save Date and Time <short date> <short time>
//   0                      <- glyph block: one digit line, then 16 rows of 16 "0"/"1"
//   0000000000000000
//   ...                    (eight blocks, glyphs 0 to 7)
//   File End
//
// Reading is forgiving: the first line is ignored; a line of exactly one digit 0-7 starts a
// block; a block's rows that are not exactly 16 characters long keep their old pixels; characters
// other than "0" and "1" leave their pixel as it was; blocks fill glyphs 0, 1, 2 ... in file order
// whatever digit starts them; blocks after the eighth are ignored; "File End" is not needed.

inline constexpr char FontFileExtension[] = "FH4";

// "Save Date and Time " followed by the system's short date and short time.
QString fontFileHeader(const QDateTime& when);
QByteArray formatFontFile(const GlyphSet& glyphs, const QString& headerLine);

// Applies the blocks of a font file's text onto `glyphs`. Returns how many glyphs it filled.
int applyFontFileText(QByteArrayView text, GlyphSet& glyphs);

// True when the last three characters of the name, in upper case, are "FH4".
bool hasFontFileExtension(const QString& path);

// What a font file save or load did; the window and `qmh4` put it into words.
enum class FontFileEvent : quint8 {
    Saved,
    Loaded,
    NotFontName, // refused for its name: it does not end in FH4
    OpenFailed,
    TooLarge,
    ReadFailed,
    SaveFailed, // an existing file stays as it was
};

struct FontFileResult {
    FontFileEvent event = FontFileEvent::NotFontName;
    QString path;
    QString reason; // the system's words when opening, reading or saving failed
    int glyphsRead = 0;

    bool ok() const { return event == FontFileEvent::Saved || event == FontFileEvent::Loaded; }
};

// Writes through QSaveFile: a failure leaves an existing file as it was.
FontFileResult saveFontFile(const QString& path, const GlyphSet& glyphs,
                            const QDateTime& when = QDateTime::currentDateTime());
// Loads onto `glyphs`; on any error `glyphs` is left untouched. A name not ending in FH4 is
// refused unread.
FontFileResult loadFontFile(const QString& path, GlyphSet& glyphs);

} // namespace qmh4
