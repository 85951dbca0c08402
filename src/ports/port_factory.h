#pragma once

#include "link/link.h"

#include <QString>

#include <memory>

namespace qmh4 {

class SimulatedRadio;

// The port name that stands for the built-in simulated radio.
inline const QString SimulatedPortName = QStringLiteral("sim");

// The link for a port the user chose: a device path (/dev/ttyUSB0, /dev/pts/7), a port name
// (COM3, ttyUSB0), or "sim" for the built-in simulated radio. Opening happens at the first
// command, so a bad name shows up as a port error of the transfer.
std::unique_ptr<Link> makeLink(const QString& portName);

// The built-in simulated radio behind "sim": one per process, so what a write stored is there
// for the next read. Only one transfer may use it at a time (the transfer state sees to that).
SimulatedRadio& builtInRadio();

} // namespace qmh4
