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

    void typing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("17th single byte") << QString(16, 'x') << "y" << false;
        QTest::newRow("9th double byte")
            << QString::fromUtf8("あいうえおかきく") << QString::fromUtf8("け") << false;
        QTest::newRow("double byte at 15") << QString(15, 'x') << QString::fromUtf8("あ") << false;
        QTest::newRow("glyph typed directly") << "" << QString::fromUtf8("①") << false;
        QTest::newRow("Ctrl+V") << "" << QString(QChar(0x16)) << false;
        QTest::newRow("eight markers are full")
            << QString(":1~:2~:3~:4~:5~:6~:7~:8~") << "z" << false;
    }
    void typing() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QTEST(titleKeyAccepted(text, key.toUcs4().first()), "accepted");
    }

    void pasted_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
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
};

QTEST_GUILESS_MAIN(TitleTest)
#include "tst_title.moc"
