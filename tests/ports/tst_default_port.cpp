#include "ports/default_port.h"
#include "sim/pty_server.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace qmh4;

// The user's settings of this test live in a folder of its own (XDG_CONFIG_HOME, set before
// anything reads them), and the qmh4 it starts inherits that folder.
class TestDefaultPort : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;

private slots:
    void initTestCase() {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    }

    void rule_data() {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<int>("comPort");
        QTest::addColumn<QString>("port");
#ifdef Q_OS_WIN
        QTest::newRow("COM16") << QString() << 16 << "COM16";
#else
        QTest::newRow("COM16") << QString() << 16 << "/dev/ttyUSB15";
#endif
        QTest::newRow("chosen by name") << "/dev/pts/9" << 3 << "/dev/pts/9";
    }
    void rule() {
        QFETCH(QString, remembered);
        QFETCH(int, comPort);
        QFETCH(QString, port);
        QCOMPARE(defaultPort(remembered, comPort), port);
    }

    // The name the window remembers is the port `qmh4 read` uses without --port.
    void commandLineUsesTheRememberedPort() {
        SimulatedRadio radio;
        PtyServer server(radio);
        QString error;
        QVERIFY2(server.open(&error), qPrintable(error));
        server.start();
        rememberPortName(server.slavePath());
        QCOMPARE(rememberedPortName(), server.slavePath());

        QTemporaryDir out;
        QProcess qmh4;
        qmh4.start(QStringLiteral(QMH4_CLI_PATH),
                   {"read", "--only", "title", out.filePath("title.H4")});
        QVERIFY(qmh4.waitForFinished(60000));
        server.stop();
        QVERIFY2(qmh4.exitCode() == 0, qmh4.readAllStandardError().constData());
        QVERIFY(radio.exchangeCount() > 0);
        QVERIFY(QFile::exists(out.filePath("title.H4")));
    }
};

QTEST_GUILESS_MAIN(TestDefaultPort)
#include "tst_default_port.moc"
