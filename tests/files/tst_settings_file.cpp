#include "files/data_file.h"
#include "files/settings_file.h"
#include "sample_data.h"

#include <QDir>
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

    // The chosen port survives a restart; the settings file is a whole data file. Where the
    // program's folder cannot be written (a plain file stands there) it goes to the user's.
    void chosenPortSurvivesARestart_data() {
        QTest::addColumn<bool>("programWritable");
        QTest::newRow("program folder") << true;
        QTest::newRow("unwritable program folder") << false;
    }
    void chosenPortSurvivesARestart() {
        QFETCH(bool, programWritable);
        QTemporaryDir base;
        const QString program = base.filePath("program"), user = base.filePath("config/QMH4Writer");
        QVERIFY(programWritable ? QDir().mkpath(program) : writeTextFile(program, {}));
        RadioData data = test::sampleData();
        data.comPort = 16;
        const SettingsFile settings(program, user);
        QVERIFY(settings.save(data).ok());
        QCOMPARE(settings.lastSavedPath(), (programWritable ? program : user) + "/QMH4Writer.INI");

        const SettingsFile afterRestart(program, user);
        QCOMPARE(afterRestart.readComPort(), (ComPortChoice{16, 16}));
        RadioData reread;
        readDataFile(*readTextFile(afterRestart.readPath()), reread);
        QCOMPARE(reread.channels.row(1), data.channels.row(1));
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
