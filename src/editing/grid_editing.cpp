#include "editing/grid_editing.h"

#include "channels/value_tables.h"
#include "document/radio_document.h"

#include <QStringList>

#include <algorithm>

namespace qmh4 {

namespace {

QString captionOrError(const QStringList& captions, int index) {
    return index >= 0 && index < captions.size() ? captions[index] : QStringLiteral("ERROR");
}

int indexOfCaption(const QStringList& captions, const QString& text) {
    return std::max(0, static_cast<int>(captions.indexOf(text)));
}

// A side-table index outside its list falls back to the list's preset.
int indexWithin(int index, int count, int preset) {
    return index >= 0 && index < count ? index : preset;
}

bool isDualMainRow(int rowNumber) {
    return isDualRow(rowNumber) && rowNumber % 2 == 1;
}

DetailCode dualCode(bool mainFilled, bool subFilled) {
    if (mainFilled)
        return subFilled ? DetailCode::Both : DetailCode::MainOnly;
    return subFilled ? DetailCode::SubOnly : DetailCode::NeitherDual;
}

} // namespace

void RowSpan::include(int row) {
    if (isEmpty()) {
        first = last = row;
        return;
    }
    first = std::min(first, row);
    last = std::max(last, row);
}

DetailFields fieldsOfRow(const ChannelTable& table, int rowNumber) {
    const ChannelRow& row = table.row(rowNumber);
    DetailFields fields;
    fields.label = row.cell(LabelColumn);
    const FrequencyParts frequency = splitFrequencyText(row.cell(FrequencyColumn));
    fields.frequency = {frequency.megahertz, frequency.decimals};
    fields.mode = indexOfCaption(listedModeCaptions(), row.cell(ModeColumn));
    fields.step = indexWithin(row.step(), StepCount, DefaultStepIndex);
    fields.toneType = indexOfCaption(listedToneTypeCaptions(), row.cell(ToneTypeColumn));
    fields.txTone = indexWithin(row.txTone(), CtcssCount, DefaultToneIndex);
    fields.rxTone = indexWithin(row.rxTone(), CtcssCount, DefaultToneIndex);
    fields.dcs = indexWithin(row.dcs(), DcsCount, DefaultDcsIndex);
    fields.train = indexWithin(row.train(), TrainCount, DefaultTrainIndex);
    fields.shift = indexOfCaption(shiftCaptions(), row.cell(ShiftColumn));
    const OffsetParts offset = splitOffsetText(row.cell(OffsetColumn));
    fields.offset = {offset.megahertz, offset.kilohertz};
    fields.skip = row.cell(SkipColumn) == QLatin1String("*");
    fields.name = row.cell(NameColumn);
    return fields;
}

DetailRequest openDetail(const ChannelTable& table, int currentRow) {
    DetailRequest request;
    if (currentRow < FirstRow || currentRow > LastRow || isBugFinderRow(currentRow))
        return request;
    request.opens = true;
    request.kind = channelKindOfRow(currentRow);
    request.firstRow = currentRow;
    if (request.kind == ChannelKind::Dual) {
        if (!isDualMainRow(currentRow))
            request.firstRow = currentRow - 1;
        request.secondRow = request.firstRow + 1;
        request.second = fieldsOfRow(table, request.secondRow);
    }
    request.first = fieldsOfRow(table, request.firstRow);
    return request;
}

DetailRecord recordFromFields(DetailFields& fields, ChannelKind kind, int rowNumber) {
    fields.frequency = normaliseFrequency(fields.frequency, kind, rowNumber);
    if (kind == ChannelKind::Call)
        fields.frequency = applyCallFallback(fields.frequency, rowNumber);
    else if (kind == ChannelKind::Single)
        fields.frequency = applySingleChannelChecks(fields.frequency);

    DetailRecord record;
    static_cast<DetailChoices&>(record) = fields;
    record.frequency = composeFrequency(fields.frequency);
    // Pressing "OK" by keyboard leaves the offset boxes without their focus-loss clean-up.
    fields.offset.mhz = normaliseOffsetMhz(fields.offset.mhz);
    fields.offset.khz = normaliseOffsetKhz(fields.offset.khz, fields.offset.mhz);
    record.offset = composeOffset(fields.offset);
    fields.name = filterNameForRadio(fields.name);
    record.name = fields.name;
    return record;
}

DetailResult acceptDetail(const DetailRequest& request, DetailFields& first, DetailFields& second) {
    DetailResult result;
    result.firstRow = request.firstRow;
    result.secondRow = request.secondRow;
    result.first = recordFromFields(first, request.kind, request.firstRow);
    const bool firstFilled = !result.first.frequency.isEmpty();
    if (request.kind == ChannelKind::Dual) {
        result.second = recordFromFields(second, request.kind, request.secondRow);
        result.code = dualCode(firstFilled, !result.second.frequency.isEmpty());
    } else {
        result.code = firstFilled ? DetailCode::SingleFilled : DetailCode::SingleEmpty;
    }
    return result;
}

void writeRecordToRow(ChannelTable& table, int rowNumber, const DetailRecord& record) {
    ChannelRow& row = table.row(rowNumber);
    if (!record.frequency.isEmpty())
        row.cell(FrequencyColumn) = record.frequency + QLatin1String("MHz");
    row.cell(ModeColumn) = captionOrError(listedModeCaptions(), record.mode);
    row.setStep(indexWithin(record.step, StepCount, DefaultStepIndex));
    row.setTrain(indexWithin(record.train, TrainCount, DefaultTrainIndex));
    row.cell(ToneTypeColumn) = captionOrError(listedToneTypeCaptions(), record.toneType);
    row.setTxTone(indexWithin(record.txTone, CtcssCount, DefaultToneIndex));
    row.setRxTone(indexWithin(record.rxTone, CtcssCount, DefaultToneIndex));
    row.setDcs(indexWithin(record.dcs, DcsCount, DefaultDcsIndex));
    row.cell(ShiftColumn) = captionOrError(shiftCaptions(), record.shift);
    row.cell(OffsetColumn) = record.offset + QLatin1String("MHz");
    row.cell(SkipColumn) = record.skip ? QStringLiteral("*") : QString();
    row.setNameWithMarkers(record.name);
    row.markUsed(!record.frequency.isEmpty());
}

CommitReport commitDetail(ChannelTable& table, const DetailResult& result) {
    CommitReport report;
    const int first = result.firstRow;
    switch (result.code) {
    case DetailCode::Cancelled:
        return report;
    case DetailCode::SingleEmpty:
        // A row that shows a frequency must never go to the radio as an empty record.
        clearRow(table, first);
        report.rows.include(first);
        break;
    case DetailCode::SingleFilled:
        // Nothing of the dialog reaches the table before this check, so a refused edit leaves
        // the channel exactly as it was, used flag and name included.
        if (isPassRow(first) && passFrequencyTaken(table, first, result.first.frequency)) {
            report.outcome = CommitOutcome::Overlap;
            return report;
        }
        writeRecordToRow(table, first, result.first);
        report.rows.include(first);
        break;
    case DetailCode::SubOnly:
    case DetailCode::MainOnly:
    case DetailCode::Both:
    case DetailCode::NeitherDual:
        if (result.code == DetailCode::MainOnly || result.code == DetailCode::Both)
            writeRecordToRow(table, first, result.first);
        else
            clearRow(table, first);
        if (result.code == DetailCode::SubOnly || result.code == DetailCode::Both)
            writeRecordToRow(table, result.secondRow, result.second);
        else
            clearRow(table, result.secondRow);
        report.rows.include(first);
        report.rows.include(result.secondRow);
        break;
    }
    report.outcome = CommitOutcome::Written;
    return report;
}

void clearRow(ChannelTable& table, int rowNumber, bool keepName) {
    table.clearChannel(rowNumber, keepName);
}

RowSpan clearRows(ChannelTable& table, int currentRow, int selectionEndRow, ClearVariant variant) {
    RowSpan touched;
    int top = std::max(FirstRow, std::min(currentRow, selectionEndRow));
    int bottom = std::min(LastRow, std::max(currentRow, selectionEndRow));
    if (variant == ClearVariant::DeleteKey) {
        // The Delete key looks at the current row only; the range may then reach any row.
        if (isCallRow(currentRow) || currentRow >= FirstBugFinderRow)
            return touched;
    } else {
        // The bug-finder presets are never cleared by the button.
        bottom = std::min(bottom, LastTsfRow);
    }
    for (int row = top; row <= bottom; ++row) {
        if (variant == ClearVariant::ClearButton && isCallRow(row))
            continue;
        clearRow(table, row, variant == ClearVariant::DeleteKey);
        touched.include(row);
    }
    return touched;
}

int rowAfterUp(int currentRow) {
    return currentRow >= FirstRow + 1 ? currentRow - 1 : currentRow;
}

int rowAfterDown(int currentRow) {
    return currentRow < LastRow ? currentRow + 1 : currentRow;
}

bool passFrequencyTaken(const ChannelTable& table, int rowNumber, const QString& frequencyText) {
    const auto wanted = parseFrequencyText(frequencyText);
    if (!wanted)
        return false;
    for (int row = FirstPassRow; row <= LastPassRow; ++row) {
        if (row == rowNumber || !table.row(row).used())
            continue;
        const auto held = parseFrequencyText(table.cell(row, FrequencyColumn));
        // Compared to the kHz: the radio tells pass frequencies apart at 1 kHz.
        if (held && *held / 100 == *wanted / 100)
            return true;
    }
    return false;
}

QString rowsCaption(int firstRow, int lastRow) {
    if (firstRow == lastRow)
        return QStringLiteral("row %1").arg(firstRow);
    return QStringLiteral("rows %1\u2013%2").arg(firstRow).arg(lastRow);
}

RowSpan clearRowsOf(RadioDocument& document, int currentRow, int selectionEndRow,
                    ClearVariant variant) {
    const int top = std::min(currentRow, selectionEndRow);
    const int bottom = std::max(currentRow, selectionEndRow);
    RowSpan cleared;
    document.editRows(QStringLiteral("Clear ") + rowsCaption(top, bottom), top, bottom,
                      [&](ChannelTable& table) {
                          cleared = clearRows(table, currentRow, selectionEndRow, variant);
                      });
    return cleared;
}

CommitReport commitDetailTo(RadioDocument& document, const DetailResult& result) {
    const int first = result.firstRow;
    const int last = result.secondRow != 0 ? result.secondRow : first;
    CommitReport report;
    if (result.code == DetailCode::Cancelled)
        return report;
    document.editRows(QStringLiteral("Edit ") +
                          rowsCaption(std::min(first, last), std::max(first, last)),
                      std::min(first, last), std::max(first, last),
                      [&](ChannelTable& table) { report = commitDetail(table, result); });
    return report;
}

} // namespace qmh4
