#pragma once

#include "files/file_outcome.h"

class QWidget;

namespace qmh4 {

// Shows what a file command ended with in a box with one OK button: its words and title, a
// channel list's report cut to 20 remarks above its summary so that the box fits the screen.
// An outcome with nothing to say (a settings file written) shows nothing.
void showFileOutcome(QWidget* parent, const FileOutcome& outcome);

} // namespace qmh4
