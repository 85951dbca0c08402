#include "font/font_file.h"
#include "font/glyph_store.h"
#include "messages/file_outcome_text.h"
#include "support/test_support.h"
#include "transfers/glyph_transfer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qmh4;

namespace {

// Eight glyphs that differ from each other and exercise every row and column.
GlyphSet sampleGlyphs() {
    GlyphSet glyphs;
    for (int g = 0; g < GlyphCount; ++g)
        for (int r = 0; r < GlyphSide; ++r)
            for (int c = 0; c < GlyphSide; ++c)
                glyphs[static_cast<size_t>(g)].setPixel(r, c,
                                                        (r * 7 + c * 3 + g * 5) % (g + 2) == 0);
    return glyphs;
}

// Every row "1010...": a load must say which pixels it sets and which it leaves.
GlyphSet filledGlyphs() {
    GlyphSet glyphs;
    glyphs.fill(decodeGlyph(QByteArray::fromHex(QByteArray("FF00").repeated(16))));
    return glyphs;
}

// A block of the font file: its digit line and 16 equal rows.
QByteArray block(char digit, const QByteArray& row) {
    return QByteArray(1, digit) + "\r\n" + (row + "\r\n").repeated(GlyphSide);
}

} // namespace

class GlyphFileTest : public QObject {
    Q_OBJECT
private slots:
    // Byte c holds rows 0-7 of column c, byte 16 + c rows 8-15, bit r = row r.
    void wireForm() {
        const int pixels[][4] = {
            {0, 0, 0, 0x01}, {15, 15, 31, 0x80}, {7, 15, 15, 0x80}, {8, 0, 16, 0x01}};
        for (const auto& [row, column, byteIndex, value] : pixels) {
            Glyph glyph;
            glyph.setPixel(row, column, true);
            QByteArray wire(32, '\0');
            wire[byteIndex] = static_cast<char>(value);
            QCOMPARE(encodeGlyph(glyph), wire);
            QCOMPARE(decodeGlyph(wire), glyph);
        }
        for (const Glyph& glyph : sampleGlyphs())
            QCOMPARE(decodeGlyph(encodeGlyph(glyph)), glyph);
        Glyph topLeft;
        topLeft.setPixel(0, 0, true);
        QCOMPARE(glyphwire::writeCommand(0, topLeft), "KV~F01000W01" + QByteArray(62, '0') + "\r");
    }

    void saveThenLoadRestoresEveryGlyph() {
        QTemporaryDir dir;
        const QString path = dir.filePath("glyphs.FH4");
        const GlyphSet saved = sampleGlyphs();
        QVERIFY(saveFontFile(path, saved).ok());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 1 + 8 * 17 + 1 + 1); // the last split is after the final CR LF
        QVERIFY(lines[0].startsWith("Save Date and Time ") && lines[1 + 2 * 17] == "2\r");
        QCOMPARE(lines[1 + 8 * 17], QByteArray("File End\r"));
        GlyphSet loaded = filledGlyphs(); // every pixel, set or clear, must come from the file
        QCOMPARE(loadFontFile(path, loaded).glyphsRead, 8);
        QVERIFY(loaded == saved);
    }

    // The reader is forgiving: the first line is never a block; a line of one digit 0-7 starts
    // one, and blocks fill glyphs in file order; rows not 16 long and characters other than 0
    // and 1 keep their pixels; other lines are skipped; LF line ends and a file that ends inside
    // a block will do.
    void loadRules() {
        const QByteArray ones(16, '1'), zeros(16, '0');
        QByteArray text = "0\n8\n" + (zeros + "\n").repeated(16) + "note 12\n10\n5\n";
        text += (ones + "\n").repeated(3) + "x0 0000000000001\n" + QByteArray(15, '0') + "\n";
        text +=
            (ones + "\n").repeated(11) + block('3', zeros).repeated(6) + "7\n" + ones + "\n" + ones;
        GlyphSet glyphs = filledGlyphs();
        QCOMPARE(applyFontFileText(text, glyphs), 8);
        GlyphSet expected{};
        expected[0] = decodeGlyph(QByteArray(32, '\xFF'));
        expected[7] = filledGlyphs()[7];
        for (int c = 0; c < GlyphSide; ++c) {
            expected[0].setPixel(3, c, c == 0 || c == 2 || c == 15); // "x0 0000000000001"
            expected[0].setPixel(4, c, c % 2 == 0);
            expected[7].setPixel(0, c, true);
            expected[7].setPixel(1, c, true);
        }
        QVERIFY(glyphs == expected);
        // Blocks after the eighth are ignored.
        glyphs = {};
        QCOMPARE(
            applyFontFileText("h\r\n" + block('0', ones).repeated(8) + block('0', zeros), glyphs),
            8);
        QCOMPARE(glyphs[0].countSet(), 256);
    }

    // A refused or unreadable file leaves the glyphs as they were (the extension may be in any
    // case); a save that fails leaves the old file as it was.
    void failuresLeaveWhatWasThere() {
        QTemporaryDir dir;
        QFile file(dir.filePath("glyphs.fh4"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("header\r\n" + block('0', QByteArray(16, '1')));
        file.close();
        GlyphSet glyphs = sampleGlyphs();
        QCOMPARE(fontFileText(loadFontFile(dir.filePath("glyphs.txt"), glyphs)).text,
                 "This File don't Open");
        QVERIFY(loadFontFile(dir.filePath("missing.FH4"), glyphs).event ==
                FontFileEvent::OpenFailed);
        QVERIFY(glyphs == sampleGlyphs());
        QVERIFY(loadFontFile(dir.filePath("glyphs.fh4"), glyphs).ok());
        QCOMPARE(glyphs[0].countSet(), 256);

        QVERIFY(!saveFontFile(dir.filePath("no/such/dir/x.FH4"), sampleGlyphs()).ok());
        const QString path = dir.filePath("kept.FH4");
        QVERIFY(saveFontFile(path, sampleGlyphs()).ok());
        QFile::setPermissions(path, QFile::ReadOwner);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const FontFileResult failed = saveFontFile(path, GlyphSet{});
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (failed.ok())
            QSKIP("the file system lets this user write anyway (running as root)");
        GlyphSet reread;
        QVERIFY(loadFontFile(path, reread).ok() && reread == sampleGlyphs());
    }

    void storeRealFlag() {
        GlyphStore store;
        store.setPixel(3, 2, 1, true);
        QVERIFY(store.holdsRealGlyphs() && store.glyph(3).pixel(2, 1));
        store.reset();
        QVERIFY(!store.holdsRealGlyphs() && store.glyph(3).countSet() == 0);
        store.clearAll(); // a deliberate All Clear is the user's wish for blank glyphs
        QVERIFY(store.holdsRealGlyphs());
    }
};

QTEST_GUILESS_MAIN(GlyphFileTest)
#include "tst_glyph_file.moc"
