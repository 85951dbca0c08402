#include "font_editor/font_file.h"
#include "font_editor/glyph_store.h"
#include "font_editor/glyph_transfer.h"
#include "support/test_support.h"

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

QByteArray fontText(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

// A font file whose first line is a header, then `lines`.
QByteArray withHeader(const QList<QByteArray>& lines) {
    return fontText(QList<QByteArray>{"header"} + lines);
}

QList<QByteArray> block(char digit, const QByteArray& row) {
    QList<QByteArray> lines{QByteArray(1, digit)};
    for (int r = 0; r < GlyphSide; ++r)
        lines << row;
    return lines;
}

} // namespace

class GlyphFileTest : public QObject {
    Q_OBJECT
private slots:
    void wireForm_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("byteIndex");
        QTest::addColumn<int>("value");
        QTest::newRow("top-left") << 0 << 0 << 0 << 0x01;
        QTest::newRow("bottom-right") << 15 << 15 << 31 << 0x80;
        QTest::newRow("row 7 column 15") << 7 << 15 << 15 << 0x80;
        QTest::newRow("row 8 column 0") << 8 << 0 << 16 << 0x01;
    }

    void wireForm() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, byteIndex);
        QFETCH(int, value);
        Glyph glyph;
        glyph.setPixel(row, column, true);
        QByteArray expected(32, '\0');
        expected[byteIndex] = static_cast<char>(value);
        QCOMPARE(encodeGlyph(glyph), expected);
        QCOMPARE(decodeGlyph(expected), glyph);
    }

    void wireRoundTrip() {
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
        QVERIFY(saveFontFile(path, saved).ok);
        GlyphSet loaded; // all clear: every set pixel must come from the file
        for (Glyph& g : loaded)
            for (int r = 0; r < GlyphSide; ++r)
                g.setPixel(r, r, true); // and every clear one too
        const FontFileResult result = loadFontFile(path, loaded);
        QVERIFY(result.ok);
        QCOMPARE(result.glyphsRead, 8);
        QVERIFY(loaded == saved);
    }

    void savedLayout() {
        GlyphSet glyphs;
        glyphs[2].setPixel(0, 15, true);
        const QList<QByteArray> lines =
            formatFontFile(glyphs, "Save Date and Time 2024/01/02 3:04").split('\n');
        QCOMPARE(lines.size(), 1 + 8 * 17 + 1 + 1); // the last split is after the final CR LF
        QCOMPARE(lines[0], QByteArray("Save Date and Time 2024/01/02 3:04\r"));
        QCOMPARE(lines[1 + 2 * 17], QByteArray("2\r"));
        QCOMPARE(lines[2 + 2 * 17], QByteArray("0000000000000001\r"));
        QCOMPARE(lines[3 + 2 * 17], QByteArray("0000000000000000\r"));
        QCOMPARE(lines[1 + 8 * 17], QByteArray("File End\r"));
        QVERIFY(fontFileHeader(QDateTime::currentDateTime()).startsWith("Save Date and Time "));
    }

    void loadRules_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("filled");
        QTest::addColumn<int>("glyph"); // glyph to inspect
        QTest::addColumn<int>("row");   // row to inspect
        QTest::addColumn<QByteArray>("expectedRow");

        const QByteArray ones(16, '1');
        const QByteArray zeros(16, '0');
        // The store before loading holds rows of "1010..." everywhere.
        const QByteArray before = "1010101010101010";

        QList<QByteArray> shortRow = block('0', zeros);
        shortRow[1 + 4] = QByteArray(15, '0');
        QTest::newRow("15-character row keeps its pixels")
            << withHeader(shortRow) << 1 << 0 << 4 << before;
        QTest::newRow("15-character row, next row still read")
            << withHeader(shortRow) << 1 << 0 << 5 << zeros;

        QList<QByteArray> odd = block('0', zeros);
        odd[1 + 3] = "x0 0000000000001";
        QTest::newRow("odd characters keep their pixels")
            << withHeader(odd) << 1 << 0 << 3 << QByteArray("1010000000000001");

        QTest::newRow("blocks fill in file order whatever their digit")
            << withHeader(block('5', ones) + block('3', zeros)) << 2 << 0 << 0 << ones;
        QTest::newRow("second block lands in glyph 1")
            << withHeader(block('5', ones) + block('3', zeros)) << 2 << 1 << 9 << zeros;

        QList<QByteArray> nine{"header"};
        for (int g = 0; g < 9; ++g)
            nine += block(static_cast<char>('0' + (g % 8)), g == 8 ? zeros : ones);
        QTest::newRow("a ninth block is ignored") << fontText(nine) << 8 << 0 << 0 << ones;

        QTest::newRow("first line is never a block")
            << fontText(QList<QByteArray>{"0"} + QList<QByteArray>(16, zeros) + block('1', ones))
            << 1 << 0 << 0 << ones;
        QTest::newRow("digit 8 does not start a block")
            << withHeader(QList<QByteArray>{"8"} + QList<QByteArray>(16, zeros)) << 0 << 0 << 0
            << before;
        QTest::newRow("lines between blocks are skipped")
            << withHeader(QList<QByteArray>{"", "note 12", "10"} + block('0', ones)) << 1 << 0 << 15
            << ones;

        QByteArray lfOnly = withHeader(block('0', ones)).replace("\r", "");
        QTest::newRow("LF line ends") << lfOnly << 1 << 0 << 15 << ones;
        QByteArray noEnd = withHeader(block('0', ones));
        noEnd.chop(2);
        QTest::newRow("no end line, no final line end") << noEnd << 1 << 0 << 15 << ones;
        QTest::newRow("file ends inside a block")
            << withHeader({"0", ones, ones}) << 1 << 0 << 2 << before;
        QTest::newRow("empty file") << QByteArray() << 0 << 3 << 3 << before;
    }

    void loadRules() {
        QFETCH(QByteArray, text);
        QFETCH(int, filled);
        QFETCH(int, glyph);
        QFETCH(int, row);
        QFETCH(QByteArray, expectedRow);

        GlyphSet glyphs;
        for (Glyph& g : glyphs)
            for (int r = 0; r < GlyphSide; ++r)
                for (int c = 0; c < GlyphSide; c += 2)
                    g.setPixel(r, c, true);
        QCOMPARE(applyFontFileText(text, glyphs), filled);
        QByteArray actual;
        for (int c = 0; c < GlyphSide; ++c)
            actual += glyphs[static_cast<size_t>(glyph)].pixel(row, c) ? '1' : '0';
        QCOMPARE(actual, expectedRow);
    }

    void refusedFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("create");
        QTest::addColumn<QString>("error");
        QTest::newRow("wrong extension") << "glyphs.txt" << true << "This File don't Open";
        QTest::newRow("extension without dot still ends in fh4") << "glyphsfh4" << true << "";
        QTest::newRow("lower case extension") << "glyphs.fh4" << true << "";
        QTest::newRow("missing file") << "missing.FH4" << false << "Cannot open";
    }

    void refusedFiles() {
        QFETCH(QString, name);
        QFETCH(bool, create);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (create) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(withHeader(block('0', QByteArray(16, '1'))));
        }
        GlyphSet glyphs = sampleGlyphs();
        const FontFileResult result = loadFontFile(path, glyphs);
        QCOMPARE(result.ok, error.isEmpty());
        if (error.isEmpty()) {
            QCOMPARE(glyphs[0].countSet(), 256);
            return;
        }
        QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
        QVERIFY(glyphs == sampleGlyphs());
    }

    void saveFailureKeepsOldFile() {
        QTemporaryDir dir;
        QVERIFY(!saveFontFile(dir.filePath("no/such/dir/x.FH4"), sampleGlyphs()).ok);
        const QString path = dir.filePath("kept.FH4");
        QVERIFY(saveFontFile(path, sampleGlyphs()).ok);
        QFile::setPermissions(path, QFile::ReadOwner);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const FontFileResult failed = saveFontFile(path, GlyphSet{});
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (failed.ok)
            QSKIP("the file system lets this user write anyway (running as root)");
        GlyphSet reread;
        QVERIFY(loadFontFile(path, reread).ok);
        QVERIFY(reread == sampleGlyphs());
    }

    void storeRealFlag() {
        GlyphStore store;
        QVERIFY(!store.holdsRealGlyphs());
        store.setPixel(3, 2, 1, true);
        QVERIFY(store.holdsRealGlyphs());
        QVERIFY(store.glyph(3).pixel(2, 1));
        store.reset();
        QVERIFY(!store.holdsRealGlyphs());
        QCOMPARE(store.glyph(3).countSet(), 0);
        store.clearAll(); // a deliberate All Clear is the user's wish for blank glyphs
        QVERIFY(store.holdsRealGlyphs());
    }
};

QTEST_GUILESS_MAIN(GlyphFileTest)
#include "tst_glyph_file.moc"
