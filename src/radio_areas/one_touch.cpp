#include "radio_areas/one_touch.h"

#include <algorithm>

namespace qmh4 {

OneTouch::OneTouch() : OneTouch(BankSizes{}) {}

OneTouch::OneTouch(const BankSizes& sizes) {
    bankSizes_ = sizes.sizes();
    banks_ = sizes.nonEmptyBanks();
}

int OneTouch::bankCount() const {
    return static_cast<int>(
        std::count_if(banks_.begin(), banks_.end(), [](quint8 b) { return b != NoBank; }));
}

int OneTouch::bankAt(int position) const {
    if (position < 0 || position >= bankCount()) {
        return NoBank;
    }
    return banks_[static_cast<size_t>(position)];
}

int OneTouch::positionOfBank(int bank) const {
    for (int j = 0; j < bankCount(); ++j) {
        if (banks_[static_cast<size_t>(j)] == bank) {
            return j;
        }
    }
    return -1;
}

int OneTouch::channelCount(int k) const {
    const int bank = bankAt(entry(k).bankPosition);
    if (bank == NoBank) {
        return 0;
    }
    return std::min(bankSizes_[static_cast<size_t>(bank)], MaxOneTouchChannels);
}

QStringList OneTouch::bankEntries() const {
    QStringList list;
    for (int j = 0; j < bankCount(); ++j) {
        list.append(QString::number(banks_[static_cast<size_t>(j)]));
    }
    return list;
}

QStringList OneTouch::channelEntries(int k) const {
    QStringList list;
    for (int c = 0; c < channelCount(k); ++c) {
        list.append(QString::number(c));
    }
    return list;
}

bool OneTouch::chooseBank(int k, int position) {
    if (k < 0 || k >= OneTouchCount || position < 0 || position >= bankCount()) {
        return false;
    }
    OneTouchEntry& e = entries_[static_cast<size_t>(k)];
    e.bankPosition = position;
    e.channelPosition = 0;
    return true;
}

bool OneTouch::chooseChannel(int k, int position) {
    if (k < 0 || k >= OneTouchCount || position < 0 || position >= channelCount(k)) {
        return false;
    }
    entries_[static_cast<size_t>(k)].channelPosition = position;
    return true;
}

void OneTouch::setNoSetting(int k, bool checked) {
    if (k >= 0 && k < OneTouchCount) {
        entries_[static_cast<size_t>(k)].noSetting = checked;
    }
}

void OneTouch::reset() {
    for (OneTouchEntry& e : entries_) {
        e = OneTouchEntry{0, 0, true};
    }
}

void OneTouch::rebuild(const BankSizes& sizes) {
    std::array<int, OneTouchCount> oldBank{};
    for (int k = 0; k < OneTouchCount; ++k) {
        oldBank[static_cast<size_t>(k)] = bankAt(entry(k).bankPosition);
    }
    bankSizes_ = sizes.sizes();
    banks_ = sizes.nonEmptyBanks();
    for (int k = 0; k < OneTouchCount; ++k) {
        OneTouchEntry& e = entries_[static_cast<size_t>(k)];
        const int oldChannel = e.channelPosition;
        const int j = positionOfBank(oldBank[static_cast<size_t>(k)]);
        e.bankPosition = j >= 0 ? j : 0;
        e.channelPosition = 0;
        if (j >= 0 && oldChannel < channelCount(k)) {
            e.channelPosition = oldChannel;
        }
    }
}

QByteArray OneTouch::buildBlock() const {
    QByteArray data(OneTouchBlockSize, '\0');
    for (int k = 0; k < OneTouchCount; ++k) {
        const OneTouchEntry& e = entry(k);
        const int bank = bankAt(e.bankPosition);
        // "No Setting" keeps the channel list's position in the channel byte. An entry without
        // a bank to name (no non-empty bank at all) is stored as not set with channel 0, never
        // as the end marker of the bank list.
        const bool noBank = bank == NoBank;
        data[3 * k] = static_cast<char>(e.noSetting || noBank ? OneTouchNotSet : bank);
        data[3 * k + 1] = static_cast<char>(noBank ? 0 : std::min(e.channelPosition, 255));
        data[3 * k + 2] = '\0';
    }
    return data;
}

void OneTouch::decodeBlock(const QByteArray& data, const BankSizes& sizes) {
    rebuild(sizes);
    for (int k = 0; k < OneTouchCount && 3 * k + 1 < data.size(); ++k) {
        OneTouchEntry& e = entries_[static_cast<size_t>(k)];
        const int bank = static_cast<quint8>(data[3 * k]);
        const int channel = static_cast<quint8>(data[3 * k + 1]);
        e.bankPosition = 0;
        e.channelPosition = 0;
        e.noSetting = bank == OneTouchNotSet;
        if (e.noSetting) {
            continue;
        }
        const int j = positionOfBank(bank);
        if (j < 0) {
            continue;
        }
        e.bankPosition = j;
        if (channel < channelCount(k)) {
            e.channelPosition = channel;
        }
    }
}

std::array<int, OneTouchCount> OneTouch::fileBankValues() const {
    std::array<int, OneTouchCount> values{};
    for (int k = 0; k < OneTouchCount; ++k) {
        values[static_cast<size_t>(k)] = entry(k).noSetting ? 255 : entry(k).bankPosition;
    }
    return values;
}

std::array<int, OneTouchCount> OneTouch::fileChannelValues() const {
    std::array<int, OneTouchCount> values{};
    for (int k = 0; k < OneTouchCount; ++k) {
        values[static_cast<size_t>(k)] = entry(k).channelPosition;
    }
    return values;
}

void OneTouch::applyFileBankValues(const std::array<int, OneTouchCount>& values,
                                   const BankSizes& sizes) {
    rebuild(sizes);
    for (int k = 0; k < OneTouchCount; ++k) {
        const int value = values[static_cast<size_t>(k)];
        if (value == 255) {
            setNoSetting(k, true);
        } else if (chooseBank(k, value)) {
            setNoSetting(k, false);
        }
    }
}

void OneTouch::applyFileChannelValues(const std::array<int, OneTouchCount>& values) {
    for (int k = 0; k < OneTouchCount; ++k) {
        chooseChannel(k, values[static_cast<size_t>(k)]);
    }
}

} // namespace qmh4
