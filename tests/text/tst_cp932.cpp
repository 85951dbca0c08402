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
    void codesOfCharacters_data();
    void codesOfCharacters();
    void refusesWhatTheCodePageLacks_data();
    void refusesWhatTheCodePageLacks();
    void asciiShortcutAgreesWithTheEncoder();
    void everyCodeOfTheCodePageComesBack();
    void decodesBytes_data();
    void decodesBytes();
    void invalidCodesDecodeToReplacement_data();
    void invalidCodesDecodeToReplacement();
    void countedLength_data();
    void countedLength();
    void markers_data();
    void markers();
};

void Cp932Test::codesOfCharacters_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("code");
    QTest::newRow("ASCII") << u"A"_qs << 0x41;
    QTest::newRow("backslash stays 5C") << u"\\"_qs << 0x5C;
    QTest::newRow("half-width katakana is single-byte") << u"ｱ"_qs << 0xB1;
    QTest::newRow("glyph 1") << u"①"_qs << 0x8740;
    QTest::newRow("glyph 8") << u"⑧"_qs << 0x8747;
    QTest::newRow("full-width J") << u"Ｊ"_qs << 0x8269;
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

void Cp932Test::codesOfCharacters() {
    QFETCH(QString, character);
    QFETCH(int, code);
    const char32_t ch = character.toUcs4().at(0);
    QCOMPARE(cp932::codeOf(ch), std::optional<quint16>(static_cast<quint16>(code)));
    QCOMPARE(cp932::isSingleByte(ch), code < 256);
    const QByteArray bytes = cp932::encode(character).value_or("missing");
    QCOMPARE(bytes.size(), code < 256 ? 1 : 2);
    QCOMPARE(static_cast<quint8>(bytes.back()), static_cast<quint8>(code & 0xFF));
}

void Cp932Test::refusesWhatTheCodePageLacks_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("yen sign") << u"¥"_qs;
    QTest::newRow("A with ring (not the angstrom sign)") << ucs4(0x00C5);
    QTest::newRow("emoji") << ucs4(0x1F600);
    QTest::newRow("refused character inside a text") << u"AB"_qs + ucs4(0x00E9) + u"CD"_qs;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
}

void Cp932Test::refusesWhatTheCodePageLacks() {
    QFETCH(QString, text);
    QVERIFY(!cp932::encode(text).has_value());
    QVERIFY(!cp932::canEncode(text));
    QVERIFY(!cp932::countedLength(text).has_value());
    if (text.toUcs4().size() == 1)
        QVERIFY(!cp932::codeOf(text.toUcs4().at(0)).has_value());
    // A refusal does not spoil the next conversion.
    QCOMPARE(cp932::encode(u"ＪＲ"_qs), std::optional<QByteArray>("\x82\x69\x82\x71"));
}

void Cp932Test::asciiShortcutAgreesWithTheEncoder() {
    for (char32_t ch = 1; ch < 0x80; ++ch) {
        const auto bytes = cp932::encode(ucs4(ch));
        QVERIFY(bytes.has_value());
        QCOMPARE(bytes->size(), 1);
        QCOMPARE(cp932::codeOf(ch), std::optional<quint16>(static_cast<quint8>(bytes->at(0))));
    }
}

void Cp932Test::everyCodeOfTheCodePageComesBack() {
    // Every code that decodes to a character must encode back to a code that decodes to the
    // same character (the code page has a few duplicates, so the code itself may differ).
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
}

void Cp932Test::decodesBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("mixed widths") << QByteArray("A\x87\x40\xB1\x82\x69") << u"A①ｱＪ"_qs;
    QTest::newRow("control codes stay themselves")
        << QByteArray("\x1A\x1C\x7F\x82\x69\x1A") << u"\x1A\x1C\x7FＪ\x1A"_qs;
    QTest::newRow("unassigned byte") << QByteArray("A\x80"
                                                   "B")
                                     << u"A\uFFFDB"_qs;
}

void Cp932Test::decodesBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(cp932::decode(bytes), text);
    if (!text.contains(QChar(0xFFFD)))
        QCOMPARE(cp932::encode(text), std::optional<QByteArray>(bytes));
}

void Cp932Test::invalidCodesDecodeToReplacement_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("lone lead byte") << 0x81;
    QTest::newRow("unassigned single byte") << 0x80;
    QTest::newRow("bad trail byte") << 0x8120;
    QTest::newRow("two single bytes are no character") << 0x4142;
    QTest::newRow("end of user area") << 0xFCFC;
}

void Cp932Test::invalidCodesDecodeToReplacement() {
    QFETCH(int, code);
    QCOMPARE(cp932::characterOf(static_cast<quint16>(code)), u"\uFFFD"_qs);
    QCOMPARE(cp932::characterOf(0x8740), u"①"_qs); // and the decoder still works
}

void Cp932Test::countedLength_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("ASCII") << u"CQ DX"_qs << 5;
    QTest::newRow("half-width katakana") << u"ｱｲｳ"_qs << 3;
    QTest::newRow("kanji") << u"東京"_qs << 4;
    QTest::newRow("marker counts two") << u":1~CQ"_qs << 4;
    QTest::newRow("glyph character counts two") << u"①CQ"_qs << 4;
    QTest::newRow("marker 9 is plain text") << u":9~"_qs << 3;
    QTest::newRow("marker 0 is plain text") << u":0~"_qs << 3;
    QTest::newRow("broken marker") << u":1"_qs << 2;
    QTest::newRow("two markers") << u":8~:2~"_qs << 4;
    QTest::newRow("cent counts two") << u"¢"_qs << 2;
}

void Cp932Test::countedLength() {
    QFETCH(QString, text);
    QFETCH(int, length);
    QCOMPARE(cp932::countedLength(text), std::optional<int>(length));
}

void Cp932Test::markers_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << u"CQ"_qs << u"CQ"_qs;
    QTest::newRow("glyph 1 first") << u":1~CQ"_qs << u"①CQ"_qs;
    QTest::newRow("glyph 8 last") << u"AB:8~"_qs << u"AB⑧"_qs;
    QTest::newRow("colon before marker") << u"::3~"_qs << u":③"_qs;
    QTest::newRow("adjacent") << u":1~:2~"_qs << u"①②"_qs;
}

void Cp932Test::markers() {
    QFETCH(QString, cell);
    QFETCH(QString, name);
    QCOMPARE(cp932::markersToGlyphs(cell), name);
    QCOMPARE(cp932::glyphsToMarkers(name), cell);
}

QTEST_GUILESS_MAIN(Cp932Test)
#include "tst_cp932.moc"
