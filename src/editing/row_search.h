#pragma once

#include "channels/channel_table.h"

#include <QString>

namespace qmh4 {

// True when the row's name, frequency text or label holds `text`, case aside.
bool rowMatches(const ChannelRow& row, const QString& text);

// The next row after `fromRow` (the previous one before it, when not `forward`) that matches,
// going round the table's end; `fromRow` itself is looked at last. 0 when no row matches or
// `text` is empty.
int findRow(const ChannelTable& table, const QString& text, int fromRow, bool forward);

} // namespace qmh4
