#include "radio_areas/radio_areas.h"

namespace qmh4 {

void RadioAreas::enterPage(Page target, ChannelTable& table) {
    if (!banks.isWritable()) {
        resetBanks();
    }
    if (target == Page::Memory) {
        banks.relabel(table);
    } else if (target == Page::CommonSet) {
        oneTouch.rebuild(banks);
    }
}

void RadioAreas::prepareGroupEditor() {
    if (!banks.isWritable()) {
        resetBanks();
    }
    oneTouch.rebuild(banks);
    groups.prepare(banks);
}

} // namespace qmh4
