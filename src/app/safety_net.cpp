#include "app/safety_net.h"

#include "app/file_choice.h"
#include "app/file_messages.h"
#include "app/main_window.h"
#include "app/transfer_controller.h"
#include "files/backups.h"
#include "files/data_file.h"
#include "link/link.h"
#include "messages/file_outcome_text.h"
#include "transfers/verify.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

namespace qmh4 {

namespace {

const QString VerifyAfterWritingKey = QStringLiteral("verifyAfterWriting");

QSettings userSettings() {
    return QSettings(QStringLiteral("QMH4Writer"), QStringLiteral("QMH4Writer"));
}

// The verify read shows its progress on the window's bar and nothing else: no rows follow.
class ProgressOnly : public WholeRadioObserver {
public:
    explicit ProgressOnly(TransferObserver& forward) : forward_(forward) {}
    void progress(int value, int maximum, int percent) override {
        forward_.progress(value, maximum, percent);
    }

private:
    TransferObserver& forward_;
};

WholeRadioData wholeRadioData(const RadioData& data) {
    return {data.channels, data.areas, data.glyphs.glyphs(), data.glyphs.holdsRealGlyphs()};
}

// The end of a verify as one transfer result: the first step that failed, if any.
TransferResult verifyOutcome(const WholeRadioResult& read) {
    if (read.stopped)
        return {Outcome::Stopped, {}};
    for (const StepResult& step : read.steps) {
        if (step.result.outcome != Outcome::Success)
            return asWholeRadioStep(step.result);
    }
    return {};
}

} // namespace

SafetyNet::SafetyNet(MainWindow& window, QMenu* fileMenu, QMenu* communicationMenu)
    : QObject(&window), window_(window), backupFolder_(qmh4::backupFolder()) {
    fileMenu->addSeparator();
    compareAction = fileMenu->addAction(QStringLiteral("Compare with File…"));
    compareAction->setObjectName(QStringLiteral("CompareWithFile"));
    openBackupFolderAction = fileMenu->addAction(QStringLiteral("Open Backup Folder"));
    openBackupFolderAction->setObjectName(QStringLiteral("OpenBackupFolder"));
    verifyAction = communicationMenu->addAction(QStringLiteral("Verify…"));
    verifyAction->setObjectName(QStringLiteral("Verify"));
    verifyAfterWritingAction = communicationMenu->addAction(QStringLiteral("Verify after writing"));
    verifyAfterWritingAction->setObjectName(QStringLiteral("VerifyAfterWriting"));
    verifyAfterWritingAction->setCheckable(true);
    verifyAfterWritingAction->setChecked(verifyAfterWriting());
    connect(compareAction, &QAction::triggered, this, &SafetyNet::compareWithFile);
    connect(openBackupFolderAction, &QAction::triggered, this, &SafetyNet::openBackupFolder);
    connect(verifyAction, &QAction::triggered, this, &SafetyNet::verify);
    connect(verifyAfterWritingAction, &QAction::toggled, this, &SafetyNet::setVerifyAfterWriting);
}

bool SafetyNet::verifyAfterWriting() const {
    return userSettings().value(VerifyAfterWritingKey, false).toBool();
}

void SafetyNet::setVerifyAfterWriting(bool on) {
    userSettings().setValue(VerifyAfterWritingKey, on);
    verifyAfterWritingAction->setChecked(on);
}

void SafetyNet::backUp(const RadioData& data, bool withGlyphs, const QString& what) {
    const BackupResult backup = saveBackup(data, withGlyphs, what, backupFolder_);
    if (!backup.ok)
        window_.statusBar()->showMessage(QStringLiteral("No backup kept: ") +
                                         backupFailureText(backup));
}

void SafetyNet::transferStarting(quint16 stateCode) {
    switch (stateCode) {
    case MainWindow::WriteAllState:
    case MainWindow::WriteSelectedState:
        backUp(window_.currentData(), false, QStringLiteral("written"));
        break;
    case MainWindow::WriteWholeRadioState:
        backUp(window_.currentData(), window_.currentData().glyphs.holdsRealGlyphs(),
               QStringLiteral("written"));
        break;
    default:
        break;
    }
}

void SafetyNet::readSucceeded(const QString& what, bool withGlyphs) {
    backUp(window_.currentData(), withGlyphs, what);
}

void SafetyNet::wholeWriteSucceeded() {
    if (verifyAfterWriting())
        QMetaObject::invokeMethod(this, &SafetyNet::verify, Qt::QueuedConnection);
}

void SafetyNet::verify() {
    const WholeRadioData expected = wholeRadioData(window_.currentData());
    auto verified = std::make_shared<VerifyResult>();
    WholeRadioOptions options;
    options.main = window_.transfers->sessionOptions();
    options.editors.replyTimeout = window_.transfers->editorOptions().replyTimeout;
    TransferControl& control = window_.transferControl();
    TransferRunner::Job job = [open = window_.linkOpener(), options, expected, verified,
                               stop = control.stopFlag()](ChannelTransferObserver& forward) {
        const std::unique_ptr<Link> link = open();
        ProgressOnly observer(forward);
        *verified = verifyWholeRadio(*link, expected, options, stop, &observer);
        link->close();
        return verifyOutcome(verified->read);
    };
    TransferController::Finish finish = [this, verified, &control](const TransferResult& result) {
        // Quiet for the run: the report replaces the "Success" box; a stop leaves no trace.
        if (result.outcome == Outcome::Stopped)
            control.setQuiet(TransferControl::StandAlone);
        if (result.outcome == Outcome::Success)
            showReport(QStringLiteral("Verify"), QStringLiteral("radio"), verified->differences);
    };
    control.setQuiet(TransferControl::WholeRadioStep);
    if (!window_.transfers->start(VerifyState, std::move(job), std::move(finish)))
        control.setQuiet(TransferControl::StandAlone);
}

void SafetyNet::compareWithFile() {
    const QString path = chooseFile(&window_, openDataFileRequest());
    if (!path.isEmpty())
        compareWithFileAt(path);
}

void SafetyNet::compareWithFileAt(const QString& path) {
    RadioData file;
    const FileOutcome opened = openDataFile(path, file);
    if (!opened.ok()) {
        showFileOutcome(&window_, opened);
        return;
    }
    const WholeRadioData left{file.channels, file.areas, {}, false};
    showReport(QStringLiteral("Compare with File"), QFileInfo(path).fileName(),
               compareRadioData(left, wholeRadioData(window_.currentData())));
}

void SafetyNet::openBackupFolder() {
    QDir().mkpath(backupFolder_);
    QDesktopServices::openUrl(QUrl::fromLocalFile(backupFolder_));
}

void SafetyNet::showReport(const QString& title, const QString& leftName,
                           const std::vector<Difference>& differences) {
    lastDifferences_ = differences;
    auto* dialog = new QDialog(&window_);
    dialog->setObjectName(QStringLiteral("DifferenceReport"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    auto* layout = new QVBoxLayout(dialog);
    const QString summary =
        differences.empty()
            ? QStringLiteral("No differences: the %1 holds the working data.").arg(leftName)
            : QStringLiteral("%1 %2 (%3 value -> window value):")
                  .arg(differences.size())
                  .arg(differences.size() == 1 ? QStringLiteral("difference")
                                               : QStringLiteral("differences"),
                       leftName);
    layout->addWidget(new QLabel(summary, dialog));
    if (!differences.empty()) {
        auto* lines = new QPlainTextEdit(differenceLines(differences).join(u'\n'), dialog);
        lines->setObjectName(QStringLiteral("DifferenceLines"));
        lines->setReadOnly(true);
        lines->setLineWrapMode(QPlainTextEdit::NoWrap);
        layout->addWidget(lines);
        dialog->resize(640, 420);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    layout->addWidget(buttons);
    dialog->show();
}

} // namespace qmh4
