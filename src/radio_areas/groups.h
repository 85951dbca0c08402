#pragma once

#include "radio_areas/bank_sizes.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace qmh4 {

constexpr int GroupCount = 11; // "Group0" … "Group9" and "GroupB"
constexpr int GroupRecordSize = 8;
constexpr int GroupBlockCount = 2;
constexpr quint32 GroupBlockAddress[GroupBlockCount] = {0x00100, 0x00130};
constexpr int GroupBlockSize[GroupBlockCount] = {48, 40};
constexpr int FirstGroupOfBlock[GroupBlockCount] = {0, 6};

// The grid of the "BANK-LINK Setting" window: row 0 holds the bank headers, rows 1..11 the
// groups; column 0 the row labels, then five blocks of ten banks with a narrow separator
// column between blocks.
constexpr int GroupGridRows = 12;
constexpr int GroupGridColumns = 55;

// Which banks each of the eleven bank-link groups holds, and which banks cannot be linked
// because they are empty.
class Groups {
public:
    bool isMember(int bank, int group) const { return members_[index(bank, group)]; }
    void setMember(int bank, int group, bool member) { members_[index(bank, group)] = member; }
    bool isUnusable(int bank) const { return unusable_[static_cast<size_t>(bank)]; }
    void setUnusable(int bank, bool unusable) { unusable_[static_cast<size_t>(bank)] = unusable; }

    // Opening the editor: empty banks become unusable and leave every group.
    void prepare(const BankSizes& sizes);
    // A click on grid cell (row, column): toggles the membership of a usable bank. Returns
    // true when something changed; header cells, labels and separators change nothing.
    bool click(int row, int column);
    // "Clear": no bank in any group.
    void clear();

    // Data bytes of group block 0 (groups 0..5, 48 bytes) or 1 (groups 6..10, 40 bytes).
    QByteArray buildBlock(int block) const;
    // Applies the groups held by the data bytes of a read of block 0 or 1.
    void decodeBlock(int block, const QByteArray& data);

    bool operator==(const Groups&) const = default;

private:
    static size_t index(int bank, int group) {
        return static_cast<size_t>(bank * GroupCount + group);
    }
    std::array<bool, BankCount * GroupCount> members_{};
    std::array<bool, BankCount> unusable_{};
};

// The bank of a grid column, or nothing for the label column and the separators.
std::optional<int> bankOfGroupColumn(int column);
// The grid column of a bank.
int groupColumnOfBank(int bank);
// The group of a grid row (rows 1..11), or nothing for the header row.
std::optional<int> groupOfGroupRow(int row);
// "Group0" … "Group9", "GroupB".
QString groupLabel(int group);
bool isGroupSeparatorColumn(int column);

} // namespace qmh4
