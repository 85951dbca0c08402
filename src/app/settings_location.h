#pragma once

#include "files/settings_file.h"

#include <QString>

namespace qmh4 {

// The settings file the main window reads at start-up and writes when a COM port is chosen:
// beside the program, else in the user's configuration folder. Tests point it at folders of
// their own, so that no run leaves a file beside a test program for the next one to read.
SettingsFile applicationSettingsFile();

// Empty folders restore the application's own.
void setSettingsFolders(const QString& programFolder, const QString& userFolder);

} // namespace qmh4
