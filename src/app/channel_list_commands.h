#pragma once

class QMenu;

namespace qmh4 {

class MainWindow;

// "Import Channel List…" and "Export Channel List…": channel lists in the layout of the common
// multi-radio programming tools. The import fills memory rows from the current memory row on
// and ends with its report in a box; both do nothing while a transfer runs.
void addChannelListCommands(MainWindow& window, QMenu* fileMenu);

} // namespace qmh4
