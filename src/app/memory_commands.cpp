#include "app/memory_commands.h"

#include "app/channel_dialog.h"
#include "app/channel_grid_model.h"
#include "app/find_rows.h"
#include "app/grid_clipboard.h"
#include "app/main_window.h"
#include "app/memory_page.h"
#include "app/multi_row_dialog.h"
#include "app/safety_net.h"
#include "app/transfer_controller.h"
#include "app/write_confirmation.h"
#include "editing/grid_editing.h"
#include "link/link.h"
#include "transfers/channel_transfer.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include <memory>

namespace qmh4 {

MemoryCommands::MemoryCommands(MainWindow& window) : QObject(&window), window_(window) {
    connectButtons();
    buildEditMenu();
    keepSelectionAcrossReset();
}

bool MemoryCommands::busy() const {
    return window_.transferRunning();
}

void MemoryCommands::connectButtons() {
    MemoryPage* page = window_.memoryPage;
    connect(page->READ_Botton, &QPushButton::clicked, this, &MemoryCommands::readAllChannels);
    connect(page->WRITE_Botton, &QPushButton::clicked, this, &MemoryCommands::writeAllChannels);
    connect(page->MEM_ONE_READ, &QPushButton::clicked, this, &MemoryCommands::readSelectedChannels);
    connect(page->MEM_ONE_WRITE, &QPushButton::clicked, this,
            &MemoryCommands::writeSelectedChannels);
    connect(page->ALL_Reset, &QPushButton::clicked, this, &MemoryCommands::allClear);
    connect(page->Clear_Botton, &QPushButton::clicked, this, &MemoryCommands::clearSelectedRows);
    for (size_t index = 0; index < page->LIST_SET.size(); ++index)
        connect(page->LIST_SET[index], &QPushButton::clicked, this,
                [this, index] { moveCurrentRow(static_cast<int>(index)); });
    connect(page->MSFlexGrid1, &QTableView::doubleClicked, this,
            &MemoryCommands::editCurrentChannel);
    grid_ = page->MSFlexGrid1;
    grid_->installEventFilter(this);
}

void MemoryCommands::buildEditMenu() {
    QMenu* editMenu = window_.editMenu;
    editMenu->addSeparator();
    gridClipboard = new GridClipboard(window_, editMenu);
    editSelectedRowsAction = editMenu->addAction(QStringLiteral("Edit Selected Rows…"));
    editSelectedRowsAction->setObjectName(QStringLiteral("EditSelectedRows"));
    window_.memoryPage->MSFlexGrid1->addAction(editSelectedRowsAction);
    connect(editSelectedRowsAction, &QAction::triggered, this, &MemoryCommands::editSelectedRows);
    editMenu->addSeparator();
    findBar = new FindBar(window_, editMenu);
    window_.memoryPage->addBelowGrid(findBar);
}

// A model reset loses the view's selection: put it back as it was.
void MemoryCommands::keepSelectionAcrossReset() {
    MemoryPage* page = window_.memoryPage;
    auto kept = std::make_shared<MemoryPage::Selection>();
    QAbstractItemModel* model = window_.gridModel();
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
            [page, kept] { *kept = page->selection(); });
    connect(model, &QAbstractItemModel::modelReset, this,
            [page, kept] { page->restoreSelection(*kept); });
}

bool MemoryCommands::eventFilter(QObject* watched, QEvent* event) {
    // Compared with the grid kept at the start: while the window goes, it is no MainWindow.
    if (event->type() == QEvent::KeyPress && watched == grid_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete) {
            gridKeyPressed(key);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MemoryCommands::allClear() {
    if (busy())
        return;
    MemoryPage* page = window_.memoryPage;
    const MemoryPage::Selection selection = page->selection();
    page->ALL_Reset->setEnabled(false);
    window_.document().editRows(QStringLiteral("All Clear"), FirstRow, LastRow,
                                [](ChannelTable& table) { table.clearAllChannels(); });
    page->restoreSelection(selection);
    page->ALL_Reset->setEnabled(true);
    window_.ProgressBar1->setValue(0);
}

void MemoryCommands::editSelectedRows() {
    if (busy() || window_.TabStrip1->currentWidget() != window_.memoryPage)
        return;
    const MemoryPage::RowRange rows = window_.memoryPage->selectedRows();
    const QString notice =
        qmh4::editSelectedRows(&window_, window_.document(), rows.first, rows.last);
    if (!notice.isEmpty())
        window_.statusBar()->showMessage(notice);
}

void MemoryCommands::editCurrentChannel() {
    if (busy())
        return;
    const DetailEdit edit =
        editChannel(&window_, window_.document(), window_.memoryPage->currentRow());
    if (!edit.opened)
        return;
    window_.memoryPage->selectRow(edit.currentRow);
    if (!edit.notice.isEmpty())
        window_.statusBar()->showMessage(edit.notice);
    if (edit.commit.outcome == CommitOutcome::Overlap)
        showMessage(&window_, QString::fromLatin1(OverlapMessage),
                    QString::fromLatin1(OverlapTitle));
}

void MemoryCommands::gridKeyPressed(int key) {
    if (busy())
        return;
    MemoryPage* page = window_.memoryPage;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Several rows holding channels open the edit of them all; else the current row's.
        const MemoryPage::RowRange rows = page->selectedRows();
        if (rows.first != rows.last &&
            editableUsedRows(window_.channels(), rows.first, rows.last) > 0)
            editSelectedRows();
        else
            editCurrentChannel();
        return;
    }
    if (key == Qt::Key_Delete)
        clearRowsOf(window_.document(), page->currentRow(), page->selectionEndRow(),
                    ClearVariant::DeleteKey);
}

void MemoryCommands::clearSelectedRows() {
    if (busy())
        return;
    MemoryPage* page = window_.memoryPage;
    const int current = page->currentRow();
    const int end = page->selectionEndRow();
    clearRowsOf(window_.document(), current, end, ClearVariant::ClearButton);
    page->selectRows(current, end);
}

void MemoryCommands::moveCurrentRow(int index) {
    if (busy())
        return;
    const int current = window_.memoryPage->currentRow();
    window_.memoryPage->selectRow(index == 0 ? rowAfterUp(current) : rowAfterDown(current));
}

void MemoryCommands::readAllChannels() {
    startChannelTransfer(MainWindow::ReadAllState);
}

void MemoryCommands::writeAllChannels() {
    if (confirmRadioWrite(window_))
        startChannelTransfer(MainWindow::WriteAllState);
}

void MemoryCommands::readSelectedChannels() {
    startChannelTransfer(MainWindow::ReadSelectedState);
}

void MemoryCommands::writeSelectedChannels() {
    if (confirmRadioWrite(window_))
        startChannelTransfer(MainWindow::WriteSelectedState);
}

void MemoryCommands::startChannelTransfer(quint16 code) {
    if (busy())
        return;
    const MemoryPage::RowRange rows = window_.memoryPage->selectedRows();
    // The transfer works on its own copy: a write sends what the table held when it started,
    // a read decodes into the copy, which the table adopts when the transfer ends.
    auto snapshot = std::make_shared<ChannelTable>(window_.channels());
    TransferController& transfers = *window_.transfers;
    TransferRunner::Job job = [open = window_.linkOpener(), options = transfers.sessionOptions(),
                               stop = transfers.control().stopFlag(), snapshot, code,
                               rows](ChannelTransferObserver& observer) {
        const std::unique_ptr<Link> link = open();
        Session session(*link, options, stop);
        switch (code) {
        case MainWindow::ReadAllState:
            return qmh4::readAllChannels(session, *snapshot, &observer);
        case MainWindow::WriteAllState:
            return qmh4::writeAllChannels(session, *snapshot, &observer);
        case MainWindow::ReadSelectedState:
            return qmh4::readSelectedChannels(session, *snapshot, rows.first, rows.last, &observer);
        default:
            break;
        }
        return qmh4::writeSelectedChannels(session, *snapshot, rows.first, rows.last, &observer);
    };
    TransferController::Finish adopt;
    if (code == MainWindow::ReadAllState || code == MainWindow::ReadSelectedState)
        adopt = [this, snapshot](const TransferResult& result) {
            window_.document().replaceChannels(QStringLiteral("Memory Read"), *snapshot);
            if (result.outcome == Outcome::Success)
                window_.safetyNet->readSucceeded(QStringLiteral("memory-read"), false);
        };
    transfers.start(code, std::move(job), std::move(adopt));
}

} // namespace qmh4
