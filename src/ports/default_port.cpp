#include "ports/default_port.h"

#include "files/settings_file.h"

#include <QSettings>

namespace qmh4 {

namespace {

const QString PortNameKey = QStringLiteral("port/name");

// The user's own settings of this program (not the settings file beside the program).
QSettings userSettings() {
    return QSettings(QStringLiteral("QMH4Writer"), QStringLiteral("QMH4Writer"));
}

} // namespace

QString comPortDevice(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyUSB%1").arg(number - 1);
#endif
}

QString rememberedPortName() {
    return userSettings().value(PortNameKey).toString();
}

void rememberPortName(const QString& name) {
    userSettings().setValue(PortNameKey, name);
}

void forgetPortName() {
    userSettings().remove(PortNameKey);
}

QString defaultPort(const QString& remembered, int comPort) {
    return remembered.isEmpty() ? comPortDevice(comPort) : remembered;
}

QString defaultPort() {
    return defaultPort(rememberedPortName(), SettingsFile::forApplication().readComPort().port);
}

} // namespace qmh4
