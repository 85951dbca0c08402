#pragma once

#include "document/radio_data.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace qmh4 {

// What one change to the working data touched. The document keeps both sides of what changed
// and nothing else: a few channel rows, one copy of the areas, one of the glyphs, or a whole
// replacement. apply() puts either side back, so undo can step over it in both directions.
struct DocumentChange {
    enum class Kind { Rows, Areas, Glyphs, Everything };
    Kind kind = Kind::Rows;
    QString name; // what the user did, for the undo menu ("Clear rows 5–9")
    int firstRow = 0, lastRow = 0;
    std::vector<ChannelRow> rowsBefore, rowsAfter;
    std::shared_ptr<const RadioAreas> areasBefore, areasAfter;
    std::shared_ptr<const GlyphStore> glyphsBefore, glyphsAfter;
    std::shared_ptr<const RadioData> everythingBefore, everythingAfter;
};

// The working data and the only way to change it. Every change is a named operation: it emits
// one precise signal (rows first..last, the areas, the glyphs, or everything) and then
// `changed` with a record of both sides. The grid, the pages and the editors observe it;
// transfers take a copy to work on and hand their result back through it.
//
// Lives on the window thread (or the command line's); no other thread touches it.
class RadioDocument : public QObject {
    Q_OBJECT
public:
    explicit RadioDocument(QObject* parent = nullptr);

    const RadioData& data() const { return data_; }
    const ChannelTable& channels() const { return data_.channels; }
    const RadioAreas& areas() const { return data_.areas; }
    const GlyphStore& glyphs() const { return data_.glyphs; }
    int comPort() const { return data_.comPort; }

    // The data file the data came from or went to last; empty for none.
    const QString& filePath() const { return filePath_; }
    void setFilePath(const QString& path);

    using RowsEdit = std::function<void(ChannelTable&)>;
    using AreasEdit = std::function<void(RadioAreas&)>;
    using GlyphsEdit = std::function<void(GlyphStore&)>;

    // Runs `edit` on the channel table, which may change rows first..last only (the record
    // keeps those rows). Nothing is reported when the rows come out as they were.
    void editRows(const QString& name, int firstRow, int lastRow, const RowsEdit& edit);
    void setRow(const QString& name, int rowNumber, const ChannelRow& row);
    void replaceChannels(const QString& name, const ChannelTable& table);
    // Runs `edit` on the areas (bank sizes, settings, DTMF, one-touch, title, groups).
    void editAreas(const QString& name, const AreasEdit& edit);
    void editGlyphs(const QString& name, const GlyphsEdit& edit);
    // Everything at once (a data file opened, a whole radio read); the COM port stays unless
    // `keepComPort` is false.
    void replaceAll(const QString& name, const RadioData& data, bool keepComPort = true);
    void setComPort(int number);

    // Puts one side of a recorded change back (`after` false: as it was before), with the
    // same signals as the change itself but no `changed`.
    void apply(const DocumentChange& change, bool after);

signals:
    void rowsChanged(int firstRow, int lastRow);
    void areasChanged();
    void glyphsChanged();
    // Everything may differ (and the grid needs one reset, not 1623 row updates).
    void everythingAboutToBeReplaced();
    void everythingReplaced();
    void comPortChanged(int number);
    void filePathChanged(const QString& path);
    // After each named operation that changed something.
    void changed(const qmh4::DocumentChange& change);

private:
    void announce(const DocumentChange& change);

    RadioData data_;
    QString filePath_;
};

} // namespace qmh4

Q_DECLARE_METATYPE(qmh4::DocumentChange)
