#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace qmh4 {

class ChannelTable;

constexpr int BankCount = 50;
constexpr int MemoryChannelCount = 1000;
constexpr int MaxBankSize = 1000;
// Marks the end of the non-empty bank list and names no bank ("no bank selected").
constexpr int NoBank = 100;

// The radio's bank area: two read/write blocks of 64 bytes.
constexpr quint32 BankBlockAddress[2] = {0x00200, 0x00240};
constexpr int BankBlockSize = 64;

// The non-empty banks in ascending order, the rest of the 50 entries NoBank.
using NonEmptyBankList = std::array<quint8, BankCount>;

// The sizes of the 50 banks. Bank 0 takes the first memory channels, bank 1 the next, and so
// on; the radio accepts the table only when the sizes add up to exactly 1000.
class BankSizes {
public:
    // Ten banks of 100, forty of 0.
    BankSizes() { reset(); }

    void reset();

    int size(int bank) const { return sizes_[static_cast<size_t>(bank)]; }
    // Values outside 0..1000 are refused (false, nothing changes).
    bool setSize(int bank, int size);
    const std::array<int, BankCount>& sizes() const { return sizes_; }

    // Always the sum of the 50 sizes; writing to the radio needs exactly 1000.
    int total() const;
    bool isWritable() const { return total() == MemoryChannelCount; }

    // The "Up"/"Down" buttons on the selected bank (no effect for a bank index outside 0..49,
    // below 0 or above 1000). True when the size changed.
    bool stepUp(int bank);
    bool stepDown(int bank);

    NonEmptyBankList nonEmptyBanks() const;
    // The first memory channel index of a bank (0-based) and how many follow.
    int firstChannel(int bank) const;

    // Data bytes of bank block 0 (banks 0..31) or 1 (banks 32..49, the fixed words, zeros).
    QByteArray buildBlock(int block) const;
    // Applies the sizes held by the 64 data bytes of a read of block 0 or 1. Sizes above 1000
    // cannot be shown or written back and leave that bank as it was.
    void decodeBlock(int block, const QByteArray& data);

    // Relabels the memory rows of the channel grid ("Bank000-0" …) when the total is 1000.
    bool relabel(ChannelTable& table) const;

    bool operator==(const BankSizes&) const = default;

private:
    std::array<int, BankCount> sizes_{};
};

// Key filter of a bank size box: digits while it holds fewer than 4 characters; Backspace and
// Enter always. `key` is the typed character ('\b' for Backspace, '\r' for Enter).
bool bankSizeKeyAccepted(const QString& boxText, QChar key);
// The box's text mended on leaving it: non-digits dropped, empty gives 0, above 1000 gives 100.
int mendedBankSize(const QString& boxText);
// Text arriving other than by typing (paste, drop, input method): the digits of it, at most 4.
QString filteredBankSizeText(const QString& text);

// The main window's four pages, in tab order.
enum class Page { Memory = 0, Bank = 1, CommonSet = 2, SetMode = 3 };

// What the main window does before showing another page.
enum class PageChange {
    Proceed,         // the total is 1000: change, then rebuild labels / one-touch lists
    RestoreDefaults, // restore the default sizes silently, then change (to the "Bank" page)
    AskInitData,     // ask "Bank Total Error. Init Data?" / "Caution"; OK restores, Cancel stays
};
PageChange bankCheckOnPageChange(const BankSizes& sizes, Page target);
// Opening the group editor with a total other than 1000 asks like a page change.
PageChange bankCheckOnGroupEditor(const BankSizes& sizes);

inline constexpr const char* BankTotalQuestion = "Bank Total Error. Init Data?";
inline constexpr const char* BankTotalQuestionTitle = "Caution";

} // namespace qmh4
