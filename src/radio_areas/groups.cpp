#include "radio_areas/groups.h"

namespace qmh4 {

void Groups::prepare(const BankSizes& sizes) {
    for (int bank = 0; bank < BankCount; ++bank) {
        const bool empty = sizes.size(bank) == 0;
        setUnusable(bank, empty);
        if (empty) {
            for (int group = 0; group < GroupCount; ++group) {
                setMember(bank, group, false);
            }
        }
    }
}

bool Groups::click(int row, int column) {
    const std::optional<int> bank = bankOfGroupColumn(column);
    const std::optional<int> group = groupOfGroupRow(row);
    if (!bank || !group || isUnusable(*bank)) {
        return false;
    }
    setMember(*bank, *group, !isMember(*bank, *group));
    return true;
}

void Groups::clear() {
    members_.fill(false);
}

QByteArray Groups::buildBlock(int block) const {
    QByteArray data(GroupBlockSize[block], '\0');
    const int groups = GroupBlockSize[block] / GroupRecordSize;
    for (int g = 0; g < groups; ++g) {
        const int group = FirstGroupOfBlock[block] + g;
        for (int bank = 0; bank < BankCount; ++bank) {
            if (isMember(bank, group)) {
                // Bank 8b + i is bit 7 - i of byte b: the lowest bank is the top bit.
                const int offset = g * GroupRecordSize + bank / 8;
                data[offset] =
                    static_cast<char>(static_cast<quint8>(data[offset]) | (0x80 >> (bank % 8)));
            }
        }
    }
    return data;
}

void Groups::decodeBlock(int block, const QByteArray& data) {
    const int groups = GroupBlockSize[block] / GroupRecordSize;
    for (int g = 0; g < groups; ++g) {
        const int group = FirstGroupOfBlock[block] + g;
        for (int bank = 0; bank < BankCount; ++bank) {
            const int offset = g * GroupRecordSize + bank / 8;
            const int byte = offset < data.size() ? static_cast<quint8>(data[offset]) : 0;
            setMember(bank, group, (byte & (0x80 >> (bank % 8))) != 0);
        }
    }
}

std::optional<int> bankOfGroupColumn(int column) {
    if (column < 1 || column >= GroupGridColumns || isGroupSeparatorColumn(column)) {
        return std::nullopt;
    }
    const int blockOfTen = (column - 1) / 11;
    return column - 1 - blockOfTen;
}

int groupColumnOfBank(int bank) {
    return bank + 1 + bank / 10;
}

std::optional<int> groupOfGroupRow(int row) {
    if (row < 1 || row > GroupCount) {
        return std::nullopt;
    }
    return row - 1;
}

QString groupLabel(int group) {
    return group == 10 ? QStringLiteral("GroupB") : QStringLiteral("Group%1").arg(group);
}

bool isGroupSeparatorColumn(int column) {
    return column == 11 || column == 22 || column == 33 || column == 44;
}

} // namespace qmh4
