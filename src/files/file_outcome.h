#pragma once

#include <QList>
#include <QString>

// What a file command hands back to the window or the command line: which file it worked on,
// what happened and the particulars (the path, the system's reason, the lines passed over).
// The front ends put it into words; nothing here is meant to be shown as it is.
namespace qmh4 {

enum class FileKind {
    Data,        // the data file (".H4")
    Csv,         // the program's own CSV channel list
    ChannelList, // the channel list in the common multi-radio layout
    Settings,    // the settings file that keeps the COM port
};

enum class FileEvent {
    Written,     // saved
    WriteFailed, // not saved; an old file stays as it was
    Read,        // read and applied
    Refused,     // not read (wrong name, unreadable, not of its layout); nothing changed
};

// One remark on a line of a channel list: why it was skipped, or what was changed on import.
struct ChannelListRemark {
    int line = 0; // line of the file, the header being line 1
    QString text;
    bool operator==(const ChannelListRemark&) const = default;
};

// What a channel list import did.
struct ChannelListImport {
    bool readable = false; // false: no text, or a header without a Frequency column
    int imported = 0;
    int firstRow = 0; // first and last row written; 0 when none
    int lastRow = 0;
    QList<ChannelListRemark> adjusted; // imported with a rounded, replaced or cut value
    QList<ChannelListRemark> skipped;  // not imported, with the reason
};

struct FileOutcome {
    FileKind file = FileKind::Data;
    FileEvent event = FileEvent::Refused;
    QString path;  // the file read or written (settings: the last place tried)
    QString error; // WriteFailed: the system's reason
    // Read: the data file's skipped lines, or the CSV rows emptied for invalid values.
    QList<int> passedOver;
    ChannelListImport channelList; // Read of a channel list: its report

    // The command did its work.
    bool ok() const { return event == FileEvent::Written || event == FileEvent::Read; }

    static FileOutcome written(FileKind file, const QString& path) {
        return {file, FileEvent::Written, path, {}, {}, {}};
    }
    static FileOutcome writeFailed(FileKind file, const QString& path, const QString& error) {
        return {file, FileEvent::WriteFailed, path, error, {}, {}};
    }
    static FileOutcome read(FileKind file, const QString& path, const QList<int>& passedOver = {}) {
        return {file, FileEvent::Read, path, {}, passedOver, {}};
    }
    static FileOutcome refused(FileKind file, const QString& path) {
        return {file, FileEvent::Refused, path, {}, {}, {}};
    }
};

} // namespace qmh4
