#pragma once

#include "radio_areas/set_mode_lists.h"

#include <QString>

#include <vector>

class QWidget;

namespace qmh4 {

// One label or frame of the main window whose caption follows the interface language. The key
// is the control's object name ("Label12[3]", "Frame8", "DOUSA").
struct CaptionEntry {
    const char* key;
    const char* english;
    const char* japanese; // nullptr: the caption keeps its English text in Japanese
};

// The 85 captions of the settings pages, in both languages.
const std::vector<CaptionEntry>& captionTable();

// The caption of `key` in `language`; the English text where the key has no Japanese one, an
// empty string for an unknown key.
QString captionText(const QString& key, Language language);

// The text to give a QLabel or QGroupBox so that it shows `caption` as written: they take "&"
// as a shortcut marker ("<POWER & BATT.>" would show as "<POWER _BATT.>").
QString shownAsWritten(QString caption);

// Sets every caption of the table that `root` holds (a QLabel or QGroupBox child named by the
// key) to its text in `language`. Returns how many controls were found.
int applyCaptions(QWidget* root, Language language);

} // namespace qmh4
