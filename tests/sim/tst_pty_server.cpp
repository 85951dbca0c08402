#include "link/channel_transfer.h"
#include "link/protocol.h"
#include "link/serial_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_radio.h"

#include <QTest>

#include <memory>
#include <thread>

using namespace qmh4;
using namespace std::chrono_literals;

// The whole stack, serial code included, against the simulated radio on a pseudo-terminal.
class TestPtyServer : public QObject {
    Q_OBJECT

    static bool serve(PtyServer& server) {
        QString error;
        if (!server.open(&error)) {
            qWarning() << error;
            return false;
        }
        server.start();
        return true;
    }

private slots:
    // Read all, then write back a selection that crosses into the dual block (remapped
    // records) and carries the pass table.
    void readAllAndWriteSelectedThroughTheSerialPort() {
        SimulatedRadio source;
        PtyServer sourceServer(source);
        QVERIFY(serve(sourceServer));
        ChannelTable table;
        {
            SerialLink link(sourceServer.slavePath());
            Session session(link, {500ms});
            QCOMPARE(readAllChannels(session, table).outcome, Outcome::Success);
        }
        sourceServer.stop();
        QCOMPARE(source.exchangeCount(), 1 + 1623);
        QCOMPARE(table.cell(1102, FrequencyColumn), QStringLiteral("433.00000MHz"));
        QCOMPARE(table.cell(2, NameColumn), QStringLiteral(":1~CQ"));

        SimulatedRadio target(SimulatedRadio::blankImage());
        PtyServer targetServer(target);
        QVERIFY(serve(targetServer));
        {
            SerialLink link(targetServer.slavePath());
            Session session(link, {500ms});
            QCOMPARE(writeSelectedChannels(session, table, 1110, 1095).outcome, Outcome::Success);
        }
        targetServer.stop();
        QCOMPARE(target.exchangeCount(), 1 + 16 + 13);
        for (int record : {1095, 1100, 1101, 1105, 1201, 1205})
            QCOMPARE(target.memory(0x1200 + 64 * quint32(record - 1), 64),
                     source.memory(0x1200 + 64 * quint32(record - 1), 64));
        QCOMPARE(target.memory(0xC00, 808), QByteArray(808, '\xFF'));
    }

    // A reply cut short stays queued on the line after the port closes; the next exchange
    // must not take those bytes as the start of its own reply.
    void lateBytesAreClearedOnOpen() {
        SimulatedRadio radio;
        radio.setFaults(*FaultPlan::parse("2=short,3=short", nullptr));
        PtyServer server(radio);
        QVERIFY(serve(server));
        SerialLink link(server.slavePath());
        Session session(link, {100ms});
        FailureCounter failures(3);
        QByteArray data;
        const TransferResult result = runTransfer([&] {
            session.identify();
            data = session.readBlock(0x1200, failures);
        });
        server.stop();
        QCOMPARE(result.outcome, Outcome::Success);
        QCOMPARE(failures.count(), 2);
        QCOMPARE(data, radio.memory(0x1200, 64));
    }

    // Opening and closing the port for every command leaves the terminal raw: a CR in the
    // command still reaches the radio as CR.
    void manyOpenAndCloseCyclesKeepTheLineRaw() {
        SimulatedRadio radio;
        PtyServer server(radio);
        QVERIFY(serve(server));
        SerialLink link(server.slavePath());
        Session session(link, {200ms});
        const TransferResult result = runTransfer([&] {
            for (int i = 0; i < 50; ++i)
                session.identify();
        });
        server.stop();
        QCOMPARE(result.outcome, Outcome::Success);
        QCOMPARE(radio.exchangeCount(), 50);
        QVERIFY(!link.isOpen());
    }

    // The device vanishes while a reply is awaited: the transfer ends at once with a port
    // error instead of counting time-outs.
    void vanishedDeviceEndsTheTransfer() {
        SimulatedRadio radio;
        radio.setPacing(0, 400ms);
        auto server = std::make_unique<PtyServer>(radio);
        QVERIFY(serve(*server));
        SerialLink link(server->slavePath());
        Session session(link, {3000ms});
        std::thread unplug([&] {
            std::this_thread::sleep_for(100ms);
            server.reset(); // closes the terminal's master side
        });
        const TransferResult result = runTransfer([&] { session.identify(); });
        unplug.join();
        QCOMPARE(result.outcome, Outcome::PortError);
        QVERIFY(!result.detail.isEmpty());
        QCOMPARE(session.exchangeCount(), 1);
        QVERIFY(!link.isOpen());
    }

    void missingPortIsAPortError() {
        SerialLink link(QStringLiteral("/dev/qmh4-no-such-port"));
        Session session(link, {50ms});
        const TransferResult result = runTransfer([&] { session.identify(); });
        QCOMPARE(result.outcome, Outcome::PortError);
        QVERIFY(!result.detail.isEmpty());
        QCOMPARE(session.exchangeCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPtyServer)
#include "tst_pty_server.moc"
