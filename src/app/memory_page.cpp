#include "app/memory_page.h"

#include "app/channel_grid_model.h"
#include "channels/value_tables.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace qmh4 {

namespace {

// Where the widths the user dragged are kept, next to the remembered port.
QSettings userSettings() {
    return QSettings(QStringLiteral("QMH4Writer"), QStringLiteral("QMH4Writer"));
}
const QString WidthsKey = QStringLiteral("MemoryGrid/ColumnWidths");

template <typename Caption>
QStringList captions(int count, Caption caption) {
    QStringList texts;
    for (int index = 0; index < count; ++index)
        texts.append(caption(index));
    return texts;
}

// The widest texts a column can show besides its row labels and names.
QStringList widestTexts(int column) {
    switch (column) {
    case FrequencyColumn:
        return {QStringLiteral("1299.99999MHz")};
    case ModeColumn:
        return listedModeCaptions();
    case StepColumn:
        return captions(StepCount, stepCaption);
    case ToneTypeColumn:
        return listedToneTypeCaptions();
    case TxToneColumn:
    case RxToneColumn:
        return captions(CtcssCount, ctcssCaption);
    case DcsColumn:
        return captions(DcsCount, dcsCaption);
    case ShiftColumn:
        return shiftCaptions();
    case OffsetColumn:
        return {QStringLiteral("999.995MHz")};
    case SkipColumn:
        return {QStringLiteral("*")};
    case NameColumn: // eight characters of the widest kind
        return {QStringLiteral("WWWWWWWW")};
    default:
        return {};
    }
}

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

    gridColumn_ = new QVBoxLayout;
    gridColumn_->addWidget(MSFlexGrid1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(gridColumn_, 1);
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
    QHeaderView* header = MSFlexGrid1->horizontalHeader();
    header->setHighlightSections(false);
    // The name takes whatever width the other columns leave.
    header->setStretchLastSection(true);
    MSFlexGrid1->setColumnHidden(CarrierColumn, true);
    sizeColumnsToTexts();
    restoreColumnWidths();
    connect(header, &QHeaderView::sectionResized, this, &MemoryPage::rememberColumnWidth);
}

int MemoryPage::fittingColumnWidth(int column) const {
    QStringList texts = widestTexts(column);
    if (column == LabelColumn) {
        const QAbstractItemModel* model = MSFlexGrid1->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->index(row, LabelColumn).data().toString());
        // The longest label the bank sizes can give a memory row.
        texts.append(QStringLiteral("Bank049-999"));
    }
    const QFontMetrics metrics = MSFlexGrid1->fontMetrics();
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    // The view draws a cell's text inside a focus-frame margin on each side, plus the grid line.
    const int margins = 2 * (MSFlexGrid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int header = MSFlexGrid1->horizontalHeader()->sectionSizeHint(column);
    return std::max(widest + margins + CellSlack, header);
}

void MemoryPage::sizeColumnsToTexts() {
    for (int column = 0; column < NameColumn; ++column)
        MSFlexGrid1->setColumnWidth(column, fittingColumnWidth(column));
}

void MemoryPage::restoreColumnWidths() {
    const QStringList widths = userSettings().value(WidthsKey).toStringList();
    for (int column = 0; column < std::min<int>(NameColumn, static_cast<int>(widths.size()));
         ++column) {
        const int width = widths.at(column).toInt();
        if (width > 0 && column != CarrierColumn)
            MSFlexGrid1->setColumnWidth(column, width);
    }
}

void MemoryPage::rememberColumnWidth(int column) {
    // Only the user drags the sections once the page is built; the name column follows the
    // window and is not remembered.
    if (column >= NameColumn || column == CarrierColumn || !isVisible())
        return;
    QStringList widths;
    for (int c = 0; c < NameColumn; ++c)
        widths.append(QString::number(MSFlexGrid1->columnWidth(c)));
    userSettings().setValue(WidthsKey, widths);
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

void MemoryPage::addBelowGrid(QWidget* bar) {
    gridColumn_->addWidget(bar);
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

MemoryPage::Selection MemoryPage::selection() const {
    return {selectedRows(), currentRow()};
}

void MemoryPage::restoreSelection(const Selection& selection) {
    const RowRange& rows = selection.rows;
    if (selection.current == rows.first)
        selectRows(rows.first, rows.last);
    else
        selectRows(rows.last, rows.first);
}

} // namespace qmh4
