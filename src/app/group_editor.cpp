#include "app/group_editor.h"

#include "app/file_messages.h"
#include "link/link.h"
#include "messages/transfer_outcome_text.h"
#include "transfers/area_transfers.h"
#include "widgets/transfer_runner.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace qmh4 {

namespace {

// The grid's sizes in the font in use: the labels "Group0" ... "GroupB" fit their column and a
// bank cell is large enough to click.
struct GridSizes {
    int label;
    int bank;
    int separator;
    int row;
};

GridSizes gridSizes(const QWidget& widget) {
    const QFontMetrics metrics = widget.fontMetrics();
    const int margins = 2 * (widget.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 6;
    constexpr int SmallestCell = 18;
    return {metrics.horizontalAdvance(QStringLiteral("GroupB")) + margins,
            std::max(SmallestCell, metrics.horizontalAdvance(QStringLiteral("0")) + margins), 4,
            std::max(SmallestCell, metrics.height() + 6)};
}

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

GroupEditor::GroupEditor(Groups& groups, LinkOpener openLink, bool* autoTransfer, QWidget* parent)
    : QDialog(parent), groups_(groups), openLink_(std::move(openLink)), autoTransfer_(autoTransfer),
      options_(groupEditorSessionOptions()), runner_(new TransferRunner(this)) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("BANK-LINK Setting"));
    setModal(true);
    buildControls();
    prepareGrid();
    paintAll();
    connect(runner_, &TransferRunner::finished, this, &GroupEditor::onTransferFinished);
}

GroupEditor::~GroupEditor() {
    stop_.store(true);
    runner_->waitAndDiscard();
}

void GroupEditor::buildControls() {
    auto* layout = new QVBoxLayout(this);
    const GridSizes sizes = gridSizes(*this);
    auto* blockLabels = new QHBoxLayout;
    blockLabels->setSpacing(0);
    blockLabels->addSpacing(sizes.label + style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    for (int block = 0; block < 5; ++block) {
        auto* label =
            new QLabel(QString::fromUtf8("BANK%1～%2").arg(block * 10).arg(block * 10 + 9), this);
        label->setObjectName(QStringLiteral("BankBlockLabel[%1]").arg(block));
        label->setFixedWidth(10 * sizes.bank + sizes.separator);
        blockLabels->addWidget(label);
    }
    blockLabels->addStretch(1);
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

    connect(GROUP_READ, &QPushButton::clicked, this, &GroupEditor::readGroupsFromRadio);
    connect(GROUP_WRITE, &QPushButton::clicked, this, &GroupEditor::writeGroupsToRadio);
    connect(Command1, &QPushButton::clicked, this, &GroupEditor::closeEditor);
    connect(Command2, &QPushButton::clicked, this, &GroupEditor::clearAllGroups);
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, &GroupEditor::togglePixel);
}

void GroupEditor::prepareGrid() {
    const GridSizes sizes = gridSizes(*MSFlexGrid1);
    MSFlexGrid1->setColumnWidth(0, sizes.label);
    for (int column = 1; column < GroupGridColumns; ++column)
        MSFlexGrid1->setColumnWidth(column,
                                    isGroupSeparatorColumn(column) ? sizes.separator : sizes.bank);
    for (int row = 0; row < GroupGridRows; ++row) {
        MSFlexGrid1->setRowHeight(row, sizes.row);
        for (int column = 0; column < GroupGridColumns; ++column)
            MSFlexGrid1->setItem(row, column, fixedItem(QString()));
    }
    for (int group = 0; group < GroupCount; ++group)
        MSFlexGrid1->item(group + 1, 0)->setText(groupLabel(group));
    for (int bank = 0; bank < BankCount; ++bank)
        MSFlexGrid1->item(0, groupColumnOfBank(bank))->setText(QString::number(bank % 10));
    // The whole grid shows without scrolling; a smaller screen gets scroll bars.
    const int frame = 2 * MSFlexGrid1->frameWidth();
    const QSize grid(sizes.label + 50 * sizes.bank + 4 * sizes.separator + frame,
                     GroupGridRows * sizes.row + frame);
    const QMargins margins = layout()->contentsMargins();
    constexpr int LabelAndButtonRows = 90;
    resize(grid.width() + margins.left() + margins.right(),
           grid.height() + margins.top() + margins.bottom() + LabelAndButtonRows);
}

void GroupEditor::paintCell(int bank, int group) {
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

void GroupEditor::paintAll() {
    for (int bank = 0; bank < BankCount; ++bank)
        for (int group = 0; group < GroupCount; ++group)
            paintCell(bank, group);
}

void GroupEditor::setCommandsEnabled(bool enabled) {
    for (QPushButton* button : {GROUP_READ, GROUP_WRITE, Command1, Command2})
        button->setEnabled(enabled);
}

void GroupEditor::togglePixel(int row, int column) {
    if (busy_ || !groups_.click(row, column))
        return;
    paintCell(*bankOfGroupColumn(column), *groupOfGroupRow(row));
}

void GroupEditor::closeEditor() {
    if (busy_)
        return;
    groups_.clear();
    paintAll();
}

void GroupEditor::clearAllGroups() {
    if (!busy_)
        accept();
}

void GroupEditor::reject() {
    if (!busy_)
        QDialog::reject();
}

void GroupEditor::closeEvent(QCloseEvent* event) {
    if (busy_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void GroupEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (autoTransfer_ && *autoTransfer_) {
        // Once per opening: the flag is spent as the read starts.
        *autoTransfer_ = false;
        autoRead_ = true;
        QTimer::singleShot(0, this, &GroupEditor::readGroupsFromRadio);
    }
}

bool GroupEditor::startTransfer(std::function<TransferResult(Session&)> body, Done done) {
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

void GroupEditor::readGroupsFromRadio() {
    // The read decodes into its own copy; the editor takes it over, decoded part and all,
    // when the read has ended.
    auto copy = std::make_shared<Groups>(groups_);
    const bool started = startTransfer(
        [copy](Session& session) { return readGroups(session, *copy); },
        [this, copy](const TransferResult& result) {
            groups_ = *copy;
            paintAll();
            if (result.outcome == Outcome::Success)
                showMessageText(this, groupSuccessText(autoRead_ ? GroupSuccess::ReadForWholeRadio
                                                                 : GroupSuccess::Read));
        });
    if (!started)
        autoRead_ = false;
}

void GroupEditor::writeGroupsToRadio() {
    auto copy = std::make_shared<const Groups>(groups_);
    startTransfer([copy](Session& session) { return writeGroups(session, *copy); },
                  [this](const TransferResult& result) {
                      if (result.outcome == Outcome::Success)
                          showMessageText(this, groupSuccessText(GroupSuccess::Written));
                  });
}

void GroupEditor::onTransferFinished(const TransferResult& result) {
    busy_ = false;
    lastResult_ = result;
    setCommandsEnabled(true);
    if (done_)
        std::exchange(done_, {})(result);
    if (const EndBox box = failureBox(result.outcome); box != EndBox::None)
        showMessageText(this, endBoxText(box));
    emit transferFinished(result);
    if (std::exchange(autoRead_, false))
        accept();
}

} // namespace qmh4
