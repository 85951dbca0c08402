#pragma once

#include <QtGlobal>

#include <array>

// The radio's own character numbering: the code page 932 codes of the 844 double-byte characters
// its display can show (kana, symbols, full-width letters and digits, 444 kanji), in the order
// the radio numbers them. Names and the title may hold only these double-byte characters.
namespace qmh4 {

constexpr int RadioCharacterCount = 1001;      // entries 0..1000
constexpr int FilledRadioCharacterCount = 844; // entries 0..843 hold a code, the rest 0

using RadioCharacterTable = std::array<quint16, RadioCharacterCount>;

const RadioCharacterTable& radioCharacterTable();
// The code at an index; 0 for an unfilled or out-of-range index.
quint16 radioCharacterCode(int index);
// The first index that holds `code` (the radio lists "ａ" to "ｓ" twice); -1 when it is not in
// the table. Code 0 is never found.
int radioCharacterIndex(quint16 code);
bool isRadioCharacterCode(quint16 code);

} // namespace qmh4
