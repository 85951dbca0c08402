#include "app/settings_location.h"

namespace qmh4 {

namespace {

struct Folders {
    QString program;
    QString user;
};

Folders& overridden() {
    static Folders folders;
    return folders;
}

} // namespace

SettingsFile applicationSettingsFile() {
    const Folders& folders = overridden();
    if (folders.program.isEmpty() && folders.user.isEmpty())
        return SettingsFile::forApplication();
    return SettingsFile(folders.program, folders.user);
}

void setSettingsFolders(const QString& programFolder, const QString& userFolder) {
    overridden() = {programFolder, userFolder};
}

} // namespace qmh4
