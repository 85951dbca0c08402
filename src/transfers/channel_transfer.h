#pragma once

// Moving channels between the channel table and the radio: all rows or the selected rows, in
// either direction. A channel write then rebuilds and writes the pass table.
//
// Every function runs the whole transfer (handshake included) on the session and returns its
// outcome. A read decodes into `table` — on a worker thread that is the transfer's own copy,
// taken when it starts; each decoded row is also reported to the observer so the window can
// show it at once. Rows decoded before a failure stay decoded; records written before a
// failure stay written.

#include "channels/channel_table.h"
#include "link/session.h"

#include <QByteArray>

#include <array>

namespace qmh4 {

// Progress and decoded rows of a channel read.
class ChannelTransferObserver : public TransferObserver {
public:
    // `row` now holds what the radio's record gave (decoded, or only its used flag cleared).
    virtual void rowDecoded(int /*rowNumber*/, const ChannelRow& /*row*/) {}
    // The rows of empty records have been blanked (after a complete read).
    virtual void emptyRowsBlanked() {}
};

// Failure limits, counted over a whole loop.
constexpr int ReadFailureLimit = 30;
constexpr int WriteFailureLimit = 20;
constexpr int PassBlock1Limit = 3;
constexpr int PassBlocks2To12Limit = 10;
constexpr int PassBlock13Limit = 2;

// The bar's maximum of the channel loops.
constexpr int ChannelProgressMaximum = 1704;

TransferResult readAllChannels(Session& session, ChannelTable& table,
                               ChannelTransferObserver* observer = nullptr);
TransferResult writeAllChannels(Session& session, const ChannelTable& table,
                                ChannelTransferObserver* observer = nullptr);
// The rows from the smaller to the larger of the current row and the selection's end row,
// in ascending order whatever the direction of the selection.
TransferResult readSelectedChannels(Session& session, ChannelTable& table, int currentRow,
                                    int selectionEndRow,
                                    ChannelTransferObserver* observer = nullptr);
TransferResult writeSelectedChannels(Session& session, const ChannelTable& table, int currentRow,
                                     int selectionEndRow,
                                     ChannelTransferObserver* observer = nullptr);

// The pass table: 101 entries of 8 bytes (entry 100 is the list head), 808 bytes at 0x00C00.
constexpr quint32 PassTableAddress = 0x00C00;
constexpr int PassEntryCount = 101;
constexpr int PassTableSize = PassEntryCount * 8;

// Builds the pass table from the used pass rows 1404 to 1503 of the table.
QByteArray buildPassTable(const ChannelTable& table);
// Writes it in its 13 blocks (12 of 64 bytes, then 40 bytes at 0x00F00) with their limits.
// `progress` is false for the selected-rows write, which leaves the display as it is.
void writePassTable(Session& session, const QByteArray& passTable, TransferObserver* observer,
                    bool progress);

} // namespace qmh4
