// The CSV import on any bytes: no crash, a rejected header leaves the table as it was, and a
// table that was imported exports and imports back to the same table.

#include "files/csv_file.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace qmh4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    static const ChannelTable before; // building the table takes longer than a short import
    ChannelTable table = before;
    const CsvImportReport report = importCsv(file, table);
    if (!report.headerAccepted) {
        FUZZ_CHECK(table == before);
        return 0;
    }
    FUZZ_CHECK(report.rowsRead >= 0 && report.rowsRead <= LastImportedRow);
    if (!checkRoundTrip(file))
        return 0;

    const QByteArray exported = exportCsv(table);
    ChannelTable again;
    const CsvImportReport second = importCsv(exported, again);
    FUZZ_CHECK(second.headerAccepted);
    FUZZ_CHECK(second.refusedRows.isEmpty());
    FUZZ_CHECK(exportCsv(again) == exported);
    return 0;
}
