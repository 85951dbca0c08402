#pragma once

#include "channels/channel_table.h"

#include <QAbstractTableModel>

#include <array>

namespace qmh4 {

// The channel grid's view of the ChannelTable. Model row r is grid row r + 1; model columns are
// the grid's columns 0 (row label) to 12, so a column number means the same everywhere.
class ChannelGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Header texts of columns 1..12 (column 0, the labels, has none).
    static const std::array<const char*, ColumnCount> HeaderTexts;

    explicit ChannelGridModel(ChannelTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static int gridRow(const QModelIndex& index) { return index.row() + FirstRow; }
    QModelIndex indexOf(int gridRow, int column) const { return index(gridRow - FirstRow, column); }

    ChannelTable& table() { return table_; }
    const ChannelTable& table() const { return table_; }

    // Tell the views that grid rows first..last changed: one signal for the whole range.
    void rowsChanged(int firstGridRow, int lastGridRow);
    // Replaces the whole table in one model reset (a finished read, a loaded file).
    void replaceTable(const ChannelTable& table);

private:
    ChannelTable& table_;
};

} // namespace qmh4
