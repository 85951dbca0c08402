#include "app/safety_net.h"
#include "channels/channel_record.h"
#include "files/data_file.h"
#include "window_test_support.h"

#include <QDialog>

using namespace qmh4;
using namespace qmh4::test;

class TestSafetyNetWindow : public QObject {
    Q_OBJECT
private slots:
    // A read leaves a backup, a write another before it starts, and "Verify after writing"
    // reads everything back: nothing differs after a clean write, exactly the changed row after
    // the radio's memory changed, and "Compare with File…" lists the file's own change.
    void backupsVerifyAndCompare() {
        TestSettings settings;
        Dialogs dialogs;
        QTemporaryDir backups;
        MainWindow window;
        useSimulatedRadio(window);
        SafetyNet& net = *window.safetyNet;
        net.setBackupFolder(backups.path());
        net.setVerifyAfterWriting(true);
        const QDir folder(backups.path());

        QVERIFY(runCommand(window, [&] { window.memoryCommands->readAllChannels(); }));
        QCOMPARE(folder.entryList({"*-memory-read.H4"}).size(), 1);

        QSignalSpy finished(&window, &MainWindow::transferFinished);
        window.writeAllData();
        QVERIFY(finished.wait(60000) && (finished.count() == 2 || finished.wait(60000)));
        QCOMPARE(folder.entryList({"*-written.H4"}).size(), 1);
        QVERIFY(window.findChild<QDialog*>("DifferenceReport"));
        QVERIFY(net.lastDifferences().empty());

        const quint32 modeByte = recordAddress(recordNumber(2)) + 5;
        QByteArray byte = window.simulatedRadio().memory(modeByte, 1);
        byte[0] = static_cast<char>(byte[0] ^ 1);
        window.simulatedRadio().setMemory(modeByte, byte);
        QVERIFY(runCommand(window, [&] { net.verify(); }));
        QCOMPARE(net.lastDifferences().size(), size_t{1});
        QCOMPARE(net.lastDifferences().front().place, window.channels().cell(2, LabelColumn));

        RadioData other = window.currentData();
        other.areas.title.setText("OTHER");
        QVERIFY(saveDataFile(backups.filePath("other.H4"), other).ok);
        net.compareWithFileAt(backups.filePath("other.H4"));
        QCOMPARE(differenceLines(net.lastDifferences()),
                 QStringList{"title Title text: OTHER -> "});
        QVERIFY(dialogs.boxes.isEmpty() || dialogs.count("Error") == 0);
        net.setVerifyAfterWriting(false);
    }
};

QTEST_MAIN(TestSafetyNetWindow)
#include "tst_safety_net_window.moc"
