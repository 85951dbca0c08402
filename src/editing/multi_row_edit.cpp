#include "editing/multi_row_edit.h"

#include "document/radio_document.h"

#include <algorithm>

namespace qmh4 {

namespace {

constexpr int AmMode = 1;
constexpr int WfmMode = 3;

// A call row always holds its channel, marked used or not (the start-up table leaves the flag
// 0); its dialog marks it used on "OK", and so does this edit.
bool reachable(const ChannelTable& table, int rowNumber) {
    return !isBugFinderRow(rowNumber) && (table.row(rowNumber).used() || isCallRow(rowNumber));
}

// The row's own fields with the chosen ones taken from `values`.
DetailFields mergedFields(DetailFields fields, const DetailFields& values,
                          const ChosenFields& chosen, ChannelKind kind) {
    if (chosen.has(DetailField::Frequency))
        fields.frequency = values.frequency;
    const bool modeAllowed =
        kind == ChannelKind::Single || (values.mode != AmMode && values.mode != WfmMode);
    if (chosen.has(DetailField::Mode) && modeAllowed)
        fields.mode = values.mode;
    if (chosen.has(DetailField::Step))
        fields.step = values.step;
    if (chosen.has(DetailField::ToneType))
        fields.toneType = values.toneType;
    if (chosen.has(DetailField::TxTone))
        fields.txTone = values.txTone;
    if (chosen.has(DetailField::RxTone))
        fields.rxTone = values.rxTone;
    if (chosen.has(DetailField::Dcs))
        fields.dcs = values.dcs;
    if (chosen.has(DetailField::Train))
        fields.train = values.train;
    if (chosen.has(DetailField::Shift))
        fields.shift = values.shift;
    if (chosen.has(DetailField::Offset))
        fields.offset = values.offset;
    if (chosen.has(DetailField::Skip))
        fields.skip = values.skip;
    if (chosen.has(DetailField::Name))
        fields.name = values.name;
    return fields;
}

void editRow(ChannelTable& table, int rowNumber, const DetailFields& values,
             const ChosenFields& chosen, MultiRowReport& report) {
    const ChannelKind kind = channelKindOfRow(rowNumber);
    DetailFields fields = mergedFields(fieldsOfRow(table, rowNumber), values, chosen, kind);
    const DetailRecord record = recordFromFields(fields, kind, rowNumber);
    if (record.frequency.isEmpty()) {
        report.refusedRows.append(rowNumber);
        return;
    }
    if (isPassRow(rowNumber) && passFrequencyTaken(table, rowNumber, record.frequency)) {
        report.overlapRows.append(rowNumber);
        return;
    }
    writeRecordToRow(table, rowNumber, record);
    ++report.rowsEdited;
}

} // namespace

bool ChosenFields::any() const {
    return std::any_of(chosen.begin(), chosen.end(), [](bool on) { return on; });
}

MultiRowReport applyChosenFields(ChannelTable& table, int firstRow, int lastRow,
                                 const DetailFields& values, const ChosenFields& chosen) {
    MultiRowReport report;
    if (!chosen.any())
        return report;
    for (int row = std::max(firstRow, FirstRow); row <= std::min(lastRow, LastRow); ++row) {
        if (reachable(table, row))
            editRow(table, row, values, chosen, report);
    }
    return report;
}

int editableUsedRows(const ChannelTable& table, int firstRow, int lastRow) {
    int count = 0;
    for (int row = std::max(firstRow, FirstRow); row <= std::min(lastRow, LastRow); ++row)
        count += reachable(table, row) ? 1 : 0;
    return count;
}

MultiRowReport editRowsOf(RadioDocument& document, int firstRow, int lastRow,
                          const DetailFields& values, const ChosenFields& chosen) {
    MultiRowReport report;
    const int count = editableUsedRows(document.channels(), firstRow, lastRow);
    if (count == 0 || !chosen.any())
        return report;
    document.editRows(QStringLiteral("Edit %1 rows").arg(count), firstRow, lastRow,
                      [&](ChannelTable& table) {
                          report = applyChosenFields(table, firstRow, lastRow, values, chosen);
                      });
    return report;
}

} // namespace qmh4
