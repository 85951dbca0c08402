#pragma once

#include "editing/multi_row_edit.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace qmh4 {

class RadioDocument;

// "Edit Selected Rows…": the fields of the detail dialog, each beside a "change" box that
// starts unticked and ticks itself when its field is edited. Only the ticked fields reach the
// rows. Opens with the fields of the first used row of the selection.
class MultiRowDialog : public QDialog {
    Q_OBJECT
public:
    MultiRowDialog(const DetailFields& shown, int usedRows, QWidget* parent = nullptr);

    DetailFields values() const;
    ChosenFields chosen() const;

    // The change boxes in the order of DetailField ("CHANGE_FREQ", "CHANGE_MODE", …).
    std::array<QCheckBox*, DetailFieldCount> changeBoxes{};
    QLineEdit* DETAIL_FREQ_1;
    QLineEdit* DETAIL_FREQ_2;
    QComboBox* MODE_COMBO;
    QComboBox* STEP_COMBO;
    QComboBox* TONE_TYPE_COMBO;
    QComboBox* TX_TONE_COMBO;
    QComboBox* RX_TONE_COMBO;
    QComboBox* DCS_COMBO;
    QComboBox* TRAIN_COMBO;
    QComboBox* SHIFT_COMBO;
    QLineEdit* DETAIL_SHIFT_FREQ_1;
    QLineEdit* DETAIL_SHIFT_FREQ_2;
    QCheckBox* DETAIL_SKIP;
    QLineEdit* DETAIL_NAME;
    QPushButton* DETAIL_ENTER;
    QPushButton* DETAIL_CANCEL;

private:
    void addField(DetailField field, const char* boxName, const char* caption, QWidget* editor);
    void tickOnEdit(DetailField field, QWidget* editor);
};

// The command on the rows first..last: nothing without a used row in them; otherwise runs the
// dialog modally and applies it to the document as one change. Returns what the status line
// should say ("" when cancelled).
QString editSelectedRows(QWidget* parent, RadioDocument& document, int firstRow, int lastRow);

} // namespace qmh4
