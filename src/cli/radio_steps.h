#pragma once

// The pieces `qmh4 read`, `qmh4 write` and `qmh4 verify` share.

#include "cli/radio_request.h"
#include "cli/step_report.h"
#include "transfers/data_comparison.h"

#include <QDateTime>

namespace qmh4::cli {

// The data file onto the start-up state, and the font file when there is one (command_write.cpp).
bool openInputs(const RadioRequest& request, WholeRadioData& data);

// Keeps `data` in the backup folder as "…-<what>.H4" (and ".FH4" with the glyphs); a read says
// where on stderr. A backup that fails is said, and never stops the command.
void backUp(const QString& command, const WholeRadioData& data, bool withGlyphs,
            const QString& what, const QDateTime& now = QDateTime::currentDateTime());

// Reads the request's areas back from the radio and compares them with `expected`: the
// differences on stdout, one per line. ExitOk, ExitDifferent or ExitRadioFailed.
int verifyRadio(Link& link, const RadioRequest& request, const WholeRadioData& expected,
                StepReport& report);

// The differences on stdout, one per line; ExitOk when there are none, else ExitDifferent.
int printDifferences(const std::vector<Difference>& differences);

} // namespace qmh4::cli
