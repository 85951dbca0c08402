#include "link/channel_transfer.h"
#include "link/protocol.h"
#include "link/serial_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_radio.h"

#include <QTest>

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
    void readAllAndWriteAllThroughTheSerialPort() {
        SimulatedRadio source;
        source.setPacing(576000);
        PtyServer sourceServer(source);
        QVERIFY(serve(sourceServer));
        ChannelTable table;
        {
            SerialLink link(sourceServer.slavePath());
            Session session(link, {500ms});
            const TransferResult result = readAllChannels(session, table);
            QCOMPARE(result.outcome, Outcome::Success);
        }
        sourceServer.stop();
        QCOMPARE(table.cell(1102, FrequencyColumn), QStringLiteral("433.00000MHz"));

        SimulatedRadio target(SimulatedRadio::blankImage());
        PtyServer targetServer(target);
        QVERIFY(serve(targetServer));
        {
            SerialLink link(targetServer.slavePath());
            Session session(link, {500ms});
            QCOMPARE(writeAllChannels(session, table).outcome, Outcome::Success);
        }
        targetServer.stop();
        QCOMPARE(target.memory(0x1200, 1623 * 64), source.memory(0x1200, 1623 * 64));
        QCOMPARE(target.exchangeCount(), 1 + 1623 + 13);
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
