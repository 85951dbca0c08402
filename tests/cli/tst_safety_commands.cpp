#include "cli_test_support.h"
#include "files/text_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qmh4;
using namespace qmh4::test;

namespace {

QTemporaryDir* home = nullptr;

QByteArray contents(const QString& path) {
    return readTextFile(path).value_or(QByteArray());
}

// The data file read from the built-in simulated radio, with the line of channel 1 changed.
void writeChangedCopy(const QString& from, const QString& to) {
    QVERIFY(writeTextFile(to, contents(from).replace("CH00010145.50000", "CH00010145.52000")));
}

} // namespace

class TestSafetyCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        home = new QTemporaryDir;
        // The backups go under the data folder the program inherits.
        qputenv("XDG_DATA_HOME", home->filePath("data").toLocal8Bit());
        const CliRun read = runQmh4({"read", "--port", "sim", home->filePath("radio.H4")});
        QCOMPARE(read.exitCode, 0);
        writeChangedCopy(home->filePath("radio.H4"), home->filePath("changed.H4"));
    }
    void cleanupTestCase() { delete home; }

    // The read keeps a copy of what it saved in the backup folder and says where.
    void readKeepsABackup() {
        const QDir backups(home->filePath("data/QMH4Writer/backups"));
        const QStringList names = backups.entryList({"*-read-all.H4"}, QDir::Files);
        QCOMPARE(names.size(), 1);
        QCOMPARE(contents(backups.filePath(names.first())), contents(home->filePath("radio.H4")));
        QVERIFY(backups.exists(QString(names.first()).replace(".H4", ".FH4")));
        const CliRun again =
            runQmh4({"read", "--port", "sim", "--no-backup", home->filePath("again.H4")});
        QCOMPARE(again.exitCode, 0);
        QVERIFY(!again.err.contains("backup"));
        QCOMPARE(backups.entryList({"*-read-all.H4"}, QDir::Files).size(), 1);
    }

    void verifyAndDiff_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        const QString radio = home->filePath("radio.H4");
        const QString changed = home->filePath("changed.H4");
        const QString line = "channels Bank000-1 Freqency: 145.50000MHz -> 145.52000MHz\n";
        QTest::newRow("diff with itself") << QStringList{"diff", radio, radio} << 0 << "";
        QTest::newRow("diff") << QStringList{"diff", radio, changed} << 3 << line;
        QTest::newRow("diff, missing file")
            << QStringList{"diff", radio, home->filePath("none.H4")} << 2 << "";
        QTest::newRow("write --verify")
            << QStringList{"write", "--port", "sim", "--verify", changed} << 0 << "";
        QTest::newRow("verify, other channel")
            << QStringList{"verify", "--port", "sim", "--only", "channels", changed} << 3 << line;
        QTest::newRow("verify, no such port")
            << QStringList{"verify", "--port", "/dev/no-such-port", radio} << 1 << "";
    }
    void verifyAndDiff() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        const CliRun result = runQmh4(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, out);
    }
};

QTEST_GUILESS_MAIN(TestSafetyCommands)
#include "tst_safety_commands.moc"
