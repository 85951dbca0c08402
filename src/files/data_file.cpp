#include "files/data_file.h"

#include "channels/value_tables.h"
#include "editing/channel_rules.h"
#include "text/cp932.h"

#include <QLocale>

#include <optional>

namespace qmh4 {

namespace {

// The data file numbers mode, tone type and shift in caption order.
const QStringList& FileModes = listedModeCaptions();
const QStringList& FileToneTypes = listedToneTypeCaptions();
const QStringList& FileShifts = shiftCaptions();

constexpr int ChannelFixedLength = 38;   // "CH" line without its name
constexpr int ChannelNameByteLimit = 32; // name bytes a "CH" line may carry
constexpr int BankLineLength = 36;
constexpr int BankLineCount = 5;
constexpr int BanksPerLine = 10;
constexpr int OneTouchLineLength = 40;
constexpr int SetDtmfLength = 23;
constexpr int GroupLineLength = 55;
constexpr int UnusableLineLength = 53;
constexpr quint64 RecordFrequencyLimit = 429496729; // 4294.96729 MHz: 32 bits of Hz

// The "SD01" .. "SD11" lines, in key order, and how many lists of the array each carries.
struct SetModeLine {
    SetModeArray array;
    int items;
};
constexpr std::array<SetModeLine, 11> SetModeLines = {{
    {SetModeArray::Display, 16},
    {SetModeArray::Power, 3},
    {SetModeArray::Send, 13},
    {SetModeArray::Preset, 1},
    {SetModeArray::Toutyou, 2},
    {SetModeArray::Mem, 1},
    {SetModeArray::Recv, 8},
    {SetModeArray::Scan, 10},
    {SetModeArray::Repeater, 3},
    {SetModeArray::Key, 12},
    {SetModeArray::Sound, 6},
}};

QString padded(qint64 value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// ----- writer ---------------------------------------------------------------------------------

QString channelLine(int channelIndex, const ChannelRow& row) {
    QString frequency = row.cell(FrequencyColumn);
    frequency.remove(QStringLiteral("MHz"));
    const QString& offsetCell = row.cell(OffsetColumn);
    QString offset = offsetCell;
    offset.remove(QStringLiteral("MHz"));
    if (offsetCell.size() < 8 || offsetCell.size() > 10) {
        offset = QStringLiteral("000.000");
    }
    const auto digitOf = [](const QStringList& captions, const QString& text) {
        return QString::number(std::max(qsizetype{0}, captions.indexOf(text)));
    };
    return QStringLiteral("CH") + padded(channelIndex, 4) +
           frequency.rightJustified(10, QLatin1Char('0')) +
           digitOf(FileModes, row.cell(ModeColumn)) + padded(row.step(), 2) +
           padded(row.train(), 2) + digitOf(FileToneTypes, row.cell(ToneTypeColumn)) +
           padded(row.txTone(), 2) + padded(row.rxTone(), 2) + padded(row.dcs(), 3) +
           digitOf(FileShifts, row.cell(ShiftColumn)) + offset.rightJustified(7, QLatin1Char('0')) +
           (row.cell(SkipColumn) == QLatin1String("*") ? QLatin1Char('1') : QLatin1Char('0')) +
           row.cell(NameColumn);
}

// A bank of 1000 does not fit the 3-digit field: it is written as the four digits "1000", so
// its line is 37 characters long. Only one bank can hold 1000 (the total is 1000), every other
// field of the file then reads "000", and the reader finds the "1000" unambiguously.
QString bankLine(int line, const BankSizes& banks) {
    QString text = QStringLiteral("BK") + padded(line, 4);
    for (int j = 0; j < BanksPerLine; ++j) {
        text += padded(banks.size(line * BanksPerLine + j), 3);
    }
    return text;
}

void appendOneTouchLines(QStringList& lines, const RadioData& data) {
    QString bank = QStringLiteral("ONETOUCH_BANK");
    QString channel = QStringLiteral("ONETOUCH_CHDA");
    const auto bankValues = data.areas.oneTouch.fileBankValues();
    const auto channelValues = data.areas.oneTouch.fileChannelValues();
    for (int k = 0; k < OneTouchCount; ++k) {
        bank += padded(bankValues[static_cast<size_t>(k)], 3);
        channel += padded(channelValues[static_cast<size_t>(k)], 3);
    }
    lines << bank << channel;
}

void appendDtmfLines(QStringList& lines, const DtmfSettings& dtmf) {
    for (int i = 0; i < DtmfMemoryCount; ++i) {
        const QString& memory = dtmf.memories[static_cast<size_t>(i)];
        if (!memory.isEmpty()) {
            lines << QStringLiteral("NUM_DTMF") + padded(i, 3) + memory;
        }
    }
    lines << QStringLiteral("SET_DTMF") + padded(dtmf.wait, 3) + padded(dtmf.head, 3) +
                 padded(dtmf.burst, 3) + padded(dtmf.pause, 3) + padded(dtmf.dialChannel, 3);
}

QString flags(const std::array<bool, BankCount>& set) {
    QString text;
    for (const bool flag : set) {
        text += flag ? QLatin1Char('1') : QLatin1Char('0');
    }
    return text;
}

void appendGroupLines(QStringList& lines, const Groups& groups) {
    for (int g = 0; g < GroupCount; ++g) {
        std::array<bool, BankCount> members{};
        for (int b = 0; b < BankCount; ++b) {
            members[static_cast<size_t>(b)] = groups.isMember(b, g);
        }
        lines << QStringLiteral("GRD") + padded(g, 2) + flags(members);
    }
    std::array<bool, BankCount> unusable{};
    for (int b = 0; b < BankCount; ++b) {
        unusable[static_cast<size_t>(b)] = groups.isUnusable(b);
    }
    lines << QStringLiteral("GRI") + flags(unusable);
}

void appendSetModeLines(QStringList& lines, const SetModeSettings& setMode) {
    for (size_t key = 0; key < SetModeLines.size(); ++key) {
        QString text = QStringLiteral("SD") + padded(static_cast<int>(key) + 1, 2);
        for (int i = 0; i < SetModeLines[key].items; ++i) {
            text += padded(setMode.position(SetModeLines[key].array, i), 3);
        }
        lines << text;
    }
}

// ----- reader ---------------------------------------------------------------------------------

// The number of the digits at 1-based `position`, `width` long; nullopt unless all are digits.
std::optional<int> numberAt(const QString& line, int position, int width) {
    if (line.size() < position - 1 + width) {
        return std::nullopt;
    }
    int value = 0;
    for (int i = 0; i < width; ++i) {
        const QChar ch = line.at(position - 1 + i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = value * 10 + (ch.unicode() - '0');
    }
    return value;
}

std::optional<int> indexAt(const QString& line, int position, int width, int count) {
    const auto value = numberAt(line, position, width);
    return value && *value < count ? value : std::nullopt;
}

std::optional<bool> flagAt(const QString& line, int position) {
    const QChar ch = line.at(position - 1);
    if (ch == QLatin1Char('0') || ch == QLatin1Char('1')) {
        return ch == QLatin1Char('1');
    }
    return std::nullopt;
}

QString captionOfDigit(const QStringList& captions, QChar digit) {
    const int index = digit.unicode() - '0';
    return index >= 0 && index < captions.size() ? captions.at(index) : captions.first();
}

// The name kept from a "CH" line or the title kept from a "TITLE" line: single-byte characters
// and the double-byte characters the radio can show. `keepGlyphs` also keeps ① .. ⑧.
QString filteredRadioText(const QString& text, bool keepGlyphs) {
    if (!keepGlyphs) {
        return filterNameForRadio(text);
    }
    QString kept;
    for (const QChar ch : text) {
        const bool glyph = ch.unicode() >= cp932::FirstGlyph &&
                           ch.unicode() < cp932::FirstGlyph + cp932::GlyphCount;
        if (glyph || !filterNameForRadio(QString(ch)).isEmpty()) {
            kept += ch;
        }
    }
    return kept;
}

std::optional<ChannelRow> parseChannelLine(const QString& line, const ChannelRow& current,
                                           int* rowNumber) {
    if (line.size() < ChannelFixedLength) {
        return std::nullopt;
    }
    const auto index = indexAt(line, 3, 4, RowCount);
    const auto mhz = numberAt(line, 7, 4);
    const auto decimals = numberAt(line, 12, 5);
    const auto step = indexAt(line, 18, 2, StepCount);
    const auto train = indexAt(line, 20, 2, TrainCount);
    const auto tx = indexAt(line, 23, 2, CtcssCount);
    const auto rx = indexAt(line, 25, 2, CtcssCount);
    const auto dcs = indexAt(line, 27, 3, DcsCount);
    const auto offsetMhz = numberAt(line, 31, 3);
    const auto offsetKhz = numberAt(line, 35, 3);
    const auto skip = flagAt(line, 38);
    if (!index || !mhz || line.at(10) != QLatin1Char('.') || !decimals || !step || !train || !tx ||
        !rx || !dcs || !offsetMhz || !offsetKhz || !skip ||
        static_cast<quint64>(*mhz) * 100000 + static_cast<quint64>(*decimals) >
            RecordFrequencyLimit) {
        return std::nullopt;
    }
    const QString rawName = line.mid(ChannelFixedLength);
    const auto nameBytes = cp932::encode(rawName);
    const QString name = filteredRadioText(rawName, false);
    if (!nameBytes || nameBytes->size() > ChannelNameByteLimit ||
        nameByteCount(name) > NameByteLimit) {
        return std::nullopt;
    }
    ChannelRow row = current;
    row.cell(FrequencyColumn) =
        QString::number(*mhz) + QLatin1Char('.') + line.mid(11, 5) + QStringLiteral("MHz");
    row.cell(ModeColumn) = captionOfDigit(FileModes, line.at(16));
    row.setStep(*step);
    row.setTrain(*train);
    row.cell(ToneTypeColumn) = captionOfDigit(FileToneTypes, line.at(21));
    row.setTxTone(*tx);
    row.setRxTone(*rx);
    row.setDcs(*dcs);
    row.cell(ShiftColumn) = captionOfDigit(FileShifts, line.at(29));
    row.cell(OffsetColumn) =
        QString::number(*offsetMhz) + QLatin1Char('.') + line.mid(34, 3) + QStringLiteral("MHz");
    row.cell(SkipColumn) = *skip ? QStringLiteral("*") : QString();
    row.setNameWithMarkers(name);
    row.markUsed();
    *rowNumber = *index + 1;
    return row;
}

bool applyChannelLine(const QString& line, RadioData& data) {
    int rowNumber = 0;
    const int index = numberAt(line, 3, 4).value_or(RowCount);
    if (index >= RowCount) {
        return false;
    }
    const auto row = parseChannelLine(line, data.channels.row(index + 1), &rowNumber);
    if (!row) {
        return false;
    }
    data.channels.row(rowNumber) = *row;
    return true;
}

// The ten sizes of a "BK" line: 3-digit fields, or the 37-character form of a bank of 1000.
std::optional<std::array<int, BanksPerLine>> bankSizesOf(const QString& line) {
    std::array<int, BanksPerLine> sizes{};
    const QString fields = line.mid(6);
    const bool thousandForm = line.size() == BankLineLength + 1 &&
                              fields.count(QLatin1Char('1')) == 1 &&
                              fields.count(QLatin1Char('0')) == fields.size() - 1;
    if (thousandForm) {
        const qsizetype at = fields.indexOf(QLatin1Char('1'));
        if (at % 3 != 0) {
            return std::nullopt;
        }
        sizes[static_cast<size_t>(at / 3)] = MaxBankSize;
        return sizes;
    }
    for (int j = 0; j < BanksPerLine; ++j) {
        const auto size = numberAt(line, 7 + 3 * j, 3);
        if (!size) {
            return std::nullopt;
        }
        sizes[static_cast<size_t>(j)] = *size;
    }
    return sizes;
}

bool applyBankLine(const QString& line, RadioData& data) {
    const auto number = indexAt(line, 3, 4, BankLineCount);
    const auto sizes = line.size() >= BankLineLength ? bankSizesOf(line) : std::nullopt;
    if (!number || !sizes) {
        return false;
    }
    for (int j = 0; j < BanksPerLine; ++j) {
        data.areas.banks.setSize(*number * BanksPerLine + j, (*sizes)[static_cast<size_t>(j)]);
    }
    return true;
}

int nonEmptyBankCount(const BankSizes& banks) {
    const NonEmptyBankList list = banks.nonEmptyBanks();
    return static_cast<int>(
        std::count_if(list.begin(), list.end(), [](quint8 b) { return b != NoBank; }));
}

// The nine values of a one-touch line are applied together, and only when each names an entry
// of its list: a bank list position among the non-empty banks (or 255, "No Setting"), a
// channel position within the entry's bank.
bool applyOneTouchLine(const QString& line, RadioData& data) {
    if (line.size() < OneTouchLineLength) {
        return false;
    }
    const QString key = line.left(13);
    const bool bankLine = key == QLatin1String("ONETOUCH_BANK");
    if (!bankLine && key != QLatin1String("ONETOUCH_CHDA")) {
        return false;
    }
    std::array<int, OneTouchCount> values{};
    for (int k = 0; k < OneTouchCount; ++k) {
        const auto value = numberAt(line, 14 + 3 * k, 3);
        const int limit =
            bankLine ? nonEmptyBankCount(data.areas.banks) : data.areas.oneTouch.channelCount(k);
        if (!value || (*value >= limit && !(bankLine && *value == OneTouchNotSet))) {
            return false;
        }
        values[static_cast<size_t>(k)] = *value;
    }
    if (bankLine) {
        data.areas.oneTouch.applyFileBankValues(values, data.areas.banks);
    } else {
        data.areas.oneTouch.applyFileChannelValues(values);
    }
    return true;
}

bool applyDtmfMemoryLine(const QString& line, RadioData& data) {
    const auto index = indexAt(line, 9, 3, DtmfMemoryCount);
    const QString text = line.mid(11);
    if (!line.startsWith(QLatin1String("NUM_DTMF")) || !index || text.isEmpty() ||
        text.size() > DtmfMemoryLength) {
        return false;
    }
    data.areas.dtmf.setMemory(*index, text);
    return true;
}

bool applyDtmfSettingLine(const QString& line, RadioData& data) {
    if (line.size() != SetDtmfLength || !line.startsWith(QLatin1String("SET_DTMF"))) {
        return false;
    }
    const int timingCount = static_cast<int>(dtmfTimeEntries().size());
    const auto wait = indexAt(line, 9, 3, static_cast<int>(dtmfWaitEntries().size()));
    const auto head = indexAt(line, 12, 3, timingCount);
    const auto burst = indexAt(line, 15, 3, timingCount);
    const auto pause = indexAt(line, 18, 3, timingCount);
    const auto dial = indexAt(line, 21, 3, static_cast<int>(dtmfDialChannelEntries().size()));
    if (!wait || !head || !burst || !pause || !dial) {
        return false;
    }
    data.areas.dtmf.setWait(*wait);
    data.areas.dtmf.setHead(*head);
    data.areas.dtmf.setBurst(*burst);
    data.areas.dtmf.setPause(*pause);
    data.areas.dtmf.setDialChannel(*dial);
    return true;
}

// The title keeps ① .. ⑧ (the radio's user glyphs), shown in the field as markers.
bool applyTitleLine(const QString& line, RadioData& data) {
    if (!line.startsWith(QLatin1String("TITLE"))) {
        return false;
    }
    const QString title = cp932::glyphsToMarkers(filteredRadioText(line.mid(5), true));
    const auto length = cp932::countedLength(title);
    if (!length || *length > TitleMaxBytes) {
        return false;
    }
    data.areas.title.setText(title);
    return true;
}

std::optional<std::array<bool, BankCount>> flagsAt(const QString& line, int position) {
    std::array<bool, BankCount> set{};
    for (int b = 0; b < BankCount; ++b) {
        const auto flag = flagAt(line, position + b);
        if (!flag) {
            return std::nullopt;
        }
        set[static_cast<size_t>(b)] = *flag;
    }
    return set;
}

bool applyGroupLine(const QString& line, RadioData& data) {
    if (line.startsWith(QLatin1String("GRD")) && line.size() == GroupLineLength) {
        const auto group = indexAt(line, 4, 2, GroupCount);
        const auto members = group ? flagsAt(line, 6) : std::nullopt;
        if (!members) {
            return false;
        }
        for (int b = 0; b < BankCount; ++b) {
            data.areas.groups.setMember(b, *group, (*members)[static_cast<size_t>(b)]);
        }
        return true;
    }
    if (line.startsWith(QLatin1String("GRI")) && line.size() == UnusableLineLength) {
        const auto unusable = flagsAt(line, 4);
        for (int b = 0; unusable && b < BankCount; ++b) {
            data.areas.groups.setUnusable(b, (*unusable)[static_cast<size_t>(b)]);
        }
        return unusable.has_value();
    }
    return false;
}

bool applySetModeLine(const QString& line, RadioData& data) {
    const auto key = numberAt(line, 3, 2);
    if (!key || *key < 1 || *key > static_cast<int>(SetModeLines.size())) {
        return false;
    }
    const SetModeLine& target = SetModeLines[static_cast<size_t>(*key - 1)];
    std::vector<int> positions;
    for (int i = 0; i < target.items; ++i) {
        const auto value = indexAt(line, 5 + 3 * i, 3, setModeEntryCount(target.array, i));
        if (!value) {
            return false;
        }
        positions.push_back(*value);
    }
    for (int i = 0; i < target.items; ++i) {
        data.areas.setMode.setPosition(target.array, i, positions[static_cast<size_t>(i)]);
    }
    return true;
}

// Lines that carry nothing to apply and are never reported.
bool isIgnoredLine(const QString& line) {
    return line.isEmpty() || line.startsWith(QLatin1String("CO")) ||
           line == QLatin1String("File End");
}

bool applyLine(const QString& line, RadioData& data) {
    const QString key = line.left(2);
    if (key == QLatin1String("CH")) {
        return applyChannelLine(line, data);
    }
    if (key == QLatin1String("BK")) {
        return applyBankLine(line, data);
    }
    if (key == QLatin1String("ON")) {
        return applyOneTouchLine(line, data);
    }
    if (key == QLatin1String("NU")) {
        return applyDtmfMemoryLine(line, data);
    }
    if (key == QLatin1String("SE")) {
        return applyDtmfSettingLine(line, data);
    }
    if (key == QLatin1String("TI")) {
        return applyTitleLine(line, data);
    }
    if (key == QLatin1String("GR")) {
        return applyGroupLine(line, data);
    }
    if (key == QLatin1String("SD")) {
        return applySetModeLine(line, data);
    }
    return false;
}

} // namespace

QByteArray writeDataFile(const RadioData& data, const QDateTime& now) {
    const QLocale locale = QLocale::system();
    QStringList lines;
    lines.reserve(RowCount + 40);
    lines << QStringLiteral("Save Date and Time ") +
                 locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                 locale.toString(now.time(), QLocale::LongFormat);
    for (int rowNumber = FirstRow; rowNumber <= LastRow; ++rowNumber) {
        const ChannelRow& row = data.channels.row(rowNumber);
        if (row.used()) {
            lines << channelLine(rowNumber - 1, row);
        }
    }
    if (data.areas.banks.total() == MemoryChannelCount) {
        for (int line = 0; line < BankLineCount; ++line) {
            lines << bankLine(line, data.areas.banks);
        }
        appendOneTouchLines(lines, data);
    }
    appendDtmfLines(lines, data.areas.dtmf);
    lines << QStringLiteral("TITLE") + data.areas.title.radioText();
    appendGroupLines(lines, data.areas.groups);
    appendSetModeLines(lines, data.areas.setMode);
    lines << QStringLiteral("COMPORT") + padded(data.comPort, 2);
    lines << QStringLiteral("File End");
    return encodeLines(lines);
}

DataFileReport readDataFile(const QByteArray& bytes, RadioData& data) {
    DataFileReport report;
    RadioData loaded = data;
    loaded.channels.clearAllChannels();
    const QList<QByteArray> lines = splitLines(bytes);
    // The first line is the header and is never read.
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const std::optional<QString> line = decodeLine(lines.at(i));
        if (line && isIgnoredLine(*line)) {
            continue;
        }
        if (!line || !applyLine(*line, loaded)) {
            report.skippedLines.append(static_cast<int>(i + 1));
        }
    }
    // What the bank sizes decide follows them at once: the memory rows' labels and the
    // one-touch lists.
    loaded.areas.banks.relabel(loaded.channels);
    loaded.areas.oneTouch.rebuild(loaded.areas.banks);
    data = std::move(loaded);
    return report;
}

FileOutcome saveDataFile(const QString& path, const RadioData& data, const QDateTime& now) {
    QString error;
    if (!writeTextFile(path, writeDataFile(data, now), &error))
        return FileOutcome::writeFailed(FileKind::Data, path, error);
    return FileOutcome::written(FileKind::Data, path);
}

FileOutcome openDataFile(const QString& path, RadioData& data) {
    if (!pathEndsWith(path, QStringLiteral(".H4")))
        return FileOutcome::refused(FileKind::Data, path);
    const std::optional<QByteArray> bytes = readTextFile(path);
    if (!bytes)
        return FileOutcome::refused(FileKind::Data, path);
    return FileOutcome::read(FileKind::Data, path, readDataFile(*bytes, data).skippedLines);
}

} // namespace qmh4
