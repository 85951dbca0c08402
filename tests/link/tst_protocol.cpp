#include "link/protocol.h"
#include "support/test_support.h"

#include <QTest>

using namespace qmh4;
using namespace qmh4::protocol;

class TestProtocol : public QObject {
    Q_OBJECT

private slots:
    void commands_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("read high address") << readCommand(0x1FE01) << QByteArray("KV~F1FE01R\r");
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

    // Kinds: R read, W write of a 64-byte record, I identify, F the font editor's identify.
    void replyChecks_data() {
        QTest::addColumn<char>("kind");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("good");
        QByteArray data;
        for (int i = 0; i < 64; ++i)
            data.append(static_cast<char>(i * 37 + 5));
        const QByteArray read = readCommand(0x01200) + "\r\n" + hexText(data) + "\r\n";
        const auto changed = [&](qsizetype at, char c) {
            QByteArray bytes = read;
            bytes[at] = c;
            return bytes;
        };
        QByteArray swapped = changed(141, '\n');
        swapped[142] = '\r';
        QTest::newRow("read good") << 'R' << read << true;
        QTest::newRow("read CR LF swapped") << 'R' << swapped << false;
        QTest::newRow("read one byte short") << 'R' << read.left(142) << false;
        QTest::newRow("read one byte long") << 'R' << read + '\n' << false;
        // ':' decodes as "10" if taken leniently.
        QTest::newRow("read colon in the data") << 'R' << changed(40, ':') << false;
        QTest::newRow("read lower-case digit") << 'R' << changed(13 + 2 * 63, 'f') << false;
        QTest::newRow("read blank in the data") << 'R' << changed(13, ' ') << false;
        QTest::newRow("read empty after a time-out") << 'R' << QByteArray() << false;

        const QByteArray write = writeCommand(0x1200, QByteArray(64, '\0'));
        QTest::newRow("write OK") << 'W' << write + "\r\nOK\r\n" << true;
        QTest::newRow("write OK, prefix not the command") << 'W' << QByteArray(141, '#') + "OK\r\n"
                                                          << true;
        QTest::newRow("write NG") << 'W' << write + "\r\nNG\r\n" << false;
        QTest::newRow("write OK one late") << 'W' << "x" + write + "\r\nOK\r\n" << false;
        QTest::newRow("write short") << 'W' << write + "\r\nOK\r" << false;

        const QByteArray identify = "KV~QM-H4E\r\r\nOK\r\n";
        QTest::newRow("identify 16 bytes OK") << 'I' << identify << true;
        QTest::newRow("identify 17 bytes OK at 12") << 'I' << identify + '\n' << false;
        QTest::newRow("identify 16 bytes NG")
            << 'I' << QByteArray(identify).replace("OK", "NG") << false;
        const QByteArray font = "KV~QM-H4\r\r\n\r\nOK\r\n";
        QTest::newRow("identify 17 bytes OK at 13") << 'I' << font << false;
        QTest::newRow("font 17 bytes OK at 13") << 'F' << font << true;
        QTest::newRow("font 16 bytes OK at 12") << 'F' << identify << false;
    }
    void replyChecks() {
        QFETCH(char, kind);
        QFETCH(QByteArray, reply);
        QFETCH(bool, good);
        switch (kind) {
        case 'R':
            QCOMPARE(isGoodReadReply(reply), good);
            if (good) // the data come back byte for byte
                QCOMPARE(hexText(readReplyData(reply)), reply.mid(13, 128));
            break;
        case 'W':
            QCOMPARE(isGoodWriteReply(reply, 139), good);
            break;
        case 'I':
            QCOMPARE(isGoodIdentifyReply(reply), good);
            break;
        default:
            QCOMPARE(isGoodFontIdentifyReply(reply), good);
        }
    }
};

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
