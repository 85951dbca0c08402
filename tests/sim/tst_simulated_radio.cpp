#include "link/protocol.h"
#include "sim/simulated_radio.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace qmh4;
using namespace std::chrono_literals;

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
        const QList<std::pair<int, int>> writes{{64, 145}, {48, 113}, {40, 97},
                                                {32, 81},  {20, 57},  {1, 19}};
        for (const auto& [bytes, length] : writes)
            QTest::addRow("write %d", bytes)
                << protocol::writeCommand(0x1100, QByteArray(bytes, '\x11')) << length;
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
        QCOMPARE(radio.memory(0x1FFF6, 10), data);
        const auto reply = radio.respond(protocol::readCommand(0x1FFF6));
        QVERIFY(reply.has_value());
        // A read always returns 64 bytes; past the end of the memory it wraps to the start.
        QCOMPARE(protocol::readReplyData(*reply), data + QByteArray(54, '\0'));
    }

    void malformedCommandsGetNoAnswer_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("no CR") << QByteArray("KV~F01200R");
        QTest::newRow("lower-case address") << QByteArray("KV~F0a200R\r");
        QTest::newRow("read too long") << QByteArray("KV~F01200R0\r");
        QTest::newRow("write without data") << QByteArray("KV~F01200W\r");
        QTest::newRow("write odd digits") << QByteArray("KV~F01200W123\r");
        QTest::newRow("write lower-case data") << QByteArray("KV~F01200Wab\r");
        QTest::newRow("write 65 bytes") << protocol::writeCommand(0x1200, QByteArray(65, 'x'));
        QTest::newRow("write past the end") << protocol::writeCommand(0x1FFF0, QByteArray(17, 'x'));
        QTest::newRow("unknown kind") << QByteArray("KV~F01200X\r");
        QTest::newRow("identify lower case") << QByteArray("kv~qm-h4e\r");
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
        // The next exchange is clean again.
        const auto next = radio.respond(command);
        QVERIFY(next.has_value());
        QCOMPARE(radio.log().back().fault, Fault::None);
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

    void randomFaultsRepeatWithTheirSeed() {
        const auto run = [] {
            SimulatedRadio radio;
            radio.setFaults(*FaultPlan::parse(QStringLiteral("rate=0.3,seed=7"), nullptr));
            QList<int> faults;
            for (int i = 0; i < 200; ++i) {
                radio.respond(protocol::readCommand(0x1200));
                faults << int(radio.log().back().fault);
            }
            return faults;
        };
        const QList<int> first = run();
        QCOMPARE(run(), first);
        const auto faulty = std::count_if(first.begin(), first.end(), [](int f) { return f != 0; });
        QVERIFY(faulty > 20 && faulty < 120);
    }

    void faultPlanParsing_data() {
        QTest::addColumn<QString>("planText");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("planned");
        QTest::newRow("numbers") << "3=silent,7=short,9=long,12=marker,15=nonhex" << true << 5;
        QTest::newRow("random") << "rate=0.02,seed=42" << true << 0;
        QTest::newRow("empty") << "" << true << 0;
        QTest::newRow("unknown kind") << "3=garbled" << false << 0;
        QTest::newRow("exchange 0") << "0=silent" << false << 0;
        QTest::newRow("rate above 1") << "rate=2" << false << 0;
        QTest::newRow("no value") << "3" << false << 0;
    }
    void faultPlanParsing() {
        QFETCH(QString, planText);
        QFETCH(bool, valid);
        QFETCH(int, planned);
        QString error;
        const auto plan = FaultPlan::parse(planText, &error);
        QCOMPARE(plan.has_value(), valid);
        QCOMPARE(error.isEmpty(), valid);
        if (plan)
            QCOMPARE(int(plan->byExchange.size()), planned);
    }

    void pacedLinkHandsOverTheExpectedBytes() {
        SimulatedRadio radio;
        radio.setPacing(576000);
        QVERIFY(radio.send(protocol::readCommand(0x1200)));
        const Reply reply = radio.receive(143, 1000ms);
        QCOMPARE(reply.status, Reply::Status::Complete);
        QVERIFY(protocol::isGoodReadReply(reply.bytes));
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
        QVERIFY(!loaded.loadImage(dir.filePath("missing.bin"), &error));
    }

    void demoImageLooksLikeARadioInUse() {
        const QByteArray image = SimulatedRadio::demoImage();
        QCOMPARE(image.size(), SimulatedRadio::ImageSize);
        int total = 0;
        for (int bank = 0; bank < 50; ++bank)
            total += qFromLittleEndian<quint16>(image.constData() + 0x200 + 2 * bank);
        QCOMPARE(total, 1000);
        int used = 0;
        for (int record = 1; record <= 1623; ++record)
            used += image[(record - 1) * 64 + 0x1200] != 0 ? 1 : 0;
        QVERIFY2(used >= 40, qPrintable(QString::number(used)));
        QCOMPARE(quint8(image[0]), quint8(0xA5));
    }
};

QTEST_GUILESS_MAIN(TestSimulatedRadio)
#include "tst_simulated_radio.moc"
