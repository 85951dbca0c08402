#include "link/protocol.h"
#include "radio_areas/title.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::hexBytes;

class TitleTest : public QObject {
    Q_OBJECT

private slots:
    void glyphMarkerIsWrittenAsItsCharacter() {
        Title title;
        title.setText("A:3~");
        const QByteArray data = title.buildBlock();
        QCOMPARE(data.size(), TitleBlockSize);
        QCOMPARE(data.left(6), hexBytes("41 00 42 87 00 00"));
        QCOMPARE(protocol::writeCommand(TitleAddress, data).size(), 79);
        QCOMPARE(title.radioText(), QString::fromUtf8("A③"));

        Title back;
        back.decodeBlock(data);
        QCOMPARE(back.text(), QString("A:3~"));
    }

    void slide() {
        Title title;
        QVERIFY(title.setSlide(1));
        QCOMPARE(title.buildBlock().mid(32, 2), hexBytes("11 11"));
        QVERIFY(!title.setSlide(2));
        Title back;
        back.decodeBlock(title.buildBlock());
        QCOMPARE(back.slide(), 1);
        QByteArray other(34, '\0');
        other[32] = 0x12;
        back.decodeBlock(other);
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
        QTest::newRow("markers count two") << ":1~:2~:3~:4~:5~:6~:7~"
                                           << "z" << true;
        QTest::newRow("eight markers are full") << ":1~:2~:3~:4~:5~:6~:7~:8~"
                                                << "z" << false;
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
        QTest::newRow("cut at 16 bytes") << "ABCDEFGHIJKLMNOPQRST"
                                         << "ABCDEFGHIJKLMNOP";
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

    void decodeSlots() {
        QByteArray data(64, '\0');
        data[0] = 0x41;       // "A", high byte 0
        data[2] = char(0xA0); // 0x00A0 is no character of the code page
        data[4] = char(0xA0);
        data[5] = char(0x82); // 0x82A0 "あ"
        data[8] = 0x42;       // after an empty slot
        Title title;
        title.decodeBlock(data);
        QCOMPARE(title.text(), QString::fromUtf8("Aあ") + "B");
    }

    // Sixteen double-byte characters from the radio are cut to what the title may hold.
    void decodeCutsToSixteenBytes() {
        QByteArray data(64, '\0');
        for (int slot = 0; slot < 16; ++slot) {
            data[2 * slot] = char(0xA0);
            data[2 * slot + 1] = char(0x82);
        }
        Title title;
        title.decodeBlock(data);
        QCOMPARE(title.text(), QString(8, QChar(0x3042)));
    }

    void sixteenSingleBytesFillEverySlot() {
        Title title;
        title.setText("0123456789ABCDEF");
        QCOMPARE(title.buildBlock().mid(30, 2), hexBytes("46 00"));
    }
};

QTEST_GUILESS_MAIN(TitleTest)
#include "tst_title.moc"
