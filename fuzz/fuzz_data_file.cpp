// The data-file reader on any bytes: no crash, the port stays a port of the menu, and what was
// read survives a save: opening the saved file onto the same data gives the same channels and
// saves to the same file again. (Areas are compared through the file: a hand-made file may set
// the one-touch keys before the banks they point into, and only the file's order fixes that.)

#include "files/data_file.h"
#include "fuzz_support.h"

#include <QDateTime>

#include <cstddef>
#include <cstdint>

using namespace qmh4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    static const RadioData startUp; // copying it is far cheaper than building it
    RadioData data = startUp;
    readDataFile(file, data);
    FUZZ_CHECK(data.comPort >= FirstComPort && data.comPort <= LastComPort);

    if (!checkRoundTrip(file))
        return 0;
    const QDateTime when(QDate(2024, 5, 1), QTime(12, 0));
    const QByteArray saved = writeDataFile(data, when);
    RadioData again = data;
    const DataFileReport report = readDataFile(saved, again);
    FUZZ_CHECK(report.skippedLines.isEmpty());
    FUZZ_CHECK(again.channels == data.channels);
    FUZZ_CHECK(writeDataFile(again, when) == saved);
    return 0;
}
