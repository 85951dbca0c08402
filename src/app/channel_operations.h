#pragma once

#include "channels/channel_table.h"

namespace qmh4 {

// "All Clear": every row from 1 to 1603 but the call rows loses its texts, its name and its
// side-table indices (tone, DCS, train, step 0, used flag 0). The call and bug-finder rows and
// every label stay. A local operation: the radio is not touched.
void clearAllChannels(ChannelTable& table);

} // namespace qmh4
