#pragma once

// The window's safety net around the radio: automatic backups before every write and after
// every successful read, "Verify…" (and "Verify after writing"), "Compare with File…" and
// "Open Backup Folder".

#include "transfers/data_comparison.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace qmh4 {

class MainWindow;
struct RadioData;

class SafetyNet : public QObject {
    Q_OBJECT
public:
    // The transfer-state code of "Verify…".
    static constexpr quint16 VerifyState = 90;

    SafetyNet(MainWindow& window, QMenu* fileMenu, QMenu* communicationMenu);

    // The backup folder (tests point it at a folder of their own).
    void setBackupFolder(const QString& folder) { backupFolder_ = folder; }
    const QString& backupFolder() const { return backupFolder_; }

    // The window's hooks: a transfer of `stateCode` is starting (a write keeps a backup of the
    // working data first); a read named `what` has succeeded and the window holds its data.
    void transferStarting(quint16 stateCode);
    void readSucceeded(const QString& what, bool withGlyphs);
    // "Write All Data" has ended with every step done: verify when the option is on.
    void wholeWriteSucceeded();

    bool verifyAfterWriting() const;
    void setVerifyAfterWriting(bool on);

    // The commands.
    void verify();
    void compareWithFile();
    void compareWithFileAt(const QString& path);
    void openBackupFolder();

    // The report of the last verify or comparison (also shown in its window, "DifferenceReport").
    const std::vector<Difference>& lastDifferences() const { return lastDifferences_; }

    QAction* verifyAction;
    QAction* verifyAfterWritingAction;
    QAction* compareAction;
    QAction* openBackupFolderAction;

private:
    void backUp(const RadioData& data, bool withGlyphs, const QString& what);
    void showReport(const QString& title, const QString& leftName,
                    const std::vector<Difference>& differences);

    MainWindow& window_;
    QString backupFolder_;
    std::vector<Difference> lastDifferences_;
};

} // namespace qmh4
