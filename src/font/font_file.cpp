#include "font/font_file.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

namespace qmh4 {

namespace {

constexpr char Codec[] = "windows-31j";
constexpr qsizetype MaxFontFileBytes = 16 * 1024 * 1024; // far beyond any real font file

QString decodeText(QByteArrayView bytes) {
    QStringDecoder decoder(Codec);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encodeText(const QString& text) {
    QStringEncoder encoder(Codec);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

// Splits at CR LF, CR or LF alike, the way the radio's tools have always read text lines.
QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text.at(i);
        if (ch != u'\r' && ch != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (ch == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

bool startsBlock(const QString& line) {
    return line.size() == 1 && line.at(0) >= u'0' && line.at(0) <= u'7';
}

void applyRow(const QString& line, Glyph& glyph, int row) {
    if (line.size() != GlyphSide)
        return;
    for (int column = 0; column < GlyphSide; ++column) {
        const QChar ch = line.at(column);
        if (ch == u'1')
            glyph.setPixel(row, column, true);
        else if (ch == u'0')
            glyph.setPixel(row, column, false);
    }
}

FontFileResult failed(FontFileEvent event, const QString& path, const QString& reason = {}) {
    return {event, path, reason, 0};
}

} // namespace

QString fontFileHeader(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    return QStringLiteral("Save Date and Time ") +
           locale.toString(when.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(when.time(), QLocale::ShortFormat);
}

QByteArray formatFontFile(const GlyphSet& glyphs, const QString& headerLine) {
    QByteArray out = encodeText(headerLine);
    out += "\r\n";
    for (int g = 0; g < GlyphCount; ++g) {
        out += QByteArray::number(g);
        out += "\r\n";
        const Glyph& glyph = glyphs[static_cast<std::size_t>(g)];
        for (int row = 0; row < GlyphSide; ++row) {
            for (int column = 0; column < GlyphSide; ++column)
                out += glyph.pixel(row, column) ? '1' : '0';
            out += "\r\n";
        }
    }
    out += "File End\r\n";
    return out;
}

int applyFontFileText(QByteArrayView text, GlyphSet& glyphs) {
    const QStringList lines = splitLines(decodeText(text));
    int filled = 0;
    qsizetype i = 1; // the first line is the save date, never a block
    while (i < lines.size()) {
        if (!startsBlock(lines.at(i))) {
            ++i;
            continue;
        }
        ++i;
        // A ninth block is read past but lands nowhere: the radio has eight glyphs.
        Glyph* target = filled < GlyphCount ? &glyphs[static_cast<std::size_t>(filled)] : nullptr;
        for (int row = 0; row < GlyphSide && i < lines.size(); ++row, ++i) {
            if (target)
                applyRow(lines.at(i), *target, row);
        }
        if (target)
            ++filled;
    }
    return filled;
}

bool hasFontFileExtension(const QString& path) {
    return path.right(3).toUpper() == QLatin1String(FontFileExtension);
}

FontFileResult saveFontFile(const QString& path, const GlyphSet& glyphs, const QDateTime& when) {
    QSaveFile file(path);
    const QByteArray bytes = formatFontFile(glyphs, fontFileHeader(when));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return failed(FontFileEvent::SaveFailed, path, file.errorString());
    return {FontFileEvent::Saved, path, {}, GlyphCount};
}

FontFileResult loadFontFile(const QString& path, GlyphSet& glyphs) {
    if (!hasFontFileExtension(path))
        return failed(FontFileEvent::NotFontName, path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(FontFileEvent::OpenFailed, path, file.errorString());
    if (file.size() > MaxFontFileBytes)
        return failed(FontFileEvent::TooLarge, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(FontFileEvent::ReadFailed, path, file.errorString());
    GlyphSet loaded = glyphs;
    const int filled = applyFontFileText(bytes, loaded);
    glyphs = loaded;
    return {FontFileEvent::Loaded, path, {}, filled};
}

} // namespace qmh4
