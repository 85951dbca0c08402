#include "app/channel_dialog.h"

#include "channels/value_tables.h"
#include "editing/typed_edit.h"
#include "widgets/area_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace qmh4 {

namespace {

// Widths of the dialog for one channel and for a dual pair (6555 and 13440 twips at 96 dpi).
constexpr int MarkerButtonPadding = 16;
// Room the window manager's frame and title take around the dialog.
constexpr QSize ScreenFrameAllowance{16, 40};
constexpr QSize SmallestSize{320, 240};
// The dialog opens 1000 twips right of the main window's left edge, level with its top.
constexpr int OffsetFromParent = 67;

void setBox(QLineEdit* box, const QString& text) {
    static_cast<FilteredLineEdit*>(box)->setBoxText(text);
}

// Ctrl+V is refused in every box of the dialog.
constexpr bool RefuseCtrlV = true;

FilteredLineEdit* digitBox(int limit, QWidget* parent) {
    auto* box = new FilteredLineEdit(
        [limit](const QString& text, char32_t c) { return acceptDigit(text, c, limit); },
        RefuseCtrlV, parent);
    box->setMaximumWidth(16 + 10 * limit);
    return box;
}

template <size_t N>
int checkedIndex(const std::array<QRadioButton*, N>& options) {
    for (size_t i = 0; i < N; ++i) {
        if (options[i]->isChecked())
            return static_cast<int>(i);
    }
    return 0;
}

template <size_t N>
void checkIndex(const std::array<QRadioButton*, N>& options, int index) {
    if (index >= 0 && static_cast<size_t>(index) < N)
        options[static_cast<size_t>(index)]->setChecked(true);
}

QString arrayName(const char* name, const QString& suffix, size_t index) {
    return QStringLiteral("%1%2[%3]").arg(QLatin1String(name), suffix).arg(index);
}

// An option group in a titled frame, `columns` options a line.
template <size_t N>
QGroupBox* optionGroup(std::array<QRadioButton*, N>& options, const char* name,
                       const QString& suffix, const QString& title, const QStringList& captions,
                       int columns) {
    auto* frame = new QGroupBox(title);
    auto* layout = new QGridLayout(frame);
    for (size_t i = 0; i < N; ++i) {
        options[i] = new QRadioButton(captions[static_cast<qsizetype>(i)], frame);
        options[i]->setObjectName(arrayName(name, suffix, i));
        const int position = static_cast<int>(i);
        layout->addWidget(options[i], position / columns, position % columns);
    }
    return frame;
}

// The tone, DCS and train lists change only by choosing from the list, never by a typed key.
QComboBox* choiceList(const QString& objectName, int count, QString (*caption)(int)) {
    auto* list = new ChoiceOnlyComboBox;
    list->setObjectName(objectName);
    for (int i = 0; i < count; ++i)
        list->addItem(caption(i));
    return list;
}

QStringList stepCaptions() {
    QStringList captions;
    for (int i = 0; i < StepCount; ++i)
        captions << stepCaption(i);
    return captions;
}

} // namespace

ChannelDialog::ChannelDialog(const DetailRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Memory Setting"));
    setModal(true);
    result_.firstRow = request.firstRow;
    result_.secondRow = request.secondRow;

    auto* sets = new QHBoxLayout;
    buildColumnSet(set1, QString(), QStringLiteral("Memory"));
    buildColumnSet(set2, QStringLiteral("_2"), QStringLiteral("Memory 2"));
    sets->addWidget(set1.frame);
    sets->addWidget(set2.frame);

    DETAIL_ENTER = new QPushButton(QStringLiteral("OK"), this);
    DETAIL_ENTER->setObjectName(QStringLiteral("DETAIL_ENTER"));
    DETAIL_ENTER->setDefault(true);
    DETAIL_CANCEL = new QPushButton(QStringLiteral("Cancel"), this);
    DETAIL_CANCEL->setObjectName(QStringLiteral("DETAIL_CANCEL"));
    connect(DETAIL_ENTER, &QPushButton::clicked, this, [this] { acceptEntries(); });
    connect(DETAIL_CANCEL, &QPushButton::clicked, this, [this] { cancelEntries(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(DETAIL_ENTER);
    buttons->addWidget(DETAIL_CANCEL);
    // A screen lower than the dialog scrolls the column sets; the buttons stay in view.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("DetailScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    content->setLayout(sets);
    sets->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    showFields(set1, request.first);
    const bool pair = request.kind == ChannelKind::Dual;
    if (pair)
        showFields(set2, request.second);
    set2.frame->setVisible(pair);
    for (DetailColumnSet* set : {&set1, &set2}) {
        set->DETAIL_MODE[1]->setEnabled(request.amWfmEnabled());
        set->DETAIL_MODE[3]->setEnabled(request.amWfmEnabled());
    }
    fitToScreen(*scroll);
    if (parent)
        move(parent->x() + OffsetFromParent, parent->y());
}

void ChannelDialog::fitToScreen(const QScrollArea& scroll) {
    // The whole content where the screen allows, else the screen's size: the rest scrolls.
    const QSize content = scroll.widget()->sizeHint();
    const QSize chrome = sizeHint() - scroll.sizeHint();
    QSize wanted(content.width() + chrome.width() + scroll.verticalScrollBar()->sizeHint().width(),
                 content.height() + chrome.height());
    if (const QScreen* shown = screen())
        wanted = wanted.boundedTo(shown->availableGeometry().size() - ScreenFrameAllowance);
    setMinimumSize(SmallestSize);
    resize(wanted);
}

void ChannelDialog::buildColumnSet(DetailColumnSet& set, const QString& suffix,
                                   const QString& caption) {
    auto* frame = new QWidget(this);
    set.frame = frame;
    const auto named = [&suffix](QWidget* widget, const char* name) {
        widget->setObjectName(QLatin1String(name) + suffix);
    };
    auto* column = new QVBoxLayout(frame);

    set.Label1 = new QLabel(caption, frame);
    named(set.Label1, "Label1");
    column->addWidget(set.Label1);

    set.DETAIL_FREQ_1 = digitBox(MhzBoxLimit, frame);
    named(set.DETAIL_FREQ_1, "DETAIL_FREQ_1");
    set.DETAIL_FREQ_2 = digitBox(DecimalsBoxLimit, frame);
    named(set.DETAIL_FREQ_2, "DETAIL_FREQ_2");
    auto* frequency = new QHBoxLayout;
    frequency->addWidget(set.DETAIL_FREQ_1);
    frequency->addWidget(new QLabel(QStringLiteral("."), frame));
    frequency->addWidget(set.DETAIL_FREQ_2);
    frequency->addWidget(new QLabel(QStringLiteral("MHz"), frame));
    frequency->addStretch();
    column->addLayout(frequency);

    column->addWidget(optionGroup(set.DETAIL_MODE, "DETAIL_MODE", suffix,
                                  QStringLiteral("Modulation Mode"), listedModeCaptions(), 4));
    column->addWidget(optionGroup(set.DETAIL_STEP, "DETAIL_STEP", suffix, QStringLiteral("Step"),
                                  stepCaptions(), 4));
    column->addWidget(optionGroup(set.PALSE_TYPE, "PALSE_TYPE", suffix, QStringLiteral("TSQ/DCS"),
                                  listedToneTypeCaptions(), 3));

    set.TX_TONE_COMBO =
        choiceList(QStringLiteral("TX_TONE_COMBO") + suffix, CtcssCount, ctcssCaption);
    set.RX_TONE_COMBO =
        choiceList(QStringLiteral("RX_TONE_COMBO") + suffix, CtcssCount, ctcssCaption);
    set.DCS_COMBO = choiceList(QStringLiteral("DCS_COMBO") + suffix, DcsCount, dcsCaption);
    set.TRAIN_COMBO = choiceList(QStringLiteral("TRAIN_COMBO") + suffix, TrainCount, trainCaption);
    auto* lists = new QGridLayout;
    const std::array<std::pair<const char*, QComboBox*>, 4> labelled{
        {{"Tx-Tone", set.TX_TONE_COMBO},
         {"Rx-Tone", set.RX_TONE_COMBO},
         {"DCS-No", set.DCS_COMBO},
         {"Train", set.TRAIN_COMBO}}};
    for (int i = 0; i < 4; ++i) {
        const auto& [text, list] = labelled[static_cast<size_t>(i)];
        lists->addWidget(new QLabel(QLatin1String(text), frame), i / 2, (i % 2) * 2);
        lists->addWidget(list, i / 2, (i % 2) * 2 + 1);
    }
    column->addLayout(lists);

    column->addWidget(optionGroup(set.DETAIL_SHIFT, "DETAIL_SHIFT", suffix, QStringLiteral("Shift"),
                                  {"Off", "+", "-"}, 3));
    auto* offsetMhz = digitBox(OffsetMhzBoxLimit, frame);
    auto* offsetKhz = digitBox(OffsetKhzBoxLimit, frame);
    set.DETAIL_SHIFT_FREQ_1 = offsetMhz;
    set.DETAIL_SHIFT_FREQ_2 = offsetKhz;
    named(offsetMhz, "DETAIL_SHIFT_FREQ_1");
    named(offsetKhz, "DETAIL_SHIFT_FREQ_2");
    offsetMhz->onFocusLost = [offsetMhz] {
        offsetMhz->setBoxText(normaliseOffsetMhz(offsetMhz->text()));
    };
    offsetKhz->onFocusLost = [offsetKhz, offsetMhz] {
        offsetKhz->setBoxText(normaliseOffsetKhz(offsetKhz->text(), offsetMhz->text()));
    };
    auto* offset = new QHBoxLayout;
    offset->addWidget(new QLabel(QStringLiteral("Offset Frequency"), frame));
    offset->addWidget(offsetMhz);
    offset->addWidget(new QLabel(QStringLiteral("."), frame));
    offset->addWidget(offsetKhz);
    offset->addWidget(new QLabel(QStringLiteral("MHz"), frame));
    offset->addStretch();
    column->addLayout(offset);

    set.DETAIL_SKIP = new QCheckBox(QStringLiteral("Skip"), frame);
    named(set.DETAIL_SKIP, "DETAIL_SKIP");
    column->addWidget(set.DETAIL_SKIP);

    set.DETAIL_NAME = new FilteredLineEdit(acceptNameCharacter, RefuseCtrlV, frame);
    named(set.DETAIL_NAME, "DETAIL_NAME");
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("ＮＡＭＥ"), frame));
    name->addWidget(set.DETAIL_NAME);
    column->addLayout(name);

    auto* markers = new QHBoxLayout;
    for (size_t i = 0; i < set.Command1.size(); ++i) {
        const int glyphNumber = static_cast<int>(i) + 1;
        auto* button = new QPushButton(QString(QChar(static_cast<char16_t>(u'\u2460' + i))), frame);
        button->setObjectName(arrayName("Command1", suffix, i));
        button->setToolTip(QStringLiteral("User glyph %1 (:%1~)").arg(glyphNumber));
        button->setAutoDefault(false);
        // A circled digit needs no wide button: eight of them at the usual width would make
        // the dual pair wider than the screen.
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) +
                                MarkerButtonPadding);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(button, &QPushButton::clicked, this,
                [this, &set, glyphNumber] { appendMarker(set, glyphNumber); });
        set.Command1[i] = button;
        markers->addWidget(button);
    }
    column->addLayout(markers);

    set.DETAIL_CLEAR = new QPushButton(QStringLiteral("Clear"), frame);
    named(set.DETAIL_CLEAR, "DETAIL_CLEAR");
    set.DETAIL_CLEAR->setAutoDefault(false);
    connect(set.DETAIL_CLEAR, &QPushButton::clicked, this, [this, &set] { clearColumnSet(set); });
    column->addStretch();
    column->addWidget(set.DETAIL_CLEAR);
}

void ChannelDialog::showFields(DetailColumnSet& set, const DetailFields& fields) {
    set.Label1->setText(fields.label);
    setBox(set.DETAIL_FREQ_1, fields.frequency.mhz);
    setBox(set.DETAIL_FREQ_2, fields.frequency.decimals);
    checkIndex(set.DETAIL_MODE, fields.mode);
    checkIndex(set.DETAIL_STEP, fields.step);
    checkIndex(set.PALSE_TYPE, fields.toneType);
    set.TX_TONE_COMBO->setCurrentIndex(fields.txTone);
    set.RX_TONE_COMBO->setCurrentIndex(fields.rxTone);
    set.DCS_COMBO->setCurrentIndex(fields.dcs);
    set.TRAIN_COMBO->setCurrentIndex(fields.train);
    checkIndex(set.DETAIL_SHIFT, fields.shift);
    setBox(set.DETAIL_SHIFT_FREQ_1, fields.offset.mhz);
    setBox(set.DETAIL_SHIFT_FREQ_2, fields.offset.khz);
    set.DETAIL_SKIP->setChecked(fields.skip);
    setBox(set.DETAIL_NAME, fields.name);
}

DetailFields ChannelDialog::readFields(const DetailColumnSet& set) const {
    DetailFields fields;
    fields.label = set.Label1->text();
    fields.frequency = {set.DETAIL_FREQ_1->text(), set.DETAIL_FREQ_2->text()};
    fields.mode = checkedIndex(set.DETAIL_MODE);
    // The step is the option checked now, whatever was clicked on the way.
    fields.step = checkedIndex(set.DETAIL_STEP);
    fields.toneType = checkedIndex(set.PALSE_TYPE);
    fields.txTone = set.TX_TONE_COMBO->currentIndex();
    fields.rxTone = set.RX_TONE_COMBO->currentIndex();
    fields.dcs = set.DCS_COMBO->currentIndex();
    fields.train = set.TRAIN_COMBO->currentIndex();
    fields.shift = checkedIndex(set.DETAIL_SHIFT);
    fields.offset = {set.DETAIL_SHIFT_FREQ_1->text(), set.DETAIL_SHIFT_FREQ_2->text()};
    fields.skip = set.DETAIL_SKIP->isChecked();
    fields.name = set.DETAIL_NAME->text();
    return fields;
}

void ChannelDialog::clearColumnSet(DetailColumnSet& set) {
    DetailFields blank;
    blank.label = set.Label1->text();
    showFields(set, blank);
    // A call channel cannot be emptied: after "Clear" it can only be cancelled.
    if (&set == &set1 && request_.kind == ChannelKind::Call)
        DETAIL_ENTER->setEnabled(false);
}

void ChannelDialog::appendMarker(DetailColumnSet& set, int glyphNumber) {
    const QString name = set.DETAIL_NAME->text();
    if (nameByteCount(name) <= NameByteLimit - 1)
        setBox(set.DETAIL_NAME, name + QStringLiteral(":%1~").arg(glyphNumber));
}

void ChannelDialog::acceptEntries() {
    DetailFields first = readFields(set1);
    DetailFields second = readFields(set2);
    const FrequencyBoxes typedFirst = first.frequency;
    const FrequencyBoxes typedSecond = second.frequency;
    result_ = acceptDetail(request_, first, second);
    notice_ = refusalNotice(typedFirst, result_.first);
    if (notice_.isEmpty() && request_.kind == ChannelKind::Dual)
        notice_ = refusalNotice(typedSecond, result_.second);
    // The boxes show what was made of the entries.
    showFields(set1, first);
    if (request_.kind == ChannelKind::Dual)
        showFields(set2, second);
    accept();
}

void ChannelDialog::cancelEntries() {
    result_.code = DetailCode::Cancelled;
    reject();
}

QString ChannelDialog::refusalNotice(const FrequencyBoxes& typed, const DetailRecord& record) {
    QString mhz;
    for (const QChar c : typed.mhz)
        if (c.isDigit())
            mhz.append(c);
    if (mhz.isEmpty() || !record.frequency.isEmpty())
        return {};
    QString decimals;
    for (const QChar c : typed.decimals)
        if (c.isDigit())
            decimals.append(c);
    const QString shown = QString::number(mhz.toLongLong()) + QLatin1Char('.') +
                          decimals.leftJustified(5, QLatin1Char('0'), true);
    return shown + QStringLiteral(" MHz is outside the radio's range: the channel was cleared");
}

DetailEdit editChannel(QWidget* parent, RadioDocument& document, int currentRow) {
    DetailEdit edit;
    const DetailRequest request = openDetail(document.channels(), currentRow);
    if (!request.opens)
        return edit;
    edit.opened = true;
    edit.currentRow = request.firstRow;
    DetailResult result;
    {
        ChannelDialog dialog(request, parent);
        dialog.exec();
        result = dialog.result();
        edit.notice = dialog.notice();
    }
    edit.commit = commitDetailTo(document, result);
    return edit;
}

} // namespace qmh4
