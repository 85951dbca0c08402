#include "text/cp932.h"
#include "text/radio_charset.h"

#include <QTest>

#include <set>

using namespace qmh4;

class RadioCharsetTest : public QObject {
    Q_OBJECT

private slots:
    void entries_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("code");
        QTest::newRow("first hiragana") << 0 << 0x829F;
        QTest::newRow("last katakana") << 169 << 0x8396;
        QTest::newRow("punctuation row start") << 170 << 0x813F;
        QTest::newRow("small a") << 355 << 0x8281;
        QTest::newRow("small a again") << 381 << 0x8281;
        QTest::newRow("small s again") << 399 << 0x8293;
        QTest::newRow("first kanji") << 400 << 0x88A4; // 愛
        QTest::newRow("last kanji") << 843 << 0x8F72;  // 俊
        QTest::newRow("unfilled") << 844 << 0;
        QTest::newRow("outside") << 1001 << 0;
    }

    void entries() {
        QFETCH(int, index);
        QFETCH(int, code);
        QCOMPARE(radioCharacterCode(index), static_cast<quint16>(code));
    }

    // Symbols and full-width digits 266..328 by their characters, and 444 distinct kanji.
    void symbolsAndKanji() {
        const QString symbols = u"◆□■△▲▽▼※〒→←↑↓〓∈∋⊆⊇⊂⊃∪∩∧∨￢⇒⇔∀∃∠⊥⌒∂∇≡≒≪≫√∽∝∵∫∬"
                                u"\u212B‰♯♭♪†‡¶◯０１２３４５６７８９"_qs;
        for (int i = 0; i < symbols.size(); ++i)
            QCOMPARE(cp932::characterOf(radioCharacterCode(266 + i)), QString(symbols[i]));
        std::set<quint16> kanji;
        for (int i = 400; i < FilledRadioCharacterCount; ++i)
            kanji.insert(radioCharacterCode(i));
        QCOMPARE(kanji.size(), std::size_t{444});
        QVERIFY(*kanji.begin() >= 0x889F); // all in the kanji rows of the code page
    }

    void lookups() {
        QCOMPARE(radioCharacterIndex(0x8281), 355); // the first of its two entries
        QCOMPARE(radioCharacterIndex(*cp932::codeOf(U'東')), 725);
        QVERIFY(!isRadioCharacterCode(0x8740)); // ① is a user glyph, not a radio character
        QVERIFY(!isRadioCharacterCode(0x41));
        QVERIFY(!isRadioCharacterCode(0));
    }
};

QTEST_GUILESS_MAIN(RadioCharsetTest)
#include "tst_radio_charset.moc"
