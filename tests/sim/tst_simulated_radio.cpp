#include "link/protocol.h"
#include "sim/simulated_radio.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qmh4;

class TestSimulatedRadio : public QObject {
    Q_OBJECT

private slots:
    // Every reply echoes the command and CR LF; "OK" and CR LF end the others, the lengths are
    // the radio's own.
    void exchangeTable_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("replyLength");
        QTest::newRow("identify") << protocol::identifyCommand() << 16;
        QTest::newRow("font identify") << protocol::fontIdentifyCommand() << 17;
        QTest::newRow("read") << protocol::readCommand(0x1FE01) << 143;
        QTest::newRow("write 64") << protocol::writeCommand(0x1100, QByteArray(64, 'x')) << 145;
        QTest::newRow("write 1") << protocol::writeCommand(0x1100, "x") << 19;
    }
    void exchangeTable() {
        QFETCH(QByteArray, command);
        QFETCH(int, replyLength);
        SimulatedRadio radio;
        const auto reply = radio.respond(command);
        QVERIFY(reply.has_value());
        QCOMPARE(reply->size(), replyLength);
        QVERIFY(reply->startsWith(command + "\r\n"));
        if (command.endsWith("R\r"))
            QVERIFY(protocol::isGoodReadReply(*reply));
        else
            QVERIFY(reply->endsWith("OK\r\n"));
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

    void malformedCommandsGetNoAnswer_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("no CR") << QByteArray("KV~F01200R");
        QTest::newRow("lower-case address") << QByteArray("KV~F0a200R\r");
        QTest::newRow("write odd digits") << QByteArray("KV~F01200W123\r");
        QTest::newRow("write 65 bytes") << protocol::writeCommand(0x1200, QByteArray(65, 'x'));
        QTest::newRow("write past the end") << protocol::writeCommand(0x1FFF0, QByteArray(17, 'x'));
    }
    void malformedCommandsGetNoAnswer() {
        QFETCH(QByteArray, command);
        SimulatedRadio radio;
        const QByteArray before = radio.image();
        QVERIFY(!radio.respond(command).has_value());
        QCOMPARE(radio.image(), before);
        QCOMPARE(radio.log().size(), size_t(1));
        QVERIFY(!radio.log().front().understood);
    }

    void faults_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("answered"); // a write is stored exactly when answered
        for (bool read : {true, false}) {
            const char* kind = read ? "read" : "write";
            QTest::addRow("%s silent", kind) << int(Fault::NoAnswer) << read << false;
            QTest::addRow("%s short", kind) << int(Fault::Truncated) << read << true;
            QTest::addRow("%s long", kind) << int(Fault::ExtraByte) << read << true;
            QTest::addRow("%s marker", kind) << int(Fault::WrongMarker) << read << true;
        }
        QTest::newRow("read nonhex") << int(Fault::NonHexDigit) << true << true;
    }
    // Every injected fault gives a reply the program's checks refuse.
    void faults() {
        QFETCH(int, fault);
        QFETCH(bool, read);
        QFETCH(bool, answered);
        SimulatedRadio radio(SimulatedRadio::blankImage());
        radio.injectFault(1, static_cast<Fault>(fault));
        const QByteArray data(64, '\x7E');
        const QByteArray command =
            read ? protocol::readCommand(0x2000) : protocol::writeCommand(0x2000, data);
        const auto reply = radio.respond(command);
        QCOMPARE(reply.has_value(), answered);
        if (reply) {
            const bool good = read ? protocol::isGoodReadReply(*reply)
                                   : protocol::isGoodWriteReply(*reply, command.size());
            QVERIFY(!good);
        }
        if (!read)
            QCOMPARE(radio.memory(0x2000, 64) == data, answered);
    }

    // The font editor's identify carries its "OK" further in; a wrong marker must still hit it.
    void wrongMarkerOnFontIdentify() {
        SimulatedRadio radio(SimulatedRadio::blankImage());
        radio.injectFault(1, Fault::WrongMarker);
        const auto reply = radio.respond(protocol::fontIdentifyCommand());
        QVERIFY(reply.has_value());
        QCOMPARE(reply->size(), 17);
        QVERIFY(!protocol::isGoodFontIdentifyReply(*reply));
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
