#pragma once

#include "radio_areas/dtmf.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace qmh4 {

class ChoiceOnlyComboBox;
class FilteredLineEdit;
class MainWindow;

// The "Set Mode" page of the main window: the set-mode settings with their Read, Write and
// Reset, the scan timer, and the DTMF memories with theirs. Every edit goes into the window's
// RadioAreas at once.
class SetModePage : public QWidget {
    Q_OBJECT
public:
    SetModePage(MainWindow& window, QWidget* parent = nullptr);

    // The page's part of the main window's start-up (defaults of its lists and boxes).
    void applyStartDefaults();
    // Shows the window's set-mode settings (on both pages) and DTMF memories.
    void showSettings();
    void showDtmf();

    // Controls, by their historical names. The set-mode lists themselves are named
    // "Set_Mode_Display[0]" …; SetModeControls holds them.
    QCheckBox* Set_Mode_Scan_Check;
    FilteredLineEdit* Set_Mode_Scan_Time;
    QPushButton* Set_Mode_Read;
    QPushButton* Set_Mode_Write;
    QPushButton* Set_Mode_Clear;
    std::array<FilteredLineEdit*, 10> COMMON_DTMF{}; // 0 is kept but not shown
    ChoiceOnlyComboBox* COMMON_WAIT;
    ChoiceOnlyComboBox* COMMON_HEAD;
    ChoiceOnlyComboBox* COMMON_PAUSE;
    ChoiceOnlyComboBox* COMMON_BURST;
    ChoiceOnlyComboBox* COMMON_DIAL_CH;
    QPushButton* READ_DTMF;
    QPushButton* WRITE_DTMF;
    QPushButton* RESET_DTMF;

public slots:
    void readSettingsFromRadio();
    void writeSettingsToRadio();
    void resetSettingsPage();
    void readDtmfFromRadio();
    void writeDtmfToRadio();
    void resetDtmf();

private:
    void buildSettingFrames(QWidget* area);
    QGroupBox* buildDtmfFrame();
    ChoiceOnlyComboBox* timingList(const char* name, const QStringList& entries,
                                   bool (DtmfSettings::*apply)(int), QWidget* parent);
    void showScanTimer();

    MainWindow& window_;
};

} // namespace qmh4
