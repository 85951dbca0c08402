#pragma once

#include "channels/channel_table.h"
#include "radio_areas/bank_sizes.h"
#include "radio_areas/dtmf.h"
#include "radio_areas/groups.h"
#include "radio_areas/one_touch.h"
#include "radio_areas/set_mode.h"

#include <QString>

// Everything a data file holds: the working data of the main window that is saved and loaded
// together.
namespace qmh4 {

constexpr int TitleByteLimit = 16;
constexpr int FirstComPort = 1;
constexpr int LastComPort = 16;

struct RadioData {
    ChannelTable channels;
    BankSizes banks;
    OneTouch oneTouch;
    DtmfSettings dtmf;
    QString title; // as the title field shows it: glyphs as the markers ":1~" .. ":8~"
    Groups groups;
    SetModeSettings setMode;
    int comPort = FirstComPort;
    bool operator==(const RadioData&) const = default;
};

} // namespace qmh4
