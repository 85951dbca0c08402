#pragma once

class QWidget;

namespace qmh4 {

// The texts the splash and about windows show.
inline constexpr const char* ProductTitle = "KORVAN QM-H4 Clone Utility";
inline constexpr const char* VersionText = "Version 1_7";
inline constexpr const char* ReleaseDate = "2010/10/08";

// The picture of the splash and about windows: a drawing of a handheld radio.
QWidget* makeRadioPicture(QWidget* parent);

} // namespace qmh4
