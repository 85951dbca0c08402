#include "files/settings_file.h"

#include "files/data_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qmh4 {

namespace {

constexpr int ComPortLineLength = 9; // "COMPORT" and two digits

} // namespace

ComPortChoice comPortOfSettings(const QByteArray& bytes) {
    for (const QByteArray& line : splitLines(bytes)) {
        if (!line.startsWith("CO")) {
            continue;
        }
        const QByteArray digits = line.mid(7, 2);
        bool isNumber = false;
        const int value = digits.toInt(&isNumber);
        if (line.size() != ComPortLineLength || !isNumber || value <= 0) {
            return {FirstComPort, FirstComPort};
        }
        if (value > LastComPort) {
            return {};
        }
        return {value, value};
    }
    return {};
}

SettingsFile::SettingsFile(const QString& programFolder, const QString& userConfigFolder)
    : programPath_(QDir(programFolder).filePath(QLatin1String(SettingsFileName))),
      userPath_(QDir(userConfigFolder).filePath(QLatin1String(SettingsFileName))) {}

SettingsFile SettingsFile::forApplication() {
    return SettingsFile(QCoreApplication::applicationDirPath(),
                        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString SettingsFile::readPath() const {
    const QFileInfo program(programPath_);
    const QFileInfo user(userPath_);
    // Both exist when the program's folder became unwritable after a save beside it: the
    // newer file holds the last choice.
    if (!user.exists() || (program.exists() && program.lastModified() >= user.lastModified())) {
        return programPath_;
    }
    return userPath_;
}

ComPortChoice SettingsFile::readComPort() const {
    const auto bytes = readTextFile(readPath());
    return bytes ? comPortOfSettings(*bytes) : ComPortChoice{};
}

FileOutcome SettingsFile::save(const RadioData& data, const QDateTime& now) const {
    const QByteArray bytes = writeDataFile(data, now);
    QString error;
    if (writeTextFile(programPath_, bytes, &error)) {
        lastSaved_ = programPath_;
        return FileOutcome::written(FileKind::Settings, programPath_);
    }
    QDir().mkpath(QFileInfo(userPath_).absolutePath());
    if (writeTextFile(userPath_, bytes, &error)) {
        lastSaved_ = userPath_;
        return FileOutcome::written(FileKind::Settings, userPath_);
    }
    return FileOutcome::writeFailed(FileKind::Settings, userPath_, error);
}

} // namespace qmh4
