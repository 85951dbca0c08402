#pragma once

#include "channels/channel_table.h"
#include "channels/value_tables.h"

#include <QStringList>

// Channel rows as the grid holds them, for the editing tests.
namespace qmh4::test {

// Makes a row a used channel with the twelve cell texts given (markers in the name): the
// texts of the indexed columns go through their setters, so the indices and the name entry
// go with them.
inline void putChannel(ChannelRow& row, const QStringList& cells) {
    const auto text = [&cells](int column) { return cells[column - FrequencyColumn]; };
    for (int column :
         {FrequencyColumn, ModeColumn, ToneTypeColumn, ShiftColumn, OffsetColumn, SkipColumn})
        row.cell(column) = text(column);
    row.setStep(stepIndex(text(StepColumn)));
    row.setTrain(trainIndex(text(CarrierColumn)));
    row.setTxTone(ctcssIndex(text(TxToneColumn)));
    row.setRxTone(ctcssIndex(text(RxToneColumn)));
    row.setDcs(dcsIndex(text(DcsColumn)));
    row.setNameWithMarkers(text(NameColumn));
    row.markUsed();
}

inline void putChannel(ChannelTable& table, int rowNumber, const QStringList& cells) {
    putChannel(table.row(rowNumber), cells);
}

// A used channel with every field away from the presets.
inline void fillRow(ChannelTable& table, int rowNumber, const QString& frequency,
                    const QString& name) {
    putChannel(table, rowNumber,
               {frequency, "NFM", "12.5KHz", "1000Hz", "DCS", "67.0Hz", "250.3Hz", "754", "-",
                "10.000MHz", "*", name});
}

// Cells 1-12 empty, side tables zeroed, not in use (the name entry is not looked at).
inline bool rowIsClear(const ChannelRow& row) {
    for (int column = FrequencyColumn; column <= NameColumn; ++column) {
        if (!row.cell(column).isEmpty())
            return false;
    }
    return !row.used() && row.txTone() == 0 && row.rxTone() == 0 && row.dcs() == 0 &&
           row.train() == 0 && row.step() == 0;
}

} // namespace qmh4::test
