#pragma once

#include "link/link.h"

#include <QString>

#include <memory>

namespace qmh4::cli {

// The link a radio command talks through. A port that cannot be opened at all is reported
// once, before anything is sent ("cannot open /dev/ttyUSB0 (COM1): No such file or directory —
// list ports with `qmh4 ports`"), and null is returned: every step would only fail the same
// way. With `verbose` every exchange is shown on stderr.
std::unique_ptr<Link> openRadioLink(const QString& command, const QString& port, bool verbose);

} // namespace qmh4::cli
