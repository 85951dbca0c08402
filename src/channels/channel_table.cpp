#include "channels/channel_table.h"

#include "channels/value_tables.h"
#include "text/cp932.h"

#include <algorithm>
#include <numeric>

namespace qmh4 {

namespace {

constexpr int BankCount = 50;

// The bank page starts with ten banks of 100 channels, so the memory rows start labelled
// "Bank000-0" .. "Bank009-99".
constexpr std::array<int, BankCount> StartupBankSizes = {100, 100, 100, 100, 100,
                                                         100, 100, 100, 100, 100};

const char16_t* const BugFinderFrequencies[] = {
    u"398.60500MHz", u"399.45500MHz", u"139.97000MHz", u"399.03000MHz", u"400.00000MHz",
    u"397.25000MHz", u"140.00000MHz", u"399.60500MHz", u"398.64000MHz", u"134.00000MHz",
    u"399.25000MHz", u"399.00000MHz", u"134.90000MHz", u"139.96000MHz", u"139.60000MHz",
    u"149.00000MHz", u"361.82500MHz", u"320.23500MHz", u"320.67500MHz", u"321.13500MHz"};

const char16_t* const CallFrequencies[] = {u"145.00000MHz", u"433.00000MHz", u"1295.00000MHz"};

// The call and bug-finder rows start as FM, 5KHz step, no tone type, 88.5Hz both ways, DCS
// 023, no shift and a 0.000MHz offset. Their carrier shows "2300Hz" while the train-tone entry
// keeps its start-up 28 ("ＪＲ"): the grid and the CSV file show the text, a write sends the
// entry.
void fillPresetRow(ChannelRow& row, const char16_t* frequency) {
    row.cell(FrequencyColumn) = QString::fromUtf16(frequency);
    row.cell(ModeColumn) = QStringLiteral("FM");
    row.setStep(DefaultStepIndex);
    row.setCarrierTextOnly(QStringLiteral("2300Hz"));
    row.cell(ToneTypeColumn) = QStringLiteral("None");
    row.setTxTone(DefaultToneIndex);
    row.setRxTone(DefaultToneIndex);
    row.setDcs(DefaultDcsIndex);
    row.cell(ShiftColumn) = QStringLiteral("Off");
    row.cell(OffsetColumn) = QStringLiteral("0.000MHz");
}

// An index and its caption together, or neither: an empty caption means the index lies
// outside its table.
void setIndexed(quint8& entry, QString& cell, int index, const QString& caption) {
    if (caption.isEmpty())
        return;
    entry = static_cast<quint8>(index);
    cell = caption;
}

QString pairLabel(const char* prefix, int rowNumber, int firstRow, const char* first,
                  const char* second) {
    const int pair = (rowNumber - firstRow) / 2;
    const bool isFirst = (rowNumber - firstRow) % 2 == 0;
    return QStringLiteral("%1%2%3")
        .arg(QLatin1String(prefix))
        .arg(pair)
        .arg(QLatin1String(isFirst ? first : second));
}

} // namespace

bool isBugFinderRow(int rowNumber) {
    return rowNumber >= FirstBugFinderRow && rowNumber <= LastBugFinderRow;
}

bool isCallRow(int rowNumber) {
    return rowNumber >= FirstCallRow && rowNumber <= LastCallRow;
}

bool isDualRow(int rowNumber) {
    return rowNumber >= FirstDualRow && rowNumber <= LastDualRow;
}

bool isMemoryRow(int rowNumber) {
    return rowNumber >= FirstMemoryRow && rowNumber <= LastMemoryRow;
}

bool isPassRow(int rowNumber) {
    return rowNumber >= FirstPassRow && rowNumber <= LastPassRow;
}

bool isChannelRow(int rowNumber) {
    return rowNumber >= FirstRow && rowNumber <= LastRow;
}

QString fixedRowLabel(int rowNumber) {
    if (rowNumber >= FirstProgramScanRow && rowNumber <= LastProgramScanRow)
        return pairLabel("PRG - ", rowNumber, FirstProgramScanRow, "A", "B");
    if (isDualRow(rowNumber))
        return pairLabel("Dual", rowNumber, FirstDualRow, "(Main) ", "(Sub) ");
    if (rowNumber >= FirstPriorityRow && rowNumber <= LastPriorityRow)
        return QStringLiteral("PRIO - %1").arg(rowNumber - FirstPriorityRow);
    if (isCallRow(rowNumber)) {
        static const char* const CallLabels[] = {"CALL-VHF", "CALL-UHF", "CALL-1.2"};
        return QLatin1String(CallLabels[rowNumber - FirstCallRow]);
    }
    if (isPassRow(rowNumber))
        return QStringLiteral("PASS - %1").arg(rowNumber - FirstPassRow);
    if (rowNumber >= FirstTsfRow && rowNumber <= LastTsfRow)
        return QStringLiteral("TSF - %1").arg(rowNumber - FirstTsfRow);
    if (isBugFinderRow(rowNumber))
        return QStringLiteral("BUG - %1").arg(rowNumber - FirstBugFinderRow);
    return {};
}

void ChannelRow::setStep(int index) {
    setIndexed(step_, cell(StepColumn), index, stepCaption(index));
}

void ChannelRow::setTrain(int index) {
    setIndexed(train_, cell(CarrierColumn), index, trainCaption(index));
}

void ChannelRow::setTxTone(int index) {
    setIndexed(txTone_, cell(TxToneColumn), index, ctcssCaption(index));
}

void ChannelRow::setRxTone(int index) {
    setIndexed(rxTone_, cell(RxToneColumn), index, ctcssCaption(index));
}

void ChannelRow::setDcs(int index) {
    setIndexed(dcs_, cell(DcsColumn), index, dcsCaption(index));
}

void ChannelRow::setNameWithMarkers(const QString& shown) {
    cell(NameColumn) = shown;
    name_ = cp932::markersToGlyphs(shown);
}

void ChannelRow::setNameWithGlyphs(const QString& held) {
    name_ = held;
    cell(NameColumn) = cp932::glyphsToMarkers(held);
}

void ChannelRow::blankCells() {
    for (int column = FrequencyColumn; column <= NameColumn; ++column)
        cell(column).clear();
    name_.clear();
}

void ChannelRow::blankAsUnused() {
    blankCells();
    used_ = false;
}

void ChannelRow::clear(bool keepName) {
    QString keptName = keepName ? name_ : QString();
    blankCells();
    txTone_ = rxTone_ = dcs_ = train_ = step_ = 0;
    used_ = false;
    name_ = std::move(keptName);
}

ChannelTable::ChannelTable() : rows_(RowCount) {
    for (int rowNumber = FirstMemoryRow; rowNumber <= LastMemoryRow; ++rowNumber)
        row(rowNumber).cell(LabelColumn) = QString::number(rowNumber - 1);
    for (int rowNumber = FirstProgramScanRow; rowNumber <= LastRow; ++rowNumber)
        row(rowNumber).cell(LabelColumn) = fixedRowLabel(rowNumber);
    relabelMemoryRows(StartupBankSizes);
    for (int i = 0; i < LastBugFinderRow - FirstBugFinderRow + 1; ++i)
        fillPresetRow(row(FirstBugFinderRow + i), BugFinderFrequencies[i]);
    for (int i = 0; i < LastCallRow - FirstCallRow + 1; ++i)
        fillPresetRow(row(FirstCallRow + i), CallFrequencies[i]);
}

const ChannelRow& ChannelTable::row(int rowNumber) const {
    return rows_.at(static_cast<std::size_t>(rowNumber - FirstRow));
}

ChannelRow& ChannelTable::row(int rowNumber) {
    return rows_.at(static_cast<std::size_t>(rowNumber - FirstRow));
}

void ChannelTable::clearCells(int rowNumber) {
    row(rowNumber).blankCells();
}

void ChannelTable::clearChannel(int rowNumber, bool keepName) {
    row(rowNumber).clear(keepName);
}

void ChannelTable::clearAllChannels() {
    for (int rowNumber = FirstRow; rowNumber <= LastTsfRow; ++rowNumber) {
        if (!isCallRow(rowNumber))
            clearChannel(rowNumber);
    }
}

void ChannelTable::blankEmptyRows() {
    for (int rowNumber = FirstRow; rowNumber <= LastTsfRow; ++rowNumber) {
        if (!isCallRow(rowNumber) && !row(rowNumber).used())
            clearCells(rowNumber);
    }
}

bool ChannelTable::relabelMemoryRows(const std::array<int, 50>& bankSizes) {
    const bool sizesValid =
        std::all_of(bankSizes.begin(), bankSizes.end(), [](int size) { return size >= 0; });
    if (!sizesValid || std::accumulate(bankSizes.begin(), bankSizes.end(), qint64{0}) != 1000)
        return false;
    int rowNumber = FirstMemoryRow;
    for (int bank = 0; bank < BankCount; ++bank) {
        for (int position = 0; position < bankSizes[static_cast<std::size_t>(bank)]; ++position) {
            row(rowNumber++).cell(LabelColumn) =
                QStringLiteral("Bank%1-%2").arg(bank, 3, 10, QChar(u'0')).arg(position);
        }
    }
    return true;
}

} // namespace qmh4
