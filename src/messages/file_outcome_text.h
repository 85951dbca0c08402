#pragma once

#include "files/backups.h"
#include "files/file_outcome.h"
#include "files/row_clipboard.h"
#include "font/font_file.h"
#include "messages/message_text.h"

#include <QString>
#include <QStringList>

// The words of the file commands' outcomes. The window shows them in its boxes and `qmh4`
// prints the same words on stderr, so both take them from here rather than keep copies.
namespace qmh4 {

// The box for an outcome: "Save File" / "Finish", "This File don't Open" / "Error", a failed
// write with the system's reason on its second line, a read with the lines it passed over.
MessageText fileOutcomeText(const FileOutcome& outcome);

// "Imported 60 channels into rows 1–60; skipped 2: line 5 (USB mode), line 9 (tone 69.3 Hz)"
QString channelListSummary(const ChannelListImport& import);
// One line per adjusted channel ("line 4: frequency 146.520005 MHz rounded to 146.52001 MHz"),
// then the summary.
QStringList channelListReport(const ChannelListImport& import);

// The font file's box: "Save File" / " Finish", "Read Font File" / " Finish", or what failed
// ("This File don't Open", "Cannot save <path>: <reason>", …) / " Error".
MessageText fontFileText(const FontFileResult& result);

// Why a backup was not kept: "cannot create <folder>", the system's words, or the font file's.
QString backupFailureText(const BackupResult& result);

// What the status line says about a paste ("Pasted rows 200–202; …").
QString pasteNotice(const PasteReport& report);

} // namespace qmh4
