#pragma once

#include "document/radio_data.h"

#include <QStringList>

namespace qmh4::test {

// Fills a channel row as the detail dialog would leave it.
inline void setChannel(ChannelTable& table, int rowNumber, const QString& frequency,
                       const QString& name = QString(), bool skipped = false) {
    ChannelRow& row = table.row(rowNumber);
    row.cell(FrequencyColumn) = frequency;
    row.cell(ModeColumn) = QStringLiteral("NFM");
    row.setStep(4);  // "12.5KHz"
    row.setTrain(7); // "1000Hz"
    row.cell(ToneTypeColumn) = QStringLiteral("TSQ");
    row.setTxTone(38); // "250.3Hz"
    row.setRxTone(0);  // "67.0Hz"
    row.setDcs(103);   // "754"
    row.cell(ShiftColumn) = QStringLiteral("-");
    row.cell(OffsetColumn) = QStringLiteral("5.000MHz");
    row.cell(SkipColumn) = skipped ? QStringLiteral("*") : QString();
    row.setNameWithMarkers(name);
    row.markUsed();
}

// Working data that differs from the start-up state in every area a data file holds.
inline RadioData sampleData() {
    RadioData data;
    setChannel(data.channels, 1, QStringLiteral("145.12500MHz"), QStringLiteral("CQ:1~DX"), true);
    setChannel(data.channels, 12, QStringLiteral("0.53099MHz"), QStringLiteral("東京"));
    setChannel(data.channels, 1102, QStringLiteral("1299.99999MHz"));
    setChannel(data.channels, 1402, QStringLiteral("435.00000MHz"), QStringLiteral("UHF CALL"));
    setChannel(data.channels, 1404, QStringLiteral("439.50000MHz"),
               QStringLiteral("ABCDEFGHIJKLMNOP"));
    setChannel(data.channels, 1623, QStringLiteral("321.13500MHz"), QStringLiteral("ﾊﾞｸﾞ"));
    data.channels.row(1623).cell(OffsetColumn) = QStringLiteral("999.995MHz");
    for (int b = 0; b < BankCount; ++b) {
        data.areas.banks.setSize(b, b < 20 ? 50 : 0);
    }
    data.areas.oneTouch.rebuild(data.areas.banks);
    data.areas.banks.relabel(data.channels);
    data.areas.oneTouch.chooseBank(0, 3);
    data.areas.oneTouch.chooseChannel(0, 49);
    data.areas.oneTouch.setNoSetting(1, false);
    data.areas.oneTouch.chooseBank(1, 19);
    data.areas.oneTouch.setNoSetting(4, true);
    data.areas.dtmf.setMemory(0, QStringLiteral("0123456789ABCD*#"));
    data.areas.dtmf.setMemory(9, QStringLiteral("12-34"));
    data.areas.dtmf.setWait(10);
    data.areas.dtmf.setHead(22);
    data.areas.dtmf.setBurst(0);
    data.areas.dtmf.setPause(7);
    data.areas.dtmf.setDialChannel(8);
    data.areas.title.setText(QStringLiteral(":3~QM-H4:8~"));
    data.areas.groups.setMember(0, 0, true);
    data.areas.groups.setMember(49, 10, true);
    data.areas.groups.setMember(7, 5, true);
    data.areas.groups.setUnusable(30, true);
    data.areas.setMode.setPosition(SetModeArray::Display, 15, 1);
    data.areas.setMode.setPosition(SetModeArray::Key, 11, 3);
    data.areas.setMode.setPosition(SetModeArray::Sound, 5, 1);
    data.areas.setMode.setPosition(SetModeArray::Scan, 0, 39);
    data.comPort = 7;
    return data;
}

} // namespace qmh4::test
