#include "editing/row_search.h"

namespace qmh4 {

bool rowMatches(const ChannelRow& row, const QString& text) {
    for (const int column : {NameColumn, FrequencyColumn, LabelColumn}) {
        if (row.cell(column).contains(text, Qt::CaseInsensitive))
            return true;
    }
    return row.name().contains(text, Qt::CaseInsensitive);
}

int findRow(const ChannelTable& table, const QString& text, int fromRow, bool forward) {
    if (text.isEmpty())
        return 0;
    const int step = forward ? 1 : -1;
    int row = fromRow;
    for (int looked = 0; looked < RowCount; ++looked) {
        row += step;
        if (row > LastRow)
            row = FirstRow;
        else if (row < FirstRow)
            row = LastRow;
        if (rowMatches(table.row(row), text))
            return row;
    }
    return 0;
}

} // namespace qmh4
