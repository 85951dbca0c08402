#include "app/port_choice.h"

#include <QSerialPortInfo>

namespace qmh4 {

QList<SystemPort> systemPorts() {
    QList<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.description(), info.systemLocation()});
    return ports;
}

} // namespace qmh4
