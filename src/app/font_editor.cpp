#include "app/font_editor.h"

#include "app/file_choice.h"
#include "app/file_messages.h"
#include "font/font_file.h"
#include "link/link.h"
#include "messages/file_outcome_text.h"
#include "messages/transfer_outcome_text.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace qmh4 {

namespace {

constexpr int CellPixels = 24;
const QColor SetColour(0x20, 0x20, 0x20);
const QColor ClearColour(Qt::white);

QString chooseOpenFontFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QString(), QString(),
        QStringLiteral("FH4 (*.FH4);;FH4 Files (*.FH4);;All Files (*.*)"));
}

// Paints a pixel cell in its own colour whatever the selection: the selection only tints it
// and the current cell gets a frame, so a set pixel stays dark and a clear one light.
class PixelDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
        if (option.state & QStyle::State_Selected) {
            QColor tint = option.palette.color(QPalette::Highlight);
            tint.setAlpha(SelectionAlpha);
            painter->fillRect(option.rect, tint);
        }
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(CurrentFrame, 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
        painter->restore();
    }

private:
    static constexpr int SelectionAlpha = 110;
    inline static const QColor CurrentFrame{0xE0, 0x40, 0x00};
};

QString chooseSaveFontFile(QWidget* parent) {
    // QFileDialog asks before overwriting an existing file.
    return QFileDialog::getSaveFileName(
        parent, QString(), QString(),
        QStringLiteral("H4フォントファイル(*.FH4);;すべてのファイル(*.*)"));
}

QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

FontEditor::FontEditor(GlyphStore& glyphs, LinkOpener openLink, bool* autoTransfer, QWidget* parent)
    : QDialog(parent), glyphs_(glyphs), openLink_(std::move(openLink)), autoTransfer_(autoTransfer),
      chooseOpen_(chooseOpenFontFile), chooseSave_(chooseSaveFontFile) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);
    runner_ = new TransferRunner(this);
    connect(runner_, &TransferRunner::finished, this, &FontEditor::onTransferFinished);
    connect(runner_, &TransferRunner::progressChanged, this,
            [this](int, int, int percent) { ProgressBar1->setValue(percent); });
    buildControls();
    connectCommands();
    showGlyph();
}

FontEditor::~FontEditor() {
    runner_->waitAndDiscard();
}

void FontEditor::buildControls() {
    MSFlexGrid1 = new QTableWidget(GlyphSide, GlyphSide, this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->horizontalHeader()->setMinimumSectionSize(CellPixels);
    MSFlexGrid1->verticalHeader()->setMinimumSectionSize(CellPixels);
    MSFlexGrid1->horizontalHeader()->setDefaultSectionSize(CellPixels);
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(CellPixels);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    MSFlexGrid1->setItemDelegate(new PixelDelegate(MSFlexGrid1));
    MSFlexGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFlexGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFlexGrid1->setFixedSize(GlyphSide * CellPixels + 2 * MSFlexGrid1->frameWidth(),
                              GlyphSide * CellPixels + 2 * MSFlexGrid1->frameWidth());
    for (int r = 0; r < GlyphSide; ++r)
        for (int c = 0; c < GlyphSide; ++c)
            MSFlexGrid1->setItem(r, c, new QTableWidgetItem);

    FONT_LIST = new QComboBox(this);
    FONT_LIST->setObjectName(QStringLiteral("FONT_LIST"));
    for (int g = 1; g <= GlyphCount; ++g)
        FONT_LIST->addItem(QString::number(g));
    FONT_LIST->setEditable(false); // typing into the list is refused

    FONT_NEXT = makeButton("FONT_NEXT", QStringLiteral("NEXT"), this);
    FONT_BACK = makeButton("FONT_BACK", QStringLiteral("BACK"), this);
    IKKATU_ON = makeButton("IKKATU_ON", QStringLiteral("Select Setting"), this);
    IKKATU_OFF = makeButton("IKKATU_OFF", QStringLiteral("Select Delete"), this);
    FONT_CLEAR = makeButton("FONT_CLEAR", QStringLiteral("Clear"), this);
    ALL_CLEAR = makeButton("ALL_CLEAR", QStringLiteral("All Clear"), this);
    R_FONT = makeButton("R_FONT", QStringLiteral("Read"), this);
    FONT_WRITE = makeButton("FONT_WRITE", QStringLiteral("Write"), this);
    READ_ALL = makeButton("READ_ALL", QStringLiteral("Read ALL"), this);
    WRITE_ALL = makeButton("WRITE_ALL", QStringLiteral("Write ALL"), this);
    Command1 = makeButton("Command1", QStringLiteral("OK"), this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    auto* menuBar = new QMenuBar(this);
    MenuFile = menuBar->addMenu(QStringLiteral("File(&F)"));
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    FONT_READ = MenuFile->addAction(QStringLiteral("Font File Open(&O)"));
    FONT_READ->setObjectName(QStringLiteral("FONT_READ"));
    FONT_SAVE = MenuFile->addAction(QStringLiteral("Font File Save(&S)"));
    FONT_SAVE->setObjectName(QStringLiteral("FONT_SAVE"));

    auto* side = new QGridLayout;
    side->addWidget(FONT_LIST, 0, 0, 1, 2);
    side->addWidget(FONT_BACK, 1, 0);
    side->addWidget(FONT_NEXT, 1, 1);
    side->addWidget(IKKATU_ON, 2, 0);
    side->addWidget(IKKATU_OFF, 2, 1);
    side->addWidget(FONT_CLEAR, 3, 0);
    side->addWidget(ALL_CLEAR, 3, 1);
    side->addWidget(R_FONT, 4, 0);
    side->addWidget(FONT_WRITE, 4, 1);
    side->addWidget(READ_ALL, 5, 0);
    side->addWidget(WRITE_ALL, 5, 1);
    side->setRowStretch(6, 1);
    side->addWidget(Command1, 7, 0, 1, 2);

    auto* body = new QHBoxLayout;
    body->addWidget(MSFlexGrid1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(body);
    layout->addWidget(ProgressBar1);
}

void FontEditor::connectCommands() {
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, &FontEditor::togglePixel);
    connect(FONT_LIST, &QComboBox::currentIndexChanged, this, &FontEditor::showChosenGlyph);
    connect(FONT_NEXT, &QPushButton::clicked, this, &FontEditor::nextGlyph);
    connect(FONT_BACK, &QPushButton::clicked, this, &FontEditor::previousGlyph);
    connect(IKKATU_ON, &QPushButton::clicked, this, &FontEditor::setSelectedPixels);
    connect(IKKATU_OFF, &QPushButton::clicked, this, &FontEditor::clearSelectedPixels);
    connect(FONT_CLEAR, &QPushButton::clicked, this, &FontEditor::clearGlyph);
    connect(ALL_CLEAR, &QPushButton::clicked, this, &FontEditor::clearAllGlyphs);
    connect(R_FONT, &QPushButton::clicked, this, &FontEditor::readGlyphFromRadio);
    connect(FONT_WRITE, &QPushButton::clicked, this, &FontEditor::writeGlyphToRadio);
    connect(READ_ALL, &QPushButton::clicked, this, &FontEditor::readAllGlyphs);
    connect(WRITE_ALL, &QPushButton::clicked, this, &FontEditor::writeAllGlyphs);
    connect(FONT_READ, &QAction::triggered, this, &FontEditor::openFontFile);
    connect(FONT_SAVE, &QAction::triggered, this, &FontEditor::saveFontFileAs);
    connect(Command1, &QPushButton::clicked, this, &FontEditor::closeEditor);
}

void FontEditor::setReplyTimeout(std::chrono::milliseconds timeout) {
    if (!transferRunning())
        transfers_ = GlyphTransfers(timeout);
}

void FontEditor::setFileChoosers(FileChooser open, FileChooser save) {
    chooseOpen_ = std::move(open);
    chooseSave_ = std::move(save);
}

int FontEditor::selectedGlyph() const {
    return FONT_LIST->currentIndex();
}

void FontEditor::showGlyph() {
    const Glyph& glyph = glyphs_.glyph(selectedGlyph());
    MSFlexGrid1->setUpdatesEnabled(false);
    for (int r = 0; r < GlyphSide; ++r)
        for (int c = 0; c < GlyphSide; ++c)
            MSFlexGrid1->item(r, c)->setBackground(glyph.pixel(r, c) ? SetColour : ClearColour);
    MSFlexGrid1->setUpdatesEnabled(true);
}

void FontEditor::togglePixel(int row, int column) {
    if (transferRunning())
        return;
    GlyphStore& store = glyphs_;
    const int g = selectedGlyph();
    store.setPixel(g, row, column, !store.glyph(g).pixel(row, column));
    showGlyph();
}

void FontEditor::showChosenGlyph() {
    showGlyph();
}

void FontEditor::nextGlyph() {
    if (selectedGlyph() < GlyphCount - 1)
        FONT_LIST->setCurrentIndex(selectedGlyph() + 1);
}

void FontEditor::previousGlyph() {
    if (selectedGlyph() >= 1)
        FONT_LIST->setCurrentIndex(selectedGlyph() - 1);
}

void FontEditor::setSelectionPixels(bool on) {
    GlyphStore& store = glyphs_;
    const int g = selectedGlyph();
    for (const QTableWidgetSelectionRange& range : MSFlexGrid1->selectedRanges())
        for (int r = range.topRow(); r <= range.bottomRow(); ++r)
            for (int c = range.leftColumn(); c <= range.rightColumn(); ++c)
                store.setPixel(g, r, c, on);
    showGlyph();
}

void FontEditor::setSelectedPixels() {
    setSelectionPixels(true);
}

void FontEditor::clearSelectedPixels() {
    setSelectionPixels(false);
}

void FontEditor::clearGlyph() {
    glyphs_.clearGlyph(selectedGlyph());
    showGlyph();
}

void FontEditor::clearAllGlyphs() {
    glyphs_.clearAll();
    showGlyph();
    tell(QStringLiteral("ALL Clear"), QStringLiteral(" Clear"));
}

void FontEditor::saveFontFileAs() {
    const QString path = chooseSave_(this);
    if (path.isEmpty())
        return;
    const FontFileResult result =
        saveFontFile(withDefaultSuffix(path, QStringLiteral("FH4")), glyphs_.glyphs());
    showMessageText(this, fontFileText(result));
}

void FontEditor::openFontFile() {
    const QString path = chooseOpen_(this);
    if (path.isEmpty())
        return;
    GlyphSet glyphs = glyphs_.glyphs();
    const FontFileResult result = loadFontFile(path, glyphs);
    if (result.ok()) {
        glyphs_.setGlyphs(glyphs);
        showGlyph();
    }
    showMessageText(this, fontFileText(result));
}

void FontEditor::readGlyphFromRadio() {
    const int g = selectedGlyph();
    auto glyph = std::make_shared<Glyph>(glyphs_.glyph(g));
    startTransfer(
        SingleRead,
        [this, g, glyph](Link& link, const std::atomic<bool>* stop, TransferObserver& observer) {
            return transfers_.readGlyph(link, g, *glyph, stop, &observer);
        },
        [this, g, glyph](const TransferResult& result) {
            if (result.ok()) {
                glyphs_.setGlyph(g, *glyph);
                showGlyph();
            }
        });
}

void FontEditor::writeGlyphToRadio() {
    const int g = selectedGlyph();
    const Glyph glyph = glyphs_.glyph(g);
    startTransfer(
        SingleWrite,
        [this, g, glyph](Link& link, const std::atomic<bool>* stop, TransferObserver& observer) {
            return transfers_.writeGlyph(link, g, glyph, stop, &observer);
        },
        {});
}

void FontEditor::readAllGlyphs() {
    auto glyphs = std::make_shared<GlyphSet>(glyphs_.glyphs());
    startTransfer(
        ReadAllRunning,
        [this, glyphs](Link& link, const std::atomic<bool>* stop, TransferObserver& observer) {
            return transfers_.readAll(link, *glyphs, stop, &observer);
        },
        [this, glyphs](const TransferResult& result) {
            // What was decoded stays, but only a complete read vouches for all eight glyphs.
            GlyphStore& store = glyphs_;
            for (int g = 0; g < result.decoded; ++g)
                store.setGlyph(g, (*glyphs)[static_cast<std::size_t>(g)], result.ok());
            if (result.ok())
                FONT_LIST->setCurrentIndex(0);
            showGlyph();
        });
}

void FontEditor::writeAllGlyphs() {
    const GlyphSet glyphs = glyphs_.glyphs();
    startTransfer(
        WriteAllRunning,
        [this, glyphs](Link& link, const std::atomic<bool>* stop, TransferObserver& observer) {
            return transfers_.writeAll(link, glyphs, stop, &observer);
        },
        {});
}

bool FontEditor::startTransfer(State state, Job job, Done done) {
    if (transferRunning())
        return false;
    state_ = state;
    done_ = std::move(done);
    setCommandsEnabled(false);
    ProgressBar1->setValue(0);
    // A job that ends by an unexpected fault leaves no ending of its own: it failed.
    lastEnding_ = GlyphEnding::Failed;
    runner_->start([open = openLink_, stop = stop_, job = std::move(job),
                    ending = &lastEnding_](ChannelTransferObserver& observer) -> TransferResult {
        std::unique_ptr<Link> link = open ? open() : nullptr;
        if (!link) {
            *ending = GlyphEnding::PortError;
            return {Outcome::PortError, QStringLiteral("no port to open")};
        }
        const GlyphResult result = job(*link, stop, observer);
        link->close();
        *ending = result.ending;
        return result;
    });
    return true;
}

void FontEditor::onTransferFinished(const TransferResult& result) {
    lastResult_ = result;
    if (done_)
        done_(lastResult_);
    done_ = nullptr;
    state_ = Idle;
    ProgressBar1->setValue(0);
    setCommandsEnabled(true);

    const bool autoRead = autoRead_;
    autoRead_ = false;
    // During the whole-radio read a success shows no box; failures always do.
    const bool quiet = lastResult_.outcome == Outcome::Stopped || (autoRead && lastResult_.ok());
    if (!quiet)
        showMessageText(this, glyphEndingText(lastEnding_));
    emit transferFinished(lastResult_);
    if (autoRead)
        accept();
}

void FontEditor::setCommandsEnabled(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(MSFlexGrid1), static_cast<QWidget*>(FONT_LIST),
                             static_cast<QWidget*>(FONT_NEXT), static_cast<QWidget*>(FONT_BACK),
                             static_cast<QWidget*>(IKKATU_ON), static_cast<QWidget*>(IKKATU_OFF),
                             static_cast<QWidget*>(FONT_CLEAR), static_cast<QWidget*>(ALL_CLEAR),
                             static_cast<QWidget*>(R_FONT), static_cast<QWidget*>(FONT_WRITE),
                             static_cast<QWidget*>(READ_ALL), static_cast<QWidget*>(WRITE_ALL),
                             static_cast<QWidget*>(Command1)})
        control->setEnabled(enabled);
    MenuFile->setEnabled(enabled);
    FONT_READ->setEnabled(enabled);
    FONT_SAVE->setEnabled(enabled);
}

void FontEditor::checkAutoTransfer() {
    if (!autoTransfer_ || !*autoTransfer_ || transferRunning())
        return;
    // Cleared before the read starts: every box re-activates the editor, and a read that
    // fails must not start again.
    *autoTransfer_ = false;
    autoRead_ = true;
    readAllGlyphs();
}

void FontEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &FontEditor::checkAutoTransfer);
}

void FontEditor::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        checkAutoTransfer();
}

void FontEditor::closeEditor() {
    if (!transferRunning())
        accept();
}

void FontEditor::reject() {
    if (!transferRunning())
        QDialog::reject();
}

void FontEditor::closeEvent(QCloseEvent* event) {
    if (transferRunning())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void FontEditor::tell(const QString& text, const QString& title) {
    showMessage(this, text, title);
}

} // namespace qmh4
