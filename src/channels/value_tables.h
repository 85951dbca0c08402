#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The value tables of a channel with the index of every entry, the fixed frequency list, the
// dual remap table and the frequency and offset texts of the grid.
namespace qmh4 {

// Indices of mode, tone type and shift are those of the radio record (mode 0 "NFM", tone type
// 1 "Train"); the detail dialog and the data file number them in caption order instead.
constexpr int ModeCount = 4;
constexpr int StepCount = 16;
constexpr int ToneTypeCount = 6;
constexpr int CtcssCount = 39;
constexpr int DcsCount = 104;
constexpr int TrainCount = 29;
constexpr int ShiftCount = 3;

constexpr int DefaultToneIndex = 8;   // "88.5Hz"
constexpr int DefaultDcsIndex = 0;    // "023"
constexpr int DefaultTrainIndex = 28; // "ＪＲ"
constexpr int DefaultStepIndex = 0;   // "5KHz"

// Caption of an index; an empty string for an index outside the table.
QString modeCaption(int index);     // "NFM" "FM" "AM" "WFM"
QString stepCaption(int index);     // "5KHz" .. "1MHz"
QString toneTypeCaption(int index); // "None" "Train" "Tone" "TSQ" "SQ" "DCS"
QString ctcssCaption(int index);    // "67.0Hz" .. "250.3Hz"
QString dcsCaption(int index);      // "023" .. "754"
QString trainCaption(int index);    // "300Hz" .. "3000Hz", "ＪＲ"
QString shiftCaption(int index);    // "Off" "+" "-"
QString skipCaption(bool skipped);  // "*" or ""

// Index of a caption; -1 when the text is none of the table's captions.
int modeIndex(QStringView caption);
int stepIndex(QStringView caption);
int toneTypeIndex(QStringView caption);
int ctcssIndex(QStringView caption);
int dcsIndex(QStringView caption);
int trainIndex(QStringView caption);
int shiftIndex(QStringView caption);

// The detail dialog and the data file number mode and tone type in the order their lists show
// them: mode 0 "FM", 1 "AM", 2 "NFM", 3 "WFM"; tone type 0 "None", 1 "Tone", 2 "TSQ", 3 "SQ",
// 4 "DCS", 5 "Train". Shift is numbered alike everywhere.
const QStringList& listedModeCaptions();     // "FM" "AM" "NFM" "WFM"
const QStringList& listedToneTypeCaptions(); // "None" "Tone" "TSQ" "SQ" "DCS" "Train"
const QStringList& shiftCaptions();          // "Off" "+" "-"
QString listedModeCaption(int index);
int listedModeIndex(QStringView caption);
QString listedToneTypeCaption(int index);
int listedToneTypeIndex(QStringView caption);

// Frequencies the radio keeps in its own band group although they lie outside the listed bands
// (units of 10 Hz): 53.75..67.75 MHz every 7 MHz, 180.75..229.75 MHz every 7 MHz,
// 476.75..860.75 MHz and 477.25..853.25 MHz every 8 MHz.
constexpr int FixedFrequencyCount = 108;
const std::array<quint32, FixedFrequencyCount>& fixedFrequencies();
bool isFixedFrequency(quint64 units);

// The grid shows each dual pair as Main row then Sub row; the radio keeps the 100 Main channels
// as records 1101..1200 and the 100 Sub channels as records 1201..1300.
constexpr int DualRemapCount = 200;
const std::array<quint16, DualRemapCount>& dualRemapTable();

// A frequency text "145.00000MHz" (10 to 13 characters: 1 to 4 MHz digits, five decimals, "MHz")
// split by its length; any other length gives two empty parts.
struct FrequencyParts {
    QString megahertz;
    QString decimals; // units of 10 Hz
};
FrequencyParts splitFrequencyText(QStringView text);
// The frequency of a text in units of 10 Hz (MHz * 100000 + decimals); 0 for a text of another
// length.
quint64 frequencyUnits(QStringView text);
// The text of a frequency: 145,000,000 Hz -> "145.00000MHz". Hz are rounded to 10 Hz, halves to
// even; below 1 MHz the integer part is "0", and the decimals always have five digits
// (50 kHz -> "0.05000MHz").
QString frequencyTextFromHz(quint32 hz);
QString frequencyTextFromUnits(quint64 units);

// An offset text "0.600MHz" (8 to 10 characters: 1 to 3 MHz digits, three kHz digits, "MHz")
// split by its length; any other length gives two empty parts.
struct OffsetParts {
    QString megahertz;
    QString kilohertz;
};
OffsetParts splitOffsetText(QStringView text);
// The offset of a text in Hz; nullopt for a text of another length (the radio then gets
// offset 0 and shift off).
std::optional<quint32> offsetHz(QStringView text);
// The text of an offset: 600,000 Hz -> "0.600MHz"; Hz below a whole kHz are dropped.
QString offsetTextFromHz(quint32 hz);

// The number the leading decimal digits of a text stand for (leading blanks skipped, reading
// stops at the first other character): "145" -> 145, "14a" -> 14, "" -> 0.
quint64 leadingNumber(QStringView text);

} // namespace qmh4
