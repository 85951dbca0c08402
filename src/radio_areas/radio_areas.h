#pragma once

#include "radio_areas/bank_sizes.h"
#include "radio_areas/dtmf.h"
#include "radio_areas/groups.h"
#include "radio_areas/one_touch.h"
#include "radio_areas/set_mode.h"
#include "radio_areas/title.h"

namespace qmh4 {

// Everything of the radio but its channels and glyphs, as the main window holds it between
// commands: the bank sizes, the set-mode settings, the DTMF memories, the one-touch keys, the
// opening title and the bank-link groups. A default-constructed aggregate is the start-up
// state of the main window.
struct RadioAreas {
    BankSizes banks;
    SetModeSettings setMode;
    DtmfSettings dtmf;
    OneTouch oneTouch{banks};
    Title title;
    Groups groups;

    // The "Reset" of the "Set Mode" page: its lists and the DTMF memories.
    void resetSetModePage() {
        setMode.resetSetModePage();
        dtmf.reset();
    }
    // The bank sizes back to their defaults, and the lists that depend on them rebuilt.
    void resetBanks() {
        banks.reset();
        oneTouch.rebuild(banks);
    }

    bool operator==(const RadioAreas&) const = default;
};

} // namespace qmh4
