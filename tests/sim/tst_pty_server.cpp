#include "transfers/channel_transfer.h"
#include "link/serial_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_radio.h"

#include <QTest>

#include <functional>
#include <memory>
#include <thread>

using namespace qmh4;
using namespace std::chrono_literals;

// The whole stack, serial code included, against the simulated radio on a pseudo-terminal.
class TestPtyServer : public QObject {
    Q_OBJECT

    static bool serve(PtyServer& server) {
        QString error;
        const bool opened = server.open(&error);
        if (opened)
            server.start();
        else
            qWarning() << error;
        return opened;
    }

    // Runs a transfer through the serial code against `radio` served on a pseudo-terminal.
    static TransferResult overPty(SimulatedRadio& radio,
                                  const std::function<TransferResult(Session&)>& transfer) {
        PtyServer server(radio);
        if (!serve(server))
            return {Outcome::PortError, QStringLiteral("no pseudo-terminal")};
        SerialLink link(server.slavePath());
        Session session(link, {500ms});
        return transfer(session);
    }

private slots:
    // Read all (an open and a close of the port for each of its 1624 commands, so the line
    // must stay raw throughout), then write back a selection that crosses into the dual block
    // (remapped records) and carries the pass table.
    void readAllAndWriteSelectedThroughTheSerialPort() {
        SimulatedRadio source;
        ChannelTable table;
        const auto read = [&](Session& session) { return readAllChannels(session, table); };
        QCOMPARE(overPty(source, read).outcome, Outcome::Success);
        QCOMPARE(source.exchangeCount(), 1 + 1623);

        SimulatedRadio target(SimulatedRadio::blankImage());
        const auto write = [&](Session& session) {
            return writeSelectedChannels(session, table, 1110, 1095);
        };
        QCOMPARE(overPty(target, write).outcome, Outcome::Success);
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
        FailureCounter failures(3);
        QByteArray data;
        const TransferResult result = overPty(radio, [&](Session& session) {
            return runTransfer([&] {
                session.identify();
                data = session.readBlock(0x1200, failures);
            });
        });
        QCOMPARE(result.outcome, Outcome::Success);
        QCOMPARE(failures.count(), 2);
        QCOMPARE(data, radio.memory(0x1200, 64));
    }

    // A device that vanishes while a reply is awaited ends the transfer at once with a port
    // error instead of counting time-outs.
    void vanishingDeviceEndsTheTransfer() {
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
};

QTEST_GUILESS_MAIN(TestPtyServer)
#include "tst_pty_server.moc"
