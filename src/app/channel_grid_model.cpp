#include "app/channel_grid_model.h"

namespace qmh4 {

const std::array<const char*, ColumnCount> ChannelGridModel::HeaderTexts = {
    "",        "Freqency", "mode",  "step",       "Carrier", "Tone/DCS", "Tx-tone",
    "Rx-tone", "DCS",      "Shift", "Shift-Freq", "Skip",    "Name"};

ChannelGridModel::ChannelGridModel(ChannelTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return table_.cell(gridRow(index), index.column());
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + FirstRow;
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(HeaderTexts[static_cast<size_t>(section)]);
}

void ChannelGridModel::rowsChanged(int firstGridRow, int lastGridRow) {
    emit dataChanged(indexOf(firstGridRow, LabelColumn), indexOf(lastGridRow, NameColumn),
                     {Qt::DisplayRole});
}

void ChannelGridModel::replaceTable(const ChannelTable& table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

} // namespace qmh4
