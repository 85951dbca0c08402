#include "files/row_clipboard.h"

#include "channels/value_tables.h"
#include "document/radio_document.h"
#include "files/csv_file.h"
#include "files/text_file.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace qmh4 {

namespace {

constexpr int AmMode = 1;
// A line holds a row when it reaches the name field; the row number after it may be missing.
constexpr qsizetype RowFieldCount = NameColumn + 1;
constexpr int WfmMode = 3;

QString quotedLine(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted.append(quoteCsvField(field));
    return quoted.join(QLatin1Char(','));
}

// The fields of a row with its name as the grid shows it, not as the exported file blanks it.
QStringList exactFields(const ChannelRow& row, int rowNumber) {
    QStringList fields = csvRowFields(row, rowNumber);
    fields[NameColumn] = row.cell(NameColumn);
    return fields;
}

// A spreadsheet hands cells over separated by tabs; anything else is read as a CSV line.
QStringList lineFields(const QString& line) {
    if (!line.contains(QLatin1Char('\t')))
        return parseCsvLine(line);
    QStringList fields = line.split(QLatin1Char('\t'));
    for (QString& field : fields)
        field = field.trimmed();
    return fields;
}

bool isHeader(const QStringList& fields) {
    return fields.value(FrequencyColumn) == QLatin1String("Freqency") &&
           fields.value(ModeColumn) == QLatin1String("mode");
}

QList<QStringList> pastedLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    QList<QStringList> fields;
    fields.reserve(lines.size());
    for (const QString& line : lines)
        fields.append(lineFields(line));
    if (!fields.isEmpty() && isHeader(fields.first()))
        fields.removeFirst();
    // Text that holds no row at all (a word copied from elsewhere) must not empty a channel.
    const bool holdsRows = std::any_of(fields.begin(), fields.end(), [](const QStringList& line) {
        return line.size() >= RowFieldCount;
    });
    return holdsRows ? fields : QList<QStringList>();
}

// The rows `lineCount` lines fill from the start of `room`; a pair of the dual block is
// filled whole.
RowSpan rowsFilled(const RowSpan& room, qsizetype lineCount) {
    if (room.isEmpty() || lineCount == 0)
        return {};
    int last = static_cast<int>(std::min<qsizetype>(room.last, room.first + lineCount - 1));
    if (isDualRow(last) && last % 2 == 1)
        ++last;
    return {room.first, last};
}

// The limits the detail dialog puts on a channel of the row's kind, for a row the import's
// rules accepted.
bool kindAllows(const ChannelRow& row, int rowNumber) {
    if (!row.used())
        return !isCallRow(rowNumber); // a call channel is never emptied
    const std::optional<qint64> units = parseFrequencyText(row.cell(FrequencyColumn));
    if (!units || *units < LowestFrequency || *units >= FrequencyCeiling)
        return false;
    const ChannelKind kind = channelKindOfRow(rowNumber);
    if (kind == ChannelKind::Single)
        return true;
    const int mode = listedModeIndex(row.cell(ModeColumn));
    if (mode == AmMode || mode == WfmMode)
        return false;
    if (kind != ChannelKind::Call)
        return true;
    const FrequencyParts parts = splitFrequencyText(row.cell(FrequencyColumn));
    return !normaliseFrequency({parts.megahertz, parts.decimals}, kind, rowNumber).mhz.isEmpty();
}

void pasteLine(ChannelTable& table, int rowNumber, const QStringList& fields, PasteReport& report) {
    ChannelRow candidate = table.row(rowNumber);
    report.rows.include(rowNumber);
    if (fields.size() < RowFieldCount || !importCsvFields(fields, candidate) ||
        !kindAllows(candidate, rowNumber)) {
        report.refusedRows.append(rowNumber);
        return;
    }
    if (candidate.used() && isPassRow(rowNumber) &&
        passFrequencyTaken(table, rowNumber, candidate.cell(FrequencyColumn))) {
        report.overlapRows.append(rowNumber);
        return;
    }
    table.row(rowNumber) = std::move(candidate);
}

PasteReport pasteLines(ChannelTable& table, int startRow, const QList<QStringList>& lines) {
    PasteReport report;
    const RowSpan filled = rowsFilled(pasteRoom(startRow), lines.size());
    if (filled.isEmpty())
        return report;
    for (int row = filled.first; row <= filled.last; ++row) {
        const qsizetype line = row - filled.first;
        const QStringList emptySub(RowFieldCount);
        pasteLine(table, row, line < lines.size() ? lines.at(line) : emptySub, report);
    }
    report.linesLeftOver =
        static_cast<int>(std::max<qsizetype>(0, lines.size() - (filled.last - filled.first + 1)));
    return report;
}

} // namespace

CopiedRows copyRows(const ChannelTable& table, int firstRow, int lastRow) {
    CopiedRows copied;
    for (int row = std::max(firstRow, FirstRow); row <= std::min(lastRow, LastRow); ++row) {
        const ChannelRow& content = table.row(row);
        const QStringList exact = exactFields(content, row);
        copied.csv += csvRowLine(content, row) + QStringLiteral("\r\n");
        copied.exact += quotedLine(exact) + QStringLiteral("\r\n");
        QStringList cells = exact;
        cells[NameColumn].replace(QLatin1Char('\t'), QLatin1Char(' '));
        copied.tsv += cells.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    return copied;
}

RowSpan pasteRoom(int rowNumber) {
    static constexpr std::array<RowSpan, 7> Blocks{{{FirstMemoryRow, LastMemoryRow},
                                                    {FirstProgramScanRow, LastProgramScanRow},
                                                    {FirstDualRow, LastDualRow},
                                                    {FirstPriorityRow, LastPriorityRow},
                                                    {FirstCallRow, LastCallRow},
                                                    {FirstPassRow, LastPassRow},
                                                    {FirstTsfRow, LastTsfRow}}};
    for (const RowSpan& block : Blocks) {
        if (rowNumber >= block.first && rowNumber <= block.last) {
            const bool subRow = isDualRow(rowNumber) && rowNumber % 2 == 0;
            return {subRow ? rowNumber - 1 : rowNumber, block.last};
        }
    }
    return {};
}

PasteReport pasteRows(ChannelTable& table, int startRow, const QString& text) {
    return pasteLines(table, startRow, pastedLines(text));
}

PasteReport pasteRowsTo(RadioDocument& document, int startRow, const QString& text) {
    const QList<QStringList> lines = pastedLines(text);
    const RowSpan filled = rowsFilled(pasteRoom(startRow), lines.size());
    PasteReport report;
    if (filled.isEmpty())
        return report;
    document.editRows(QStringLiteral("Paste ") + rowsCaption(filled.first, filled.last),
                      filled.first, filled.last,
                      [&](ChannelTable& table) { report = pasteLines(table, startRow, lines); });
    return report;
}

RowSpan cutRowsOf(RadioDocument& document, int currentRow, int selectionEndRow) {
    const int top = std::min(currentRow, selectionEndRow);
    const int bottom = std::max(currentRow, selectionEndRow);
    RowSpan cleared;
    document.editRows(
        QStringLiteral("Cut ") + rowsCaption(top, bottom), top, bottom, [&](ChannelTable& table) {
            cleared = clearRows(table, currentRow, selectionEndRow, ClearVariant::ClearButton);
        });
    return cleared;
}

} // namespace qmh4
