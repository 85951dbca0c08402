#pragma once

#include "channels/channel_table.h"
#include "radio_areas/bank_sizes.h"
#include "radio_areas/set_mode.h"

#include <QString>

#include <array>

// Everything a data file holds: the working data of the main window that is saved and loaded
// together. The window keeps the same data in its models and pages; these are the values the
// file stores, numbered as the file numbers them.
namespace qmh4 {

constexpr int OneTouchCount = 9;
constexpr int DtmfMemoryCount = 10;
constexpr int DtmfMemoryLength = 16;
constexpr int GroupCount = 11;
constexpr int TitleByteLimit = 16;
constexpr int FirstComPort = 1;
constexpr int LastComPort = 16;

// One one-touch key: the list positions chosen in its bank list (a position in the non-empty
// bank list) and its channel list (a position within that bank), or "No Setting".
struct OneTouchChoice {
    int bankPosition = 0;
    int channelPosition = 0;
    bool notSet = true;
    bool operator==(const OneTouchChoice&) const = default;
};

// The DTMF memories and the list positions of the auto-dialler's timing lists.
struct DtmfData {
    std::array<QString, DtmfMemoryCount> memories;
    int wait = 1;        // COMMON_WAIT, 11 entries
    int head = 5;        // COMMON_HEAD, 23 entries
    int burst = 5;       // COMMON_BURST, 23 entries
    int pause = 2;       // COMMON_PAUSE, 23 entries
    int dialChannel = 0; // COMMON_DIAL_CH, 9 entries
    bool operator==(const DtmfData&) const = default;
};

// Bank-link groups: membership of bank b in group g, and the banks of size 0 that belong to
// no group.
struct GroupData {
    std::array<std::array<bool, GroupCount>, BankCount> member{};
    std::array<bool, BankCount> unusable{};
    bool operator==(const GroupData&) const = default;
};

struct RadioData {
    ChannelTable channels;
    BankSizes banks;
    std::array<OneTouchChoice, OneTouchCount> oneTouch{};
    DtmfData dtmf;
    QString title; // as the title field shows it: glyphs as the markers ":1~" .. ":8~"
    GroupData groups;
    SetModeSettings setMode;
    int comPort = FirstComPort;
    bool operator==(const RadioData&) const = default;
};

} // namespace qmh4
