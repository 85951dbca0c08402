#pragma once

#include "document/radio_data.h"
#include "files/file_outcome.h"
#include "files/text_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The data file (".H4"): one line per item behind a key, fixed-width zero-padded decimal
// fields, code page 932 with CR LF. The settings file is a data file too.
namespace qmh4 {

// The whole file for `data`; `now` goes into the header line.
QByteArray writeDataFile(const RadioData& data, const QDateTime& now);

struct DataFileReport {
    QList<int> skippedLines; // 1-based line numbers of lines that could not be applied
};

// Applies a file's lines to `data`: the channel rows but the call and bug-finder rows are
// emptied first, every other area changes only where the file has a line for it. A line is
// applied whole or not at all; a line that cannot be applied is skipped and listed.
DataFileReport readDataFile(const QByteArray& bytes, RadioData& data);

// The Save and Open commands on a path. A path not ending in ".H4" or a file that cannot be
// read is refused, a failed write leaves the old file: the data stay as they were. An opened
// file's outcome lists the lines skipped.
FileOutcome saveDataFile(const QString& path, const RadioData& data,
                         const QDateTime& now = QDateTime::currentDateTime());
FileOutcome openDataFile(const QString& path, RadioData& data);

} // namespace qmh4
