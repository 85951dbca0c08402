#pragma once

#include <QString>
#include <QStringList>

namespace qmh4 {

// Interface language of the settings pages: the code the language buttons use.
enum class Language { Japanese = 0, English = 1 };

// The control arrays of set-mode lists. Each element is one drop-down list whose position is
// what the radio and the data file store; `Business` is the single list `Combo2`.
enum class SetModeArray {
    Display,
    Power,
    Send,
    Preset,
    Toutyou,
    Mem,
    Recv,
    Scan,
    Repeater,
    Key,
    Sound,
    Business,
};
constexpr int SetModeArrayCount = 12;

// Number of lists in the control array (Display 16, Power 3, …).
int setModeArraySize(SetModeArray array);
// The control array's name as the window names its controls ("Set_Mode_Display", "Combo2").
QString setModeArrayName(SetModeArray array);
// True for an existing (array, index) pair.
bool isSetModeList(SetModeArray array, int index);

// The entries of one list in a language. Both languages have the same count and order, so a
// position means the same setting in either language. Empty for a pair that does not exist.
const QStringList& setModeEntries(SetModeArray array, int index, Language language);
int setModeEntryCount(SetModeArray array, int index);

// The 51 set-mode items the "WILD Key" and "LAMP Key" lists offer, and the code the radio
// stores for each, in list order.
constexpr int KeyItemCount = 51;
int keyItemCode(int position);
// The position whose code is `code`, or -1 when no item has it.
int keyItemPosition(int code);

} // namespace qmh4
