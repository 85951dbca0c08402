#include "app/bank_page.h"

#include "app/area_pages.h"
#include "app/common_set_page.h"
#include "app/group_editor.h"
#include "app/transfer_controller.h"
#include "app/undo_history.h"
#include "widgets/area_controls.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <memory>

namespace qmh4 {

namespace {

constexpr int BanksPerRow = 25;

QPushButton* namedButton(const QString& name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(name);
    return button;
}

} // namespace

BankPage::BankPage(MainWindow& window, QWidget* parent)
    : QWidget(parent), window_(window), selectedBank_(NoBank) {
    setObjectName(QStringLiteral("BankPage"));
    buildControls();
    showBanks();
}

void BankPage::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int bank = 0; bank < BankCount; ++bank) {
        const auto i = static_cast<size_t>(bank);
        auto* label = new QLabel(QString::number(bank), this);
        label->setAlignment(Qt::AlignCenter);
        Slider1[i] = new QSlider(Qt::Vertical, this);
        Slider1[i]->setObjectName(QStringLiteral("Slider1[%1]").arg(bank));
        Slider1[i]->setRange(0, MaxBankSize);
        Slider1[i]->setPageStep(10);
        Slider1[i]->setFocusPolicy(Qt::StrongFocus);
        Slider1[i]->installEventFilter(this);
        Text1[i] = new FilteredLineEdit(
            [](const QString& text, char32_t key) {
                return key < 0x10000 &&
                       bankSizeKeyAccepted(text, QChar(static_cast<char16_t>(key)));
            },
            false, this);
        Text1[i]->setObjectName(QStringLiteral("Text1[%1]").arg(bank));
        Text1[i]->setMaximumWidth(
            Text1[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        const int row = (bank / BanksPerRow) * 3;
        const int column = bank % BanksPerRow;
        grid->addWidget(label, row, column);
        grid->addWidget(Slider1[i], row + 1, column, Qt::AlignHCenter);
        grid->addWidget(Text1[i], row + 2, column);
        connect(Slider1[i], &QSlider::valueChanged, this,
                [this, bank](int value) { bankSliderMoved(bank, value); });
        connect(Text1[i], &QLineEdit::editingFinished, this,
                [this, bank] { applyBankSizeBox(bank); });
    }
    layout->addLayout(grid, 1);

    auto* commands = new QHBoxLayout;
    commands->addWidget(new QLabel(QStringLiteral("Total"), this));
    Total_Mem = new QLineEdit(QStringLiteral("1000"), this);
    Total_Mem->setObjectName(QStringLiteral("Total_Mem"));
    Total_Mem->setReadOnly(true);
    Total_Mem->setFocusPolicy(Qt::NoFocus);
    Total_Mem->setMaximumWidth(80);
    commands->addWidget(Total_Mem);
    BANK_UP[0] = namedButton(QStringLiteral("BANK_UP[0]"), "Up", this);
    BANK_UP[1] = namedButton(QStringLiteral("BANK_UP[1]"), "Down", this);
    // Up/Down act on the slider that had the focus last: the buttons must not take it.
    for (size_t index = 0; index < BANK_UP.size(); ++index) {
        BANK_UP[index]->setFocusPolicy(Qt::NoFocus);
        BANK_UP[index]->setAutoRepeat(true);
        commands->addWidget(BANK_UP[index]);
        connect(BANK_UP[index], &QPushButton::clicked, this,
                [this, index] { stepSelectedBank(static_cast<int>(index)); });
    }
    Bank_Clear = namedButton(QStringLiteral("Bank_Clear"), "Reset", this);
    READ_BANK = namedButton(QStringLiteral("READ_BANK"), "Bank Read", this);
    WRITE_BANK = namedButton(QStringLiteral("WRITE_BANK"), "Bank Write", this);
    GROUP_SET = namedButton(QStringLiteral("GROUP_SET"), "Bank_Link", this);
    for (QPushButton* button : {Bank_Clear, READ_BANK, WRITE_BANK, GROUP_SET})
        commands->addWidget(button);
    commands->addStretch(1);
    layout->addLayout(commands);

    connect(Bank_Clear, &QPushButton::clicked, this, &BankPage::resetBanks);
    connect(READ_BANK, &QPushButton::clicked, this, &BankPage::readBanksFromRadio);
    connect(WRITE_BANK, &QPushButton::clicked, this, &BankPage::writeBanksToRadio);
    connect(GROUP_SET, &QPushButton::clicked, this, &BankPage::showGroupEditor);
    connect(&window_, &MainWindow::transferFinished, this, [this] { showTotal(); });
}

void BankPage::applyStartDefaults() {
    selectedBank_ = NoBank;
    showBanks();
}

void BankPage::showBanks() {
    for (int bank = 0; bank < BankCount; ++bank)
        showBank(bank);
    showTotal();
}

void BankPage::showBank(int bank) {
    const auto i = static_cast<size_t>(bank);
    const int size = window_.areas().banks.size(bank);
    const QSignalBlocker quiet(Slider1[i]);
    Slider1[i]->setValue(size);
    Text1[i]->setBoxText(QString::number(size));
}

// The total is always the sum of the sizes; only a sum of exactly 1000 can be written.
void BankPage::showTotal() {
    const BankSizes& banks = window_.areas().banks;
    Total_Mem->setText(QString::number(banks.total()));
    QPalette palette = Total_Mem->palette();
    palette.setColor(QPalette::Text, banks.isWritable() ? QWidget::palette().color(QPalette::Text)
                                                        : QColor(Qt::red));
    Total_Mem->setPalette(palette);
    WRITE_BANK->setEnabled(banks.isWritable());
}

bool BankPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int bank = 0; bank < BankCount; ++bank)
            if (watched == Slider1[static_cast<size_t>(bank)])
                selectedBank_ = bank;
    }
    return QWidget::eventFilter(watched, event);
}

QString BankPage::sizeStepName(int bank) {
    return QStringLiteral("Bank %1 size").arg(bank);
}

void BankPage::bankSliderMoved(int bank, int value) {
    // Dragging the slider is one undo step.
    window_.undoHistory->continuing([&] {
        editAreas(window_, sizeStepName(bank),
                  [&](RadioAreas& areas) { areas.banks.setSize(bank, value); });
    });
    Text1[static_cast<size_t>(bank)]->setBoxText(QString::number(value));
    showTotal();
}

// Enter and leaving the box both apply it, mended: non-digits dropped, empty gives 0, a value
// above 1000 gives 100.
void BankPage::applyBankSizeBox(int bank) {
    const int size = mendedBankSize(Text1[static_cast<size_t>(bank)]->text());
    editAreas(window_, sizeStepName(bank),
              [&](RadioAreas& areas) { areas.banks.setSize(bank, size); });
    showBank(bank);
    showTotal();
}

void BankPage::stepSelectedBank(int index) {
    if (window_.transferRunning() || selectedBank_ < 0 || selectedBank_ >= BankCount)
        return;
    bool stepped = false;
    // Up/Down repeat while held: one undo step per bank.
    window_.undoHistory->continuing([&] {
        editAreas(window_, sizeStepName(selectedBank_), [&](RadioAreas& areas) {
            stepped = index == 0 ? areas.banks.stepUp(selectedBank_)
                                 : areas.banks.stepDown(selectedBank_);
        });
    });
    if (stepped) {
        showBank(selectedBank_);
        showTotal();
    }
}

void BankPage::resetBanks() {
    if (window_.transferRunning())
        return;
    editAreas(window_, QStringLiteral("Bank Clear"),
              [](RadioAreas& areas) { areas.banks.reset(); });
    showBanks();
}

void BankPage::readBanksFromRadio() {
    readPageArea(window_, PageArea::Banks);
}

void BankPage::writeBanksToRadio() {
    if (window_.areas().banks.isWritable())
        writePageArea(window_, PageArea::Banks);
}

void BankPage::showGroupEditor() {
    if (window_.transferRunning())
        return;
    if (bankCheckOnGroupEditor(window_.areas().banks) == PageChange::AskInitData) {
        if (!askBankTotalInit(&window_))
            return;
        editAreas(window_, QStringLiteral("Default bank sizes"),
                  [](RadioAreas& areas) { areas.banks.reset(); });
        showBanks();
    }
    openGroupEditor(window_.autoTransferFlag());
}

TransferResult BankPage::openGroupEditor(bool* autoTransfer) {
    // Following the bank sizes is no step of its own (see UndoHistory).
    window_.undoHistory->derived([this] {
        window_.commonSetPage->rebuildOneTouch();
        editAreas(window_, QStringLiteral("Groups"),
                  [](RadioAreas& areas) { areas.groups.prepare(areas.banks); });
    });
    // The editor works on a copy, which becomes the working groups when it closes.
    Groups groups = window_.areas().groups;
    TransferResult result;
    {
        GroupEditor editor(groups, window_.linkOpener(), autoTransfer, &window_);
        editor.setReplyTimeout(window_.transfers->editorOptions().replyTimeout);
        if (groupEditorShown)
            groupEditorShown(editor);
        editor.exec();
        result = editor.lastResult();
    }
    editAreas(window_, QStringLiteral("Group Editor"),
              [&](RadioAreas& areas) { areas.groups = groups; });
    return result;
}

} // namespace qmh4
