#pragma once

// The areas of the radio and how each one is moved: one table that "Read All Data" / "Write All
// Data", the command line's --only and the pages' Read and Write buttons all run.

#include "channels/channel_table.h"
#include "font/glyph_store.h"
#include "radio_areas/radio_areas.h"
#include "transfers/channel_transfer.h"

#include <QString>

#include <array>
#include <optional>

namespace qmh4 {

class Session;

// What the whole-radio commands move: the main window's working data and the glyph store.
struct WholeRadioData {
    ChannelTable channels;
    RadioAreas areas;
    GlyphSet glyphs{};
    bool glyphsReal = false; // GlyphStore::holdsRealGlyphs() when the command started
};

// The areas of the radio, in the order the command line lists them.
enum class DataArea : quint8 { Channels, Banks, OneTouch, Title, Settings, Groups, Glyphs };
inline constexpr std::array AllDataAreas{DataArea::Channels, DataArea::Banks,    DataArea::OneTouch,
                                         DataArea::Title,    DataArea::Settings, DataArea::Groups,
                                         DataArea::Glyphs};

class DataAreas {
public:
    static DataAreas all() { return DataAreas(0x7F); }
    static DataAreas none() { return DataAreas(0); }
    DataAreas& add(DataArea area) {
        bits_ = static_cast<quint8>(bits_ | bit(area));
        return *this;
    }
    DataAreas& remove(DataArea area) {
        bits_ = static_cast<quint8>(bits_ & ~bit(area));
        return *this;
    }
    bool has(DataArea area) const { return (bits_ & bit(area)) != 0; }
    bool empty() const { return bits_ == 0; }
    bool operator==(const DataAreas&) const = default;

private:
    explicit DataAreas(quint8 bits) : bits_(bits) {}
    static quint8 bit(DataArea area) { return static_cast<quint8>(1u << static_cast<int>(area)); }
    quint8 bits_;
};

// "channels", "banks", "onetouch", "title", "settings", "groups", "glyphs".
QString dataAreaName(DataArea area);
std::optional<DataArea> dataAreaNamed(const QString& name);

// The steps of the whole-radio commands. The groups and the glyphs are read by their editors'
// own transfers; a write sends them together in its last step.
enum class WholeStep {
    Channels,
    Banks,
    OneTouch,
    Title,
    Settings,
    Glyphs,      // read: the font editor's read
    Groups,      // read: the group editor's read
    FinalBlocks, // write: the group blocks and the glyph blocks without a handshake
};

// An area the main window moves in a session of its own (its own handshake). A read decodes
// into `data`, so what was decoded before a failure stays; a write sends `data` (the settings
// write ends with the radio's own record in it).
using AreaTransfer = TransferResult (*)(Session&, WholeRadioData&, ChannelTransferObserver*);
struct SessionArea {
    DataArea area;
    WholeStep step;
    AreaTransfer read;
    AreaTransfer write;
};

// Channels, banks, one-touch, title, settings (with the DTMF memories): in the order the
// whole-radio commands move them.
const std::array<SessionArea, 5>& sessionAreas();
// The row of one of those five; nullptr for the groups and the glyphs.
const SessionArea* sessionArea(DataArea area);

} // namespace qmh4
