#include "radio_areas/bank_sizes.h"

#include "channels/channel_table.h"

#include <algorithm>
#include <numeric>

namespace qmh4 {

namespace {

constexpr int BanksInBlock[2] = {32, 18};
constexpr int FirstBankOfBlock[2] = {0, 32};
// Seven words after the sizes of block 1 whose meaning the radio keeps to itself; it expects
// them exactly so.
constexpr quint16 FixedWords[7] = {100, 200, 100, 3, 100, 100, 20};

void putWord(QByteArray& data, int offset, int value) {
    data[offset] = static_cast<char>(value & 0xFF);
    data[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

} // namespace

void BankSizes::reset() {
    for (int b = 0; b < BankCount; ++b) {
        sizes_[static_cast<size_t>(b)] = b < 10 ? 100 : 0;
    }
}

bool BankSizes::setSize(int bank, int size) {
    if (bank < 0 || bank >= BankCount || size < 0 || size > MaxBankSize) {
        return false;
    }
    sizes_[static_cast<size_t>(bank)] = size;
    return true;
}

int BankSizes::total() const {
    return std::accumulate(sizes_.begin(), sizes_.end(), 0);
}

bool BankSizes::stepUp(int bank) {
    if (bank < 0 || bank >= BankCount) {
        return false;
    }
    return setSize(bank, size(bank) + 1);
}

bool BankSizes::stepDown(int bank) {
    if (bank < 0 || bank >= BankCount) {
        return false;
    }
    return setSize(bank, size(bank) - 1);
}

NonEmptyBankList BankSizes::nonEmptyBanks() const {
    NonEmptyBankList list;
    list.fill(static_cast<quint8>(NoBank));
    size_t next = 0;
    for (int b = 0; b < BankCount; ++b) {
        if (size(b) > 0) {
            list[next++] = static_cast<quint8>(b);
        }
    }
    return list;
}

int BankSizes::firstChannel(int bank) const {
    bank = std::clamp(bank, 0, BankCount);
    return std::accumulate(sizes_.begin(), sizes_.begin() + bank, 0);
}

QByteArray BankSizes::buildBlock(int block) const {
    if (block < 0 || block > 1) {
        return {};
    }
    QByteArray data(BankBlockSize, '\0');
    const int count = BanksInBlock[block];
    for (int k = 0; k < count; ++k) {
        putWord(data, 2 * k, size(FirstBankOfBlock[block] + k));
    }
    if (block == 1) {
        for (int w = 0; w < 7; ++w) {
            putWord(data, 2 * count + 2 * w, FixedWords[w]);
        }
    }
    return data;
}

void BankSizes::decodeBlock(int block, const QByteArray& data) {
    if (block < 0 || block > 1) {
        return;
    }
    const int count = BanksInBlock[block];
    for (int k = 0; k < count && 2 * k + 1 < data.size(); ++k) {
        const int low = static_cast<quint8>(data[2 * k]);
        // The radio never sets the high nibble of the high byte; it is not part of the size.
        const int high = static_cast<quint8>(data[2 * k + 1]) & 0x0F;
        // A size above 1000 still replaces the old one, as the largest the table holds: the
        // page must not go on showing a size the radio does not have (the total then tells).
        setSize(FirstBankOfBlock[block] + k, std::min(low + 256 * high, MaxBankSize));
    }
}

bool BankSizes::relabel(ChannelTable& table) const {
    if (!isWritable()) {
        return false;
    }
    return table.relabelMemoryRows(sizes_);
}

bool bankSizeKeyAccepted(const QString& boxText, QChar key) {
    if (key == QLatin1Char('\b') || key == QLatin1Char('\r')) {
        return true;
    }
    return key >= QLatin1Char('0') && key <= QLatin1Char('9') && boxText.size() < 4;
}

QString filteredBankSizeText(const QString& text) {
    QString digits;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9') && digits.size() < 4) {
            digits.append(c);
        }
    }
    return digits;
}

int mendedBankSize(const QString& boxText) {
    QString digits;
    for (QChar c : boxText) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits.append(c);
        }
    }
    while (digits.size() > 1 && digits.front() == QLatin1Char('0')) {
        digits.remove(0, 1);
    }
    if (digits.isEmpty()) {
        return 0;
    }
    // A long run of digits is above 1000 whatever it says; do not let it overflow.
    if (digits.size() > 4) {
        return 100;
    }
    const int value = digits.toInt();
    return value > MaxBankSize ? 100 : value;
}

PageChange bankCheckOnPageChange(const BankSizes& sizes, Page target) {
    if (sizes.isWritable()) {
        return PageChange::Proceed;
    }
    return target == Page::Bank ? PageChange::RestoreDefaults : PageChange::AskInitData;
}

PageChange bankCheckOnGroupEditor(const BankSizes& sizes) {
    return sizes.isWritable() ? PageChange::Proceed : PageChange::AskInitData;
}

} // namespace qmh4
