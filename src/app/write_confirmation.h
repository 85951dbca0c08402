#pragma once

class QWidget;

namespace qmh4 {

class MainWindow;

// The commands that overwrite the radio's memory ("Write All Data", "Memory Write", "One Memory
// Write") ask first "Write to the radio on PORT?", with a "Don't ask again" box: ticked with OK,
// the question stays away in later runs too. Cancel writes nothing and asks again next time.
// The command line never asks.
//
// True when the write may go ahead: the user said OK, or asked not to be asked. While a
// transfer runs nothing is asked (the command does nothing anyway).
bool confirmRadioWrite(MainWindow& window);

// Whether the question is asked (remembered in the user's settings).
bool asksBeforeRadioWrite();
void setAsksBeforeRadioWrite(bool ask);

} // namespace qmh4
