#pragma once

// "Verify…": reads back from the radio everything a "Write All Data" of `expected` would write,
// into a copy, and compares it with `expected` as the radio holds it. The working data never
// changes. The reads are the ordinary whole-radio read's steps.

#include "transfers/data_comparison.h"

namespace qmh4 {

struct VerifyResult {
    WholeRadioResult read;               // the read's steps; a failed step makes the result void
    std::vector<Difference> differences; // only meaningful when read.allSucceeded()
    bool radioFailed() const { return !read.allSucceeded(); }
};

VerifyResult verifyWholeRadio(Link& link, const WholeRadioData& expected,
                              const WholeRadioOptions& options,
                              const std::atomic<bool>* stop = nullptr,
                              WholeRadioObserver* observer = nullptr);

} // namespace qmh4
