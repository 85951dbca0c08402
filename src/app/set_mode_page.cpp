#include "app/set_mode_page.h"

#include "app/area_pages.h"
#include "app/interface_language.h"
#include "app/set_mode_controls.h"
#include "app/undo_history.h"
#include "widgets/area_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace qmh4 {

namespace {

using A = SetModeArray;

QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* captionLabel(const char* key, QWidget* parent) {
    const QString name = QString::fromLatin1(key);
    auto* label = new QLabel(shownAsWritten(captionText(name, Language::English)), parent);
    label->setObjectName(name);
    return label;
}

struct ListPlace {
    const char* captionKey; // nullptr: a fixed caption follows in `fixedCaption`
    A array;
    int index;
    const char* fixedCaption = nullptr;
};

struct FramePlace {
    const char* frameKey;
    std::initializer_list<ListPlace> lists;
};

// The frames of the page, each with its lists in the order the page shows them. The labels
// carry the names of the language table; the receiver range (`Set_Mode_Recv` 5) and the cross
// band list (`Set_Mode_Repeater` 3) only show what the radio holds: the write sends the radio's
// own values for them.
const FramePlace Frames[] = {
    {"Frame8",
     {{"Label12[0]", A::Display, 0},
      {"Label12[1]", A::Display, 1},
      {"Label12[2]", A::Display, 2},
      {"Label12[3]", A::Display, 3},
      {"Label12[5]", A::Display, 4},
      {"Label12[4]", A::Display, 5}}},
    {"Frame9",
     {{"Label13[0]", A::Power, 0}, {"Label13[1]", A::Power, 1}, {"Label13[2]", A::Power, 2}}},
    {"Frame11",
     {{"Label15[0]", A::Send, 0},
      {"Label15[4]", A::Send, 1},
      {"Label15[1]", A::Send, 2},
      {"Label15[2]", A::Send, 3},
      {"Label15[3]", A::Send, 4},
      {"Label15[5]", A::Send, 5}}},
    {"Frame18",
     {{"Label20", A::Preset, 0}, {"Label24[0]", A::Toutyou, 0}, {"Label24[1]", A::Toutyou, 1}}},
    {"Frame12", {{"Label16[0]", A::Repeater, 0}, {"Label16[3]", A::Repeater, 3}}},
    {"Frame14",
     {{"Label60[0]", A::Recv, 0},
      {"Label60[1]", A::Recv, 1},
      {"Label60[2]", A::Recv, 2},
      {"Label60[3]", A::Recv, 3},
      {"Label60[4]", A::Recv, 4},
      {"Label60[5]", A::Recv, 5}}},
    {"Frame17",
     {{"Label22", A::Scan, 0},
      {"Label23[0]", A::Scan, 1},
      {"Label23[1]", A::Scan, 2},
      {"Label23[2]", A::Scan, 3},
      {"Label23[3]", A::Scan, 4},
      {"Label23[4]", A::Scan, 5},
      {"Label23[5]", A::Scan, 6},
      {"Label23[6]", A::Scan, 7},
      {"Label23[7]", A::Scan, 8},
      {"Label23[8]", A::Scan, 9}}},
    {"Frame10",
     {{"Label14[0]", A::Sound, 0}, {"Label14[1]", A::Sound, 1}, {"Label14[2]", A::Sound, 2}}},
    {"Frame19",
     {{"Label25[0]", A::Key, 0},
      {"Label25[1]", A::Key, 1},
      {"Label25[2]", A::Key, 2},
      {"Label25[3]", A::Key, 3},
      {"Label25[4]", A::Key, 4},
      {"Label25[5]", A::Key, 5},
      {"Label25[6]", A::Key, 6},
      {"Label25[7]", A::Key, 7},
      {"Label25[8]", A::Key, 8},
      {"Label25[9]", A::Key, 9},
      {"Label25[10]", A::Key, 10},
      {"Label25[11]", A::Key, 11},
      {"Label25[12]", A::Key, 12}}},
    {"FrameMemory", {{nullptr, A::Mem, 0, "Write Protect"}}},
    {"FrameBussiness", {{nullptr, A::Business, 0, "Bussiness"}}},
};

// The frame that starts each column of the page: the columns come out about equally tall, so
// the page fits a 768-pixel screen without scrolling.
const char* const ColumnStarts[] = {"Frame8", "Frame18", "Frame17", "Frame19"};

bool startsColumn(const char* frameKey) {
    return std::any_of(std::begin(ColumnStarts), std::end(ColumnStarts),
                       [frameKey](const char* key) { return qstrcmp(key, frameKey) == 0; });
}

constexpr int DtmfFieldPadding = 12;

// Rows close together: the page holds more than sixty lists.
void makeCompact(QGridLayout* grid) {
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(1);
}

QString frameCaption(const char* key) {
    const QString name = QString::fromLatin1(key);
    return shownAsWritten(captionText(name, Language::English));
}

} // namespace

SetModePage::SetModePage(MainWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    setObjectName(QStringLiteral("SetModePage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* area = new QWidget(scroll);
    auto* columns = new QHBoxLayout(area);
    columns->setContentsMargins(2, 2, 2, 2);
    columns->setSpacing(3);
    buildSettingFrames(area);
    columns->addWidget(buildDtmfFrame(), 0, Qt::AlignTop);
    scroll->setWidget(area);
    layout->addWidget(scroll, 1);

    Set_Mode_Read = namedButton("Set_Mode_Read", "Read", this);
    Set_Mode_Write = namedButton("Set_Mode_Write", "Write", this);
    Set_Mode_Clear = namedButton("Set_Mode_Clear", "Reset", this);
    auto* commands = new QHBoxLayout;
    for (QPushButton* button : {Set_Mode_Read, Set_Mode_Write, Set_Mode_Clear})
        commands->addWidget(button);
    commands->addStretch(1);
    layout->addLayout(commands);
    connect(Set_Mode_Read, &QPushButton::clicked, this, &SetModePage::readSettingsFromRadio);
    connect(Set_Mode_Write, &QPushButton::clicked, this, &SetModePage::writeSettingsToRadio);
    connect(Set_Mode_Clear, &QPushButton::clicked, this, &SetModePage::resetSettingsPage);
    showScanTimer();
    showDtmf();
}

void SetModePage::buildSettingFrames(QWidget* area) {
    SetModeControls& controls = SetModeControls::of(window_);
    auto* columns = static_cast<QHBoxLayout*>(area->layout());
    QVBoxLayout* column = nullptr;
    for (const FramePlace& place : Frames) {
        if (!column || startsColumn(place.frameKey)) {
            if (column)
                column->addStretch(1);
            column = new QVBoxLayout;
            column->setSpacing(2);
            columns->addLayout(column);
        }
        auto* frame = new QGroupBox(frameCaption(place.frameKey), area);
        frame->setObjectName(QString::fromLatin1(place.frameKey));
        auto* grid = new QGridLayout(frame);
        makeCompact(grid);
        for (const ListPlace& list : place.lists) {
            const int row = grid->rowCount();
            QLabel* label = list.captionKey
                                ? captionLabel(list.captionKey, frame)
                                : new QLabel(QString::fromLatin1(list.fixedCaption), frame);
            grid->addWidget(label, row, 0);
            ChoiceOnlyComboBox* box = controls.create(list.array, list.index, frame);
            // What these two show comes from the radio and goes back to it unchanged.
            box->setEnabled(!(list.array == A::Recv && list.index == 5) &&
                            !(list.array == A::Repeater && list.index == 3));
            grid->addWidget(box, row, 1);
        }
        if (place.frameKey == QLatin1String("Frame17")) {
            // The scan timer: kept with the page, never sent to the radio.
            Set_Mode_Scan_Check = new QCheckBox(QStringLiteral("Timer Set"), frame);
            Set_Mode_Scan_Check->setObjectName(QStringLiteral("Set_Mode_Scan_Check"));
            Set_Mode_Scan_Time = new FilteredLineEdit(
                [](const QString& text, char32_t key) {
                    return key < 0x10000 &&
                           scanTimeKeyAccepted(text, QChar(static_cast<char16_t>(key)));
                },
                false, frame);
            Set_Mode_Scan_Time->setObjectName(QStringLiteral("Set_Mode_Scan_Time"));
            const int row = grid->rowCount();
            grid->addWidget(Set_Mode_Scan_Check, row, 0);
            grid->addWidget(Set_Mode_Scan_Time, row, 1);
            connect(Set_Mode_Scan_Check, &QCheckBox::toggled, this, [this](bool checked) {
                editAreas(window_, QStringLiteral("Scan timer"),
                          [&](RadioAreas& areas) { areas.setMode.scanTimerChecked = checked; });
                Set_Mode_Scan_Time->setEnabled(checked);
            });
            connect(Set_Mode_Scan_Time, &QLineEdit::editingFinished, this, [this] {
                const QString time = mendedScanTime(Set_Mode_Scan_Time->text());
                editAreas(window_, QStringLiteral("Scan time"),
                          [&](RadioAreas& areas) { areas.setMode.scanTime = time; });
                showScanTimer();
            });
        }
        column->addWidget(frame);
    }
    column->addStretch(1);
}

ChoiceOnlyComboBox* SetModePage::timingList(const char* name, const QStringList& entries,
                                            bool (DtmfSettings::*apply)(int), QWidget* parent) {
    auto* list = new ChoiceOnlyComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEntries(entries, 0);
    connect(list, &QComboBox::currentIndexChanged, this, [this, apply](int position) {
        editAreas(window_, QStringLiteral("DTMF timing"),
                  [&](RadioAreas& areas) { (areas.dtmf.*apply)(position); });
    });
    return list;
}

QGroupBox* SetModePage::buildDtmfFrame() {
    auto* frame = new QGroupBox(QStringLiteral("DTMF"), this);
    frame->setObjectName(QStringLiteral("DtmfFrame"));
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 2, 0, 4);
    auto* memories = new QGridLayout;
    makeCompact(memories);
    for (int index = 0; index < DtmfMemoryCount; ++index) {
        auto* field = new FilteredLineEdit(
            [](const QString& text, char32_t key) {
                return key < 0x10000 && dtmfKeyAccepted(text, QChar(static_cast<char16_t>(key)));
            },
            false, frame);
        field->setObjectName(QStringLiteral("COMMON_DTMF[%1]").arg(index));
        // Wide enough for a full memory, and no wider: the page must fit the screen.
        field->setMaximumWidth(
            field->fontMetrics().horizontalAdvance(QString(DtmfMemoryLength, QLatin1Char('#'))) +
            DtmfFieldPadding);
        COMMON_DTMF[static_cast<size_t>(index)] = field;
        connect(field, &QLineEdit::textChanged, this, [this, index](const QString& text) {
            window_.undoHistory->continuing([&] {
                editAreas(window_, QStringLiteral("Typing in DTMF memory %1").arg(index),
                          [&](RadioAreas& areas) { areas.dtmf.setMemory(index, text); });
            });
        });
        connect(field, &QLineEdit::editingFinished, this,
                [this, field] { field->setBoxText(cleanedDtmfText(field->text())); });
        // Memory 0 travels with the others but has no place on the page.
        if (index == 0) {
            field->hide();
            continue;
        }
        memories->addWidget(new QLabel(QStringLiteral("Ch%1").arg(index), frame), index, 0);
        memories->addWidget(field, index, 1);
    }
    layout->addLayout(memories);

    auto* timing = new QGridLayout;
    makeCompact(timing);
    const std::pair<const char*, ChoiceOnlyComboBox**> lists[] = {
        {"Wait", &COMMON_WAIT},   {"Head", &COMMON_HEAD},  {"Pause", &COMMON_PAUSE},
        {"Burst", &COMMON_BURST}, {"Ch", &COMMON_DIAL_CH},
    };
    COMMON_WAIT = timingList("COMMON_WAIT", dtmfWaitEntries(), &DtmfSettings::setWait, frame);
    COMMON_HEAD = timingList("COMMON_HEAD", dtmfTimeEntries(), &DtmfSettings::setHead, frame);
    COMMON_PAUSE = timingList("COMMON_PAUSE", dtmfTimeEntries(), &DtmfSettings::setPause, frame);
    COMMON_BURST = timingList("COMMON_BURST", dtmfTimeEntries(), &DtmfSettings::setBurst, frame);
    COMMON_DIAL_CH = timingList("COMMON_DIAL_CH", dtmfDialChannelEntries(),
                                &DtmfSettings::setDialChannel, frame);
    for (const auto& [caption, list] : lists) {
        const int row = timing->rowCount();
        timing->addWidget(new QLabel(QString::fromLatin1(caption), frame), row, 0);
        timing->addWidget(*list, row, 1);
    }
    layout->addLayout(timing);

    READ_DTMF = namedButton("READ_DTMF", "Read", frame);
    WRITE_DTMF = namedButton("WRITE_DTMF", "Write", frame);
    RESET_DTMF = namedButton("RESET_DTMF", "Reset", frame);
    auto* commands = new QHBoxLayout;
    for (QPushButton* button : {READ_DTMF, WRITE_DTMF, RESET_DTMF})
        commands->addWidget(button);
    layout->addLayout(commands);
    connect(READ_DTMF, &QPushButton::clicked, this, &SetModePage::readDtmfFromRadio);
    connect(WRITE_DTMF, &QPushButton::clicked, this, &SetModePage::writeDtmfToRadio);
    connect(RESET_DTMF, &QPushButton::clicked, this, &SetModePage::resetDtmf);
    return frame;
}

void SetModePage::applyStartDefaults() {
    showSettings();
    showDtmf();
}

void SetModePage::showSettings() {
    SetModeControls::of(window_).showSettings();
    showScanTimer();
}

void SetModePage::showScanTimer() {
    const SetModeSettings& settings = window_.areas().setMode;
    {
        const QSignalBlocker quiet(Set_Mode_Scan_Check);
        Set_Mode_Scan_Check->setChecked(settings.scanTimerChecked);
    }
    Set_Mode_Scan_Time->setEnabled(settings.scanTimerChecked);
    Set_Mode_Scan_Time->setBoxText(settings.scanTime);
}

void SetModePage::showDtmf() {
    const DtmfSettings& dtmf = window_.areas().dtmf;
    for (int index = 0; index < DtmfMemoryCount; ++index) {
        FilteredLineEdit* field = COMMON_DTMF[static_cast<size_t>(index)];
        const QSignalBlocker quiet(field);
        field->setBoxText(dtmf.memories[static_cast<size_t>(index)]);
    }
    COMMON_WAIT->selectQuietly(dtmf.wait);
    COMMON_HEAD->selectQuietly(dtmf.head);
    COMMON_PAUSE->selectQuietly(dtmf.pause);
    COMMON_BURST->selectQuietly(dtmf.burst);
    COMMON_DIAL_CH->selectQuietly(dtmf.dialChannel);
}

// ---- set-mode commands -----------------------------------------------------------------------

void SetModePage::readSettingsFromRadio() {
    readPageArea(window_, PageArea::Settings);
}

void SetModePage::writeSettingsToRadio() {
    writePageArea(window_, PageArea::Settings);
}

void SetModePage::resetSettingsPage() {
    if (window_.transferRunning())
        return;
    editAreas(window_, QStringLiteral("Set Mode Clear"),
              [](RadioAreas& areas) { areas.resetSetModePage(); });
    showSettings();
    showDtmf();
}

// ---- DTMF commands ---------------------------------------------------------------------------

void SetModePage::readDtmfFromRadio() {
    readPageArea(window_, PageArea::Dtmf);
}

void SetModePage::writeDtmfToRadio() {
    writePageArea(window_, PageArea::Dtmf);
}

void SetModePage::resetDtmf() {
    if (window_.transferRunning())
        return;
    editAreas(window_, QStringLiteral("DTMF Reset"), [](RadioAreas& areas) { areas.dtmf.reset(); });
    showDtmf();
}

} // namespace qmh4
