#pragma once

#include <QString>

// Which port a transfer uses when the user names none. The window's COM port menu picks a
// number 1..16, kept in the settings file; choosing a port by name (a device the system
// reports, or the built-in simulated radio) is remembered in the user's own settings and wins
// over the number. The command line follows the same rule, so `qmh4 read` without --port talks
// to the radio the window last talked to.
namespace qmh4 {

// The device of COM port n: "COMn" on Windows, /dev/ttyUSB<n-1> elsewhere.
QString comPortDevice(int number);

// The port name remembered from the last choice by name (QSettings "QMH4Writer"/"QMH4Writer",
// key "port/name"); empty when none.
QString rememberedPortName();
void rememberPortName(const QString& name);
void forgetPortName();

// The rule itself: the remembered name when there is one, else the device of the COM port.
QString defaultPort(const QString& remembered, int comPort);
// The rule applied to the user's settings and the settings file's COM port.
QString defaultPort();

} // namespace qmh4
