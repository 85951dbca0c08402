#include "app/channel_list_commands.h"

#include "app/channel_grid_model.h"
#include "app/file_choice.h"
#include "app/main_window.h"
#include "app/memory_page.h"
#include "files/common_csv_layout.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QMenu>

namespace qmh4 {

namespace {

// The report with at most 20 remark lines above the summary, so that the box fits the screen.
QString boxText(const QString& report) {
    constexpr int ShownRemarks = 20;
    QStringList lines = report.split(QLatin1Char('\n'));
    if (lines.size() > ShownRemarks + 1) {
        lines.replace(ShownRemarks, QStringLiteral("…"));
        lines.remove(ShownRemarks + 1, lines.size() - ShownRemarks - 2);
    }
    return lines.join(QLatin1Char('\n'));
}

void importChannelListCommand(MainWindow& window) {
    if (window.transferRunning())
        return;
    const QString path = chooseFile(&window, importCsvRequest());
    if (path.isEmpty())
        return;
    const int current = window.memoryPage->currentRow();
    ChannelTable imported = window.channels();
    const FileOutcome outcome =
        importChannelListFile(path, imported, isMemoryRow(current) ? current : FirstMemoryRow);
    if (outcome.ok)
        window.document().replaceChannels(QStringLiteral("Import Channel List"), imported);
    showMessage(&window, boxText(outcome.text), outcome.title);
}

void exportChannelListCommand(MainWindow& window) {
    if (window.transferRunning())
        return;
    const QString path = chooseFile(&window, exportCsvRequest());
    if (path.isEmpty())
        return;
    const FileOutcome outcome =
        exportChannelListFile(withDefaultSuffix(path, QStringLiteral("CSV")), window.channels());
    showMessage(&window, outcome.text, outcome.title);
}

QAction* addCommand(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void addChannelListCommands(MainWindow& window, QMenu* fileMenu) {
    QAction* import = addCommand(fileMenu, "ChannelListImport", u"Import Channel List…"_qs);
    QAction* exportList = addCommand(fileMenu, "ChannelListExport", u"Export Channel List…"_qs);
    QObject::connect(import, &QAction::triggered, &window,
                     [&window] { importChannelListCommand(window); });
    QObject::connect(exportList, &QAction::triggered, &window,
                     [&window] { exportChannelListCommand(window); });
}

} // namespace qmh4
