#include "transfers/verify.h"

namespace qmh4 {

VerifyResult verifyWholeRadio(Link& link, const WholeRadioData& expected,
                              const WholeRadioOptions& options, const std::atomic<bool>* stop,
                              WholeRadioObserver* observer) {
    VerifyResult result;
    WholeRadioData radio = expected;
    result.read = readWholeRadio(link, radio, options, stop, observer);
    if (result.radioFailed())
        return result;
    radio.glyphsReal = true; // every glyph block came from the radio
    result.differences = compareRadioData(radio, expected, writtenAreas(expected));
    return result;
}

} // namespace qmh4
