#include "text/cp932.h"
#include "text/radio_charset.h"

#include <QTest>

#include <set>

using namespace qmh4;

class RadioCharsetTest : public QObject {
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void secondLowerCaseRunRepeatsTheFirst();
    void onlyTheFirst844AreFilled();
    void symbolsAreTheListedCharacters();
    void kanjiAreDistinctDoubleByteCharacters();
    void lookups_data();
    void lookups();
};

void RadioCharsetTest::entries_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("code");
    QTest::newRow("first hiragana") << 0 << 0x829F;
    QTest::newRow("last hiragana") << 82 << 0x82F1;
    QTest::newRow("first katakana") << 83 << 0x8340;
    QTest::newRow("unused katakana code") << 83 + (0x837F - 0x8340) << 0x837F;
    QTest::newRow("last katakana") << 169 << 0x8396;
    QTest::newRow("punctuation row start") << 170 << 0x813F;
    QTest::newRow("ideographic space") << 171 << 0x8140;
    QTest::newRow("punctuation row end") << 265 << 0x819E;
    QTest::newRow("first symbol") << 266 << 0x819F;
    QTest::newRow("angstrom") << 266 + 44 << 0x81F0;
    QTest::newRow("last symbol") << 318 << 0x81FC;
    QTest::newRow("digit zero") << 319 << 0x824F;
    QTest::newRow("digit nine") << 328 << 0x8258;
    QTest::newRow("capital A") << 329 << 0x8260;
    QTest::newRow("capital Z") << 354 << 0x8279;
    QTest::newRow("small a") << 355 << 0x8281;
    QTest::newRow("small z") << 380 << 0x829A;
    QTest::newRow("small s again") << 399 << 0x8293;
    QTest::newRow("first kanji") << 400 << 0x88A4; // 愛
    QTest::newRow("last kanji") << 843 << 0x8F72;  // 俊
    QTest::newRow("unfilled") << 844 << 0;
    QTest::newRow("last entry") << 1000 << 0;
    QTest::newRow("outside") << 1001 << 0;
    QTest::newRow("negative") << -1 << 0;
}

void RadioCharsetTest::entries() {
    QFETCH(int, index);
    QFETCH(int, code);
    QCOMPARE(radioCharacterCode(index), static_cast<quint16>(code));
}

void RadioCharsetTest::secondLowerCaseRunRepeatsTheFirst() {
    for (int i = 0; i < 19; ++i)
        QCOMPARE(radioCharacterCode(381 + i), radioCharacterCode(355 + i));
}

void RadioCharsetTest::onlyTheFirst844AreFilled() {
    const RadioCharacterTable& table = radioCharacterTable();
    for (int i = 0; i < RadioCharacterCount; ++i)
        QCOMPARE(table[static_cast<std::size_t>(i)] != 0, i < FilledRadioCharacterCount);
}

void RadioCharsetTest::symbolsAreTheListedCharacters() {
    const QString symbols = u"◆□■△▲▽▼※〒→←↑↓〓∈∋⊆⊇⊂⊃∪∩∧∨￢⇒⇔∀∃∠⊥⌒∂∇≡≒≪≫√∽∝∵∫∬"
                            u"\u212B‰♯♭♪†‡¶◯０１２３４５６７８９"_qs;
    QCOMPARE(symbols.size(), 63);
    for (int i = 0; i < symbols.size(); ++i)
        QCOMPARE(cp932::characterOf(radioCharacterCode(266 + i)), QString(symbols[i]));
}

void RadioCharsetTest::kanjiAreDistinctDoubleByteCharacters() {
    std::set<quint16> codes;
    for (int i = 400; i < FilledRadioCharacterCount; ++i) {
        const quint16 code = radioCharacterCode(i);
        QVERIFY2(code > 0x889E, qPrintable(QString::number(i))); // the kanji rows start at 889F
        codes.insert(code);
    }
    QCOMPARE(codes.size(), std::size_t{444});
    QCOMPARE(cp932::characterOf(radioCharacterCode(410)), u"育"_qs);
}

void RadioCharsetTest::lookups_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    QTest::newRow("small a: first of its two entries") << 0x8281 << 355;
    QTest::newRow("small t: only once") << 0x8294 << 374;
    QTest::newRow("east") << static_cast<int>(*cp932::codeOf(U'東')) << 400 + 325;
    QTest::newRow("glyph 1 is not a radio character") << 0x8740 << -1;
    QTest::newRow("single byte A is not in the table") << 0x41 << -1;
    QTest::newRow("zero is never found") << 0 << -1;
}

void RadioCharsetTest::lookups() {
    QFETCH(int, code);
    QFETCH(int, index);
    QCOMPARE(radioCharacterIndex(static_cast<quint16>(code)), index);
    QCOMPARE(isRadioCharacterCode(static_cast<quint16>(code)), index >= 0);
    if (index >= 0)
        QCOMPARE(radioCharacterCode(index), static_cast<quint16>(code));
}

QTEST_GUILESS_MAIN(RadioCharsetTest)
#include "tst_radio_charset.moc"
