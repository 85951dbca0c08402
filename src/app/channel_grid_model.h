#pragma once

#include "document/radio_document.h"

#include <QAbstractTableModel>

#include <array>

namespace qmh4 {

// The channel grid's view of the document's channel table, read only: it follows the document's
// signals, one dataChanged for a range of rows and one reset when everything was replaced.
// Model row r is grid row r + 1; model columns are the grid's columns 0 (row label) to 12, so a
// column number means the same everywhere.
class ChannelGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Header texts of columns 1..12 (column 0, the labels, has none).
    static const std::array<const char*, ColumnCount> HeaderTexts;

    explicit ChannelGridModel(const RadioDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static int gridRow(const QModelIndex& index) { return index.row() + FirstRow; }
    QModelIndex indexOf(int gridRow, int column) const { return index(gridRow - FirstRow, column); }

    const ChannelTable& table() const { return document_.channels(); }

private:
    void onRowsChanged(int firstGridRow, int lastGridRow);

    const RadioDocument& document_;
};

} // namespace qmh4
