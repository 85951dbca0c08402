#pragma once

#include "channels/channel_table.h"
#include "files/file_outcome.h"
#include "files/text_file.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The channel list layout that most multi-radio programming tools and repeater directories
// write: a header line naming the columns (Location, Name, Frequency, Duplex, Offset, Tone,
// rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode, Mode, TStep, Skip, …),
// then one channel a line, frequencies and offsets in MHz, tones in Hz, steps in kHz. It is read
// in UTF-8 (code page 932 when the bytes are no UTF-8) and written in UTF-8 with CR LF.
namespace qmh4 {

// True when the file's first line names a "Frequency" column: the file is in this layout, not
// in the program's own CSV layout.
bool isCommonLayoutHeader(const QByteArray& bytes);

// Imports the channels into memory rows from `firstRow` (1..1000) on, in file order, one row
// each; a line with no frequency keeps its row untouched. Each channel becomes the row the
// channel detail dialog builds from the same values; a channel the radio cannot hold as it is
// written is skipped with its reason. An unreadable file leaves the table unchanged.
ChannelListImport importChannelList(const QByteArray& bytes, ChannelTable& table, int firstRow);

// Every used row 1..1603, in row order, under the full header.
QByteArray exportChannelList(const ChannelTable& table);

// The commands on a path. The import's outcome carries its report; an unreadable file or a
// header without Frequency is refused and leaves the table as it was.
FileOutcome importChannelListFile(const QString& path, ChannelTable& table, int firstRow);
FileOutcome exportChannelListFile(const QString& path, const ChannelTable& table);

} // namespace qmh4
