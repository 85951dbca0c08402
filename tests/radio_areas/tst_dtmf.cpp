#include "radio_areas/dtmf.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::hexBytes;

class DtmfTest : public QObject {
    Q_OBJECT

private slots:
    void memoryCodes_data() {
        QTest::addColumn<int>("memory");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1 2 * # and filler")
            << 4 << "12*#" << hexBytes("01 02 0E 0F 11 11 11 11 11 11 11 11 11 11 11 11");
        QTest::newRow("sixteen characters, no filler")
            << 9 << "0123456789ABCD-#"
            << hexBytes("00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 10 0F");
        QTest::newRow("empty memory 0") << 0 << "" << QByteArray(16, char(0x11));
    }
    void memoryCodes() {
        QFETCH(int, memory);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        DtmfSettings dtmf;
        dtmf.setMemory(memory, text);
        const int block = memory < 3 ? 0 : memory < 7 ? 1 : 2;
        const int offset = block == 0 ? 3 + 16 * memory : 16 * (memory - (block == 1 ? 3 : 7));
        const QByteArray data = dtmf.buildBlock(block);
        QCOMPARE(data.mid(offset, 16), bytes);

        DtmfSettings back;
        back.setMemory(memory, "999");
        back.decodeBlock(block, data);
        QCOMPARE(back.memories[size_t(memory)], text);
    }

    // Block 0 starts with wait, head and burst, block 2 ends with the dial channel ("9Ch" is
    // 09) and the pause; a stored channel 0 reads as "1Ch"; timing values outside their lists
    // leave the lists as they were.
    void timing() {
        DtmfSettings dtmf;
        dtmf.setWait(10);
        dtmf.setHead(22);
        dtmf.setBurst(0);
        dtmf.setPause(7);
        dtmf.setDialChannel(8);
        const QByteArray zero = dtmf.buildBlock(0);
        const QByteArray two = dtmf.buildBlock(2);
        QCOMPARE(zero.size(), 51);
        QCOMPARE(dtmf.buildBlock(1).size(), 64);
        QCOMPARE(two.size(), 50);
        QCOMPARE(zero.left(3), hexBytes("0A 16 00"));
        QCOMPARE(two.mid(48, 2), hexBytes("09 07"));
        DtmfSettings back;
        back.decodeBlock(0, zero);
        back.decodeBlock(2, two);
        QCOMPARE(back, dtmf);

        back.decodeBlock(0, hexBytes("0B 17 17").leftJustified(51, char(0x11)));
        back.decodeBlock(2, hexBytes("0A FF").rightJustified(50, char(0x11)));
        QCOMPARE(back, dtmf);
        back.decodeBlock(2, hexBytes("00 02").rightJustified(50, char(0x11)));
        QCOMPARE(dtmfDialChannelEntries().at(back.dialChannel), QString("1Ch"));
    }

    // Codes above 17 add nothing; only the codes of the block's own memories are touched.
    void decodeSkipsUnknownCodes() {
        DtmfSettings dtmf;
        dtmf.setMemory(3, "777");
        dtmf.setMemory(7, "888");
        QByteArray one(64, char(0x11));
        one[0] = 1;
        one[1] = char(0x20);
        one[2] = 0x0E;
        dtmf.decodeBlock(1, one);
        QCOMPARE(dtmf.memories[3], QString("1*"));
        QCOMPARE(dtmf.memories[7], QString("888"));
    }

    void cleaning_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("lower case and blanks dropped") << QString("1a 2b*#") << QString("12*#");
        QTest::newRow("cut at 16")
            << QString("12345678901234567890") << QString("1234567890123456");
        QTest::newRow("full-width digits dropped") << QString::fromUtf8("１2") << QString("2");
        QTest::newRow("all characters")
            << QString("0123456789ABCD*#-") << QString("0123456789ABCD*#");
    }
    void cleaning() {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QCOMPARE(cleanedDtmfText(text), kept);
        DtmfSettings dtmf;
        dtmf.setMemory(1, text);
        QCOMPARE(dtmf.memories[1], kept);
    }

    // Text that bypassed the model still never reaches a block beyond 16 characters.
    void builderCutsAgain() {
        DtmfSettings dtmf;
        dtmf.memories[7] = QString(40, QLatin1Char('5'));
        const QByteArray data = dtmf.buildBlock(2);
        QCOMPARE(data.size(), 50);
        QCOMPARE(data.mid(0, 16), QByteArray(16, char(5)));
        QCOMPARE(data.mid(16, 16), QByteArray(16, char(0x11)));
    }

    void keyFilter() {
        QVERIFY(dtmfKeyAccepted("123", QLatin1Char('#')));
        QVERIFY(!dtmfKeyAccepted("123", QLatin1Char('a')));
        QVERIFY(!dtmfKeyAccepted(QString(16, QLatin1Char('1')), QLatin1Char('2')));
        QVERIFY(dtmfKeyAccepted(QString(16, QLatin1Char('1')), QLatin1Char('\b')));
    }
};

QTEST_GUILESS_MAIN(DtmfTest)
#include "tst_dtmf.moc"
