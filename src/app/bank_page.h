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
class Form1;
class Form5;

// The "Bank" page of the main window: the 50 bank sizes as sliders and boxes, their total,
// Up/Down on the selected bank, Reset, the bank transfers and the group editor button. Every
// edit goes into the window's BankSizes at once.
class BankPage : public QWidget {
    Q_OBJECT
public:
    BankPage(Form1& window, QWidget* parent = nullptr);

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
    std::function<void(Form5& editor)> groupEditorShown;

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
    void READ_BANK_Click();
    void WRITE_BANK_Click();
    void Bank_Clear_Click();
    void BANK_UP_Click(int index);
    void GROUP_SET_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Slider1_Change(int bank, int value);
    void Text1_Apply(int bank);
    void showBank(int bank);
    void showTotal();

    Form1& window_;
    int selectedBank_;
};

} // namespace qmh4
