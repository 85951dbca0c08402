#pragma once

#include "files/file_outcome.h"
#include "messages/message_text.h"

class QWidget;

namespace qmh4 {

// Shows what a file command ended with in a box with one OK button: its words and title, a
// channel list's report cut to 20 remarks above its summary so that the box fits the screen.
// An outcome with nothing to say (a settings file written) shows nothing.
void showFileOutcome(QWidget* parent, const FileOutcome& outcome);

// Shows the words of an outcome from the shared tables in a box with one OK button.
void showMessageText(QWidget* parent, const MessageText& words);

} // namespace qmh4
