#include "app/group_editor_window.h"

#include "widgets/message_box.h"
#include "widgets/transfer_runner.h"
#include "link/link.h"
#include "transfers/area_transfers.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace qmh4 {

namespace {

// Sizes in twips as the grid has always had them, at 15 twips a pixel.
constexpr int TwipsPerPixel = 15;
constexpr int LabelColumnWidth = 700 / TwipsPerPixel;
constexpr int BankColumnWidth = 200 / TwipsPerPixel;
constexpr int SeparatorWidth = 20 / TwipsPerPixel;
constexpr int RowHeight = 200 / TwipsPerPixel;

const QColor MemberBackground(0, 0, 160);
const QColor MemberText(Qt::white);
const QColor UnusableBackground(150, 150, 150);

QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

Form5::Form5(Groups& groups, LinkOpener openLink, bool* autoTransfer, QWidget* parent)
    : QDialog(parent), groups_(groups), openLink_(std::move(openLink)), autoTransfer_(autoTransfer),
      options_(groupEditorSessionOptions()), runner_(new TransferRunner(this)) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("BANK-LINK Setting"));
    setModal(true);
    buildControls();
    prepareGrid();
    paintAll();
    connect(runner_, &TransferRunner::finished, this, &Form5::onTransferFinished);
}

Form5::~Form5() {
    stop_.store(true);
    runner_->waitAndDiscard();
}

void Form5::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* blockLabels = new QHBoxLayout;
    blockLabels->addSpacing(LabelColumnWidth);
    for (int block = 0; block < 5; ++block) {
        auto* label =
            new QLabel(QString::fromUtf8("BANK%1～%2").arg(block * 10).arg(block * 10 + 9), this);
        label->setObjectName(QStringLiteral("BankBlockLabel[%1]").arg(block));
        blockLabels->addWidget(label, 1);
    }
    layout->addLayout(blockLabels);

    MSFlexGrid1 = new QTableWidget(GroupGridRows, GroupGridColumns, this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->horizontalHeader()->setMinimumSectionSize(1);
    MSFlexGrid1->verticalHeader()->setMinimumSectionSize(1);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(MSFlexGrid1, 1);

    auto* commands = new QHBoxLayout;
    GROUP_READ = namedButton("GROUP_READ", "Read", this);
    GROUP_WRITE = namedButton("GROUP_WRITE", "Write", this);
    Command1 = namedButton("Command1", "Clear", this);
    Command2 = namedButton("Command2", "OK", this);
    for (QPushButton* button : {GROUP_READ, GROUP_WRITE, Command1, Command2}) {
        button->setAutoDefault(false);
        commands->addWidget(button);
    }
    commands->addStretch(1);
    layout->addLayout(commands);

    connect(GROUP_READ, &QPushButton::clicked, this, &Form5::GROUP_READ_Click);
    connect(GROUP_WRITE, &QPushButton::clicked, this, &Form5::GROUP_WRITE_Click);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, &Form5::MSFlexGrid1_Click);
}

void Form5::prepareGrid() {
    MSFlexGrid1->setColumnWidth(0, LabelColumnWidth);
    for (int column = 1; column < GroupGridColumns; ++column)
        MSFlexGrid1->setColumnWidth(column, isGroupSeparatorColumn(column) ? SeparatorWidth
                                                                           : BankColumnWidth);
    for (int row = 0; row < GroupGridRows; ++row) {
        MSFlexGrid1->setRowHeight(row, RowHeight);
        for (int column = 0; column < GroupGridColumns; ++column)
            MSFlexGrid1->setItem(row, column, fixedItem(QString()));
    }
    for (int group = 0; group < GroupCount; ++group)
        MSFlexGrid1->item(group + 1, 0)->setText(groupLabel(group));
    for (int bank = 0; bank < BankCount; ++bank)
        MSFlexGrid1->item(0, groupColumnOfBank(bank))->setText(QString::number(bank % 10));
    resize(LabelColumnWidth + 50 * BankColumnWidth + 4 * SeparatorWidth + 40,
           GroupGridRows * RowHeight + 120);
}

void Form5::paintCell(int bank, int group) {
    QTableWidgetItem* cell = MSFlexGrid1->item(group + 1, groupColumnOfBank(bank));
    if (groups_.isUnusable(bank)) {
        cell->setBackground(UnusableBackground);
        cell->setText(QString());
        cell->setToolTip(QStringLiteral("Bank %1 is empty").arg(bank));
        return;
    }
    const bool member = groups_.isMember(bank, group);
    cell->setBackground(member ? QBrush(MemberBackground) : QBrush());
    cell->setForeground(member ? QBrush(MemberText) : QBrush());
    cell->setText(member ? QStringLiteral("*") : QString());
    cell->setToolTip(QString());
}

void Form5::paintAll() {
    for (int bank = 0; bank < BankCount; ++bank)
        for (int group = 0; group < GroupCount; ++group)
            paintCell(bank, group);
}

void Form5::setCommandsEnabled(bool enabled) {
    for (QPushButton* button : {GROUP_READ, GROUP_WRITE, Command1, Command2})
        button->setEnabled(enabled);
}

void Form5::MSFlexGrid1_Click(int row, int column) {
    if (busy_ || !groups_.click(row, column))
        return;
    paintCell(*bankOfGroupColumn(column), *groupOfGroupRow(row));
}

void Form5::Command1_Click() {
    if (busy_)
        return;
    groups_.clear();
    paintAll();
}

void Form5::Command2_Click() {
    if (!busy_)
        accept();
}

void Form5::reject() {
    if (!busy_)
        QDialog::reject();
}

void Form5::closeEvent(QCloseEvent* event) {
    if (busy_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void Form5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (autoTransfer_ && *autoTransfer_) {
        // Once per opening: the flag is spent as the read starts.
        *autoTransfer_ = false;
        autoRead_ = true;
        QTimer::singleShot(0, this, &Form5::GROUP_READ_Click);
    }
}

bool Form5::startTransfer(std::function<TransferResult(Session&)> body, Done done) {
    if (busy_)
        return false;
    busy_ = true;
    setCommandsEnabled(false);
    done_ = std::move(done);
    stop_.store(false);
    runner_->start([open = openLink_, options = options_, stop = &stop_,
                    body = std::move(body)](ChannelTransferObserver&) {
        const std::unique_ptr<Link> link = open();
        Session session(*link, options, stop);
        return body(session);
    });
    return true;
}

void Form5::GROUP_READ_Click() {
    // The read decodes into its own copy; the editor takes it over, decoded part and all,
    // when the read has ended.
    auto copy = std::make_shared<Groups>(groups_);
    const bool started = startTransfer(
        [copy](Session& session) { return readGroups(session, *copy); },
        [this, copy](const TransferResult& result) {
            groups_ = *copy;
            paintAll();
            if (result.outcome == Outcome::Success)
                showMessage(
                    this, QString::fromLatin1(autoRead_ ? GroupReadAllDoneText : GroupReadDoneText),
                    QString::fromLatin1(GroupDoneTitle));
        });
    if (!started)
        autoRead_ = false;
}

void Form5::GROUP_WRITE_Click() {
    auto copy = std::make_shared<const Groups>(groups_);
    startTransfer([copy](Session& session) { return writeGroups(session, *copy); },
                  [this](const TransferResult& result) {
                      if (result.outcome == Outcome::Success)
                          showMessage(this, QString::fromLatin1(GroupWriteDoneText),
                                      QString::fromLatin1(GroupDoneTitle));
                  });
}

void Form5::onTransferFinished(const TransferResult& result) {
    busy_ = false;
    lastResult_ = result;
    setCommandsEnabled(true);
    if (done_)
        std::exchange(done_, {})(result);
    if (result.outcome == Outcome::Failed)
        showMessage(this, QStringLiteral("Error"), QStringLiteral(" Error"));
    else if (result.outcome == Outcome::PortError)
        showMessage(this, QStringLiteral("Port Error"), QStringLiteral(" Error"));
    emit transferFinished(result);
    if (std::exchange(autoRead_, false))
        accept();
}

} // namespace qmh4
