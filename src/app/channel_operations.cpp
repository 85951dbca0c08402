#include "app/channel_operations.h"

namespace qmh4 {

void clearAllChannels(ChannelTable& table) {
    for (int rowNumber = FirstRow; rowNumber <= LastTsfRow; ++rowNumber) {
        if (isCallRow(rowNumber))
            continue;
        ChannelRow& row = table.row(rowNumber);
        row.txTone = 0;
        row.rxTone = 0;
        row.dcs = 0;
        row.train = 0;
        row.step = 0;
        row.used = false;
        table.clearCells(rowNumber);
    }
}

} // namespace qmh4
