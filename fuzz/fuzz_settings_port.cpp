// The port read from a settings file at start-up, on any bytes: always a port of the menu, and
// a checked item that is either none or that port.

#include "files/settings_file.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace qmh4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    const ComPortChoice choice = comPortOfSettings(file);
    FUZZ_CHECK(choice.port >= FirstComPort && choice.port <= LastComPort);
    FUZZ_CHECK(choice.checkedItem == 0 || choice.checkedItem == choice.port);
    return 0;
}
