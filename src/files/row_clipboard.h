#pragma once

#include "channels/channel_table.h"
#include "editing/grid_editing.h"

#include <QList>
#include <QString>

// Channel rows moved through the clipboard. A copy is offered in three forms: the exported
// file's lines (text/csv), tab-separated cells for spreadsheets (text/plain), and this
// program's own lines, which keep the name as the grid shows it (double-byte characters and
// glyph markers the exported file turns into blanks). A paste reads any of them.
namespace qmh4 {

inline constexpr const char* RowsMimeType = "application/x-qmh4writer-rows";

struct CopiedRows {
    QString csv;   // the export's lines for the rows, no header, CR LF after each
    QString tsv;   // the same fields separated by tabs, the name as the grid shows it
    QString exact; // the export's layout with the name as the grid shows it
};
CopiedRows copyRows(const ChannelTable& table, int firstRow, int lastRow);

// The rows a paste starting on `rowNumber` may fill: the rest of the row's block (memory,
// program scan, dual, priority, call, pass, TSF). A paste into the dual block starts at the
// Main row of the pair. Empty for the bug-finder rows and rows outside the table.
RowSpan pasteRoom(int rowNumber);

struct PasteReport {
    RowSpan rows;           // the rows the paste covered, written or refused
    QList<int> refusedRows; // a value was refused: the row stayed as it was
    QList<int> overlapRows; // a pass channel already holds the frequency
    int linesLeftOver = 0;  // lines the block had no room for
    bool isEmpty() const { return rows.isEmpty(); }
};

// Pastes the lines of `text` (any form of copyRows, a header line allowed) into the rows from
// `startRow` on by the import's rules (a line short of the name field is refused; text without
// any line that long pastes nothing), plus the limits of the rows' kinds: a call row takes
// only a frequency in its band and is never emptied; call and dual rows take neither AM nor
// WFM; every frequency lies in the range the detail dialog allows. A refused row keeps what
// it held. In the dual block an odd last line leaves its pair's Sub row empty.
PasteReport pasteRows(ChannelTable& table, int startRow, const QString& text);

} // namespace qmh4

namespace qmh4 {

class RadioDocument;

// The paste as one change of the document ("Paste rows 200–202").
PasteReport pasteRowsTo(RadioDocument& document, int startRow, const QString& text);
// "Cut": the Clear button's rules on the rows, as one change ("Cut rows 5–7").
RowSpan cutRowsOf(RadioDocument& document, int currentRow, int selectionEndRow);

} // namespace qmh4
