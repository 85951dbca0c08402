#pragma once

// The comparison behind "Verify…", "Compare with File…", `qmh4 verify` and `qmh4 diff`: two sets
// of working data compared as the radio would hold them. Each side is put through the codec the
// transfers use (encoded as a write would send it, then decoded as a read would), so bytes the
// radio is free to hold — the high nibbles it ignores, the set-mode bytes it keeps for itself,
// the cells of an unused channel — never count as a difference.

#include "transfers/whole_radio.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace qmh4 {

// One value that differs: where it is (the area, the row label or item, the column or field)
// and its value on each side.
struct Difference {
    DataArea area;
    QString place;  // "Bank000-5", "Bank 12", "Key 3", "Group4"
    QString field;  // "Frequency", "Set_Mode_Display(2)", "Bank 7"
    QString before; // the left side (the radio, or the first file)
    QString after;  // the right side (the working data, or the second file)
    bool operator==(const Difference&) const = default;
};

// One line of the report: `channels Bank000-5 Frequency: 145.50000 -> 145.52000`.
QString differenceLine(const Difference& difference);
QStringList differenceLines(const std::vector<Difference>& differences);

// Every difference of `left` against `right` in the chosen areas, in the order of the areas
// above and, inside an area, by row and column. The glyphs are compared only when both sides
// hold real glyphs. The set-mode bytes the radio keeps are taken from `left` for both sides.
std::vector<Difference> compareRadioData(const WholeRadioData& left, const WholeRadioData& right,
                                         DataAreas areas = DataAreas::all());

} // namespace qmh4
