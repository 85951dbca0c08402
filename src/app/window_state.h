#pragma once

#include <QString>

namespace qmh4 {

class MainWindow;

// The port the transfers use, as the status bar and the write question name it.
QString portInUse(const MainWindow& window);

// The status bar's permanent fields, kept current: the port in use (`StatusPort`, "Port: …") and
// the data file last opened or saved (`StatusFile`, "File: NAME", the full path in its tool tip).
void addStatusFields(MainWindow& window);

// Puts the window back where the last run left it (geometry and page) and remembers both when
// it closes. The program calls it once at start; the grid keeps its own column widths.
void rememberWindowState(MainWindow& window);

} // namespace qmh4
