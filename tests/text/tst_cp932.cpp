#include "text/cp932.h"

#include <QTest>

using namespace qmh4;

namespace {

QString ucs4(char32_t ch) {
    return QString::fromUcs4(&ch, 1);
}

} // namespace

class Cp932Test : public QObject {
    Q_OBJECT

private slots:
    void codesOfCharacters_data() {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("code");
        QTest::newRow("backslash stays 5C") << u"\\"_qs << 0x5C;
        QTest::newRow("half-width katakana is single-byte") << u"ｱ"_qs << 0xB1;
        QTest::newRow("kanji") << u"俊"_qs << 0x8F72;
        QTest::newRow("angstrom sign") << ucs4(0x212B) << 0x81F0;
        // JIS flavours of characters are taken as the code page's own.
        QTest::newRow("wave dash") << ucs4(0x301C) << 0x8160;
        QTest::newRow("minus sign") << ucs4(0x2212) << 0x817C;
        QTest::newRow("double vertical line") << ucs4(0x2016) << 0x8161;
        QTest::newRow("cent below 256 is double-byte") << ucs4(0x00A2) << 0x8191;
        QTest::newRow("pound") << ucs4(0x00A3) << 0x8192;
        QTest::newRow("not sign") << ucs4(0x00AC) << 0x81CA;
    }

    void codesOfCharacters() {
        QFETCH(QString, character);
        QFETCH(int, code);
        const char32_t ch = character.toUcs4().at(0);
        QCOMPARE(cp932::codeOf(ch), std::optional<quint16>(static_cast<quint16>(code)));
        QCOMPARE(cp932::isSingleByte(ch), code < 256);
        const QByteArray bytes = cp932::encode(u"A"_qs + character).value_or("missing");
        QCOMPARE(bytes.size(), code < 256 ? 2 : 3);
        QCOMPARE(static_cast<quint8>(bytes.back()), static_cast<quint8>(code & 0xFF));
    }

    void refusesWhatTheCodePageLacks_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("yen sign") << u"¥"_qs;
        QTest::newRow("A with ring (not the angstrom sign)") << ucs4(0x00C5);
        QTest::newRow("emoji") << ucs4(0x1F600);
        QTest::newRow("inside a text") << u"AB"_qs + ucs4(0x00E9) + u"CD"_qs;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    }

    void refusesWhatTheCodePageLacks() {
        QFETCH(QString, text);
        QVERIFY(!cp932::encode(text).has_value()); // never the FC FC Qt writes
        QVERIFY(!cp932::countedLength(text).has_value());
        if (text.toUcs4().size() == 1)
            QVERIFY(!cp932::codeOf(text.toUcs4().at(0)).has_value());
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

    void decodesBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("mixed widths") << QByteArray("A\x87\x40\xB1\x82\x69") << u"A①ｱＪ"_qs;
        QTest::newRow("control codes stay themselves")
            << QByteArray("\x1A\x1C\x7F\x82\x69\x1A") << u"\x1A\x1C\x7FＪ\x1A"_qs;
        QTest::newRow("unassigned byte") << QByteArray("A\x80"
                                                       "B")
                                         << u"A\uFFFDB"_qs;
    }

    void decodesBytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp932::decode(bytes), text);
        if (!text.contains(QChar(0xFFFD)))
            QCOMPARE(cp932::encode(text), std::optional<QByteArray>(bytes));
    }

    void countedLength_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::newRow("ASCII and half-width kana") << u"CQ ｱ"_qs << 4;
        QTest::newRow("marker counts two") << u":1~CQ"_qs << 4;
        QTest::newRow("glyph character counts two") << u"①CQ"_qs << 4;
        QTest::newRow("marker 9 is plain text") << u":9~"_qs << 3;
        QTest::newRow("broken marker") << u":1"_qs << 2;
        QTest::newRow("cent counts two") << u"¢"_qs << 2;
    }

    void countedLength() {
        QFETCH(QString, text);
        QFETCH(int, length);
        QCOMPARE(cp932::countedLength(text), std::optional<int>(length));
    }
};

QTEST_GUILESS_MAIN(Cp932Test)
#include "tst_cp932.moc"
