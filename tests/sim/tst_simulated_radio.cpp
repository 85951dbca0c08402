#include "link/protocol.h"
#include "sim/simulated_radio.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qmh4;

namespace {

const QByteArray Data(64, '\x7E');

// Whether the program takes `reply` as the good answer to `command`.
bool accepted(const QByteArray& command, const QByteArray& reply) {
    if (command == protocol::identifyCommand())
        return protocol::isGoodIdentifyReply(reply);
    if (command == protocol::fontIdentifyCommand())
        return protocol::isGoodFontIdentifyReply(reply);
    return command[9] == 'R' ? protocol::isGoodReadReply(reply)
                             : protocol::isGoodWriteReply(reply, command.size());
}

} // namespace

class TestSimulatedRadio : public QObject {
    Q_OBJECT

private slots:
    // Every reply echoes the command and CR LF, with the radio's own lengths, and passes the
    // program's checks; every injected fault gives a reply they refuse; a malformed command gets
    // no answer and changes nothing. A write is stored exactly when answered.
    void exchanges_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("replyLength"); // -1: no answer
        using namespace protocol;
        const QByteArray read = readCommand(0x02000), write = writeCommand(0x02000, Data);
        const int none = int(Fault::None);
        QTest::newRow("identify") << identifyCommand() << none << 16;
        QTest::newRow("font identify") << fontIdentifyCommand() << none << 17;
        QTest::newRow("read") << readCommand(0x1FE01) << none << 143;
        QTest::newRow("write 64") << write << none << 145;
        QTest::newRow("write 1") << writeCommand(0x02000, "~") << none << 19;
        for (const QByteArray& command : {read, write}) {
            const char* kind = command == read ? "read" : "write";
            QTest::addRow("%s silent", kind) << command << int(Fault::NoAnswer) << -1;
            QTest::addRow("%s short", kind) << command << int(Fault::Truncated) << 0;
            QTest::addRow("%s long", kind) << command << int(Fault::ExtraByte) << 0;
            QTest::addRow("%s marker", kind) << command << int(Fault::WrongMarker) << 0;
        }
        QTest::newRow("read nonhex") << read << int(Fault::NonHexDigit) << 0;
        // The font editor's identify carries its "OK" further in; the marker must still hit it.
        QTest::newRow("font identify marker")
            << fontIdentifyCommand() << int(Fault::WrongMarker) << 17;
        QTest::newRow("no CR") << QByteArray("KV~F01200R") << none << -1;
        QTest::newRow("lower-case address") << QByteArray("KV~F0a200R\r") << none << -1;
        QTest::newRow("write odd digits") << QByteArray("KV~F01200W123\r") << none << -1;
        QTest::newRow("write 65 bytes") << writeCommand(0x1200, QByteArray(65, 'x')) << none << -1;
        QTest::newRow("write past the end")
            << writeCommand(0x1FFF0, QByteArray(17, 'x')) << none << -1;
    }
    void exchanges() {
        QFETCH(QByteArray, command);
        QFETCH(int, fault);
        QFETCH(int, replyLength);
        SimulatedRadio radio(SimulatedRadio::blankImage());
        radio.injectFault(1, static_cast<Fault>(fault));
        const auto reply = radio.respond(command);
        QCOMPARE(reply.has_value(), replyLength >= 0);
        const bool clean = fault == int(Fault::None);
        QCOMPARE(radio.log().front().understood, replyLength >= 0 || !clean);
        const bool written = reply && command.startsWith("KV~F") && command[9] == 'W';
        QCOMPARE(radio.image() != SimulatedRadio::blankImage(), written);
        if (!reply)
            return;
        if (replyLength > 0)
            QCOMPARE(reply->size(), replyLength);
        QCOMPARE(accepted(command, *reply), clean);
        if (clean)
            QVERIFY(reply->startsWith(command + "\r\n"));
    }

    void writeThenRead() {
        SimulatedRadio radio(SimulatedRadio::blankImage());
        const QByteArray data = QByteArray::fromHex("0102030405060708090A");
        QVERIFY(radio.respond(protocol::writeCommand(0x1FFF6, data)).has_value());
        const auto reply = radio.respond(protocol::readCommand(0x1FFF6));
        QVERIFY(reply.has_value());
        // A read always returns 64 bytes; past the end of the memory it wraps to the start.
        QCOMPARE(protocol::readReplyData(*reply), data + QByteArray(54, '\0'));
    }

    void imageFiles() {
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.bin");
        SimulatedRadio radio;
        radio.setMemory(0x1234, "hello");
        QString error;
        QVERIFY(radio.saveImage(path, &error));
        SimulatedRadio loaded(SimulatedRadio::blankImage());
        QVERIFY(loaded.loadImage(path, &error));
        QCOMPARE(loaded.image(), radio.image());

        QFile shortFile(dir.filePath("short.bin"));
        QVERIFY(shortFile.open(QIODevice::WriteOnly));
        shortFile.write(QByteArray(1000, 'x'));
        shortFile.close();
        QVERIFY(!loaded.loadImage(shortFile.fileName(), &error));
        QVERIFY(error.contains("131072"));
        QCOMPARE(loaded.image(), radio.image());
    }
};

QTEST_GUILESS_MAIN(TestSimulatedRadio)
#include "tst_simulated_radio.moc"
