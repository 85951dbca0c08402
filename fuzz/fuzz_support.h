#pragma once

// Shared by the fuzz targets: a check that aborts with a message libFuzzer reports as a crash,
// so a broken round trip is found as surely as a fault of memory.

#include <QByteArray>
#include <QHashFunctions>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Saving and loading a whole table again costs far more than reading the input, so the round
// trip is checked for one input in eight: chosen by the input's own bytes, so a finding
// reproduces.
inline bool checkRoundTrip(const QByteArray& input) {
    return qHash(input, 0) % 8 == 0;
}
