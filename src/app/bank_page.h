#pragma once

#include "link/session.h"

#include <QWidget>

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
class QSlider;

namespace qmh4 {

class FilteredLineEdit;
class MainWindow;
class GroupEditor;

// The "Bank" page of the main window: the 50 bank sizes as sliders and boxes, their total,
// Up/Down on the selected bank, Reset, the bank transfers and the group editor button. Every
// edit goes into the window's BankSizes at once.
class BankPage : public QWidget {
    Q_OBJECT
public:
    BankPage(MainWindow& window, QWidget* parent = nullptr);

    // The page's part of the main window's start-up (defaults of its lists and boxes).
    void applyStartDefaults();
    // Shows the window's bank sizes: sliders, boxes, total and whether they can be written.
    void showBanks();
    // The bank Up/Down act on: the last bank slider that had the focus, 100 before any had.
    int selectedBank() const { return selectedBank_; }

    // Prepares and opens the group editor (modal): the one-touch lists and the groups follow
    // the current bank sizes first. `autoTransfer` is the flag that makes it read at once.
    // Returns the editor's last transfer result.
    TransferResult openGroupEditor(bool* autoTransfer = nullptr);
    // Called with the group editor before it is shown (tests drive it from here).
    std::function<void(GroupEditor& editor)> groupEditorShown;

    // Controls, by their historical names.
    std::array<QSlider*, 50> Slider1{};
    std::array<FilteredLineEdit*, 50> Text1{};
    QLineEdit* Total_Mem;
    std::array<QPushButton*, 2> BANK_UP{}; // 0 "Up", 1 "Down"
    QPushButton* Bank_Clear;
    QPushButton* READ_BANK;
    QPushButton* WRITE_BANK;
    QPushButton* GROUP_SET;

public slots:
    void readBanksFromRadio();
    void writeBanksToRadio();
    void resetBanks();
    void stepSelectedBank(int index);
    void showGroupEditor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void bankSliderMoved(int bank, int value);
    void applyBankSizeBox(int bank);
    void showBank(int bank);
    void showTotal();
    static QString sizeStepName(int bank);

    MainWindow& window_;
    int selectedBank_;
};

} // namespace qmh4
