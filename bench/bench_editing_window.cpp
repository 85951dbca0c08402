// Editing many rows at once on the main window: a paste of 1000 rows from the clipboard and an
// edit of two fields in 1000 selected rows, each timed from the command to the repainted grid.
//
//   bench_editing_window [--runs N]     N runs of each (5), the median printed

#include "app/grid_clipboard.h"
#include "app/main_window.h"
#include "app/memory_commands.h"
#include "app/memory_page.h"
#include "editing/multi_row_edit.h"
#include "files/row_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qmh4;

namespace {

constexpr double BudgetMs = 100;

// The memory block full of channels whose frequencies start at `firstMhz`.
QString thousandLines(int firstMhz) {
    ChannelTable table;
    for (int row = FirstMemoryRow; row <= LastMemoryRow; ++row) {
        ChannelRow& content = table.row(row);
        const QStringList cells = {QStringLiteral("%1.%2MHz")
                                       .arg(firstMhz + row / 100)
                                       .arg(row % 100 * 1000, 5, 10, QLatin1Char('0')),
                                   "NFM",
                                   "12.5KHz",
                                   "1000Hz",
                                   "TSQ",
                                   "67.0Hz",
                                   "67.0Hz",
                                   "023",
                                   "-",
                                   "0.600MHz",
                                   "",
                                   QStringLiteral("CH%1").arg(row)};
        for (int column = FrequencyColumn; column <= NameColumn; ++column)
            content.cell(column) = cells.at(column - FrequencyColumn);
    }
    return copyRows(table, FirstMemoryRow, LastMemoryRow).exact;
}

// Runs `command`, then paints the grid's visible rows before the clock stops.
template <typename Command>
double timedWithRepaint(MainWindow& window, Command command) {
    QElapsedTimer clock;
    clock.start();
    command();
    QApplication::processEvents();
    window.memoryPage->MSFlexGrid1->viewport()->repaint();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* what, const std::vector<double>& runs) {
    const double middle = median(runs);
    std::printf("%s: median %.1f ms, slowest %.1f ms over %zu runs (target < %.0f ms: %s)\n", what,
                middle, *std::max_element(runs.begin(), runs.end()), runs.size(), BudgetMs,
                middle < BudgetMs ? "met" : "MISSED");
}

} // namespace

int main(int argc, char* argv[]) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // leave the user's settings alone
    int runs = 5;
    const QStringList args = QApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at > 0 && at + 1 < args.size())
        runs = std::max(1, args.at(at + 1).toInt());

    MainWindow window;
    window.show();
    QApplication::processEvents();
    std::vector<double> pastes;
    std::vector<double> edits;
    for (int run = 0; run < runs; ++run) {
        // Frequencies differ from run to run, so every paste changes every row.
        QApplication::clipboard()->setText(thousandLines(140 + run % 2 * 300));
        window.memoryPage->selectRow(FirstMemoryRow);
        pastes.push_back(timedWithRepaint(
            window, [&] { window.memoryCommands->gridClipboard->pasteAction->trigger(); }));

        DetailFields values;
        values.step = run % 2 + 1;
        values.name = QStringLiteral("EDIT%1").arg(run);
        ChosenFields chosen;
        chosen.set(DetailField::Step);
        chosen.set(DetailField::Name);
        edits.push_back(timedWithRepaint(window, [&] {
            editRowsOf(window.document(), FirstMemoryRow, LastMemoryRow, values, chosen);
        }));
    }
    std::printf("last paste: %s\n", qPrintable(window.statusBar()->currentMessage()));
    report("paste of 1000 rows, grid repaint included", pastes);
    report("edit of 2 fields in 1000 rows, grid repaint included", edits);
    return 0;
}
