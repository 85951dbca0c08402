#include "link/protocol.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using namespace qmh4::protocol;

class TestProtocol : public QObject {
    Q_OBJECT

    static QByteArray readReply(const QByteArray& data) {
        return readCommand(0x01200) + "\r\n" + hexText(data) + "\r\n";
    }

private slots:
    void commands_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("setting read high address")
            << readCommand(0x1FE01) << QByteArray("KV~F1FE01R\r");
        QTest::newRow("first channel record") << readCommand(0x01200) << QByteArray("KV~F01200R\r");
        QTest::newRow("last channel record") << readCommand(0x1A780) << QByteArray("KV~F1A780R\r");
        QTest::newRow("leading zeros kept") << readCommand(0x00000) << QByteArray("KV~F00000R\r");
        QTest::newRow("write digits upper case")
            << writeCommand(0x00C00, test::hexBytes("60 27 AC 08 FF 02 09 FF"))
            << QByteArray("KV~F00C00W6027AC08FF0209FF\r");
        QTest::newRow("identify") << identifyCommand() << QByteArray("KV~QM-H4E\r");
        QTest::newRow("font identify") << fontIdentifyCommand() << QByteArray("KV~QM-H4\r");
    }
    void commands() {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, expected);
        QCOMPARE(command, expected);
    }

    void writeLengths_data() {
        QTest::addColumn<int>("dataBytes");
        QTest::addColumn<int>("commandLength");
        QTest::addColumn<int>("replyLength");
        QTest::newRow("channel record") << 64 << 139 << 145;
        QTest::newRow("first group block") << 48 << 107 << 113;
        QTest::newRow("pass block 13") << 40 << 91 << 97;
        QTest::newRow("glyph") << 32 << 75 << 81;
        QTest::newRow("set mode tail") << 20 << 51 << 57;
    }
    void writeLengths() {
        QFETCH(int, dataBytes);
        QFETCH(int, commandLength);
        QFETCH(int, replyLength);
        const QByteArray command = writeCommand(0x100, QByteArray(dataBytes, '\x5A'));
        QCOMPARE(command.size(), commandLength);
        QCOMPARE(writeReplyLength(command.size()), replyLength);
        QVERIFY(command.endsWith('\r'));
    }

    void readReplyCheck_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("good");
        QByteArray data;
        for (int i = 0; i < 64; ++i)
            data.append(static_cast<char>(i * 4 + 3));
        const QByteArray good = readReply(data);
        QByteArray swapped = good;
        std::swap(swapped[141], swapped[142]);
        QByteArray colon = good;
        colon[40] = ':'; // decodes as "10" if taken leniently
        QByteArray lower = good;
        lower[13 + 2 * 63] = 'f';
        QByteArray blank = good;
        blank[13] = ' ';
        QTest::newRow("good") << good << true;
        QTest::newRow("CR LF swapped") << swapped << false;
        QTest::newRow("one byte short") << good.left(142) << false;
        QTest::newRow("one byte long") << good + '\n' << false;
        QTest::newRow("colon in the data") << colon << false;
        QTest::newRow("lower-case digit") << lower << false;
        QTest::newRow("blank in the data") << blank << false;
        QTest::newRow("empty after a time-out") << QByteArray() << false;
    }
    void readReplyCheck() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, good);
        QCOMPARE(isGoodReadReply(reply), good);
    }

    void readReplyDataRoundTrip() {
        QByteArray data;
        for (int i = 0; i < 64; ++i)
            data.append(static_cast<char>(255 - i * 3));
        QCOMPARE(readReplyData(readReply(data)), data);
    }

    void writeAndIdentifyChecks_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("commandLength");
        QTest::addColumn<bool>("good");
        const QByteArray command = writeCommand(0x1200, QByteArray(64, '\0'));
        QByteArray otherPrefix = QByteArray(141, '#') + "OK\r\n";
        QTest::newRow("write OK") << command + "\r\nOK\r\n" << 139 << true;
        QTest::newRow("write OK, prefix not the command") << otherPrefix << 139 << true;
        QTest::newRow("write NG") << command + "\r\nNG\r\n" << 139 << false;
        QTest::newRow("write OK one late") << "x" + command + "\r\nOK\r\n" << 139 << false;
        QTest::newRow("write short") << command + "\r\nOK\r" << 139 << false;
    }
    void writeAndIdentifyChecks() {
        QFETCH(QByteArray, reply);
        QFETCH(int, commandLength);
        QFETCH(bool, good);
        QCOMPARE(isGoodWriteReply(reply, commandLength), good);
    }

    void identifyReplies_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("good");
        QTest::addColumn<bool>("goodForFontEditor");
        QTest::newRow("16 bytes OK") << QByteArray("KV~QM-H4E\r\r\nOK\r\n") << true << false;
        QTest::newRow("17 bytes OK at 12")
            << QByteArray("KV~QM-H4E\r\r\nOK\r\n\n") << false << false;
        QTest::newRow("17 bytes OK at 13")
            << QByteArray("KV~QM-H4\r\r\n\r\nOK\r\n") << false << true;
        QTest::newRow("16 bytes NG") << QByteArray("KV~QM-H4E\r\r\nNG\r\n") << false << false;
    }
    void identifyReplies() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, good);
        QFETCH(bool, goodForFontEditor);
        QCOMPARE(isGoodIdentifyReply(reply), good);
        QCOMPARE(isGoodFontIdentifyReply(reply), goodForFontEditor);
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
