#include "app/memory_page.h"

#include "app/channel_grid_model.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace qmh4 {

namespace {

// The grid's widths were set in twips; 15 twips make a pixel at 96 dots per inch.
constexpr int TwipsPerPixel = 15;

} // namespace

MemoryPage::MemoryPage(ChannelGridModel* model, QWidget* parent)
    : QWidget(parent), MSFlexGrid1(new QTableView(this)),
      READ_Botton(makeButton("READ_Botton", "Memory Read")),
      WRITE_Botton(makeButton("WRITE_Botton", "Memory Write")),
      MEM_ONE_READ(makeButton("MEM_ONE_READ", "One Memory Read")),
      MEM_ONE_WRITE(makeButton("MEM_ONE_WRITE", "One Memory Write")),
      Clear_Botton(makeButton("Clear_Botton", "Clear")), LIST_SET{makeButton("LIST_SET[0]", "Up"),
                                                                  makeButton("LIST_SET[1]",
                                                                             "Down")},
      ALL_Reset(makeButton("ALL_Reset", "All Clear")) {
    setObjectName(QStringLiteral("MemoryPage"));
    setUpGrid(model);

    auto* buttons = new QGridLayout;
    buttons->addWidget(READ_Botton, 0, 0);
    buttons->addWidget(WRITE_Botton, 0, 1);
    buttons->addWidget(MEM_ONE_READ, 1, 0);
    buttons->addWidget(MEM_ONE_WRITE, 1, 1);
    buttons->addWidget(Clear_Botton, 2, 0);
    buttons->addWidget(ALL_Reset, 2, 1);
    buttons->addWidget(LIST_SET[0], 3, 0);
    buttons->addWidget(LIST_SET[1], 3, 1);
    buttons->setRowStretch(4, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addLayout(buttons);
}

QPushButton* MemoryPage::makeButton(const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void MemoryPage::setUpGrid(ChannelGridModel* model) {
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setModel(model);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->verticalHeader()->hide();
    // Every row has the same height; telling the view saves it from measuring 1623 rows.
    MSFlexGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(MSFlexGrid1->fontMetrics().height() + 6);
    MSFlexGrid1->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < ColumnCount; ++column)
        MSFlexGrid1->setColumnWidth(
            column, ChannelGridModel::WidthTwips[static_cast<size_t>(column)] / TwipsPerPixel);
    MSFlexGrid1->setColumnHidden(CarrierColumn, true);
}

int MemoryPage::currentRow() const {
    const QModelIndex current = MSFlexGrid1->currentIndex();
    return current.isValid() ? ChannelGridModel::gridRow(current) : FirstRow;
}

MemoryPage::RowRange MemoryPage::selectedRows() const {
    const QItemSelection selection = MSFlexGrid1->selectionModel()->selection();
    if (selection.isEmpty()) {
        const int row = currentRow();
        return {row, row};
    }
    int top = selection.first().top();
    int bottom = selection.first().bottom();
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return {top + FirstRow, bottom + FirstRow};
}

int MemoryPage::selectionEndRow() const {
    const RowRange rows = selectedRows();
    return currentRow() == rows.first ? rows.last : rows.first;
}

void MemoryPage::selectRow(int gridRow) {
    selectRows(gridRow, gridRow);
}

void MemoryPage::selectRows(int firstGridRow, int lastGridRow) {
    auto* model = static_cast<ChannelGridModel*>(MSFlexGrid1->model());
    // The current cell stays in the frequency column, so following a transfer or moving up
    // and down scrolls the grid only vertically.
    const QModelIndex first = model->indexOf(firstGridRow, FrequencyColumn);
    const QModelIndex last = model->indexOf(lastGridRow, NameColumn);
    QItemSelectionModel* selection = MSFlexGrid1->selectionModel();
    selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(first, last),
                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    MSFlexGrid1->scrollTo(first);
}

} // namespace qmh4
