#include "app/unsaved_changes.h"

#include "app/app_identity.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "app/undo_history.h"
#include "transfers/area_transfers.h"
#include "widgets/question_box.h"

#include <QFileInfo>

namespace qmh4 {

QString radioReadName(quint16 stateCode) {
    switch (stateCode) {
    case MainWindow::ReadAllState:
        return QStringLiteral("Memory Read");
    case MainWindow::ReadSelectedState:
        return QStringLiteral("One Memory Read");
    case MainWindow::ReadWholeRadioState:
        return QStringLiteral("Read All Data");
    case area_state::BankRead:
        return QStringLiteral("Bank Read");
    case area_state::SetModeRead:
        return QStringLiteral("Set Mode Read");
    case area_state::DtmfRead:
        return QStringLiteral("DTMF Read");
    case area_state::OneTouchRead:
        return QStringLiteral("One-touch Read");
    case area_state::TitleRead:
        return QStringLiteral("Title Read");
    default:
        return {};
    }
}

UnsavedChanges::UnsavedChanges(MainWindow& window) : QObject(&window), window_(window) {
    connect(&window.undoHistory->stack(), &QUndoStack::cleanChanged, this,
            &UnsavedChanges::showTitle);
    connect(&window.document(), &RadioDocument::filePathChanged, this, &UnsavedChanges::showTitle);
    showTitle();
}

QString UnsavedChanges::title() const {
    const QString path = window_.document().filePath();
    QString name = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
    if (!window_.undoHistory->isClean())
        name += QLatin1Char('*');
    return name + QStringLiteral(" \u2014 ") + QLatin1String(ProductTitle);
}

void UnsavedChanges::showTitle() {
    window_.setWindowTitle(title());
}

bool UnsavedChanges::settle() {
    if (window_.undoHistory->isClean())
        return true;
    switch (askSaveDiscardCancel(&window_, QStringLiteral("Save changes?"),
                                 QLatin1String(ProductTitle))) {
    case SaveChoice::Save:
        return window_.fileCommands->saveFile();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

bool UnsavedChanges::beginRead(quint16 stateCode) {
    const QString name = radioReadName(stateCode);
    if (name.isEmpty())
        return true;
    if (!settle())
        return false;
    runningRead_ = stateCode;
    cleanBeforeRead_ = window_.undoHistory->isClean();
    window_.undoHistory->beginStep(name);
    return true;
}

void UnsavedChanges::endRead(const TransferResult& result) {
    if (runningRead_ == 0)
        return;
    const bool whole = std::exchange(runningRead_, 0) == MainWindow::ReadWholeRadioState;
    window_.undoHistory->endStep(result.outcome == Outcome::Success && (cleanBeforeRead_ || whole));
}

} // namespace qmh4
