#include "app/multi_row_dialog.h"

#include "channels/value_tables.h"
#include "document/radio_document.h"
#include "files/text_file.h"
#include "widgets/area_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qmh4 {

namespace {

// Ctrl+V is refused in these boxes as in the detail dialog's.
constexpr bool RefuseCtrlV = true;

FilteredLineEdit* digitBox(const char* name, int limit) {
    auto* box = new FilteredLineEdit(
        [limit](const QString& text, char32_t c) { return acceptDigit(text, c, limit); },
        RefuseCtrlV);
    box->setObjectName(QLatin1String(name));
    box->setMaximumWidth(16 + 10 * limit);
    return box;
}

QComboBox* choiceList(const char* name, const QStringList& captions, int current) {
    auto* list = new ChoiceOnlyComboBox;
    list->setObjectName(QLatin1String(name));
    list->addItems(captions);
    list->setCurrentIndex(current);
    return list;
}

QStringList captions(int count, QString (*caption)(int)) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << caption(i);
    return texts;
}

// Two digit boxes with the point and the unit between and after them.
QWidget* pairOfBoxes(QLineEdit* first, QLineEdit* second) {
    auto* pair = new QWidget;
    auto* layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(first);
    layout->addWidget(new QLabel(QStringLiteral(".")));
    layout->addWidget(second);
    layout->addWidget(new QLabel(QStringLiteral("MHz")));
    layout->addStretch();
    return pair;
}

void setBox(QLineEdit* box, const QString& text) {
    static_cast<FilteredLineEdit*>(box)->setBoxText(text);
}

} // namespace

MultiRowDialog::MultiRowDialog(const DetailFields& shown, int usedRows, QWidget* parent)
    : QDialog(parent), DETAIL_FREQ_1(digitBox("DETAIL_FREQ_1", MhzBoxLimit)),
      DETAIL_FREQ_2(digitBox("DETAIL_FREQ_2", DecimalsBoxLimit)),
      MODE_COMBO(choiceList("MODE_COMBO", listedModeCaptions(), shown.mode)),
      STEP_COMBO(choiceList("STEP_COMBO", captions(StepCount, stepCaption), shown.step)),
      TONE_TYPE_COMBO(choiceList("TONE_TYPE_COMBO", listedToneTypeCaptions(), shown.toneType)),
      TX_TONE_COMBO(choiceList("TX_TONE_COMBO", captions(CtcssCount, ctcssCaption), shown.txTone)),
      RX_TONE_COMBO(choiceList("RX_TONE_COMBO", captions(CtcssCount, ctcssCaption), shown.rxTone)),
      DCS_COMBO(choiceList("DCS_COMBO", captions(DcsCount, dcsCaption), shown.dcs)),
      TRAIN_COMBO(choiceList("TRAIN_COMBO", captions(TrainCount, trainCaption), shown.train)),
      SHIFT_COMBO(choiceList("SHIFT_COMBO", shiftCaptions(), shown.shift)),
      DETAIL_SHIFT_FREQ_1(digitBox("DETAIL_SHIFT_FREQ_1", OffsetMhzBoxLimit)),
      DETAIL_SHIFT_FREQ_2(digitBox("DETAIL_SHIFT_FREQ_2", OffsetKhzBoxLimit)),
      DETAIL_SKIP(new QCheckBox(QStringLiteral("Skip"))),
      DETAIL_NAME(new FilteredLineEdit(acceptNameCharacter, RefuseCtrlV)),
      DETAIL_ENTER(new QPushButton(QStringLiteral("OK"))),
      DETAIL_CANCEL(new QPushButton(QStringLiteral("Cancel"))) {
    setObjectName(QStringLiteral("MultiRowEdit"));
    setWindowTitle(QStringLiteral("Edit %1 Selected Rows").arg(usedRows));
    setModal(true);
    setBox(DETAIL_FREQ_1, shown.frequency.mhz);
    setBox(DETAIL_FREQ_2, shown.frequency.decimals);
    setBox(DETAIL_SHIFT_FREQ_1, shown.offset.mhz);
    setBox(DETAIL_SHIFT_FREQ_2, shown.offset.khz);
    DETAIL_SKIP->setObjectName(QStringLiteral("DETAIL_SKIP"));
    DETAIL_SKIP->setChecked(shown.skip);
    DETAIL_NAME->setObjectName(QStringLiteral("DETAIL_NAME"));
    setBox(DETAIL_NAME, shown.name);
    MODE_COMBO->setToolTip(QStringLiteral("Call and dual channels keep their mode for AM or WFM"));

    auto* fields = new QGridLayout;
    setLayout(new QVBoxLayout);
    layout()->addWidget(new QLabel(QStringLiteral("Only the ticked fields change, in each of "
                                                  "the %1 used rows selected.")
                                       .arg(usedRows)));
    static_cast<QVBoxLayout*>(layout())->addLayout(fields);
    addField(DetailField::Frequency, "CHANGE_FREQ", "Frequency",
             pairOfBoxes(DETAIL_FREQ_1, DETAIL_FREQ_2));
    addField(DetailField::Mode, "CHANGE_MODE", "Modulation Mode", MODE_COMBO);
    addField(DetailField::Step, "CHANGE_STEP", "Step", STEP_COMBO);
    addField(DetailField::ToneType, "CHANGE_TONE_TYPE", "TSQ/DCS", TONE_TYPE_COMBO);
    addField(DetailField::TxTone, "CHANGE_TX_TONE", "Tx-Tone", TX_TONE_COMBO);
    addField(DetailField::RxTone, "CHANGE_RX_TONE", "Rx-Tone", RX_TONE_COMBO);
    addField(DetailField::Dcs, "CHANGE_DCS", "DCS-No", DCS_COMBO);
    addField(DetailField::Train, "CHANGE_TRAIN", "Train", TRAIN_COMBO);
    addField(DetailField::Shift, "CHANGE_SHIFT", "Shift", SHIFT_COMBO);
    addField(DetailField::Offset, "CHANGE_OFFSET", "Offset Frequency",
             pairOfBoxes(DETAIL_SHIFT_FREQ_1, DETAIL_SHIFT_FREQ_2));
    addField(DetailField::Skip, "CHANGE_SKIP", "Skip", DETAIL_SKIP);
    addField(DetailField::Name, "CHANGE_NAME", "ＮＡＭＥ", DETAIL_NAME);
    for (QLineEdit* box : {DETAIL_FREQ_1, DETAIL_FREQ_2, DETAIL_SHIFT_FREQ_1, DETAIL_SHIFT_FREQ_2})
        tickOnEdit(box == DETAIL_FREQ_1 || box == DETAIL_FREQ_2 ? DetailField::Frequency
                                                                : DetailField::Offset,
                   box);

    DETAIL_ENTER->setObjectName(QStringLiteral("DETAIL_ENTER"));
    DETAIL_ENTER->setDefault(true);
    DETAIL_CANCEL->setObjectName(QStringLiteral("DETAIL_CANCEL"));
    connect(DETAIL_ENTER, &QPushButton::clicked, this, &QDialog::accept);
    connect(DETAIL_CANCEL, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(DETAIL_ENTER);
    buttons->addWidget(DETAIL_CANCEL);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

void MultiRowDialog::addField(DetailField field, const char* boxName, const char* caption,
                              QWidget* editor) {
    auto* grid = static_cast<QGridLayout*>(layout()->itemAt(1)->layout());
    auto* change = new QCheckBox(QStringLiteral("change"));
    change->setObjectName(QLatin1String(boxName));
    changeBoxes[static_cast<size_t>(field)] = change;
    const int line = grid->rowCount();
    grid->addWidget(change, line, 0);
    grid->addWidget(new QLabel(QString::fromUtf8(caption)), line, 1);
    grid->addWidget(editor, line, 2);
    tickOnEdit(field, editor);
}

void MultiRowDialog::tickOnEdit(DetailField field, QWidget* editor) {
    QCheckBox* change = changeBoxes[static_cast<size_t>(field)];
    const auto tick = [change] { change->setChecked(true); };
    if (auto* box = qobject_cast<QLineEdit*>(editor))
        connect(box, &QLineEdit::textEdited, change, tick);
    else if (auto* list = qobject_cast<QComboBox*>(editor))
        connect(list, &QComboBox::activated, change, tick);
    else if (auto* option = qobject_cast<QCheckBox*>(editor))
        connect(option, &QCheckBox::clicked, change, tick);
}

DetailFields MultiRowDialog::values() const {
    DetailFields fields;
    fields.frequency = {DETAIL_FREQ_1->text(), DETAIL_FREQ_2->text()};
    fields.mode = MODE_COMBO->currentIndex();
    fields.step = STEP_COMBO->currentIndex();
    fields.toneType = TONE_TYPE_COMBO->currentIndex();
    fields.txTone = TX_TONE_COMBO->currentIndex();
    fields.rxTone = RX_TONE_COMBO->currentIndex();
    fields.dcs = DCS_COMBO->currentIndex();
    fields.train = TRAIN_COMBO->currentIndex();
    fields.shift = SHIFT_COMBO->currentIndex();
    fields.offset = {DETAIL_SHIFT_FREQ_1->text(), DETAIL_SHIFT_FREQ_2->text()};
    fields.skip = DETAIL_SKIP->isChecked();
    fields.name = DETAIL_NAME->text();
    return fields;
}

ChosenFields MultiRowDialog::chosen() const {
    ChosenFields chosen;
    for (int field = 0; field < DetailFieldCount; ++field)
        chosen.set(static_cast<DetailField>(field),
                   changeBoxes[static_cast<size_t>(field)]->isChecked());
    return chosen;
}

QString editSelectedRows(QWidget* parent, RadioDocument& document, int firstRow, int lastRow) {
    const ChannelTable& table = document.channels();
    const int usedRows = editableUsedRows(table, firstRow, lastRow);
    if (usedRows == 0)
        return QStringLiteral("No used rows selected to edit");
    int shownRow = firstRow;
    while (editableUsedRows(table, shownRow, shownRow) == 0)
        ++shownRow;
    DetailFields values;
    ChosenFields chosen;
    {
        MultiRowDialog dialog(fieldsOfRow(table, shownRow), usedRows, parent);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        values = dialog.values();
        chosen = dialog.chosen();
    }
    const MultiRowReport report = editRowsOf(document, firstRow, lastRow, values, chosen);
    QString text = QStringLiteral("Edited %1 rows").arg(report.rowsEdited);
    if (!report.refusedRows.isEmpty())
        text += QStringLiteral("; left as they were, the frequency being outside their range: ") +
                numberList(report.refusedRows);
    if (!report.overlapRows.isEmpty())
        text += QStringLiteral("; left as they were, for overlapping pass frequencies: ") +
                numberList(report.overlapRows);
    return text;
}

} // namespace qmh4
