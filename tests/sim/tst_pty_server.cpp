#include "link/serial_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_radio.h"
#include "transfers/channel_transfer.h"

#include <QTest>

using namespace qmh4;
using namespace std::chrono_literals;

// The serial code against the simulated radio on a pseudo-terminal. Whole transfers, a vanishing
// device and every kind of bad reply over the terminal are the fault matrix's (tests/hardening).
class TestPtyServer : public QObject {
    Q_OBJECT

private slots:
    // A reply cut short stays queued on the line after the port closes; the next exchange
    // must not take those bytes as the start of its own reply.
    void lateBytesAreClearedOnOpen() {
        SimulatedRadio radio;
        radio.setFaults(*FaultPlan::parse("2=short,3=short", nullptr));
        PtyServer server(radio);
        QString error;
        QVERIFY2(server.open(&error), qPrintable(error));
        server.start();
        SerialLink link(server.slavePath());
        Session session(link, {500ms});
        FailureCounter failures(3);
        QByteArray data;
        const TransferResult result = runTransfer([&] {
            session.identify();
            data = session.readBlock(0x1200, failures);
        });
        QCOMPARE(result.outcome, Outcome::Success);
        QCOMPARE(failures.count(), 2);
        QCOMPARE(data, radio.memory(0x1200, 64));
    }
};

QTEST_GUILESS_MAIN(TestPtyServer)
#include "tst_pty_server.moc"
