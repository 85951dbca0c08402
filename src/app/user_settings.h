#pragma once

#include <QSettings>

namespace qmh4 {

// The user's own settings of this program (not the settings file beside the program): the
// remembered window, recent files and answers to questions.
inline QSettings userSettings() {
    return QSettings(QStringLiteral("QMH4Writer"), QStringLiteral("QMH4Writer"));
}

} // namespace qmh4
