// Save and load of a data file with every channel used and long names, and CSV export and
// import of the same table: the time of each and the size of each file (target below 50 ms).

#include "files/csv_file.h"
#include "files/data_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace qmh4;

namespace {

RadioData fullTable() {
    RadioData data;
    // 16 counted bytes: kana and kanji the radio shows, a glyph and single-byte characters.
    const QString names[] = {QStringLiteral("東京タワー:1~ABC1"),
                             QStringLiteral("ABCDEFGHIJKLMNOP"),
                             QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ")};
    for (int r = FirstRow; r <= LastRow; ++r) {
        ChannelRow& row = data.channels.row(r);
        row.cell(FrequencyColumn) =
            QStringLiteral("%1.%2MHz").arg(144 + r % 300).arg(r % 100000, 5, 10, QLatin1Char('0'));
        row.cell(ModeColumn) = QStringLiteral("FM");
        row.setStep(4);   // "12.5KHz"
        row.setTrain(28); // "ＪＲ"
        row.cell(ToneTypeColumn) = QStringLiteral("TSQ");
        row.setTxTone(8); // "88.5Hz"
        row.setRxTone(8);
        row.setDcs(0); // "023"
        row.cell(ShiftColumn) = QStringLiteral("+");
        row.cell(OffsetColumn) = QStringLiteral("5.000MHz");
        row.setNameWithMarkers(names[r % 3]);
        row.markUsed();
    }
    return data;
}

// The best of several runs, in milliseconds.
double best(const std::function<void()>& work, int runs = 15) {
    double fastest = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        fastest = std::min(fastest, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return fastest;
}

void report(const char* what, double ms, qint64 bytes) {
    std::printf("%-22s %8.2f ms  %8lld bytes  %5.2f of the 50 ms target\n", what, ms,
                static_cast<long long>(bytes), ms / 50.0);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const RadioData data = fullTable();
    const QString h4 = dir.filePath(QStringLiteral("full.H4"));
    const QString csv = dir.filePath(QStringLiteral("full.CSV"));

    const double save = best([&] { saveDataFile(h4, data); });
    report("data file save", save, QFileInfo(h4).size());
    const double load = best([&] {
        RadioData loaded;
        openDataFile(h4, loaded);
    });
    report("data file load", load, QFileInfo(h4).size());
    const double exported = best([&] { exportCsvFile(csv, data.channels); });
    report("CSV export", exported, QFileInfo(csv).size());
    const double imported = best([&] {
        ChannelTable table;
        importCsvFile(csv, table);
    });
    report("CSV import", imported, QFileInfo(csv).size());
    // The figures count only when the work was done: every channel must come back.
    RadioData loaded;
    openDataFile(h4, loaded);
    ChannelTable table;
    importCsvFile(csv, table);
    int loadedRows = 0;
    int importedRows = 0;
    for (int r = FirstRow; r <= LastRow; ++r) {
        loadedRows += loaded.channels.row(r) == data.channels.row(r) ? 1 : 0;
        importedRows += table.row(r).used() ? 1 : 0;
    }
    std::printf("rows back after load: %d of %d; rows used after import: %d of %d\n", loadedRows,
                RowCount, importedRows, LastImportedRow);
    return 0;
}
