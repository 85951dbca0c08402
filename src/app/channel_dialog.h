#pragma once

#include "document/radio_document.h"
#include "editing/grid_editing.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QWidget;

namespace qmh4 {

// The controls of one column set. The second set's object names carry the suffix "_2"
// ("DETAIL_FREQ_1_2"); option and button arrays are named "DETAIL_MODE[0]", "Command1_2[7]".
struct DetailColumnSet {
    QWidget* frame = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* DETAIL_FREQ_1 = nullptr;
    QLineEdit* DETAIL_FREQ_2 = nullptr;
    std::array<QRadioButton*, 4> DETAIL_MODE{};
    std::array<QRadioButton*, 16> DETAIL_STEP{};
    std::array<QRadioButton*, 6> PALSE_TYPE{};
    QComboBox* TX_TONE_COMBO = nullptr;
    QComboBox* RX_TONE_COMBO = nullptr;
    QComboBox* DCS_COMBO = nullptr;
    QComboBox* TRAIN_COMBO = nullptr;
    std::array<QRadioButton*, 3> DETAIL_SHIFT{};
    QLineEdit* DETAIL_SHIFT_FREQ_1 = nullptr;
    QLineEdit* DETAIL_SHIFT_FREQ_2 = nullptr;
    QCheckBox* DETAIL_SKIP = nullptr;
    QLineEdit* DETAIL_NAME = nullptr;
    std::array<QPushButton*, 8> Command1{};
    QPushButton* DETAIL_CLEAR = nullptr;
};

// "Memory Setting": edits one channel, or a dual pair side by side (Main left, Sub right). It
// never touches the table: the main window builds it from openDetail(), runs it modally and
// hands result() to commitDetail().
class ChannelDialog : public QDialog {
    Q_OBJECT

public:
    explicit ChannelDialog(const DetailRequest& request, QWidget* parent = nullptr);

    // The dialog's outcome; code Cancelled until "OK" is pressed.
    const DetailResult& result() const { return result_; }
    // After "OK": what to tell the user when a typed frequency was refused and the channel
    // emptied ("836.00000 MHz is outside the radio's range: the channel was cleared"), else "".
    const QString& notice() const { return notice_; }

    DetailColumnSet set1; // first column set: the channel, or the Main half of a pair
    DetailColumnSet set2; // second column set ("_2"): the Sub half, shown for pairs only
    QPushButton* DETAIL_ENTER = nullptr;
    QPushButton* DETAIL_CANCEL = nullptr;

private:
    void fitToScreen(const QScrollArea& scroll);
    void buildColumnSet(DetailColumnSet& set, const QString& suffix, const QString& caption);
    void showFields(DetailColumnSet& set, const DetailFields& fields);
    DetailFields readFields(const DetailColumnSet& set) const;
    void clearColumnSet(DetailColumnSet& set);
    void appendMarker(DetailColumnSet& set, int glyphNumber);
    void acceptEntries();
    void cancelEntries();
    static QString refusalNotice(const FrequencyBoxes& typed, const DetailRecord& record);

    DetailRequest request_;
    DetailResult result_;
    QString notice_;
};

// One edit from the grid: opens the dialog on `currentRow` (nothing happens for a row that does
// not open), runs it modally and commits its result into the document. The window then makes
// `currentRow` current (the Main row of a pair), and on
// CommitOutcome::Overlap shows OverlapMessage with OverlapTitle. The window refuses the edit
// itself while a transfer runs.
struct DetailEdit {
    bool opened = false;
    int currentRow = 0;
    CommitReport commit;
    QString notice; // for the status line: a typed frequency was refused
};
DetailEdit editChannel(QWidget* parent, RadioDocument& document, int currentRow);

} // namespace qmh4
