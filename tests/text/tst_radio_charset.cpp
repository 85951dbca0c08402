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
        QTest::addColumn<int>("foundAt"); // the first entry holding the code
        // Table edges: kana, punctuation, the repeated small letters, kanji, unfilled, outside.
        const int rows[][3] = {{0, 0x829F, 0},     {169, 0x8396, 169}, {170, 0x813F, 170},
                               {381, 0x8281, 355}, {399, 0x8293, 373}, {400, 0x88A4, 400},
                               {725, 0x938C, 725}, {843, 0x8F72, 843}, {844, 0, -1},
                               {1001, 0, -1}};
        for (const auto& [index, code, foundAt] : rows)
            QTest::addRow("%d", index) << index << code << foundAt;
    }

    void entries() {
        QFETCH(int, index);
        QFETCH(int, code);
        QFETCH(int, foundAt);
        QCOMPARE(radioCharacterCode(index), static_cast<quint16>(code));
        QCOMPARE(radioCharacterIndex(static_cast<quint16>(code)), foundAt);
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
        QVERIFY(*kanji.begin() >= 0x889F);      // all in the kanji rows of the code page
        QVERIFY(!isRadioCharacterCode(0x8740)); // ① is a user glyph, not a radio character
    }
};

QTEST_GUILESS_MAIN(RadioCharsetTest)
#include "tst_radio_charset.moc"
