#pragma once

#include "channels/channel_table.h"
#include "editing/channel_rules.h"

#include <QString>

// Editing of the channel grid: which row pair the detail dialog opens on, how its result is
// written back, clearing rows and moving the current row. The main window calls these and
// repaints the rows they report; the rules of each field live in channel_rules.h. None of these
// looks at the transfer state: the window refuses every editing command while a transfer runs.

namespace qmh4 {

// Rows a change touched, one inclusive range (empty when nothing changed), so a grid model can
// emit a single dataChanged.
struct RowSpan {
    int first = 0;
    int last = -1;
    bool isEmpty() const { return last < first; }
    void include(int row);
    bool operator==(const RowSpan&) const = default;
};

// The options and list entries of one column set, numbered the way the dialog numbers them:
// mode 0 FM, 1 AM, 2 NFM, 3 WFM; tone type 0 None, 1 Tone, 2 TSQ, 3 SQ, 4 DCS, 5 Train;
// shift 0 Off, 1 "+", 2 "-"; the list indices are those of the value tables. The dialog shows
// them and hands them back as they are.
struct DetailChoices {
    int mode = 0;
    int step = 0;
    int toneType = 0;
    int txTone = 8;
    int rxTone = 8;
    int dcs = 0;
    int train = 28;
    int shift = 0;
    bool skip = false;
    bool operator==(const DetailChoices&) const = default;
};

// The values of one column set of the dialog: its choices and the texts of its boxes.
struct DetailFields : DetailChoices {
    QString label; // the row label shown above the set
    FrequencyBoxes frequency;
    OffsetBoxes offset;
    QString name; // with glyph markers, as the grid shows it
    bool operator==(const DetailFields&) const = default;
};

// What the dialog opens on.
struct DetailRequest {
    bool opens = false; // false: the row is not editable (bug-finder presets)
    ChannelKind kind = ChannelKind::Single;
    int firstRow = 0;  // the edited row; for a dual pair the Main row, which becomes current
    int secondRow = 0; // the Sub row of a dual pair, else 0
    DetailFields first;
    DetailFields second;
    // Call and dual channels cannot be set to AM or WFM.
    bool amWfmEnabled() const { return kind == ChannelKind::Single; }
};

// Result codes of the dialog, as the commit reads them.
enum class DetailCode : int {
    Cancelled = 0,     // write nothing
    SubOnly = 1,       // dual: clear Main, write Sub
    MainOnly = 2,      // dual: write Main, clear Sub
    Both = 3,          // dual: write both
    NeitherDual = 5,   // dual: clear both
    SingleEmpty = 50,  // single channel whose frequency ended up empty: clear the row
    SingleFilled = 100 // single channel with a frequency: write it
};

// One column set as the dialog hands it over: the chosen indices and the composed texts.
struct DetailRecord : DetailChoices {
    QString frequency; // "145.12500" without unit; empty = no frequency
    QString offset;    // "0.600" without unit
    QString name;      // filtered, with glyph markers
    bool operator==(const DetailRecord&) const = default;
};

struct DetailResult {
    DetailCode code = DetailCode::Cancelled;
    int firstRow = 0;
    int secondRow = 0;
    DetailRecord first;
    DetailRecord second;
};

// The column set of a row as the dialog shows it when opened.
DetailFields fieldsOfRow(const ChannelTable& table, int rowNumber);

// Opens on `currentRow`; a Sub row opens its pair with the Main row first. Bug-finder rows and
// rows outside the table do not open.
DetailRequest openDetail(const ChannelTable& table, int currentRow);

// Turns one column set into its record by the "OK" rules: normalises the frequency for the
// channel kind, composes frequency and offset texts, filters the name. The boxes of `fields`
// receive what the dialog should show afterwards.
DetailRecord recordFromFields(DetailFields& fields, ChannelKind kind, int rowNumber);

// The "OK" of the dialog: records for the set(s) and the result code. The fields receive what
// their boxes show afterwards (the second set is used for dual pairs only).
DetailResult acceptDetail(const DetailRequest& request, DetailFields& first, DetailFields& second);

enum class CommitOutcome {
    Unchanged, // cancelled
    Written,
    Overlap, // a pass channel already holds the frequency: the window shows the overlap box
};

struct CommitReport {
    CommitOutcome outcome = CommitOutcome::Unchanged;
    RowSpan rows;
};

// The one message of channel editing, shown with an OK button when a commit reports Overlap.
inline const char* const OverlapMessage = "Overlaps in Frequency";
inline const char* const OverlapTitle = " Error";

// Writes the dialog's result into the table by its code.
CommitReport commitDetail(ChannelTable& table, const DetailResult& result);

// Writes one record into a row: cells, side tables, used flag and name-table entry.
void writeRecordToRow(ChannelTable& table, int rowNumber, const DetailRecord& record);

enum class ClearVariant {
    DeleteKey,   // every row of the range, call rows too; the name-table entries stay
    ClearButton, // skips call rows and bug-finder presets; the name-table entries go too
};

// Empties columns 1-12 and zeroes the side tables of one row; the name-table entry goes too
// unless `keepName`.
void clearRow(ChannelTable& table, int rowNumber, bool keepName = false);

// Clears the rows between the current row and the selection end row (either order).
RowSpan clearRows(ChannelTable& table, int currentRow, int selectionEndRow, ClearVariant variant);

// The current row after "Up" / "Down"; the first and last rows stay where they are.
int rowAfterUp(int currentRow);
int rowAfterDown(int currentRow);

// True when a pass channel other than `rowNumber` already in use holds the same frequency, to
// the kHz.
bool passFrequencyTaken(const ChannelTable& table, int rowNumber, const QString& frequencyText);

} // namespace qmh4

namespace qmh4 {

class RadioDocument;

// The same edits as named changes of the working data ("Clear rows 5–9", "Edit row 12"), so
// the grid repaints just those rows and undo can take them back.
RowSpan clearRowsOf(RadioDocument& document, int currentRow, int selectionEndRow,
                    ClearVariant variant);
CommitReport commitDetailTo(RadioDocument& document, const DetailResult& result);

// "row 5" or "rows 5–9", for the names of changes.
QString rowsCaption(int firstRow, int lastRow);

} // namespace qmh4
