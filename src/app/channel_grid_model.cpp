#include "app/channel_grid_model.h"

namespace qmh4 {

const std::array<const char*, ColumnCount> ChannelGridModel::HeaderTexts = {
    "",        "Freqency", "mode",  "step",       "Carrier", "Tone/DCS", "Tx-tone",
    "Rx-tone", "DCS",      "Shift", "Shift-Freq", "Skip",    "Name"};

ChannelGridModel::ChannelGridModel(const RadioDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
    connect(&document, &RadioDocument::rowsChanged, this, &ChannelGridModel::onRowsChanged);
    connect(&document, &RadioDocument::everythingAboutToBeReplaced, this,
            &ChannelGridModel::beginResetModel);
    connect(&document, &RadioDocument::everythingReplaced, this, &ChannelGridModel::endResetModel);
}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return table().cell(gridRow(index), index.column());
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

void ChannelGridModel::onRowsChanged(int firstGridRow, int lastGridRow) {
    emit dataChanged(indexOf(firstGridRow, LabelColumn), indexOf(lastGridRow, NameColumn),
                     {Qt::DisplayRole});
}

} // namespace qmh4
