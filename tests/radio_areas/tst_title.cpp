#include "radio_areas/title.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::hexBytes;

class TitleTest : public QObject {
    Q_OBJECT

private slots:
    // Title text <-> the block's character slots (the bytes given, zeros after them).
    void characterSlots_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("build"); // false: only read from the radio
        QTest::newRow("glyph marker as its character ③")
            << "A:3~" << hexBytes("41 00 42 87") << true;
        QTest::newRow("sixteen single bytes fill every slot")
            << "0123456789ABCDEF"
            << hexBytes("30 00 31 00 32 00 33 00 34 00 35 00 36 00 37 00 38 00 39 00 41 00 42 00 "
                        "43 00 44 00 45 00 46 00")
            << true;
        QTest::newRow("eight double bytes")
            << QString(8, QChar(0x3042)) << hexBytes("A0 82").repeated(8) << true;
        QTest::newRow("no character of the code page, then an empty slot")
            << QString::fromUtf8("Aあ") + "B" << hexBytes("41 00 A0 00 A0 82 00 00 42 00") << false;
        QTest::newRow("sixteen double bytes cut to what the title may hold")
            << QString(8, QChar(0x3042)) << hexBytes("A0 82").repeated(16) << false;
    }
    void characterSlots() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, build);
        const QByteArray block = bytes.leftJustified(TitleBlockSize, '\0');
        if (build) {
            Title title;
            title.setText(text);
            QCOMPARE(title.buildBlock(), block);
        }
        Title back;
        back.decodeBlock(block);
        QCOMPARE(back.text(), text);
    }

    // The data file holds ① … ⑧; the slide byte pair is 11 11 for "ON", anything else reads
    // as "OFF".
    void radioTextAndSlide() {
        Title title;
        title.setText("A:3~");
        QCOMPARE(title.radioText(), QString::fromUtf8("A③"));
        QVERIFY(title.setSlide(1));
        QVERIFY(!title.setSlide(2));
        QCOMPARE(title.buildBlock().mid(32, 2), hexBytes("11 11"));
        Title back;
        back.decodeBlock(title.buildBlock());
        QCOMPARE(back.slide(), 1);
        back.decodeBlock(hexBytes("12 00").rightJustified(TitleBlockSize, '\0'));
        QCOMPARE(back.slide(), 0);
    }

    void typing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("16th single byte") << QString(15, 'x') << "y" << true;
        QTest::newRow("17th single byte") << QString(16, 'x') << "y" << false;
        QTest::newRow("8th double byte")
            << QString::fromUtf8("あいうえおかき") << QString::fromUtf8("く") << true;
        QTest::newRow("9th double byte")
            << QString::fromUtf8("あいうえおかきく") << QString::fromUtf8("け") << false;
        QTest::newRow("double byte at 15") << QString(15, 'x') << QString::fromUtf8("あ") << false;
        QTest::newRow("double byte the radio lacks") << "" << QString::fromUtf8("鬱") << false;
        QTest::newRow("glyph typed directly") << "" << QString::fromUtf8("①") << false;
        QTest::newRow("half-width kana") << "" << QString::fromUtf8("ｱ") << true;
        QTest::newRow("Ctrl+V") << "" << QString(QChar(0x16)) << false;
        QTest::newRow("backspace when full") << QString(16, 'x') << "\b" << true;
        QTest::newRow("markers count two") << QString(":1~:2~:3~:4~:5~:6~:7~") << "z" << true;
        QTest::newRow("eight markers are full")
            << QString(":1~:2~:3~:4~:5~:6~:7~:8~") << "z" << false;
    }
    void typing() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        QCOMPARE(titleKeyAccepted(text, key.toUcs4().first()), accepted);
    }

    void pasted_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("cut at 16 bytes") << QString("ABCDEFGHIJKLMNOPQRST") << "ABCDEFGHIJKLMNOP";
        QTest::newRow("double bytes cut whole")
            << QString::fromUtf8("ABCDEFGあいう") << QString::fromUtf8("ABCDEFGあいう");
        QTest::newRow("odd byte left")
            << QString::fromUtf8("ABCDEFGHIあいうえ") << QString::fromUtf8("ABCDEFGHIあいう");
        QTest::newRow("glyphs become markers") << QString::fromUtf8("①②") << ":1~:2~";
        QTest::newRow("unknown characters dropped") << QString::fromUtf8("A鬱B\nC😀") << "ABC";
    }
    void pasted() {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QCOMPARE(filteredTitleText(text), kept);
        Title title;
        QCOMPARE(title.setText(text), kept);
    }

    void markerButtons() {
        Title title;
        title.setText(QString(14, 'x'));
        QVERIFY(title.appendMarker(8));
        QCOMPARE(title.text(), QString(14, 'x') + ":8~");
        QVERIFY(!title.appendMarker(1)); // 16 bytes now
        title.setText(QString(15, 'x'));
        QVERIFY(title.appendMarker(1)); // 15 bytes: appended, as the button does
        QVERIFY(!title.appendMarker(9));
    }
};

QTEST_GUILESS_MAIN(TitleTest)
#include "tst_title.moc"
