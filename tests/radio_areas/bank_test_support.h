#pragma once

#include "radio_areas/bank_sizes.h"

#include <initializer_list>
#include <utility>

namespace qmh4::test {

// Banks given as (bank, size) pairs; every other bank empty.
inline BankSizes banksOf(std::initializer_list<std::pair<int, int>> sizes) {
    BankSizes banks;
    for (int b = 0; b < BankCount; ++b)
        banks.setSize(b, 0);
    for (auto [bank, size] : sizes)
        banks.setSize(bank, size);
    return banks;
}

} // namespace qmh4::test
