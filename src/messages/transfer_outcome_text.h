#pragma once

#include "messages/message_text.h"
#include "transfers/glyph_transfer.h"
#include "transfers/transfer_control.h"

// The words of the radio transfers' ends, for the window's boxes and `qmh4`'s stderr.
namespace qmh4 {

// "Success" / " Finish", "Error" / " Error", "Port Error" / " Error"; nothing for None.
MessageText endBoxText(EndBox box);

// The font editor's box for how a glyph transfer ended: "All Font Data Read" / " Finish",
// "Com Error" / " Error", "Font Data Error　COM_TYPE １２" / " Error", …; nothing for Stopped.
MessageText glyphEndingText(GlyphEnding ending);

// A group editor command that succeeded: its Read, the read it makes for "Read All Data", its
// Write.
enum class GroupSuccess : quint8 { Read, ReadForWholeRadio, Written };
// "OK", "Success ALL DATA READ", "Success Group Data Write", each with " Finish".
MessageText groupSuccessText(GroupSuccess success);

} // namespace qmh4
