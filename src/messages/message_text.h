#pragma once

#include <QString>

namespace qmh4 {

// What a box says: its text and its title. Both front ends take their words from the tables
// of this folder, the window for its boxes and `qmh4` for its lines on stderr.
struct MessageText {
    QString text; // lines separated by '\n'; empty when there is nothing to say
    QString title;
};

} // namespace qmh4
