// Memory of the undo history: 100 whole-table steps (every channel row different in each), as
// a CSV import or a channel read makes them, and 100 whole-data steps (an Open or a Read All
// Data), against the memory of the working data itself. Figures only; never fails.

#include "app/undo_history.h"

#include <QCoreApplication>

#include <cstdio>
#include <malloc.h>

using namespace qmh4;

namespace {

// Heap bytes in use now.
double heapBytes() {
    return static_cast<double>(mallinfo2().uordblks);
}

// Every row used, every cell a text of its own (nothing shared with the other variants).
ChannelTable fullTable(int variant) {
    ChannelTable table;
    for (int r = FirstRow; r <= LastRow; ++r) {
        ChannelRow& row = table.row(r);
        row.markUsed();
        for (int column = FrequencyColumn; column < ColumnCount; ++column)
            row.cell(column) = QStringLiteral("%1/%2/%3").arg(variant).arg(r).arg(column);
    }
    return table;
}

double stepsBytes(const char* what, int steps,
                  const std::function<void(RadioDocument&, int)>& step) {
    RadioDocument document;
    UndoHistory history(document, nullptr);
    const double start = heapBytes();
    for (int index = 0; index < steps; ++index)
        step(document, index);
    const double bytes = heapBytes() - start;
    std::printf("%-34s %4d steps on the stack: %8.1f MiB, %6.1f KiB per step\n", what,
                history.stack().count(), bytes / 1048576.0, bytes / 1024.0 / steps);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int Steps = 120; // more than the stack keeps: the oldest go
    const double before = heapBytes();
    const RadioData data{fullTable(-1), {}, 1, {}};
    const double dataBytes = heapBytes() - before;
    std::printf("working data with every row used:      %8.1f MiB\n", dataBytes / 1048576.0);

    const double rows =
        stepsBytes("whole-table steps (CSV import)", Steps, [](RadioDocument& d, int i) {
            d.replaceChannels(QStringLiteral("Import CSV"), fullTable(i));
        });
    const double whole = stepsBytes("whole-data steps (Open)", Steps, [](RadioDocument& d, int i) {
        d.replaceAll(QStringLiteral("Open"), RadioData{fullTable(i), {}, 1, {}});
    });
    std::printf("ratio to the working data: whole-table %.1f, whole-data %.1f (limit %d steps)\n",
                rows / dataBytes, whole / dataBytes, UndoHistory::StepLimit);
    return 0;
}
