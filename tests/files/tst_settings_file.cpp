#include "files/data_file.h"
#include "files/settings_file.h"
#include "sample_data.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qmh4;

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void comPortLine_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("checked");
        QTest::newRow("COM3") << QByteArray("x\r\nCOMPORT03\r\nFile End\r\n") << 3 << 3;
        QTest::newRow("COM16") << QByteArray("x\r\nCOMPORT16\r\n") << 16 << 16;
        QTest::newRow("COMPORT00") << QByteArray("COMPORT00\r\n") << 1 << 1;
        QTest::newRow("one digit") << QByteArray("COMPORT3\r\n") << 1 << 1;
        QTest::newRow("not a number") << QByteArray("COMPORTab\r\n") << 1 << 1;
        QTest::newRow("above 16") << QByteArray("COMPORT17\r\n") << 1 << 0;
        QTest::newRow("no port line") << QByteArray("x\r\nFile End\r\n") << 1 << 0;
        QTest::newRow("first CO line counts") << QByteArray("CO\r\nCOMPORT05\r\n") << 1 << 1;
    }

    void comPortLine() {
        QFETCH(QByteArray, file);
        QFETCH(int, port);
        QFETCH(int, checked);
        QCOMPARE(comPortOfSettings(file), (ComPortChoice{port, checked}));
    }

    void chosenPortSurvivesARestart_data() {
        QTest::addColumn<int>("port");
        QTest::newRow("COM3") << 3;
        QTest::newRow("COM16") << 16;
    }

    void chosenPortSurvivesARestart() {
        QFETCH(int, port);
        QTemporaryDir program;
        QTemporaryDir user;
        RadioData data = test::sampleData();
        data.comPort = port;
        const SettingsFile settings(program.path(), user.path());
        QVERIFY(settings.save(data).ok);
        QCOMPARE(settings.lastSavedPath(), program.filePath(QStringLiteral("QMH4Writer.INI")));

        const SettingsFile afterRestart(program.path(), user.path());
        QCOMPARE(afterRestart.readComPort(), (ComPortChoice{port, port}));
        // The settings file is a whole data file.
        RadioData reread;
        readDataFile(*readTextFile(afterRestart.readPath()), reread);
        QCOMPARE(reread.channels.row(1), data.channels.row(1));
    }

    void unwritableProgramFolderFallsBackToTheUserFolder() {
        QTemporaryDir base;
        // A plain file where the program's folder would be: nothing can be written there.
        const QString program = base.filePath(QStringLiteral("program"));
        QFile blocker(program);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString user = base.filePath(QStringLiteral("config/QMH4Writer"));
        RadioData data;
        data.comPort = 12;
        const SettingsFile settings(program, user);
        const FileOutcome saved = settings.save(data);
        QVERIFY(saved.ok);
        QCOMPARE(settings.lastSavedPath(), user + QStringLiteral("/QMH4Writer.INI"));
        QCOMPARE(SettingsFile(program, user).readComPort(), (ComPortChoice{12, 12}));
    }

    void missingFileGivesPortOneUnchecked() {
        QTemporaryDir program;
        QTemporaryDir user;
        QCOMPARE(SettingsFile(program.path(), user.path()).readComPort(), ComPortChoice{});
    }

    void newerFileWinsWhenBothExist() {
        QTemporaryDir program;
        QTemporaryDir user;
        QVERIFY(writeTextFile(program.filePath(QStringLiteral("QMH4Writer.INI")), "COMPORT04\r\n"));
        QVERIFY(writeTextFile(user.filePath(QStringLiteral("QMH4Writer.INI")), "COMPORT09\r\n"));
        QFile old(program.filePath(QStringLiteral("QMH4Writer.INI")));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                QFileDevice::FileModificationTime));
        old.close();
        QCOMPARE(SettingsFile(program.path(), user.path()).readComPort(), (ComPortChoice{9, 9}));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
