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
        QTest::newRow("COM16") << QByteArray("x\r\nCOMPORT16\r\n") << 16 << 16;
        QTest::newRow("above 16") << QByteArray("COMPORT17\r\n") << 1 << 0;
        QTest::newRow("no port line") << QByteArray("x\r\nFile End\r\n") << 1 << 0;
    }

    void comPortLine() {
        QFETCH(QByteArray, file);
        QFETCH(int, port);
        QFETCH(int, checked);
        QCOMPARE(comPortOfSettings(file), (ComPortChoice{port, checked}));
    }

    void chosenPortSurvivesARestart() {
        QTemporaryDir program;
        QTemporaryDir user;
        RadioData data = test::sampleData();
        data.comPort = 16;
        const SettingsFile settings(program.path(), user.path());
        QVERIFY(settings.save(data).ok);
        QCOMPARE(settings.lastSavedPath(), program.filePath(QStringLiteral("QMH4Writer.INI")));

        const SettingsFile afterRestart(program.path(), user.path());
        QCOMPARE(afterRestart.readComPort(), (ComPortChoice{16, 16}));
        // The settings file is a whole data file.
        RadioData reread;
        readDataFile(*readTextFile(afterRestart.readPath()), reread);
        QCOMPARE(reread.channels.row(1), data.channels.row(1));
    }

    void unwritableProgramFolderFallsBackToTheUserFolder() {
        QTemporaryDir base;
        // A plain file where the program's folder would be: nothing can be written there.
        const QString program = base.filePath(QStringLiteral("program"));
        QVERIFY(writeTextFile(program, {}));
        const QString user = base.filePath(QStringLiteral("config/QMH4Writer"));
        RadioData data;
        data.comPort = 12;
        const SettingsFile settings(program, user);
        const FileOutcome saved = settings.save(data);
        QVERIFY(saved.ok);
        QCOMPARE(settings.lastSavedPath(), user + QStringLiteral("/QMH4Writer.INI"));
        QCOMPARE(SettingsFile(program, user).readComPort(), (ComPortChoice{12, 12}));
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
