#include "link/protocol.h"
#include "link/serial_link.h"
#include "link/session.h"
#include "sim/simulated_radio.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace qmh4;
using namespace std::chrono_literals;

class TestSimCommand : public QObject {
    Q_OBJECT

    static int runCli(const QStringList& arguments, QByteArray* output = nullptr) {
        QProcess process;
        process.start(QStringLiteral(QMH4_CLI_PATH), arguments);
        if (!process.waitForFinished(10000))
            return -1;
        if (output)
            *output = process.readAllStandardOutput() + process.readAllStandardError();
        return process.exitCode();
    }

private slots:
    // qmh4 sim serves a radio that the serial link can program; --save keeps what was written.
    void servesAndSavesTheImage() {
        QTemporaryDir dir;
        const QString saved = dir.filePath("after.bin");
        QProcess sim;
        sim.start(QStringLiteral(QMH4_CLI_PATH),
                  {"sim", "--baud", "0", "--faults", "3=marker", "--save", saved});
        QVERIFY(sim.waitForReadyRead(10000));
        const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY2(path.startsWith("/dev/"), qPrintable(path));

        SerialLink link(path);
        Session session(link, {500ms});
        FailureCounter failures(3);
        const QByteArray data = QByteArray::fromHex("0123456789ABCDEF");
        QByteArray back;
        const TransferResult result = runTransfer([&] {
            session.identify();
            session.writeBlock(0x1A780, data, failures); // the third exchange fails once
            back = session.readBlock(0x1A780, failures);
        });
        QCOMPARE(result.outcome, Outcome::Success);
        QCOMPARE(failures.count(), 1);
        QCOMPARE(back.left(8), data);

        sim.terminate();
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        SimulatedRadio radio;
        QString error;
        QVERIFY2(radio.loadImage(saved, &error), qPrintable(error));
        QCOMPARE(radio.memory(0x1A780, 8), data);
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << "usage";
        QTest::newRow("unknown command") << QStringList{"fly"} << "unknown command";
        QTest::newRow("bad fault plan") << QStringList{"sim", "--faults", "3=sparks"} << "sparks";
        QTest::newRow("missing image")
            << QStringList{"sim", "--image", "/nonexistent/x.bin"} << "x.bin";
        QTest::newRow("bad baud") << QStringList{"sim", "--baud", "fast"} << "--baud";
        QTest::newRow("stray argument") << QStringList{"sim", "extra"} << "unexpected";
        QTest::newRow("ports takes nothing") << QStringList{"ports", "x"} << "usage";
    }
    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QByteArray output;
        QCOMPARE(runCli(arguments, &output), 2);
        QVERIFY2(output.contains(message.toUtf8()), output.constData());
    }

    void portsListsTheBuiltInRadio() {
        QByteArray output;
        QCOMPARE(runCli({"ports"}, &output), 0);
        QVERIFY(output.contains("sim\tbuilt-in simulated radio"));
    }
};

QTEST_GUILESS_MAIN(TestSimCommand)
#include "tst_sim_command.moc"
