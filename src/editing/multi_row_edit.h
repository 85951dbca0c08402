#pragma once

#include "editing/grid_editing.h"

#include <QList>

#include <array>

// "Edit Selected Rows…": the fields of the detail dialog the user ticked are given to every
// used row of the selection, each row then passing the dialog's "OK" rules for its kind.

namespace qmh4 {

enum class DetailField : int {
    Frequency,
    Mode,
    Step,
    ToneType,
    TxTone,
    RxTone,
    Dcs,
    Train,
    Shift,
    Offset,
    Skip,
    Name,
    Count
};
inline constexpr int DetailFieldCount = static_cast<int>(DetailField::Count);

struct ChosenFields {
    std::array<bool, DetailFieldCount> chosen{};
    bool has(DetailField field) const { return chosen[static_cast<size_t>(field)]; }
    void set(DetailField field, bool on = true) { chosen[static_cast<size_t>(field)] = on; }
    bool any() const;
};

struct MultiRowReport {
    int rowsEdited = 0;     // used rows the fields were given to
    QList<int> refusedRows; // the frequency came out empty for the row's kind: unchanged
    QList<int> overlapRows; // a pass channel already holds the frequency: unchanged
};

// The used rows of first..last (bug-finder presets never) get the chosen fields of `values`.
// A call or dual row keeps its mode when AM or WFM is chosen; a call row falls back to its
// band as in the dialog. A row whose frequency would come out empty is left as it was, rather
// than emptied as the dialog empties one channel.
MultiRowReport applyChosenFields(ChannelTable& table, int firstRow, int lastRow,
                                 const DetailFields& values, const ChosenFields& chosen);

// Used rows of first..last that the edit may reach (the call rows count as used).
int editableUsedRows(const ChannelTable& table, int firstRow, int lastRow);

} // namespace qmh4

namespace qmh4 {

class RadioDocument;

// The edit as one change of the document ("Edit 12 rows").
MultiRowReport editRowsOf(RadioDocument& document, int firstRow, int lastRow,
                          const DetailFields& values, const ChosenFields& chosen);

} // namespace qmh4
