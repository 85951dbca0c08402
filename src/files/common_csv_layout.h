#pragma once

#include "channels/channel_table.h"
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

// One remark on a line of the file: why it was skipped, or what was changed on import.
struct ChannelListRemark {
    int line = 0; // line of the file, the header being line 1
    QString text;
    bool operator==(const ChannelListRemark&) const = default;
};

struct ChannelListImport {
    bool readable = false; // false: no text, or a header without a Frequency column
    int imported = 0;
    int firstRow = 0; // first and last row written; 0 when none
    int lastRow = 0;
    QList<ChannelListRemark> adjusted; // imported with a rounded, replaced or cut value
    QList<ChannelListRemark> skipped;  // not imported, with the reason

    // "Imported 60 channels into rows 1–60; skipped 2: line 5 (USB mode), line 9 (tone 69.3 Hz)"
    QString summary() const;
    // One line per adjusted channel ("line 4: frequency 146.520005 MHz rounded to 146.52001
    // MHz"), then the summary.
    QStringList reportLines() const;
};

// Imports the channels into memory rows from `firstRow` (1..1000) on, in file order, one row
// each; a line with no frequency keeps its row untouched. Each channel becomes the row the
// channel detail dialog builds from the same values; a channel the radio cannot hold as it is
// written is skipped with its reason. An unreadable file leaves the table unchanged.
ChannelListImport importChannelList(const QByteArray& bytes, ChannelTable& table, int firstRow);

// Every used row 1..1603, in row order, under the full header.
QByteArray exportChannelList(const ChannelTable& table);

// The commands on a path. The import's outcome text is its report lines; an unreadable file
// or a header without Frequency is "CSV File Error" and leaves the table as it was.
FileOutcome importChannelListFile(const QString& path, ChannelTable& table, int firstRow);
FileOutcome exportChannelListFile(const QString& path, const ChannelTable& table);

} // namespace qmh4
