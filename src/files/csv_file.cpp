#include "files/csv_file.h"

#include "channels/value_tables.h"
#include "editing/channel_rules.h"
#include "text/cp932.h"

#include <optional>

namespace qmh4 {

namespace {

const QStringList& headerFields() {
    static const QStringList fields = {QString(),
                                       QStringLiteral("Freqency"),
                                       QStringLiteral("mode"),
                                       QStringLiteral("step"),
                                       QStringLiteral("Carrier"),
                                       QStringLiteral("Tone/DCS"),
                                       QStringLiteral("Tx-tone"),
                                       QStringLiteral("Rx-tone"),
                                       QStringLiteral("DCS"),
                                       QStringLiteral("Shift"),
                                       QStringLiteral("Shift-Freq"),
                                       QStringLiteral("Skip"),
                                       QStringLiteral("Name"),
                                       QStringLiteral("0")};
    return fields;
}

// The exported header is 100 characters once its commas are gone; a spreadsheet that drops
// the quotes leaves this text.
constexpr int QuotedHeaderLength = 100;
const QString UnquotedHeader =
    QStringLiteral("FreqencymodestepCarrierTone/DCSTx-toneRx-toneDCSShiftShift-FreqSkipName0");

bool headerAccepted(const QString& line) {
    QString withoutCommas = line;
    withoutCommas.remove(QLatin1Char(','));
    if (withoutCommas.size() == QuotedHeaderLength || withoutCommas == UnquotedHeader) {
        return true;
    }
    return parseCsvLine(line) == headerFields();
}

bool asciiDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool isBlank(QChar ch) {
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t');
}

// The name as the radio's character set allows it in a spreadsheet: single-byte characters
// as they are, every other character one blank.
QString exportedName(const QString& name) {
    QString text;
    for (const char32_t ch : name.toUcs4()) {
        text += cp932::isSingleByte(ch) ? QString::fromUcs4(&ch, 1) : QStringLiteral(" ");
    }
    return text;
}

QString exportedFrequency(const QString& cell) {
    return cell.endsWith(QLatin1String("MHz")) ? cell.chopped(3) : cell;
}

QString csvLine(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        quoted.append(quoteCsvField(field));
    }
    return quoted.join(QLatin1Char(','));
}

QStringList rowFields(const ChannelRow& row, int rowNumber) {
    QStringList fields;
    fields.reserve(14);
    fields.append(row.cell(LabelColumn));
    fields.append(exportedFrequency(row.cell(FrequencyColumn)));
    for (int column = ModeColumn; column <= SkipColumn; ++column) {
        fields.append(row.cell(column));
    }
    fields.append(exportedName(row.name()));
    fields.append(QString::number(rowNumber));
    return fields;
}

// The frequency cell of an imported text ("145.125" → "145.12500MHz"), or nullopt when the text
// is no frequency the channel record can hold or lies in a band the radio may not receive.
// A text without a point is whole MHz (spreadsheets write 145.00000 as 145).
std::optional<QString> importedFrequency(const QString& text) {
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString mhz = point < 0 ? text : text.left(point);
    QString decimals = point < 0 ? QString() : text.mid(point + 1);
    if (mhz.isEmpty() || mhz.size() > 4 || !asciiDigits(mhz) || decimals.size() > 5 ||
        !asciiDigits(decimals) || (point >= 0 && decimals.isEmpty())) {
        return std::nullopt;
    }
    decimals = decimals.leftJustified(5, QLatin1Char('0'));
    const qint64 units = mhz.toLongLong() * 100000 + decimals.toLongLong();
    constexpr qint64 RecordLimit = 429496729; // 4294.96729 MHz, the most 32 bits of Hz hold
    const bool refusedBand =
        (units >= 82400000 && units < 85000000) || (units >= 86900000 && units < 89500000);
    if (units > RecordLimit || refusedBand) {
        return std::nullopt;
    }
    return QString::number(mhz.toInt()) + QLatin1Char('.') + decimals + QStringLiteral("MHz");
}

// The offset normalised as the detail dialog does it; "0.000MHz" for anything else.
QString importedOffset(QString text) {
    if (text.endsWith(QLatin1String("MHz"))) {
        text.chop(3);
    }
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    OffsetBoxes boxes{point < 0 ? text : text.left(point),
                      point < 0 ? QString() : text.mid(point + 1)};
    if (!asciiDigits(boxes.mhz) || !asciiDigits(boxes.khz) || boxes.khz.size() > 3) {
        return QStringLiteral("0.000MHz");
    }
    boxes.mhz = normaliseOffsetMhz(boxes.mhz);
    boxes.khz = normaliseOffsetKhz(boxes.khz, boxes.mhz);
    return composeOffset(boxes) + QStringLiteral("MHz");
}

// A spreadsheet takes the DCS code "023" for a number and saves it as 23: one to three digits
// name the code they spell once padded with zeros.
int importedDcsIndex(const QString& text) {
    if (text.isEmpty() || text.size() > 3 || !asciiDigits(text)) {
        return -1;
    }
    return dcsIndex(text.rightJustified(3, QLatin1Char('0')));
}

bool oneOf(const QString& text, std::initializer_list<const char*> accepted) {
    return std::any_of(accepted.begin(), accepted.end(),
                       [&](const char* a) { return text == QLatin1String(a); });
}

// Where the texts of a row come from: a name of more than 16 bytes is refused only from the
// file; a table row keeps the name the radio or the editor gave it.
enum class RowSource { File, Table };

using RowTexts = std::array<QString, ColumnCount>;

// Checks a row's texts and, when none is refused, gives the row them: the indexed columns and
// the name through their setters, so every index comes with its caption. False, the row
// untouched, when a text is refused.
bool applyImportedTexts(const RowTexts& texts, ChannelRow& row,
                        RowSource source = RowSource::File) {
    const int step = stepIndex(texts[StepColumn]);
    // Spreadsheets and keyboards often hold "JR" in half-width letters.
    const int train = texts[CarrierColumn] == QLatin1String("JR")
                          ? TrainCount - 1
                          : trainIndex(texts[CarrierColumn]);
    const int tx = ctcssIndex(texts[TxToneColumn]);
    const int rx = ctcssIndex(texts[RxToneColumn]);
    const int dcs = importedDcsIndex(texts[DcsColumn]);
    const QString name = filterNameForRadio(texts[NameColumn]);
    if (listedModeIndex(texts[ModeColumn]) < 0 || step < 0 || train < 0 ||
        listedToneTypeIndex(texts[ToneTypeColumn]) < 0 || tx < 0 || rx < 0 || dcs < 0 ||
        shiftIndex(texts[ShiftColumn]) < 0 || !oneOf(texts[SkipColumn], {"*", ""}) ||
        (source == RowSource::File && nameByteCount(name) > NameByteLimit)) {
        return false;
    }
    for (const int column : {FrequencyColumn, ModeColumn, ToneTypeColumn, ShiftColumn, SkipColumn})
        row.cell(column) = texts[static_cast<size_t>(column)];
    row.setStep(step);
    row.setTrain(train); // "JR" becomes "ＪＲ"
    row.setTxTone(tx);
    row.setRxTone(rx);
    row.setDcs(dcs); // "23" becomes "023"
    row.cell(OffsetColumn) = importedOffset(texts[OffsetColumn]);
    row.setNameWithMarkers(name);
    row.markUsed();
    return true;
}

// Applies one line to its row; false when the line held a value that was refused (the row is
// then empty), true for a valid or an empty row.
bool importRow(const QByteArray& bytes, ChannelRow& row) {
    const std::optional<QString> line = decodeLine(bytes);
    if (!line) {
        row.blankAsUnused();
        return false;
    }
    return importCsvFields(parseCsvLine(*line), row);
}

// A row the file does not reach is validated like the rows read: the grid must not show a
// channel that is not marked used (the next write would erase it), nor mark one used whose
// texts the radio cannot hold. Its frequency text came from the table: it keeps its digits,
// point and unit, and the bands refused in a file's texts do not apply.
bool validateRowBeyondFile(ChannelRow& row) {
    QString& frequency = row.cell(FrequencyColumn);
    frequency.removeIf(
        [](QChar c) { return !(c >= u'0' && c <= u'9') && !QStringLiteral(".MHz").contains(c); });
    if (frequency.isEmpty()) {
        return true;
    }
    const RowTexts texts = row.cells(); // a copy: the row changes while they are applied
    if (!applyImportedTexts(texts, row, RowSource::Table)) {
        row.blankAsUnused();
        return false;
    }
    return true;
}

} // namespace

bool importCsvFields(const QStringList& fields, ChannelRow& row) {
    RowTexts texts;
    for (int column = FrequencyColumn; column <= NameColumn; ++column) {
        texts[static_cast<size_t>(column)] = column < fields.size() ? fields.at(column) : QString();
    }
    const std::optional<QString> frequency = importedFrequency(texts[FrequencyColumn]);
    if (!frequency) {
        row.blankAsUnused();
        return texts[FrequencyColumn].isEmpty();
    }
    texts[FrequencyColumn] = *frequency;
    if (!applyImportedTexts(texts, row)) {
        row.blankAsUnused();
        return false;
    }
    return true;
}

QStringList csvRowFields(const ChannelRow& row, int rowNumber) {
    return rowFields(row, rowNumber);
}

QString csvRowLine(const ChannelRow& row, int rowNumber) {
    return csvLine(rowFields(row, rowNumber));
}

QStringList parseCsvLine(const QString& line) {
    QStringList fields;
    QString field;
    qsizetype kept = 0; // length of `field` that is not trailing blank outside quotes
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar ch = line.at(i);
        if (inQuotes) {
            if (ch != QLatin1Char('"')) {
                field += ch;
                kept = field.size();
            } else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                field += ch;
                kept = field.size();
                ++i;
            } else {
                inQuotes = false;
            }
        } else if (ch == QLatin1Char('"')) {
            field.truncate(kept);
            inQuotes = true;
        } else if (ch == QLatin1Char(',')) {
            fields.append(field.left(kept));
            field.clear();
            kept = 0;
        } else if (isBlank(ch)) {
            if (!field.isEmpty()) {
                field += ch;
            }
        } else {
            field += ch;
            kept = field.size();
        }
    }
    fields.append(field.left(kept));
    return fields;
}

QString quoteCsvField(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QByteArray exportCsv(const ChannelTable& table) {
    QStringList lines;
    lines.reserve(LastRow + 1);
    lines.append(csvLine(headerFields()));
    for (int rowNumber = FirstRow; rowNumber <= LastRow; ++rowNumber) {
        lines.append(csvLine(rowFields(table.row(rowNumber), rowNumber)));
    }
    return encodeLines(lines);
}

CsvImportReport importCsv(const QByteArray& bytes, ChannelTable& table) {
    CsvImportReport report;
    const QList<QByteArray> lines = splitLines(bytes);
    const std::optional<QString> header =
        lines.isEmpty() ? std::nullopt : decodeLine(lines.first());
    if (!header || !headerAccepted(*header)) {
        return report;
    }
    report.headerAccepted = true;
    ChannelTable imported = table;
    for (int rowNumber = FirstRow; rowNumber <= LastImportedRow && rowNumber < lines.size();
         ++rowNumber) {
        if (!importRow(lines.at(rowNumber), imported.row(rowNumber))) {
            report.refusedRows.append(rowNumber);
        }
        ++report.rowsRead;
    }
    for (int rowNumber = FirstRow + report.rowsRead; rowNumber <= LastImportedRow; ++rowNumber) {
        if (!validateRowBeyondFile(imported.row(rowNumber))) {
            report.refusedRows.append(rowNumber);
        }
    }
    table = std::move(imported);
    return report;
}

FileOutcome exportCsvFile(const QString& path, const ChannelTable& table) {
    QString error;
    if (!writeTextFile(path, exportCsv(table), &error))
        return FileOutcome::writeFailed(FileKind::Csv, path, error);
    return FileOutcome::written(FileKind::Csv, path);
}

FileOutcome importCsvFile(const QString& path, ChannelTable& table) {
    const FileOutcome refused = FileOutcome::refused(FileKind::Csv, path);
    if (!pathEndsWith(path, QStringLiteral("CSV")))
        return refused;
    const std::optional<QByteArray> bytes = readTextFile(path);
    if (!bytes)
        return refused;
    const CsvImportReport report = importCsv(*bytes, table);
    if (!report.headerAccepted)
        return refused;
    return FileOutcome::read(FileKind::Csv, path, report.refusedRows);
}

} // namespace qmh4
