#include "app/common_set_page.h"

#include "app/area_pages.h"
#include "app/interface_language.h"
#include "app/set_mode_controls.h"
#include "app/set_mode_page.h"
#include "app/undo_history.h"
#include "text/cp932.h"
#include "widgets/area_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <memory>

namespace qmh4 {

namespace {

QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QHBoxLayout* commandRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    row->addStretch(1);
    return row;
}

// A caption label of the language table, made with its English text.
QLabel* captionLabel(const QString& key, QWidget* parent) {
    auto* label = new QLabel(shownAsWritten(captionText(key, Language::English)), parent);
    label->setObjectName(key);
    return label;
}

struct ListPlace {
    const char* captionKey;
    SetModeArray array;
    int index;
};

// The "Setting" frame's lists in the order the page shows them.
constexpr ListPlace DisplayModeLists[] = {
    {"Label12[6]", SetModeArray::Display, 6},   {"Label12[7]", SetModeArray::Display, 7},
    {"Label12[8]", SetModeArray::Display, 8},   {"Label12[9]", SetModeArray::Display, 9},
    {nullptr, SetModeArray::Display, 10},       {"Label12[10]", SetModeArray::Display, 11},
    {"Label12[11]", SetModeArray::Display, 12}, {"Label12[12]", SetModeArray::Display, 13},
    {"Label12[13]", SetModeArray::Display, 14}, {"Label12[14]", SetModeArray::Display, 15},
};
constexpr ListPlace OtherSettingLists[] = {
    {"Label14[3]", SetModeArray::Sound, 3}, {"Label14[4]", SetModeArray::Sound, 4},
    {"Label14[5]", SetModeArray::Sound, 5}, {"Label60[6]", SetModeArray::Recv, 6},
    {"Label60[7]", SetModeArray::Recv, 7},  {"Label27[0]", SetModeArray::Send, 6},
    {"Label27[1]", SetModeArray::Send, 7},  {"Label27[2]", SetModeArray::Send, 8},
    {"Label27[3]", SetModeArray::Send, 9},  {"Label27[4]", SetModeArray::Send, 10},
    {"Label27[5]", SetModeArray::Send, 11}, {"Label27[6]", SetModeArray::Send, 12},
};

template <size_t N>
void addLists(SetModeControls& controls, const ListPlace (&places)[N], QGridLayout* grid,
              QWidget* parent) {
    for (const ListPlace& place : places) {
        const int row = grid->rowCount();
        if (place.captionKey)
            grid->addWidget(captionLabel(QString::fromLatin1(place.captionKey), parent), row, 0);
        grid->addWidget(controls.create(place.array, place.index, parent), row, 1);
    }
}

} // namespace

CommonSetPage::CommonSetPage(MainWindow& window, QWidget* parent)
    : QWidget(parent), window_(window) {
    setObjectName(QStringLiteral("CommonSetPage"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(buildOneTouchFrame());
    left->addWidget(buildTitleFrame());
    left->addStretch(1);
    layout->addLayout(left);
    layout->addWidget(buildSettingFrame(), 1);
    showOneTouch();
    showTitle();
}

QGroupBox* CommonSetPage::buildOneTouchFrame() {
    auto* frame = new QGroupBox(QStringLiteral("OneTouch Memory"), this);
    frame->setObjectName(QStringLiteral("OneTouchFrame"));
    auto* layout = new QVBoxLayout(frame);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Key"), frame), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Bank"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("CH"), frame), 0, 2);
    for (int k = 0; k < OneTouchCount; ++k) {
        const auto i = static_cast<size_t>(k);
        COMMON_BANK[i] = new ChoiceOnlyComboBox(frame);
        COMMON_BANK[i]->setObjectName(QStringLiteral("COMMON_BANK[%1]").arg(k));
        COMMON_CH[i] = new ChoiceOnlyComboBox(frame);
        COMMON_CH[i]->setObjectName(QStringLiteral("COMMON_CH[%1]").arg(k));
        NO_SET[i] = new QCheckBox(QStringLiteral("No Setting"), frame);
        NO_SET[i]->setObjectName(QStringLiteral("NO_SET[%1]").arg(k));
        grid->addWidget(new QLabel(QString::number(k + 1), frame), k + 1, 0);
        grid->addWidget(COMMON_BANK[i], k + 1, 1);
        grid->addWidget(COMMON_CH[i], k + 1, 2);
        grid->addWidget(NO_SET[i], k + 1, 3);
        connect(COMMON_BANK[i], &QComboBox::currentIndexChanged, this,
                [this, k](int position) { chooseOneTouchBank(k, position); });
        connect(COMMON_CH[i], &QComboBox::currentIndexChanged, this, [this, k](int position) {
            editAreas(window_, QStringLiteral("One-touch channel"),
                      [&](RadioAreas& areas) { areas.oneTouch.chooseChannel(k, position); });
        });
        connect(NO_SET[i], &QCheckBox::toggled, this, [this, k](bool checked) {
            editAreas(window_, QStringLiteral("One-touch No Setting"),
                      [&](RadioAreas& areas) { areas.oneTouch.setNoSetting(k, checked); });
        });
    }
    layout->addLayout(grid);
    READ_ONE_TOUCH = namedButton("READ_ONE_TOUCH", "Read", frame);
    WRITE_ONE_TOUCH = namedButton("WRITE_ONE_TOUCH", "Write", frame);
    COMMON_ONE_TOUCH_RESET = namedButton("COMMON_ONE_TOUCH_RESET", "Reset", frame);
    layout->addLayout(commandRow({READ_ONE_TOUCH, WRITE_ONE_TOUCH, COMMON_ONE_TOUCH_RESET}));
    connect(READ_ONE_TOUCH, &QPushButton::clicked, this, &CommonSetPage::readOneTouchFromRadio);
    connect(WRITE_ONE_TOUCH, &QPushButton::clicked, this, &CommonSetPage::writeOneTouchToRadio);
    connect(COMMON_ONE_TOUCH_RESET, &QPushButton::clicked, this, &CommonSetPage::resetOneTouch);
    return frame;
}

QGroupBox* CommonSetPage::buildTitleFrame() {
    auto* frame = new QGroupBox(QStringLiteral("Title Name"), this);
    frame->setObjectName(QStringLiteral("TitleFrame"));
    auto* layout = new QVBoxLayout(frame);
    TITLE_TEXT = new FilteredLineEdit(
        [](const QString& text, char32_t key) { return titleKeyAccepted(text, key); }, true, frame);
    TITLE_TEXT->setObjectName(QStringLiteral("TITLE_TEXT"));
    // The field shows the radio's glyphs ① … ⑧ as their markers, whichever way they arrive.
    TITLE_TEXT->setInputMapping([](char32_t character) {
        const QString text = QString::fromUcs4(&character, 1);
        return cp932::glyphsToMarkers(text);
    });
    layout->addWidget(TITLE_TEXT);
    connect(TITLE_TEXT, &QLineEdit::textChanged, this, &CommonSetPage::titleEdited);

    auto* markers = new QHBoxLayout;
    for (int i = 0; i < 8; ++i) {
        const auto index = static_cast<size_t>(i);
        Command2[index] = new QPushButton(QString(QChar(0x2460 + i)), frame);
        Command2[index]->setObjectName(QStringLiteral("Command2[%1]").arg(i));
        Command2[index]->setToolTip(QStringLiteral(":%1~").arg(i + 1));
        markers->addWidget(Command2[index]);
        connect(Command2[index], &QPushButton::clicked, this, [this, i] { appendTitleGlyph(i); });
    }
    markers->addStretch(1);
    layout->addLayout(markers);

    auto* slide = new QHBoxLayout;
    DOUSA = captionLabel(QStringLiteral("DOUSA"), frame);
    Combo1 = new ChoiceOnlyComboBox(frame);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEntries({QStringLiteral("OFF"), QStringLiteral("ON")}, 0);
    slide->addWidget(DOUSA);
    slide->addWidget(Combo1);
    slide->addStretch(1);
    layout->addLayout(slide);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int position) {
        editAreas(window_, QStringLiteral("Title slide"),
                  [&](RadioAreas& areas) { areas.title.setSlide(position); });
    });

    TITLE_READ = namedButton("TITLE_READ", "Read", frame);
    TITLE_WRITE = namedButton("TITLE_WRITE", "Write", frame);
    TITLE_CLEAR = namedButton("TITLE_CLEAR", "Reset", frame);
    layout->addLayout(commandRow({TITLE_READ, TITLE_WRITE, TITLE_CLEAR}));
    connect(TITLE_READ, &QPushButton::clicked, this, &CommonSetPage::readTitleFromRadio);
    connect(TITLE_WRITE, &QPushButton::clicked, this, &CommonSetPage::writeTitleToRadio);
    connect(TITLE_CLEAR, &QPushButton::clicked, this, &CommonSetPage::clearTitle);
    return frame;
}

QGroupBox* CommonSetPage::buildSettingFrame() {
    auto* frame = new QGroupBox(QStringLiteral("Setting"), this);
    frame->setObjectName(QStringLiteral("SettingFrame"));
    auto* layout = new QVBoxLayout(frame);
    // The display lists and the others side by side: one column of all of them would not fit
    // the height of a 768-pixel screen.
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    SetModeControls& controls = SetModeControls::of(window_);

    auto* displayFrame = new QGroupBox(
        shownAsWritten(captionText(QStringLiteral("Frame1"), Language::English)), frame);
    displayFrame->setObjectName(QStringLiteral("Frame1"));
    auto* displayLayout = new QVBoxLayout(displayFrame);
    displayLayout->addWidget(captionLabel(QStringLiteral("Label19"), displayFrame));
    auto* displayGrid = new QGridLayout;
    addLists(controls, DisplayModeLists, displayGrid, displayFrame);
    displayLayout->addLayout(displayGrid);
    columns->addWidget(displayFrame, 0, Qt::AlignTop);

    auto* grid = new QGridLayout;
    addLists(controls, OtherSettingLists, grid, frame);
    grid->setRowStretch(grid->rowCount(), 1);
    columns->addLayout(grid);
    layout->addStretch(1);

    SETTING_READ = namedButton("SETTING_READ", "Read", frame);
    SETTING_WRITE = namedButton("SETTING_WRITE", "Write", frame);
    SETTING_RESET = namedButton("SETTING_RESET", "Reset", frame);
    layout->addLayout(commandRow({SETTING_READ, SETTING_WRITE, SETTING_RESET}));
    connect(SETTING_READ, &QPushButton::clicked, this, &CommonSetPage::readSettingsFromRadio);
    connect(SETTING_WRITE, &QPushButton::clicked, this, &CommonSetPage::writeSettingsToRadio);
    connect(SETTING_RESET, &QPushButton::clicked, this, &CommonSetPage::resetCommonSettings);
    return frame;
}

void CommonSetPage::applyStartDefaults() {
    showOneTouch();
    showTitle();
}

// ---- one-touch -------------------------------------------------------------------------------

void CommonSetPage::showOneTouch() {
    for (int k = 0; k < OneTouchCount; ++k)
        showOneTouchEntry(k);
}

void CommonSetPage::showOneTouchEntry(int k) {
    const OneTouch& oneTouch = window_.areas().oneTouch;
    const OneTouchEntry& entry = oneTouch.entry(k);
    const auto i = static_cast<size_t>(k);
    COMMON_BANK[i]->setEntries(oneTouch.bankEntries(), entry.bankPosition);
    COMMON_CH[i]->setEntries(oneTouch.channelEntries(k), entry.channelPosition);
    const QSignalBlocker quiet(NO_SET[i]);
    NO_SET[i]->setChecked(entry.noSetting);
}

void CommonSetPage::chooseOneTouchBank(int k, int position) {
    editAreas(window_, QStringLiteral("One-touch bank"),
              [&](RadioAreas& areas) { areas.oneTouch.chooseBank(k, position); });
    showOneTouchEntry(k);
}

void CommonSetPage::rebuildOneTouch() {
    editAreas(window_, QStringLiteral("One-touch lists"),
              [](RadioAreas& areas) { areas.oneTouch.rebuild(areas.banks); });
    showOneTouch();
}

void CommonSetPage::resetOneTouch() {
    if (window_.transferRunning())
        return;
    editAreas(window_, QStringLiteral("One-touch Reset"),
              [](RadioAreas& areas) { areas.oneTouch.reset(); });
    showOneTouch();
}

void CommonSetPage::readOneTouchFromRadio() {
    readPageArea(window_, PageArea::OneTouch);
}

void CommonSetPage::writeOneTouchToRadio() {
    writePageArea(window_, PageArea::OneTouch);
}

// ---- title -----------------------------------------------------------------------------------

void CommonSetPage::showTitle() {
    const Title& title = window_.areas().title;
    if (TITLE_TEXT->text() != title.text())
        TITLE_TEXT->setBoxText(title.text());
    Combo1->selectQuietly(title.slide());
}

void CommonSetPage::titleEdited() {
    const QString typed = TITLE_TEXT->text();
    QString kept;
    window_.undoHistory->continuing([&] {
        editAreas(window_, QStringLiteral("Typing in the title"),
                  [&](RadioAreas& areas) { kept = areas.title.setText(typed); });
    });
    if (kept != typed)
        TITLE_TEXT->setBoxText(window_.areas().title.text());
}

void CommonSetPage::appendTitleGlyph(int index) {
    if (window_.transferRunning())
        return;
    bool appended = false;
    editAreas(window_, QStringLiteral("Title glyph"),
              [&](RadioAreas& areas) { appended = areas.title.appendMarker(index + 1); });
    if (appended)
        showTitle();
}

void CommonSetPage::clearTitle() {
    if (window_.transferRunning())
        return;
    editAreas(window_, QStringLiteral("Title Clear"),
              [](RadioAreas& areas) { areas.title.reset(); });
    showTitle();
}

void CommonSetPage::readTitleFromRadio() {
    readPageArea(window_, PageArea::Title);
}

void CommonSetPage::writeTitleToRadio() {
    writePageArea(window_, PageArea::Title);
}

// ---- setting frame ---------------------------------------------------------------------------

void CommonSetPage::readSettingsFromRadio() {
    readPageArea(window_, PageArea::Settings);
}

void CommonSetPage::writeSettingsToRadio() {
    writePageArea(window_, PageArea::Settings);
}

void CommonSetPage::resetCommonSettings() {
    if (window_.transferRunning())
        return;
    editAreas(window_, QStringLiteral("Setting Reset"),
              [](RadioAreas& areas) { areas.setMode.resetCommonSetting(); });
    showPageArea(window_, PageArea::Settings);
}

} // namespace qmh4
