#pragma once

#include <QByteArray>
#include <QString>

namespace qmh4::test {

// Path of a fixture in tests/data.
QString dataPath(const QString& name);
// Bytes given as hex with optional blanks: "40 86 A4 08".
QByteArray hexBytes(const char* hex);

} // namespace qmh4::test
