#include "files/common_csv_layout.h"

#include "channels/value_tables.h"
#include "editing/grid_editing.h"
#include "files/csv_file.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <optional>
#include <variant>

namespace qmh4 {

namespace {

const QStringList& layoutColumns() {
    static const QStringList columns = {
        QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
        QStringLiteral("Power"),        QStringLiteral("Comment"),    QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),   QStringLiteral("DVCODE")};
    return columns;
}

// The steps of the value table in hundredths of a kHz, in index order.
constexpr std::array<qint64, StepCount> StepHundredths = {500,   625,   833,   1000,  1250,  1500,
                                                          2000,  2500,  3000,  5000,  10000, 12500,
                                                          15000, 20000, 50000, 100000};

constexpr int LastListRow = LastMemoryRow;

// SQ and Train have no counterpart in the layout: the export names them in the comment as
// "(SQ)" or "(Train 1750Hz)" and the import takes them back from there.
const QString SquelchMark = QStringLiteral("(SQ)");
const QString TrainMarkStart = QStringLiteral("(Train ");

// --- numbers --------------------------------------------------------------------------------

// A decimal text scaled to `decimals` places and rounded half up there ("146.520005" with 5
// places = 14652001, rounded). Digits only, with at most one point; nullopt for anything else.
struct Scaled {
    qint64 value = 0;
    bool rounded = false;
};
std::optional<Scaled> scaledNumber(const QString& text, int decimals) {
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    const auto digits = [](const QString& t) {
        return std::all_of(t.begin(), t.end(),
                           [](QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; });
    };
    if ((whole.isEmpty() && fraction.isEmpty()) || !digits(whole) || !digits(fraction) ||
        whole.size() > 9) {
        return std::nullopt;
    }
    Scaled scaled;
    scaled.value = whole.toLongLong();
    for (int place = 0; place < decimals; ++place) {
        const int digit = place < fraction.size() ? fraction.at(place).digitValue() : 0;
        scaled.value = scaled.value * 10 + digit;
    }
    const QString dropped = fraction.mid(decimals);
    scaled.rounded =
        std::any_of(dropped.begin(), dropped.end(), [](QChar c) { return c != QLatin1Char('0'); });
    if (!dropped.isEmpty() && dropped.at(0) >= QLatin1Char('5'))
        ++scaled.value;
    return scaled;
}

// "146.52001" for 14652001 units of 10^-places.
QString decimalText(qint64 value, int places) {
    qint64 divisor = 1;
    for (int i = 0; i < places; ++i)
        divisor *= 10;
    return QStringLiteral("%1.%2")
        .arg(value / divisor)
        .arg(value % divisor, places, 10, QLatin1Char('0'));
}

// The index of a tone given in Hz ("88.5", "88.50"); nullopt for one outside the list.
std::optional<int> toneIndex(const QString& hz) {
    const auto tenths = scaledNumber(hz, 1);
    if (!tenths || tenths->rounded)
        return std::nullopt;
    const int index = ctcssIndex(decimalText(tenths->value, 1) + QStringLiteral("Hz"));
    return index < 0 ? std::nullopt : std::optional<int>(index);
}

// The index of a DCS code given as "23" or "023"; nullopt for one outside the list.
std::optional<int> dcsCodeIndex(const QString& code) {
    const auto number = scaledNumber(code, 0);
    if (!number || number->rounded || code.contains(QLatin1Char('.')) || number->value > 999)
        return std::nullopt;
    const int index = dcsIndex(QStringLiteral("%1").arg(number->value, 3, 10, QLatin1Char('0')));
    return index < 0 ? std::nullopt : std::optional<int>(index);
}

// --- one line -------------------------------------------------------------------------------

// The fields of one line by column name; a missing column reads as an empty text.
class LineFields {
public:
    LineFields(const QHash<QString, int>& columns, QStringList fields)
        : columns_(columns), fields_(std::move(fields)) {}
    QString operator[](const char* name) const {
        const int index = columns_.value(QLatin1String(name), -1);
        return index >= 0 && index < fields_.size() ? fields_.at(index) : QString();
    }

private:
    const QHash<QString, int>& columns_;
    QStringList fields_;
};

using Refusal = QString;

// What a line gives: the dialog's fields and the remarks on adjusted values, or a refusal.
struct LineChannel {
    DetailFields fields;
    QStringList adjusted;
};

// Frequency and offset into the dialog's boxes.
std::optional<Refusal> takeFrequencies(const LineFields& line, LineChannel& channel, qint64 units,
                                       bool rounded) {
    const QString frequency = line["Frequency"];
    channel.fields.frequency = {QString::number(units / 100000),
                                QStringLiteral("%1").arg(units % 100000, 5, 10, QLatin1Char('0'))};
    if (rounded) {
        channel.adjusted.append(QStringLiteral("frequency %1 MHz rounded to %2 MHz")
                                    .arg(frequency, decimalText(units, 5)));
    }
    const QString duplex = line["Duplex"];
    const int shift = static_cast<int>(
        shiftCaptions().indexOf(duplex.isEmpty() ? QStringLiteral("Off") : duplex));
    if (duplex == QLatin1String("Off") || shift < 0)
        return QStringLiteral("duplex %1").arg(duplex);
    channel.fields.shift = shift;
    const QString offsetText = line["Offset"];
    if (offsetText.isEmpty())
        return std::nullopt;
    const auto khz = scaledNumber(offsetText, 3);
    if (!khz || khz->value > LargestOffsetKhz)
        return QStringLiteral("offset %1 MHz").arg(offsetText);
    if (khz->rounded) {
        channel.adjusted.append(QStringLiteral("offset %1 MHz rounded to %2 MHz")
                                    .arg(offsetText, decimalText(khz->value, 3)));
    }
    channel.fields.offset = {QString::number(khz->value / 1000),
                             QStringLiteral("%1").arg(khz->value % 1000, 3, 10, QLatin1Char('0'))};
    return std::nullopt;
}

// Tone type and the three lists. Lists the tone type does not use take a listed value and keep
// their preset otherwise.
std::optional<Refusal> takeTones(const LineFields& line, LineChannel& channel) {
    DetailFields& fields = channel.fields;
    const QString sent = line["rToneFreq"];
    const QString squelch = line["cToneFreq"];
    const QString code = line["DtcsCode"];
    const auto tx = sent.isEmpty() ? std::optional<int>(DefaultToneIndex) : toneIndex(sent);
    const auto rx = squelch.isEmpty() ? std::optional<int>(DefaultToneIndex) : toneIndex(squelch);
    const auto dcs = code.isEmpty() ? std::optional<int>(DefaultDcsIndex) : dcsCodeIndex(code);
    fields.txTone = tx.value_or(DefaultToneIndex);
    fields.rxTone = rx.value_or(DefaultToneIndex);
    fields.dcs = dcs.value_or(DefaultDcsIndex);
    const auto refuseTone = [](const QString& hz) { return QStringLiteral("tone %1 Hz").arg(hz); };
    const QString kind = line["Tone"];
    const QString cross = line["CrossMode"];
    const bool toneCross =
        kind == QLatin1String("Cross") && (cross.isEmpty() || cross == QLatin1String("Tone->Tone"));
    if (kind == QLatin1String("Tone") || toneCross) {
        if (!tx)
            return refuseTone(sent);
        if (toneCross && !rx)
            return refuseTone(squelch);
        fields.toneType = listedToneTypeIndex(toneCross ? u"TSQ" : u"Tone");
        if (!toneCross)
            fields.rxTone = *tx;
    } else if (kind == QLatin1String("TSQL")) {
        if (!rx)
            return refuseTone(squelch);
        fields.toneType = listedToneTypeIndex(u"TSQ");
        fields.txTone = *rx;
    } else if (kind == QLatin1String("DTCS")) {
        if (!dcs)
            return QStringLiteral("DCS code %1").arg(code);
        const QString polarity = line["DtcsPolarity"];
        if (!polarity.isEmpty() && polarity != QLatin1String("NN"))
            return QStringLiteral("DCS polarity %1").arg(polarity);
        fields.toneType = listedToneTypeIndex(u"DCS");
    } else if (kind == QLatin1String("Cross")) {
        return QStringLiteral("cross mode %1").arg(cross);
    } else if (!kind.isEmpty()) {
        return QStringLiteral("tone mode %1").arg(kind);
    } else {
        const QString comment = line["Comment"];
        const qsizetype train = comment.lastIndexOf(TrainMarkStart);
        const int trainTone =
            train < 0 || !comment.endsWith(QLatin1Char(')'))
                ? -1
                : trainIndex(comment.mid(train + TrainMarkStart.size()).chopped(1));
        if (comment.endsWith(SquelchMark)) {
            fields.toneType = listedToneTypeIndex(u"SQ");
        } else if (trainTone >= 0) {
            fields.toneType = listedToneTypeIndex(u"Train");
            fields.train = trainTone;
        }
    }
    return std::nullopt;
}

// The name as the dialog's box takes it key by key, then as "OK" filters it.
QString typedName(const QString& text) {
    QString name;
    for (const char32_t character : text.toUcs4()) {
        if (acceptNameCharacter(name, character))
            name += QString::fromUcs4(&character, 1);
    }
    return filterNameForRadio(name);
}

void takeOthers(const LineFields& line, LineChannel& channel) {
    DetailFields& fields = channel.fields;
    const QString step = line["TStep"];
    if (!step.isEmpty()) {
        const auto hundredths = scaledNumber(step, 2);
        const auto* found = std::find(StepHundredths.begin(), StepHundredths.end(),
                                      hundredths ? hundredths->value : -1);
        if (found == StepHundredths.end() || hundredths->rounded) {
            channel.adjusted.append(
                QStringLiteral("step %1 kHz set to %2").arg(step, stepCaption(DefaultStepIndex)));
        } else {
            fields.step = static_cast<int>(found - StepHundredths.begin());
        }
    }
    const QString skip = line["Skip"];
    fields.skip = skip == QLatin1String("S");
    if (!fields.skip && !skip.isEmpty())
        channel.adjusted.append(QStringLiteral("skip mark %1 dropped").arg(skip));
    const QString name = line["Name"];
    fields.name = typedName(name);
    if (fields.name != name)
        channel.adjusted.append(
            QStringLiteral("name \"%1\" stored as \"%2\"").arg(name, fields.name));
}

// The channel a line describes, or why the radio cannot hold it as written.
std::variant<LineChannel, Refusal> channelOfLine(const LineFields& line, qint64 units,
                                                 bool rounded) {
    LineChannel channel;
    const QString mode = line["Mode"];
    if (!mode.isEmpty()) {
        channel.fields.mode = listedModeIndex(mode);
        if (channel.fields.mode < 0)
            return QStringLiteral("%1 mode").arg(mode);
    }
    if (auto refusal = takeFrequencies(line, channel, units, rounded))
        return *refusal;
    if (auto refusal = takeTones(line, channel))
        return *refusal;
    takeOthers(line, channel);
    return channel;
}

// --- the file -------------------------------------------------------------------------------

// The lines as text: UTF-8 when the whole file is UTF-8 (a BOM dropped), code page 932 line by
// line otherwise (a line that is no code page 932 either reads as nullopt).
QList<std::optional<QString>> decodedLines(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(bytes);
    Q_UNUSED(decoded)
    const bool isUtf8 = !utf8.hasError();
    QList<std::optional<QString>> lines;
    for (const QByteArray& line : splitLines(bytes))
        lines.append(isUtf8 ? std::optional<QString>(QString::fromUtf8(line)) : decodeLine(line));
    return lines;
}

QString frequencyCell(const QString& cell) {
    return decimalText(static_cast<qint64>(frequencyUnits(cell)), 5) + QLatin1Char('0');
}

QString offsetCell(const QString& cell) {
    return decimalText(static_cast<qint64>(offsetHz(cell).value_or(0)), 6);
}

QString hzOf(const QString& caption) {
    return caption.endsWith(QLatin1String("Hz")) ? caption.chopped(2) : caption;
}

// A field quoted only where a reader would misread it.
QString layoutField(const QString& text) {
    const bool plain = !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
                       !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
                       text.trimmed() == text;
    return plain ? text : quoteCsvField(text);
}

QStringList exportedFields(const ChannelRow& row, int rowNumber) {
    const QString toneType = row.cell(ToneTypeColumn);
    const bool tsq = toneType == QLatin1String("TSQ");
    const bool crossed = tsq && row.txTone() != row.rxTone();
    QString tone;
    if (toneType == QLatin1String("Tone"))
        tone = QStringLiteral("Tone");
    else if (tsq)
        tone = crossed ? QStringLiteral("Cross") : QStringLiteral("TSQL");
    else if (toneType == QLatin1String("DCS"))
        tone = QStringLiteral("DTCS");
    QString comment = row.cell(LabelColumn);
    if (toneType == QLatin1String("SQ"))
        comment += QLatin1Char(' ') + SquelchMark;
    else if (toneType == QLatin1String("Train"))
        comment += QLatin1Char(' ') + TrainMarkStart + row.cell(CarrierColumn) + QLatin1Char(')');
    const QString shift = row.cell(ShiftColumn);
    const int step = row.step() < StepCount ? row.step() : DefaultStepIndex;
    const QString dcs = row.cell(DcsColumn);
    return {QString::number(rowNumber),
            row.cell(NameColumn),
            frequencyCell(row.cell(FrequencyColumn)),
            shift == QLatin1String("+") || shift == QLatin1String("-") ? shift : QString(),
            offsetCell(row.cell(OffsetColumn)),
            tone,
            hzOf(row.cell(TxToneColumn)),
            hzOf(row.cell(RxToneColumn)),
            dcs,
            QStringLiteral("NN"),
            dcs,
            QStringLiteral("Tone->Tone"),
            row.cell(ModeColumn),
            decimalText(StepHundredths[static_cast<size_t>(step)], 2),
            row.cell(SkipColumn) == QLatin1String("*") ? QStringLiteral("S") : QString(),
            QString(),
            comment,
            QString(),
            QString(),
            QString(),
            QString()};
}

QString layoutLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(layoutField(field));
    return quoted.join(QLatin1Char(','));
}

// The columns of the header line by name; nullopt without a Frequency column.
std::optional<QHash<QString, int>> columnsOfHeader(const std::optional<QString>& header) {
    if (!header)
        return std::nullopt;
    QHash<QString, int> columns;
    const QStringList names = parseCsvLine(*header);
    for (int i = 0; i < names.size(); ++i)
        columns.insert(names[i].trimmed(), i);
    if (!columns.contains(QStringLiteral("Frequency")))
        return std::nullopt;
    return columns;
}

// What one line did: written into its row (with remarks on adjusted values), left its row as
// it was (an empty memory), or took no row (with the reason as the one remark).
struct LineOutcome {
    bool takesRow = false;
    bool imported = false;
    QStringList remarks;
};

LineOutcome importLine(const LineFields& line, int row, ChannelTable& table) {
    const QString frequency = line["Frequency"];
    const auto units =
        frequency.isEmpty() ? std::optional<Scaled>(Scaled{}) : scaledNumber(frequency, 5);
    if (units && units->value == 0 && !units->rounded)
        return {true, false, {}};
    if (row > LastListRow)
        return {false, false, {QStringLiteral("past row %1").arg(LastListRow)}};
    if (!units)
        return {false, false, {QStringLiteral("frequency %1").arg(frequency)}};
    std::variant<LineChannel, Refusal> built = channelOfLine(line, units->value, units->rounded);
    if (const Refusal* refusal = std::get_if<Refusal>(&built))
        return {false, false, {*refusal}};
    LineChannel& channel = std::get<LineChannel>(built);
    const DetailRecord record = recordFromFields(channel.fields, ChannelKind::Single, row);
    // The dialog empties a frequency it refuses and puts 145 MHz in place of one above its
    // ceiling: neither is the channel of the file.
    if (record.frequency != decimalText(units->value, 5))
        return {false, false, {QStringLiteral("frequency %1 MHz").arg(frequency)}};
    writeRecordToRow(table, row, record);
    return {true, true, channel.adjusted};
}

} // namespace

bool isCommonLayoutHeader(const QByteArray& bytes) {
    const QList<std::optional<QString>> lines = decodedLines(bytes.left(4096));
    return !lines.isEmpty() && columnsOfHeader(lines.first()).has_value();
}

ChannelListImport importChannelList(const QByteArray& bytes, ChannelTable& table, int firstRow) {
    ChannelListImport result;
    const QList<std::optional<QString>> lines = decodedLines(bytes);
    const std::optional<QHash<QString, int>> columns =
        lines.isEmpty() ? std::nullopt : columnsOfHeader(lines.first());
    if (!columns)
        return result;
    result.readable = true;
    int row = std::max(firstRow, FirstMemoryRow);
    for (int index = 1; index < lines.size(); ++index) {
        const int lineNumber = index + 1;
        if (lines[index] && lines[index]->trimmed().isEmpty())
            continue;
        const LineOutcome outcome =
            lines[index] ? importLine(LineFields(*columns, parseCsvLine(*lines[index])), row, table)
                         : LineOutcome{false,
                                       {},
                                       {QStringLiteral("text that is no UTF-8 or code page 932")}};
        if (!outcome.takesRow) {
            result.skipped.append({lineNumber, outcome.remarks.value(0)});
            continue;
        }
        if (outcome.imported) {
            for (const QString& text : outcome.remarks)
                result.adjusted.append({lineNumber, text});
            result.firstRow = result.imported == 0 ? row : result.firstRow;
            result.lastRow = row;
            ++result.imported;
        }
        ++row;
    }
    return result;
}

QByteArray exportChannelList(const ChannelTable& table) {
    QString text = layoutColumns().join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int rowNumber = FirstRow; rowNumber <= LastTsfRow; ++rowNumber) {
        const ChannelRow& row = table.row(rowNumber);
        if (row.used())
            text += layoutLine(exportedFields(row, rowNumber)) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

FileOutcome importChannelListFile(const QString& path, ChannelTable& table, int firstRow) {
    const std::optional<QByteArray> bytes = readTextFile(path);
    if (!bytes)
        return FileOutcome::refused(FileKind::ChannelList, path);
    ChannelTable imported = table;
    const ChannelListImport report = importChannelList(*bytes, imported, firstRow);
    if (!report.readable)
        return FileOutcome::refused(FileKind::ChannelList, path);
    table = std::move(imported);
    FileOutcome outcome = FileOutcome::read(FileKind::ChannelList, path);
    outcome.channelList = report;
    return outcome;
}

FileOutcome exportChannelListFile(const QString& path, const ChannelTable& table) {
    QString error;
    if (!writeTextFile(path, exportChannelList(table), &error))
        return FileOutcome::writeFailed(FileKind::ChannelList, path, error);
    return FileOutcome::written(FileKind::ChannelList, path);
}

} // namespace qmh4
