#pragma once

#include "channels/channel_table.h"

#include <QByteArray>

namespace qmh4 {

constexpr int RecordSize = 64;

enum class DecodeStatus {
    Decoded,  // the row holds the channel; used flag 1
    Empty,    // status byte empty: used flag 0, the cells are left as they were
    BadIndex, // a tone, DCS or train index outside its table: the row is untouched
};

// Decodes one 64-byte channel record (the data bytes of a read reply) into `row`. The whole
// record is checked before the row is touched.
DecodeStatus decodeRecord(const QByteArray& record, ChannelRow& row);

// The 64 bytes to write for the row; an unused row gives 64 zero bytes. `rowNumber` decides
// the bug-finder status byte.
QByteArray encodeRecord(const ChannelRow& row, int rowNumber);

// The radio's record number of a grid row (the dual rows are remapped: row 1102 → 1201).
int recordNumber(int rowNumber);
// The address of a record in the radio's memory: (record - 1) * 64 + 0x1200.
quint32 recordAddress(int recordNumber);

} // namespace qmh4
