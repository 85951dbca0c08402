#include "document/radio_document.h"

#include <algorithm>

namespace qmh4 {

namespace {

std::vector<ChannelRow> copyRows(const ChannelTable& table, int first, int last) {
    std::vector<ChannelRow> rows;
    rows.reserve(static_cast<size_t>(last - first + 1));
    for (int row = first; row <= last; ++row)
        rows.push_back(table.row(row));
    return rows;
}

void putRows(ChannelTable& table, int first, const std::vector<ChannelRow>& rows) {
    int row = first;
    for (const ChannelRow& content : rows)
        table.row(row++) = content;
}

// Narrows a row change to the rows that really differ, so the record and the repaint stay small.
bool trimUnchanged(DocumentChange& change) {
    auto& before = change.rowsBefore;
    auto& after = change.rowsAfter;
    size_t head = 0;
    while (head < before.size() && before[head] == after[head])
        ++head;
    if (head == before.size())
        return false;
    size_t tail = before.size();
    while (tail > head && before[tail - 1] == after[tail - 1])
        --tail;
    before = std::vector<ChannelRow>(before.begin() + static_cast<std::ptrdiff_t>(head),
                                     before.begin() + static_cast<std::ptrdiff_t>(tail));
    after = std::vector<ChannelRow>(after.begin() + static_cast<std::ptrdiff_t>(head),
                                    after.begin() + static_cast<std::ptrdiff_t>(tail));
    change.lastRow = change.firstRow + static_cast<int>(tail) - 1;
    change.firstRow += static_cast<int>(head);
    return true;
}

DocumentChange namedChange(DocumentChange::Kind kind, const QString& name) {
    DocumentChange change;
    change.kind = kind;
    change.name = name;
    return change;
}

} // namespace

RadioDocument::RadioDocument(QObject* parent) : QObject(parent) {}

void RadioDocument::setFilePath(const QString& path) {
    if (path == filePath_)
        return;
    filePath_ = path;
    emit filePathChanged(path);
}

void RadioDocument::editRows(const QString& name, int firstRow, int lastRow, const RowsEdit& edit) {
    firstRow = std::max(firstRow, FirstRow);
    lastRow = std::min(lastRow, LastRow);
    if (firstRow > lastRow)
        return;
    DocumentChange change;
    change.name = name;
    change.firstRow = firstRow;
    change.lastRow = lastRow;
    change.rowsBefore = copyRows(data_.channels, firstRow, lastRow);
    edit(data_.channels);
    change.rowsAfter = copyRows(data_.channels, firstRow, lastRow);
    if (trimUnchanged(change))
        announce(change);
}

void RadioDocument::setRow(const QString& name, int rowNumber, const ChannelRow& row) {
    editRows(name, rowNumber, rowNumber, [&](ChannelTable& table) { table.row(rowNumber) = row; });
}

void RadioDocument::replaceChannels(const QString& name, const ChannelTable& table) {
    editRows(name, FirstRow, LastRow, [&](ChannelTable& channels) { channels = table; });
}

void RadioDocument::editAreas(const QString& name, const AreasEdit& edit) {
    auto before = std::make_shared<const RadioAreas>(data_.areas);
    edit(data_.areas);
    if (data_.areas == *before)
        return;
    DocumentChange change = namedChange(DocumentChange::Kind::Areas, name);
    change.areasBefore = std::move(before);
    change.areasAfter = std::make_shared<const RadioAreas>(data_.areas);
    announce(change);
}

void RadioDocument::editGlyphs(const QString& name, const GlyphsEdit& edit) {
    auto before = std::make_shared<const GlyphStore>(data_.glyphs);
    edit(data_.glyphs);
    if (data_.glyphs == *before)
        return;
    DocumentChange change = namedChange(DocumentChange::Kind::Glyphs, name);
    change.glyphsBefore = std::move(before);
    change.glyphsAfter = std::make_shared<const GlyphStore>(data_.glyphs);
    announce(change);
}

void RadioDocument::replaceAll(const QString& name, const RadioData& data, bool keepComPort) {
    RadioData next = data;
    if (keepComPort)
        next.comPort = data_.comPort;
    if (next == data_)
        return;
    DocumentChange change = namedChange(DocumentChange::Kind::Everything, name);
    emit everythingAboutToBeReplaced();
    change.everythingBefore = std::make_shared<const RadioData>(std::move(data_));
    data_ = std::move(next);
    change.everythingAfter = std::make_shared<const RadioData>(data_);
    announce(change);
}

void RadioDocument::setComPort(int number) {
    const int port = (number >= FirstComPort && number <= LastComPort) ? number : FirstComPort;
    if (port == data_.comPort)
        return;
    data_.comPort = port;
    emit comPortChanged(port);
}

void RadioDocument::apply(const DocumentChange& change, bool after) {
    switch (change.kind) {
    case DocumentChange::Kind::Rows:
        putRows(data_.channels, change.firstRow, after ? change.rowsAfter : change.rowsBefore);
        emit rowsChanged(change.firstRow, change.lastRow);
        return;
    case DocumentChange::Kind::Areas:
        data_.areas = after ? *change.areasAfter : *change.areasBefore;
        emit areasChanged();
        return;
    case DocumentChange::Kind::Glyphs:
        data_.glyphs = after ? *change.glyphsAfter : *change.glyphsBefore;
        emit glyphsChanged();
        return;
    case DocumentChange::Kind::Everything: {
        const int comPort = data_.comPort;
        emit everythingAboutToBeReplaced();
        data_ = after ? *change.everythingAfter : *change.everythingBefore;
        data_.comPort = comPort;
        emit everythingReplaced();
        return;
    }
    }
}

void RadioDocument::announce(const DocumentChange& change) {
    switch (change.kind) {
    case DocumentChange::Kind::Rows:
        emit rowsChanged(change.firstRow, change.lastRow);
        break;
    case DocumentChange::Kind::Areas:
        emit areasChanged();
        break;
    case DocumentChange::Kind::Glyphs:
        emit glyphsChanged();
        break;
    case DocumentChange::Kind::Everything:
        emit everythingReplaced();
        break;
    }
    emit changed(change);
}

} // namespace qmh4
