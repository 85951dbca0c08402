#include "app/grid_clipboard.h"

#include "app/main_window.h"
#include "app/memory_page.h"
#include "files/row_clipboard.h"
#include "messages/file_outcome_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

namespace qmh4 {

namespace {

QAction* addGridAction(QMenu* menu, QWidget* grid, const char* name, const char* caption,
                       QKeySequence::StandardKey key) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    grid->addAction(action);
    return action;
}

// The program's own form first: it keeps names the other forms blank out.
QString clipboardRows(const QMimeData& data) {
    for (const QString& type : {QString::fromLatin1(RowsMimeType), QStringLiteral("text/csv")}) {
        if (data.hasFormat(type))
            return QString::fromUtf8(data.data(type));
    }
    return data.text();
}

} // namespace

GridClipboard::GridClipboard(MainWindow& window, QMenu* editMenu)
    : QObject(&window), window_(window) {
    QTableView* grid = window.memoryPage->MSFlexGrid1;
    cutAction = addGridAction(editMenu, grid, "EditCut", "Cu&t", QKeySequence::Cut);
    copyAction = addGridAction(editMenu, grid, "EditCopy", "&Copy", QKeySequence::Copy);
    pasteAction = addGridAction(editMenu, grid, "EditPaste", "&Paste", QKeySequence::Paste);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copyAction, &QAction::triggered, this, &GridClipboard::copy);
    connect(cutAction, &QAction::triggered, this, &GridClipboard::cut);
    connect(pasteAction, &QAction::triggered, this, &GridClipboard::paste);
}

bool GridClipboard::gridEditable() const {
    return !window_.transferRunning() && window_.TabStrip1->currentWidget() == window_.memoryPage;
}

void GridClipboard::copy() {
    if (!gridEditable())
        return;
    const MemoryPage::RowRange rows = window_.memoryPage->selectedRows();
    const CopiedRows copied = copyRows(window_.channels(), rows.first, rows.last);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(RowsMimeType), copied.exact.toUtf8());
    data->setData(QStringLiteral("text/csv"), copied.csv.toUtf8());
    data->setText(copied.tsv);
    QApplication::clipboard()->setMimeData(data);
}

void GridClipboard::cut() {
    if (!gridEditable())
        return;
    copy();
    MemoryPage& page = *window_.memoryPage;
    const int current = page.currentRow();
    const int end = page.selectionEndRow();
    cutRowsOf(window_.document(), current, end);
    page.selectRows(current, end);
}

void GridClipboard::paste() {
    if (!gridEditable())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const QString text = data ? clipboardRows(*data) : QString();
    const PasteReport report =
        pasteRowsTo(window_.document(), window_.memoryPage->currentRow(), text);
    if (!report.isEmpty())
        window_.memoryPage->selectRows(report.rows.first, report.rows.last);
    window_.statusBar()->showMessage(pasteNotice(report));
}

} // namespace qmh4
