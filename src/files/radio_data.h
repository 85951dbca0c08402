#pragma once

#include "channels/channel_table.h"
#include "radio_areas/radio_areas.h"

// Everything a data file holds: the working data of the main window that is saved and loaded
// together.
namespace qmh4 {

constexpr int FirstComPort = 1;
constexpr int LastComPort = 16;

struct RadioData {
    ChannelTable channels;
    RadioAreas areas;
    int comPort = FirstComPort;
    bool operator==(const RadioData&) const = default;
};

} // namespace qmh4
