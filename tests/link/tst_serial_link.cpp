#include "link/serial_link.h"

#include <QtTest>

#include <pty.h>
#include <unistd.h>

using namespace qmh4;

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    // The low-latency request is made at every open; a pseudo-terminal refuses it, and the
    // exchange goes on as if nothing had happened.
    void lowLatencyIsRequestedAtEveryOpen() {
        int master = -1;
        int slave = -1;
        char name[128] = {};
        QVERIFY(::openpty(&master, &slave, name, nullptr, nullptr) == 0);
        SerialLink link(QString::fromLocal8Bit(name));
        for (int open = 1; open <= 2; ++open) {
            QVERIFY2(link.send("KV~QM-H4E\r"), qPrintable(link.errorString()));
            QCOMPARE(link.lowLatencyRequests(), open);
            QVERIFY(!link.lowLatencyGranted());
            char sent[16] = {};
            QCOMPARE(::read(master, sent, sizeof sent), 10);
            QCOMPARE(::write(master, "OK", 2), 2);
            QCOMPARE(link.receive(2, std::chrono::milliseconds(2000)).bytes, QByteArray("OK"));
            QVERIFY(!link.isOpen());
        }
        ::close(slave);
        ::close(master);
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_serial_link.moc"
