#include "../files/sample_data.h"
#include "cli_test_support.h"
#include "files/csv_file.h"
#include "files/data_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qmh4;
using namespace qmh4::test;

class TestCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

private slots:
    void initTestCase() {
        QVERIFY(saveDataFile(path("in.H4"), sampleData()).ok());
        QVERIFY(writeTextFile(path("bad.CSV"), "\"not a header\"\r\n"));
        QVERIFY(writeTextFile(path("in.INI"), *readTextFile(path("in.H4"))));
    }

    void csvCommandsRoundTheChannels() {
        QCOMPARE(runQmh4({"export-csv", path("in.H4"), path("out.CSV")}).exitCode, 0);
        ChannelTable exported;
        QVERIFY(importCsvFile(path("out.CSV"), exported).ok());
        QCOMPARE(exported.row(1102), sampleData().channels.row(1102));

        QCOMPARE(runQmh4({"import-csv", path("out.CSV"), path("new.H4")}).exitCode, 0);
        RadioData fresh;
        QVERIFY(openDataFile(path("new.H4"), fresh).ok());
        QCOMPARE(fresh.channels.row(1102), sampleData().channels.row(1102));

        QCOMPARE(runQmh4({"import-csv", path("out.CSV"), path("onto.H4"), "--onto", path("in.H4")})
                     .exitCode,
                 0);
        RadioData onto;
        QVERIFY(openDataFile(path("onto.H4"), onto).ok());
        QCOMPARE(onto.areas.title, sampleData().areas.title);

        const QStringList common = {"export-csv", "--layout", "common", path("in.H4"),
                                    path("common.csv")};
        QCOMPARE(runQmh4(common).exitCode, 0);
        const CliRun run =
            runQmh4({"import-csv", path("common.csv"), path("c.H4"), "--first-row", "3"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains("Imported 5 channels into rows 3–7"), qPrintable(run.err));
    }

    // Help, the version, the port list and the built-in radio's identification are answers:
    // on stdout, status 0.
    void answersOnStdout_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("answer");
        QTest::newRow("--help") << QStringList{"--help"} << "qmh4 identify [--port P]";
        QTest::newRow("-h") << QStringList{"-h"} << "usage: qmh4";
        QTest::newRow("help read") << QStringList{"help", "read"} << "--only <AREAS>";
        QTest::newRow("read --help")
            << QStringList{"read", "--help", "--frob"} << "usage: qmh4 read";
        QTest::newRow("version") << QStringList{"--version"} << "qmh4 " QMH4_VERSION;
        QTest::newRow("ports") << QStringList{"ports"} << "sim\tbuilt-in simulated radio";
        QTest::newRow("ports json") << QStringList{"ports", "--json"} << "\"port\": \"sim\"";
        QTest::newRow("identify") << QStringList{"identify", "--port", "sim"} << "OK\\r\\n";
    }
    void answersOnStdout() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, answer);
        const CliRun run = runQmh4(arguments, 10000);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(answer), qPrintable(run.out));
        QCOMPARE(run.err, QString());
    }

    void badUseAndBadFilesExitWith2_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << "usage";
        QTest::newRow("unknown command") << QStringList{"fly"} << "unknown command";
        QTest::newRow("unknown option") << QStringList{"ports", "--frob"} << "'frob'";
        QTest::newRow("bad fault plan") << QStringList{"sim", "--faults", "3=sparks"} << "sparks";
        QTest::newRow("missing image")
            << QStringList{"sim", "--image", "/nonexistent/x.bin"} << "x.bin";
        QTest::newRow("bad baud") << QStringList{"sim", "--baud", "fast"} << "--baud";
        QTest::newRow("missing output") << QStringList{"export-csv", path("in.H4")} << "";
        QTest::newRow("missing data file")
            << QStringList{"export-csv", path("none.H4"), path("x.CSV")} << "This File don't Open";
        QTest::newRow("settings file by its own name")
            << QStringList{"export-csv", path("in.INI"), path("x.CSV")} << "This File don't Open";
        QTest::newRow("rejected header")
            << QStringList{"import-csv", path("bad.CSV"), path("x.H4")} << "CSV File Error";
        QTest::newRow("first row past the memory rows")
            << QStringList{"import-csv", path("common.csv"), path("x.H4"), "--first-row", "1001"}
            << "--first-row";
        QTest::newRow("unknown layout")
            << QStringList{"export-csv", "--layout", "other", path("in.H4"), path("x.CSV")}
            << "--layout";
        QTest::newRow("unwritable output")
            << QStringList{"export-csv", path("in.H4"), path("in.H4/x.CSV")} << "Save File Error";
    }

    void badUseAndBadFilesExitWith2() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runQmh4(arguments, 10000);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2((run.err + run.out).contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path("x.H4")) && !QFile::exists(path("x.CSV")));
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
