#pragma once

#include <QString>

#include <optional>

// The rules every value typed into the channel detail dialog must meet before it becomes a
// channel of the table. Frequencies are counted in units of 10 Hz (145.125 MHz = 14512500),
// offsets in kHz. Every refusal is silent: a refused key is dropped, a refused value empties or
// replaces its box.

namespace qmh4 {

// Character limits of the number boxes.
constexpr int MhzBoxLimit = 4;
constexpr int DecimalsBoxLimit = 5;
constexpr int OffsetMhzBoxLimit = 3;
constexpr int OffsetKhzBoxLimit = 3;

constexpr int NameByteLimit = 16;

// Frequency limits in 10 Hz units.
constexpr qint64 LowestFrequency = 53099;      // 0.53099 MHz
constexpr qint64 FrequencyCeiling = 130000000; // 1300 MHz, itself refused
constexpr qint64 LargestOffsetKhz = 999995;    // 999.995 MHz

// Which rules apply to the channel being edited.
enum class ChannelKind {
    Single, // memory, program scan, priority, pass, TSF
    Call,   // CALL-VHF, CALL-UHF, CALL-1.2
    Dual,   // either half of a dual Main/Sub pair
};

ChannelKind channelKindOfRow(int rowNumber);

// The two frequency boxes of a column set: integer MHz and the five 10 Hz decimals.
struct FrequencyBoxes {
    QString mhz;
    QString decimals;
    bool operator==(const FrequencyBoxes&) const = default;
};

// The two offset boxes of a column set: MHz and kHz.
struct OffsetBoxes {
    QString mhz;
    QString khz;
    bool operator==(const OffsetBoxes&) const = default;
};

// --- typed characters ------------------------------------------------------------------------

// A digit box takes a digit while it holds fewer characters than its limit.
bool acceptDigit(const QString& boxText, char32_t character, int limit);

// The name box takes a character the radio's code page holds: a single-byte one while the name
// counts below 16 bytes, a double-byte one while it counts below 15. Control characters and
// characters outside code page 932 are refused.
bool acceptNameCharacter(const QString& name, char32_t character);

// Bytes the name takes in the radio: code page 932 bytes, each glyph marker ":1~" … ":8~"
// counting 2 (the size of the glyph character it stands for).
int nameByteCount(const QString& name);

// --- boxes losing the focus --------------------------------------------------------------------

// Digits only, no leading zeros, an empty box becomes "0".
QString normaliseOffsetMhz(const QString& box);
// Digits only; with 999 in the MHz box a value of 996 or more becomes "995"; padded on the right
// to three digits ("5" → "500"), an empty or over-long box becomes "000".
QString normaliseOffsetKhz(const QString& khzBox, const QString& mhzBox);

// --- "OK"
// -----------------------------------------------------------------------------------------

// 10 Hz units of the boxes (an empty box counts 0); nullopt when a box holds a non-digit or
// more digits than a frequency can have.
std::optional<qint64> frequencyOfBoxes(const FrequencyBoxes& boxes);

// Cleans both boxes: digits only, MHz above 1300 becomes "145", decimals padded to five digits;
// a frequency in the refused bands 824-850 MHz and 869-895 MHz empties both boxes, and for a
// call channel so does any frequency outside the channel's band.
FrequencyBoxes normaliseFrequency(FrequencyBoxes boxes, ChannelKind kind, int rowNumber);

// A call channel never ends empty or outside its band: it falls back to 145, 433 or 1295 MHz.
FrequencyBoxes applyCallFallback(FrequencyBoxes boxes, int rowNumber);

// Memory-type channels: boxes of the wrong size are emptied or zeroed, and a frequency outside
// 0.53099 to 1299.99999 MHz empties both boxes.
FrequencyBoxes applySingleChannelChecks(FrequencyBoxes boxes);

// The frequency text without unit ("145.12500"), or an empty text when the boxes hold no
// frequency the radio can take. Boxes that fail the range are emptied.
QString composeFrequency(FrequencyBoxes& boxes);

// The offset text without unit ("0.600"). Boxes of the wrong size become "0" / "000", and an
// offset above 999.995 MHz becomes 0.
QString composeOffset(OffsetBoxes& boxes);

// Name on "OK": single-byte characters stay; a double-byte character stays only when the
// radio's character table holds it; characters code page 932 cannot hold are dropped.
QString filterNameForRadio(const QString& name);

// --- pass channels -------------------------------------------------------------------------------

// 10 Hz units of a frequency text, with or without "MHz" ("145.12500", "145.12500MHz");
// nullopt for a text that is not MHz "." five decimals.
std::optional<qint64> parseFrequencyText(const QString& text);

} // namespace qmh4
