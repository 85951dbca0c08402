#include "../files/sample_data.h"
#include "files/csv_file.h"
#include "files/data_file.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace qmh4;

namespace {

struct Run {
    int exitCode = -1;
    QString err;
};

Run runQmh4(const QStringList& arguments, int timeoutMs = 120000) {
    QProcess process;
    process.start(QStringLiteral(QMH4_CLI_PATH), arguments);
    process.waitForFinished(timeoutMs);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QList<QByteArray> channelLines(const QString& path) {
    QList<QByteArray> lines = splitLines(*readTextFile(path));
    lines.removeIf([](const QByteArray& line) { return !line.startsWith("CH"); });
    return lines;
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

private slots:
    void initTestCase() {
        QVERIFY(saveDataFile(path("in.H4"), test::sampleData()).ok);
        QVERIFY(writeTextFile(path("bad.CSV"), "\"not a header\"\r\n"));
        QVERIFY(writeTextFile(path("in.INI"), *readTextFile(path("in.H4"))));
    }

    void csvCommandsRoundTheChannels() {
        QCOMPARE(runQmh4({"export-csv", path("in.H4"), path("out.CSV")}).exitCode, 0);
        ChannelTable exported;
        QVERIFY(importCsvFile(path("out.CSV"), exported).ok);
        QCOMPARE(exported.row(1102), test::sampleData().channels.row(1102));

        QCOMPARE(runQmh4({"import-csv", path("out.CSV"), path("new.H4")}).exitCode, 0);
        RadioData fresh;
        QVERIFY(openDataFile(path("new.H4"), fresh).ok);
        QCOMPARE(fresh.channels.row(1102), test::sampleData().channels.row(1102));
        QCOMPARE(fresh.areas.title.text(), QString()); // start-up state beneath the channels

        QCOMPARE(runQmh4({"import-csv", path("out.CSV"), path("onto.H4"), "--onto", path("in.H4")})
                     .exitCode,
                 0);
        RadioData onto;
        QVERIFY(openDataFile(path("onto.H4"), onto).ok);
        QCOMPARE(onto.areas.title, test::sampleData().areas.title);
    }

    void badUseAndBadFilesExitWith2_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << "usage:";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command";
        QTest::newRow("missing output") << QStringList{"export-csv", path("in.H4")} << "";
        QTest::newRow("missing data file")
            << QStringList{"export-csv", path("none.H4"), path("x.CSV")} << "This File don't Open";
        QTest::newRow("settings file by its own name")
            << QStringList{"export-csv", path("in.INI"), path("x.CSV")} << "This File don't Open";
        QTest::newRow("rejected header")
            << QStringList{"import-csv", path("bad.CSV"), path("x.H4")} << "CSV File Error";
        QTest::newRow("wrong CSV extension")
            << QStringList{"import-csv", path("in.H4"), path("x.H4")} << "CSV File Error";
        QTest::newRow("unwritable output")
            << QStringList{"export-csv", path("in.H4"), path("in.H4/x.CSV")} << "Save File Error";
        QTest::newRow("unknown area")
            << QStringList{"read", "--port", "sim", "--only", "fonts", path("x.H4")}
            << "unknown area";
    }

    void badUseAndBadFilesExitWith2() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = runQmh4(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path("x.H4")) && !QFile::exists(path("x.CSV")));
    }

    void radioStepFailureExitsWith1() {
        const Run run =
            runQmh4({"read", "--port", path("no-such-port"), "--only", "banks", path("never.H4")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("banks: Port Error"), qPrintable(run.err));
        QVERIFY(!QFile::exists(path("never.H4")));
    }

    void writeAndReadChannelsOverThePseudoTerminal() {
        QProcess sim;
        sim.start(QStringLiteral(QMH4_CLI_PATH), {"sim", "--baud", "0"});
        QVERIFY(sim.waitForReadyRead(10000));
        const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY(port.startsWith(QLatin1String("/dev/")));

        const Run written = runQmh4({"write", "--port", port, "--only", "channels", path("in.H4")});
        QVERIFY2(written.exitCode == 0, qPrintable(written.err));
        const Run read = runQmh4({"read", "--port", port, "--only", "channels", path("back.H4")});
        QVERIFY2(read.exitCode == 0, qPrintable(read.err));
        sim.terminate();
        QVERIFY(sim.waitForFinished(10000));

        QCOMPARE(channelLines(path("back.H4")), channelLines(path("in.H4")));
    }

    void builtInSimulatedRadioReadsEveryArea() {
        const Run run = runQmh4({"read", "--port", "sim", path("all.H4")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        RadioData data;
        const FileOutcome opened = openDataFile(path("all.H4"), data);
        QCOMPARE(opened.text, QStringLiteral("Read File"));
        QVERIFY(data.channels.row(1).used);
    }
};

QTEST_GUILESS_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
