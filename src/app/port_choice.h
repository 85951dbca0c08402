#pragma once

#include "document/radio_data.h" // FirstComPort, LastComPort
#include "ports/default_port.h"  // comPortDevice, the remembered port name, defaultPort
#include "ports/port_opener.h"   // SimulatedPortName

#include <QList>
#include <QString>

namespace qmh4 {

// Which port the transfers use: a COM port number 1..16 from the COM port menu, or a port the
// user chose by name (a device the system reports, or the built-in simulated radio). A port
// chosen by name is remembered in the user's settings and wins over the number at start-up;
// the command line follows the same rule (link/default_port.h).

struct SystemPort {
    QString name;        // "ttyUSB0", "COM3"
    QString description; // "USB-Serial Controller", may be empty
    QString location;    // "/dev/ttyUSB0", "\\\\.\\COM3": what the link opens
};
QList<SystemPort> systemPorts();

} // namespace qmh4
