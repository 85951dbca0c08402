#include "files/backups.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qmh4;

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    // The folder holds KeptBackupCount backups; the next one removes the oldest, and files of
    // other names (the user's own) are never touched. A folder that cannot be made is reported.
    void keepsTheNewestBackups() {
        QTemporaryDir temp;
        QDir dir(temp.path());
        const QDateTime start(QDate(2026, 1, 1), QTime(8, 0));
        for (int i = 0; i < KeptBackupCount; ++i) {
            QFile file(
                dir.filePath(start.addSecs(i * 60).toString("yyyy-MM-dd_HHmmss") + "-read-all.H4"));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QFile own(dir.filePath("my-radio.H4"));
        QVERIFY(own.open(QIODevice::WriteOnly));

        const QDateTime now(QDate(2026, 12, 6), QTime(14, 30, 12));
        const BackupResult first = saveBackup(RadioData{}, false, "written", temp.path(), now);
        const BackupResult second = saveBackup(RadioData{}, true, "written", temp.path(), now);
        QVERIFY2(first.ok && second.ok, qPrintable(first.reason + second.reason));
        QCOMPARE(QFileInfo(first.dataPath).fileName(), "2026-12-06_143012-written.H4");
        // Same second: a name of its own, and the glyphs beside it.
        QCOMPARE(QFileInfo(second.fontPath).fileName(), "2026-12-06_143012-2-written.FH4");
        QCOMPARE(dir.entryList(QDir::Files).size(), KeptBackupCount + 1);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(
                !dir.exists(start.addSecs(i * 60).toString("yyyy-MM-dd_HHmmss") + "-read-all.H4"));
        }
        QVERIFY(dir.exists("2026-01-01_080300-read-all.H4"));
        QVERIFY(own.exists());
        QVERIFY(saveBackup(RadioData{}, false, "written", "/proc/no-such-folder").fault ==
                BackupFault::FolderNotCreated);
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
