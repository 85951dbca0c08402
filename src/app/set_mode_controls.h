#pragma once

#include "radio_areas/set_mode_lists.h"

#include <QObject>

#include <map>
#include <utility>

class QWidget;

namespace qmh4 {

class ChoiceOnlyComboBox;
class MainWindow;

// Every set-mode drop-down list of the main window, wherever its page puts it ("Set Mode" or
// the "Setting" frame of "Common Set"), bound to the window's SetModeSettings: a choice the
// user makes goes into the settings at once, and the settings are shown again after a read or
// a reset. Also the window's language switch for the settings pages: the captions and the
// entries of every list change, every list keeps its position.
class SetModeControls : public QObject {
    Q_OBJECT
public:
    // The window's one instance, made on first use.
    static SetModeControls& of(MainWindow& window);

    // Makes the list (array, index), named as the window has always named it
    // ("Set_Mode_Display[3]", "Set_Mode_Preset", "Combo2"), filled in the current language.
    ChoiceOnlyComboBox* create(SetModeArray array, int index, QWidget* parent);
    ChoiceOnlyComboBox* list(SetModeArray array, int index) const;

    // Every list back to the position the settings hold.
    void showSettings();
    // The captions and the list entries in `language`, positions kept.
    void showLanguage(Language language);
    Language language() const { return language_; }

private:
    explicit SetModeControls(MainWindow& window);
    void chosen(SetModeArray array, int index, int position);

    MainWindow& window_;
    Language language_ = Language::Japanese;
    std::map<std::pair<int, int>, ChoiceOnlyComboBox*> lists_;
};

// The object name of a set-mode list: "Set_Mode_Display[3]"; the single lists `Set_Mode_Preset`
// and `Combo2` carry no index.
QString setModeListName(SetModeArray array, int index);

} // namespace qmh4
