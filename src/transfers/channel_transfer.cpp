#include "transfers/channel_transfer.h"

#include "channels/channel_record.h"

#include <QtEndian>

#include <algorithm>
#include <utility>
#include <vector>

namespace qmh4 {

namespace {

// How a channel loop drives the progress display.
struct LoopProgress {
    int firstRow;
    int lastRow;
    bool wholeTable; // value r and percent r div 17 out of 1704; else rows done out of n

    int count() const { return lastRow - firstRow + 1; }
    int maximum() const { return wholeTable ? ChannelProgressMaximum : count(); }
};

void report(TransferObserver* observer, int value, int maximum, int percent) {
    if (observer)
        observer->progress(value, maximum, percent);
}

void beforeRow(const LoopProgress& loop, int row, TransferObserver* observer) {
    if (!observer)
        return;
    observer->currentRow(row);
    const int done = row - loop.firstRow;
    if (loop.wholeTable)
        observer->progress(row, loop.maximum(), row / 17);
    else
        observer->progress(done + 1, loop.maximum(), done * 100 / loop.count());
}

void afterRow(const LoopProgress& loop, int row, TransferObserver* observer) {
    if (observer && !loop.wholeTable) {
        const int done = row - loop.firstRow + 1;
        observer->progress(done, loop.maximum(), done * 100 / loop.count());
    }
}

void readRow(Session& session, ChannelTable& table, int row, FailureCounter& failures,
             ChannelTransferObserver* observer) {
    const QByteArray record = session.readBlock(recordAddress(recordNumber(row)), failures);
    if (decodeRecord(record, table.row(row)) == DecodeStatus::BadIndex) {
        throw TransferEnded(Outcome::PortError,
                            QStringLiteral("The record of row %1 cannot be decoded").arg(row));
    }
    if (observer)
        observer->rowDecoded(row, table.row(row));
}

void readLoop(Session& session, ChannelTable& table, const LoopProgress& loop,
              ChannelTransferObserver* observer) {
    FailureCounter failures(ReadFailureLimit);
    report(observer, 0, loop.maximum(), 0);
    for (int row = loop.firstRow; row <= loop.lastRow; ++row) {
        beforeRow(loop, row, observer);
        readRow(session, table, row, failures, observer);
        afterRow(loop, row, observer);
    }
    report(observer, loop.maximum(), loop.maximum(), 100);
}

void writeLoop(Session& session, const ChannelTable& table, const LoopProgress& loop,
               TransferObserver* observer) {
    FailureCounter failures(WriteFailureLimit);
    report(observer, 0, loop.maximum(), 0);
    for (int row = loop.firstRow; row <= loop.lastRow; ++row) {
        beforeRow(loop, row, observer);
        session.writeBlock(recordAddress(recordNumber(row)), encodeRecord(table.row(row), row),
                           failures);
        afterRow(loop, row, observer);
    }
    report(observer, loop.maximum(), loop.maximum(), 100);
}

LoopProgress selection(int currentRow, int selectionEndRow) {
    const int first = std::clamp(std::min(currentRow, selectionEndRow), FirstRow, LastRow);
    const int last = std::clamp(std::max(currentRow, selectionEndRow), FirstRow, LastRow);
    return {first, last, false};
}

void blankAfterRead(ChannelTable& table, ChannelTransferObserver* observer) {
    table.blankEmptyRows();
    if (observer)
        observer->emptyRowsBlanked();
}

// The receive frequency of a used row as the record encoder reads it from the cell text.
quint32 rowFrequencyHz(const ChannelTable& table, int row) {
    const QByteArray record = encodeRecord(table.row(row), row);
    return qFromLittleEndian<quint32>(record.constData() + 1);
}

void putEntry(QByteArray& passTable, int entry, quint32 hz, int linkA, int next, int previous) {
    char* bytes = passTable.data() + entry * 8;
    qToLittleEndian<quint32>(hz, bytes);
    bytes[4] = static_cast<char>(linkA);
    bytes[5] = static_cast<char>(next);
    bytes[6] = static_cast<char>(previous);
    bytes[7] = static_cast<char>(0xFF);
}

} // namespace

TransferResult readAllChannels(Session& session, ChannelTable& table,
                               ChannelTransferObserver* observer) {
    return runTransfer([&] {
        session.identify();
        readLoop(session, table, {FirstRow, LastRow, true}, observer);
        blankAfterRead(table, observer);
    });
}

TransferResult readSelectedChannels(Session& session, ChannelTable& table, int currentRow,
                                    int selectionEndRow, ChannelTransferObserver* observer) {
    return runTransfer([&] {
        session.identify();
        readLoop(session, table, selection(currentRow, selectionEndRow), observer);
        blankAfterRead(table, observer); // the whole table, not only the selection
    });
}

TransferResult writeAllChannels(Session& session, const ChannelTable& table,
                                ChannelTransferObserver* observer) {
    return runTransfer([&] {
        session.identify();
        writeLoop(session, table, {FirstRow, LastRow, true}, observer);
        writePassTable(session, buildPassTable(table), observer, true);
    });
}

TransferResult writeSelectedChannels(Session& session, const ChannelTable& table, int currentRow,
                                     int selectionEndRow, ChannelTransferObserver* observer) {
    return runTransfer([&] {
        session.identify();
        writeLoop(session, table, selection(currentRow, selectionEndRow), observer);
        writePassTable(session, buildPassTable(table), observer, false);
    });
}

QByteArray buildPassTable(const ChannelTable& table) {
    constexpr int Head = 100;
    QByteArray passTable(PassTableSize, static_cast<char>(0xFF));
    // (frequency in 10 Hz units, pass number); stable_sort keeps equal frequencies in
    // ascending pass number.
    std::vector<std::pair<quint32, int>> used;
    for (int i = 0; i < 100; ++i) {
        const int row = FirstPassRow + i;
        if (table.row(row).used())
            used.emplace_back(rowFrequencyHz(table, row) / 10, i);
    }
    if (used.empty())
        return passTable;
    std::stable_sort(used.begin(), used.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    const auto m = static_cast<int>(used.size());
    const bool full = m == 100;
    for (int j = 0; j < m; ++j) {
        const int pass = used[static_cast<size_t>(j)].second;
        const int previous = j == 0 ? Head : used[static_cast<size_t>(j - 1)].second;
        int next = 0xFF;
        if (j < m - 1)
            next = used[static_cast<size_t>(j + 1)].second;
        else if (full)
            next = Head;
        putEntry(passTable, pass, rowFrequencyHz(table, FirstPassRow + pass), 0xFF, next, previous);
    }
    const int lowest = used.front().second;
    putEntry(passTable, Head, rowFrequencyHz(table, FirstPassRow + lowest), full ? 0 : lowest,
             lowest, 0xFF);
    return passTable;
}

void writePassTable(Session& session, const QByteArray& passTable, TransferObserver* observer,
                    bool progress) {
    TransferObserver* shown = progress ? observer : nullptr;
    report(shown, 0, 100, 100);
    FailureCounter first(PassBlock1Limit);
    session.writeBlock(PassTableAddress, passTable.mid(0, 64), first);
    report(shown, 20, 100, 20);
    FailureCounter middle(PassBlocks2To12Limit);
    for (int k = 2; k <= 12; ++k) {
        session.writeBlock(PassTableAddress + static_cast<quint32>(64 * (k - 1)),
                           passTable.mid(64 * (k - 1), 64), middle);
        report(shown, 5 * k + 20, 100, 5 * k + 20);
    }
    FailureCounter last(PassBlock13Limit);
    session.writeBlock(PassTableAddress + 0x300, passTable.mid(0x300, 40), last);
    report(shown, 100, 100, 100);
}

} // namespace qmh4
