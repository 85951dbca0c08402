#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace qmh4 {

class ChoiceOnlyComboBox;
class FilteredLineEdit;
class MainWindow;

// The "Common Set" page of the main window: the one-touch keys, the opening title and the
// "Setting" frame of set-mode lists, each with its Read, Write and Reset. Every edit goes into
// the window's RadioAreas at once.
class CommonSetPage : public QWidget {
    Q_OBJECT
public:
    CommonSetPage(MainWindow& window, QWidget* parent = nullptr);

    // The page's part of the main window's start-up (defaults of its lists and boxes).
    void applyStartDefaults();
    // Shows the window's one-touch keys and title.
    void showOneTouch();
    void showTitle();
    // The one-touch lists follow the current bank sizes (the page is being shown, or the group
    // editor opens); every key keeps its bank and channel where they still exist.
    void rebuildOneTouch();

    // Controls, by their historical names.
    std::array<ChoiceOnlyComboBox*, 9> COMMON_BANK{};
    std::array<ChoiceOnlyComboBox*, 9> COMMON_CH{};
    std::array<QCheckBox*, 9> NO_SET{};
    QPushButton* READ_ONE_TOUCH;
    QPushButton* WRITE_ONE_TOUCH;
    QPushButton* COMMON_ONE_TOUCH_RESET;
    FilteredLineEdit* TITLE_TEXT;
    std::array<QPushButton*, 8> Command2{}; // the glyph markers ":1~" … ":8~"
    ChoiceOnlyComboBox* Combo1;             // opening slide "OFF" / "ON"
    QLabel* DOUSA;
    QPushButton* TITLE_READ;
    QPushButton* TITLE_WRITE;
    QPushButton* TITLE_CLEAR;
    QPushButton* SETTING_READ;
    QPushButton* SETTING_WRITE;
    QPushButton* SETTING_RESET;

public slots:
    void readOneTouchFromRadio();
    void writeOneTouchToRadio();
    void resetOneTouch();
    void readTitleFromRadio();
    void writeTitleToRadio();
    void clearTitle();
    void appendTitleGlyph(int index);
    void readSettingsFromRadio();
    void writeSettingsToRadio();
    void resetCommonSettings();

private:
    QGroupBox* buildOneTouchFrame();
    QGroupBox* buildTitleFrame();
    QGroupBox* buildSettingFrame();
    void showOneTouchEntry(int k);
    void chooseOneTouchBank(int k, int position);
    void titleEdited();

    MainWindow& window_;
};

} // namespace qmh4
