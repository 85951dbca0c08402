#pragma once

#include <QString>

#include <optional>

namespace qmh4 {

class MainWindow;

// What the command line of QMH4Writer asks for: a data file to open once the main window is
// up (the desktop's "Open With"), and for smoke tests of an installed copy a time after which
// the program quits by itself.
struct StartOptions {
    QString dataFile;
    int quitAfterMs = -1; // < 0: run until the user quits
};

// Whether the arguments only ask for --help or --version, which need no display.
bool asksForTextOnly(int argc, char* argv[]);

// Parses the program's arguments. --help and --version are answered on stdout, a bad line on
// stderr; then the exit status is returned instead of options.
std::optional<int> parseStartOptions(StartOptions& options);

// Applies them to the freshly shown main window: the file opens as a dropped one does.
void applyStartOptions(const StartOptions& options, MainWindow& window);

} // namespace qmh4
