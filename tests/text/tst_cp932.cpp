#include "text/cp932.h"

#include <QTest>

using namespace qmh4;

class Cp932Test : public QObject {
    Q_OBJECT

private slots:
    void codesOfCharacters_data() {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("code");
        // Backslash stays 5C, half-width kana is single-byte, a kanji, the angstrom sign, then
        // the JIS flavours taken as the code page's own (wave dash, minus, double vertical line,
        // and cent, pound and not sign, which are double-byte although below 256).
        const std::pair<char32_t, int> rows[] = {
            {U'\\', 0x5C},    {U'ｱ', 0xB1},     {U'俊', 0x8F72},  {0x212B, 0x81F0},
            {0x301C, 0x8160}, {0x2212, 0x817C}, {0x2016, 0x8161}, {0x00A2, 0x8191},
            {0x00A3, 0x8192}, {0x00AC, 0x81CA}};
        for (const auto& [ch, code] : rows)
            QTest::addRow("U+%04X", static_cast<unsigned>(ch)) << QString::fromUcs4(&ch, 1) << code;
    }

    void codesOfCharacters() {
        QFETCH(QString, character);
        QFETCH(int, code);
        const char32_t ch = character.toUcs4().at(0);
        QCOMPARE(cp932::codeOf(ch), std::optional<quint16>(static_cast<quint16>(code)));
        QCOMPARE(cp932::isSingleByte(ch), code < 256);
    }

    void refusesWhatTheCodePageLacks_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("yen sign") << u"¥"_qs;
        QTest::newRow("A with ring (not the angstrom sign)") << u"\u00C5"_qs;
        QTest::newRow("emoji inside a text") << u"AB\U0001F600CD"_qs;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    }

    void refusesWhatTheCodePageLacks() {
        QFETCH(QString, text);
        QVERIFY(!cp932::encode(text).has_value()); // never the FC FC Qt writes
        QVERIFY(!cp932::countedLength(text).has_value());
        // A refusal does not spoil the next conversion.
        QCOMPARE(cp932::encode(u"ＪＲ"_qs), std::optional<QByteArray>("\x82\x69\x82\x71"));
    }

    void everyCodeOfTheCodePageComesBack() {
        // Every code that decodes to a character encodes back to a code of the same character
        // (the code page has a few duplicates, so the code itself may differ).
        int characters = 0;
        for (int code = 1; code <= 0xFFFF; ++code) {
            const QString text = cp932::characterOf(static_cast<quint16>(code));
            if (text == u"\uFFFD")
                continue;
            ++characters;
            const auto back = cp932::codeOf(text.toUcs4().at(0));
            QVERIFY2(back.has_value(), qPrintable(QString::number(code, 16)));
            QCOMPARE(cp932::characterOf(*back), text);
        }
        QVERIFY(characters > 7000);
        for (const int invalid : {0x80, 0x81, 0x8120, 0x4142, 0xFCFC})
            QCOMPARE(cp932::characterOf(static_cast<quint16>(invalid)), u"\uFFFD"_qs);
    }

    // Mixed widths, and control codes that stay themselves between double-byte characters. A
    // glyph marker and a glyph character count two; ":9~" and ":1" are plain text.
    void mixedText() {
        const QByteArray bytes("A\x87\x40\xB1\x1A\x1C\x7F\x82\x69\x1A");
        QCOMPARE(cp932::decode(bytes), u"A①ｱ\x1A\x1C\x7FＪ\x1A"_qs);
        QCOMPARE(cp932::encode(cp932::decode(bytes)), std::optional<QByteArray>(bytes));
        QCOMPARE(cp932::decode("A\x80\x42"), u"A\uFFFDB"_qs); // an unassigned byte
        QCOMPARE(cp932::countedLength(u"CQ ｱ:1~①"_qs), std::optional<int>(8));
        QCOMPARE(cp932::countedLength(u":9~:1"_qs), std::optional<int>(5));
    }
};

QTEST_GUILESS_MAIN(Cp932Test)
#include "tst_cp932.moc"
