#pragma once

#include "radio_areas/bank_sizes.h"

#include <QByteArray>
#include <QStringList>

#include <array>

namespace qmh4 {

constexpr int OneTouchCount = 9;
constexpr quint32 OneTouchAddress = 0x00180;
constexpr int OneTouchBlockSize = 27;
// The channel byte holds positions 0..255; larger banks offer only their first 256.
constexpr int MaxOneTouchChannels = 256;
constexpr quint8 OneTouchNotSet = 0xFF;

// One one-touch key: `COMMON_BANK` k (a position in the bank list), `COMMON_CH` k (the
// channel's position in the bank) and `NO_SET` k.
struct OneTouchEntry {
    int bankPosition = 0;
    int channelPosition = 0;
    bool noSetting = false; // unchecked at start-up; the "Reset" checks it
    bool operator==(const OneTouchEntry&) const = default;
};

// The nine one-touch keys. The bank lists offer the non-empty banks taken from the bank sizes
// at the last rebuild; the positions always point into the lists as offered.
class OneTouch {
public:
    // Lists built from the default bank sizes, every entry on position 0 (the start-up state).
    OneTouch();
    explicit OneTouch(const BankSizes& sizes);

    const OneTouchEntry& entry(int k) const { return entries_[static_cast<size_t>(k)]; }

    // The bank list's entries ("0" … "49", the non-empty banks) and the channel list's entries
    // of entry k ("0" … size - 1, at most 256 of them).
    QStringList bankEntries() const;
    QStringList channelEntries(int k) const;
    int bankCount() const;
    int channelCount(int k) const;
    // The bank an entry's list position names, or NoBank.
    int bankAt(int position) const;

    // Choosing a bank refills the channel list and selects its first channel.
    bool chooseBank(int k, int position);
    bool chooseChannel(int k, int position);
    void setNoSetting(int k, bool checked);

    // The "Reset": every list on position 0, every "No Setting" checked.
    void reset();
    // The lists rebuilt from new bank sizes; every entry keeps its bank and channel when they
    // still exist, else moves to the first bank / first channel.
    void rebuild(const BankSizes& sizes);

    // Data bytes of the block.
    QByteArray buildBlock() const;
    // Applies a read of the block. The bank lists are first rebuilt from `sizes`, so the banks
    // the radio names are looked up among the banks as they are now.
    void decodeBlock(const QByteArray& data, const BankSizes& sizes);

    // The values of the data file: bank list positions (255 = "No Setting") and channel
    // positions. Values outside the lists leave the entry as it was.
    std::array<int, OneTouchCount> fileBankValues() const;
    std::array<int, OneTouchCount> fileChannelValues() const;
    void applyFileBankValues(const std::array<int, OneTouchCount>& values, const BankSizes& sizes);
    void applyFileChannelValues(const std::array<int, OneTouchCount>& values);

    bool operator==(const OneTouch&) const = default;

private:
    int positionOfBank(int bank) const;

    std::array<int, BankCount> bankSizes_{};
    NonEmptyBankList banks_{};
    std::array<OneTouchEntry, OneTouchCount> entries_{};
};

} // namespace qmh4
