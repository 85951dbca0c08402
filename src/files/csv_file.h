#pragma once

#include "channels/channel_table.h"
#include "files/file_outcome.h"
#include "files/text_file.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The channel list exchanged with spreadsheets: one line per grid row (the header row, then
// rows 1..1623), 14 quoted fields separated by commas, code page 932 with CR LF.
namespace qmh4 {

// The last row an import fills: the bug-finder presets are never imported.
constexpr int LastImportedRow = LastTsfRow;

// The fields of one CSV line as spreadsheets quote them: a quoted field may hold commas and
// doubled quotes; quotes anywhere else are dropped, blanks outside quotes around a field are
// trimmed.
QStringList parseCsvLine(const QString& line);
// One field quoted for the file, inner quotes doubled.
QString quoteCsvField(const QString& text);

// The 14 fields of one row as the exported file holds them (label, frequency without unit, …,
// name as single-byte characters, row number), and the line they make.
QStringList csvRowFields(const ChannelRow& row, int rowNumber);
QString csvRowLine(const ChannelRow& row, int rowNumber);

// Applies the fields of one line (as parseCsvLine gives them; the label and row number are not
// looked at) to `row` by the import's rules. False when a value was refused: the row is then
// empty. True for a valid row, and for one without a frequency (then empty too).
bool importCsvFields(const QStringList& fields, ChannelRow& row);

// The whole file for the table.
QByteArray exportCsv(const ChannelTable& table);

struct CsvImportReport {
    bool headerAccepted = false;
    int rowsRead = 0;       // lines after the header applied to rows 1..
    QList<int> refusedRows; // rows emptied because a value in them was refused, in order
};

// Imports the file's rows into `table`, then validates the rows up to 1603 the file did not
// reach as well. With a rejected header the table is unchanged.
CsvImportReport importCsv(const QByteArray& bytes, ChannelTable& table);

// The Export and Import commands on a path. A failed write or read, a path not ending in "CSV"
// or a rejected header leaves the file and the table as they were. An import's outcome lists
// the rows emptied for invalid values.
FileOutcome exportCsvFile(const QString& path, const ChannelTable& table);
FileOutcome importCsvFile(const QString& path, ChannelTable& table);

} // namespace qmh4
