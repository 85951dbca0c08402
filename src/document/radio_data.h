#pragma once

#include "channels/channel_table.h"
#include "font/glyph_store.h"
#include "radio_areas/radio_areas.h"

// The working data of the program: what a data file holds (the channels, the other areas and
// the COM port) and the eight user glyphs, which live in the font file and the radio only.
namespace qmh4 {

constexpr int FirstComPort = 1;
constexpr int LastComPort = 16;

struct RadioData {
    ChannelTable channels;
    RadioAreas areas;
    int comPort = FirstComPort;
    GlyphStore glyphs;
    bool operator==(const RadioData&) const = default;
};

} // namespace qmh4
