#include "transfers/data_comparison.h"

#include "channels/channel_record.h"

#include <array>

namespace qmh4 {

namespace {

// The grid's own column captions, so a line points at the cell the user sees.
constexpr std::array<const char*, ColumnCount> ColumnCaptions{
    "",        "Freqency", "mode",  "step",       "Carrier", "Tone/DCS", "Tx-tone",
    "Rx-tone", "DCS",      "Shift", "Shift-Freq", "Skip",    "Name"};

QString number(int value) {
    return QString::number(value);
}

QString onOff(bool value) {
    return value ? QStringLiteral("on") : QStringLiteral("off");
}

class Collector {
public:
    explicit Collector(std::vector<Difference>& out) : out_(out) {}
    void add(DataArea area, const QString& place, const QString& field, const QString& before,
             const QString& after) {
        if (before != after)
            always(area, place, field, before, after);
    }
    void always(DataArea area, const QString& place, const QString& field, const QString& before,
                const QString& after) {
        out_.push_back({area, place, field, before, after});
    }

private:
    std::vector<Difference>& out_;
};

// A row as the radio holds it: what a write sends, decoded as a read decodes it. An unused row
// is blank whatever its cells held.
ChannelRow radioView(const ChannelRow& row, int rowNumber) {
    ChannelRow seen;
    if (decodeRecord(encodeRecord(row, rowNumber), seen) != DecodeStatus::Decoded)
        return ChannelRow{};
    return seen;
}

void compareChannels(const ChannelTable& left, const ChannelTable& right, Collector& out) {
    for (int rowNumber = FirstRow; rowNumber <= LastRow; ++rowNumber) {
        const ChannelRow a = radioView(left.row(rowNumber), rowNumber);
        const ChannelRow b = radioView(right.row(rowNumber), rowNumber);
        if (a == b)
            continue;
        const QString place = right.cell(rowNumber, LabelColumn).trimmed();
        if (a.used() != b.used()) {
            out.add(DataArea::Channels, place, QStringLiteral("used"), onOff(a.used()),
                    onOff(b.used()));
        }
        for (int column = FrequencyColumn; column < ColumnCount; ++column) {
            out.add(DataArea::Channels, place,
                    QLatin1String(ColumnCaptions[static_cast<size_t>(column)]), a.cell(column),
                    b.cell(column));
        }
        // Side-table entries without a cell of their own (the train tone).
        out.add(DataArea::Channels, place, QStringLiteral("train"), number(a.train()),
                number(b.train()));
    }
}

void compareBanks(const BankSizes& left, const BankSizes& right, Collector& out) {
    for (int bank = 0; bank < BankCount; ++bank) {
        out.add(DataArea::Banks, QStringLiteral("Bank %1").arg(bank), QStringLiteral("size"),
                number(left.size(bank)), number(right.size(bank)));
    }
}

OneTouch oneTouchView(const RadioAreas& areas) {
    OneTouch seen(areas.banks);
    seen.decodeBlock(areas.oneTouch.buildBlock(), areas.banks);
    return seen;
}

void compareOneTouch(const RadioAreas& left, const RadioAreas& right, Collector& out) {
    const OneTouch a = oneTouchView(left);
    const OneTouch b = oneTouchView(right);
    for (int k = 0; k < OneTouchCount; ++k) {
        const QString place = QStringLiteral("Key %1").arg(k + 1);
        const OneTouchEntry& ea = a.entry(k);
        const OneTouchEntry& eb = b.entry(k);
        out.add(DataArea::OneTouch, place, QStringLiteral("No Setting"), onOff(ea.noSetting),
                onOff(eb.noSetting));
        if (ea.noSetting && eb.noSetting)
            continue;
        out.add(DataArea::OneTouch, place, QStringLiteral("bank"),
                number(a.bankAt(ea.bankPosition)), number(b.bankAt(eb.bankPosition)));
        out.add(DataArea::OneTouch, place, QStringLiteral("channel"), number(ea.channelPosition),
                number(eb.channelPosition));
    }
}

Title titleView(const Title& title) {
    Title seen;
    seen.decodeBlock(title.buildBlock());
    return seen;
}

void compareTitle(const Title& left, const Title& right, Collector& out) {
    const Title a = titleView(left);
    const Title b = titleView(right);
    out.add(DataArea::Title, QStringLiteral("Title"), QStringLiteral("text"), a.text(), b.text());
    out.add(DataArea::Title, QStringLiteral("Title"), QStringLiteral("slide"), number(a.slide()),
            number(b.slide()));
}

SetModeSettings setModeView(const SetModeSettings& settings, const QByteArray& kept) {
    SetModeSettings seen;
    seen.applyRecord(settings.buildRecord(kept));
    return seen;
}

QString entryText(SetModeArray array, int index, int position) {
    const QStringList& entries = setModeEntries(array, index, Language::English);
    return position >= 0 && position < entries.size() ? entries.at(position) : number(position);
}

void compareSetMode(const SetModeSettings& left, const SetModeSettings& right, Collector& out) {
    const SetModeSettings a = setModeView(left, left.record);
    const SetModeSettings b = setModeView(right, left.record);
    for (int arrayIndex = 0; arrayIndex < SetModeArrayCount; ++arrayIndex) {
        const auto array = static_cast<SetModeArray>(arrayIndex);
        for (int index = 0; index < setModeArraySize(array); ++index) {
            out.add(DataArea::Settings, setModeArrayName(array), QStringLiteral("(%1)").arg(index),
                    entryText(array, index, a.position(array, index)),
                    entryText(array, index, b.position(array, index)));
        }
    }
}

// An area of numbered blocks as the radio would hold it: each block built, then read back.
template <typename Area>
Area blocksView(const Area& area, int blockCount) {
    Area seen;
    for (int block = 0; block < blockCount; ++block)
        seen.decodeBlock(block, area.buildBlock(block));
    return seen;
}

void compareDtmf(const DtmfSettings& left, const DtmfSettings& right, Collector& out) {
    const DtmfSettings a = blocksView(left, DtmfBlockCount);
    const DtmfSettings b = blocksView(right, DtmfBlockCount);
    for (int i = 0; i < DtmfMemoryCount; ++i) {
        out.add(DataArea::Settings, QStringLiteral("DTMF"), QStringLiteral("memory %1").arg(i),
                a.memories[static_cast<size_t>(i)], b.memories[static_cast<size_t>(i)]);
    }
    const std::array<std::pair<const char*, std::pair<int, int>>, 5> timings{{
        {"COMMON_WAIT", {a.wait, b.wait}},
        {"COMMON_HEAD", {a.head, b.head}},
        {"COMMON_BURST", {a.burst, b.burst}},
        {"COMMON_PAUSE", {a.pause, b.pause}},
        {"COMMON_DIAL_CH", {a.dialChannel, b.dialChannel}},
    }};
    for (const auto& [name, values] : timings) {
        out.add(DataArea::Settings, QStringLiteral("DTMF"), QLatin1String(name),
                number(values.first), number(values.second));
    }
}

void compareGroups(const Groups& left, const Groups& right, Collector& out) {
    const Groups a = blocksView(left, GroupBlockCount);
    const Groups b = blocksView(right, GroupBlockCount);
    for (int group = 0; group < GroupCount; ++group) {
        for (int bank = 0; bank < BankCount; ++bank) {
            out.add(DataArea::Groups, groupLabel(group), QStringLiteral("Bank %1").arg(bank),
                    onOff(a.isMember(bank, group)), onOff(b.isMember(bank, group)));
        }
    }
}

void compareGlyphs(const GlyphSet& left, const GlyphSet& right, Collector& out) {
    for (int i = 0; i < GlyphCount; ++i) {
        const Glyph& a = left[static_cast<size_t>(i)];
        const Glyph& b = right[static_cast<size_t>(i)];
        if (a == b)
            continue;
        int differing = 0;
        for (int row = 0; row < GlyphSide; ++row) {
            for (int column = 0; column < GlyphSide; ++column)
                differing += a.pixel(row, column) != b.pixel(row, column) ? 1 : 0;
        }
        out.always(DataArea::Glyphs, QStringLiteral("Glyph %1").arg(i + 1),
                   QStringLiteral("%1 pixels differ, pixels set").arg(differing),
                   number(a.countSet()), number(b.countSet()));
    }
}

} // namespace

QString differenceLine(const Difference& difference) {
    return QStringLiteral("%1 %2 %3: %4 -> %5")
        .arg(dataAreaName(difference.area), difference.place, difference.field, difference.before,
             difference.after);
}

QStringList differenceLines(const std::vector<Difference>& differences) {
    QStringList lines;
    for (const Difference& difference : differences)
        lines << differenceLine(difference);
    return lines;
}

std::vector<Difference> compareRadioData(const WholeRadioData& left, const WholeRadioData& right,
                                         DataAreas areas) {
    std::vector<Difference> differences;
    Collector out(differences);
    if (areas.has(DataArea::Channels))
        compareChannels(left.channels, right.channels, out);
    if (areas.has(DataArea::Banks))
        compareBanks(left.areas.banks, right.areas.banks, out);
    if (areas.has(DataArea::OneTouch))
        compareOneTouch(left.areas, right.areas, out);
    if (areas.has(DataArea::Title))
        compareTitle(left.areas.title, right.areas.title, out);
    if (areas.has(DataArea::Settings)) {
        compareSetMode(left.areas.setMode, right.areas.setMode, out);
        compareDtmf(left.areas.dtmf, right.areas.dtmf, out);
    }
    if (areas.has(DataArea::Groups))
        compareGroups(left.areas.groups, right.areas.groups, out);
    if (areas.has(DataArea::Glyphs) && left.glyphsReal && right.glyphsReal)
        compareGlyphs(left.glyphs, right.glyphs, out);
    return differences;
}

} // namespace qmh4
