#include "app/port_choice.h"

#include <QSerialPortInfo>
#include <QSettings>

namespace qmh4 {

namespace {

const QString PortNameKey = QStringLiteral("port/name");

// The user's own settings of this program (not the settings file beside the program).
const QString Organization = QStringLiteral("QMH4Writer");
const QString Application = QStringLiteral("QMH4Writer");

} // namespace

QString comPortDevice(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyUSB%1").arg(number - 1);
#endif
}

QString rememberedPortName() {
    return QSettings(Organization, Application).value(PortNameKey).toString();
}

void rememberPortName(const QString& name) {
    QSettings(Organization, Application).setValue(PortNameKey, name);
}

void forgetPortName() {
    QSettings(Organization, Application).remove(PortNameKey);
}

QList<SystemPort> systemPorts() {
    QList<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.description(), info.systemLocation()});
    return ports;
}

} // namespace qmh4
