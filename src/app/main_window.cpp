#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/area_pages.h"
#include "app/bank_page.h"
#include "app/channel_dialog.h"
#include "app/channel_grid_model.h"
#include "app/common_set_page.h"
#include "app/connection_test_dialog.h"
#include "app/desktop_commands.h"
#include "app/file_choice.h"
#include "app/file_commands.h"
#include "app/find_rows.h"
#include "app/font_editor.h"
#include "app/grid_clipboard.h"
#include "app/memory_page.h"
#include "app/multi_row_dialog.h"
#include "app/port_menu.h"
#include "app/safety_net.h"
#include "app/set_mode_page.h"
#include "app/settings_location.h"
#include "app/undo_history.h"
#include "app/unsaved_changes.h"
#include "app/write_confirmation.h"
#include "editing/grid_editing.h"
#include "files/csv_file.h"
#include "files/data_file.h"
#include "files/settings_file.h"
#include "font/glyph_store.h"
#include "link/serial_link.h"
#include "ports/port_opener.h"
#include "sim/simulated_radio.h"
#include "transfers/channel_transfer.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace qmh4 {

namespace {

QAction* addNamedAction(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* addNamedMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QString percentText(int percent) {
    return QString::number(percent) + QLatin1Char('%');
}

// A page in a window smaller than the page scrolls instead of squeezing its controls together.
QScrollArea* scrolledWhenSmall(QWidget* page) {
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(page);
    return area;
}

// The share of the whole command's bar each step takes, about as long as the step runs: the
// channels are most of the work. Each row adds up to 100.
struct StepShare {
    WholeStep step;
    int percent;
    const char* status;
};
constexpr StepShare ReadShares[] = {
    {WholeStep::Channels, 70, "Reading channels..."},
    {WholeStep::Banks, 4, "Reading banks..."},
    {WholeStep::OneTouch, 2, "Reading one-touch..."},
    {WholeStep::Title, 2, "Reading the opening title..."},
    {WholeStep::Settings, 8, "Reading settings and DTMF..."},
    {WholeStep::Glyphs, 8, "Reading the font..."},
    {WholeStep::Groups, 6, "Reading groups..."},
};
constexpr StepShare WriteShares[] = {
    {WholeStep::Channels, 70, "Writing channels..."},
    {WholeStep::Banks, 4, "Writing banks..."},
    {WholeStep::OneTouch, 2, "Writing one-touch..."},
    {WholeStep::Title, 2, "Writing the opening title..."},
    {WholeStep::Settings, 8, "Writing settings and DTMF..."},
    {WholeStep::FinalBlocks, 14, "Writing groups and the font..."},
};

// Forwards a whole-radio command's progress and rows to the runner, and hands each finished
// step to the window thread, waiting there until its box (if any) has been answered. The bar
// runs once from 0 to 100 over the whole command: each step fills its own share of it, and it
// never goes back.
class WholeRadioRelay : public WholeRadioObserver {
public:
    using StepDone = std::function<void(const StepResult&)>;
    using Status = std::function<void(const QString&)>;
    WholeRadioRelay(ChannelTransferObserver& forward, WindowCall& call, bool reading, Status status,
                    StepDone done)
        : forward_(forward), call_(call), reading_(reading), status_(std::move(status)),
          done_(std::move(done)) {}

    void stepStarted(WholeStep step) override {
        const auto shares = reading_ ? std::span<const StepShare>(ReadShares)
                                     : std::span<const StepShare>(WriteShares);
        int start = 0;
        for (const StepShare& share : shares) {
            if (share.step == step) {
                stepStart_ = start;
                stepShare_ = share.percent;
                status_(QString::fromLatin1(share.status));
                break;
            }
            start += share.percent;
        }
        report(stepStart_);
    }
    void progress(int /*value*/, int /*maximum*/, int percent) override {
        report(stepStart_ + std::clamp(percent, 0, 100) * stepShare_ / 100);
    }
    void currentRow(int rowNumber) override { forward_.currentRow(rowNumber); }
    void rowDecoded(int rowNumber, const ChannelRow& row) override {
        forward_.rowDecoded(rowNumber, row);
    }
    void emptyRowsBlanked() override { forward_.emptyRowsBlanked(); }
    void stepFinished(const StepResult& step) override {
        report(stepStart_ + stepShare_);
        call_.run([this, &step] { done_(step); });
    }

private:
    void report(int overall) {
        if (overall <= shown_)
            return;
        shown_ = overall;
        forward_.progress(overall, 100, overall);
    }

    ChannelTransferObserver& forward_;
    WindowCall& call_;
    bool reading_;
    Status status_;
    StepDone done_;
    int stepStart_ = 0;
    int stepShare_ = 0;
    int shown_ = 0;
};

} // namespace

// What one run of "Read All Data" or "Write All Data" works on: its own copy of the working
// data, filled on the worker thread and taken over by the window when the run ends.
struct MainWindow::WholeRun {
    WholeRadioData data;
    WholeRadioResult result;
    bool adopted = false; // a read's data has reached the window
};

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), model_(new ChannelGridModel(document_, this)),
      windowCall_(std::make_shared<WindowCall>(this)) {
    setObjectName(QStringLiteral("Form1"));
    // Paced like the radio's cable, so a transfer from it looks and lasts like a real one.
    ports_.setSimulatedBaud(SimulatedBaud);
    setWindowTitle(QStringLiteral("KORVAN QM-H4 Clone Utility"));
    buildMenus();
    buildCentralArea();
    keepSelectionAcrossReset();
    connectCommands();
    buildGridEditCommands();
    loadWindow();
    desktopCommands = new DesktopCommands(*this);
    // The start-up state is nothing to undo, and nothing to save.
    undoHistory->clear();
}

MainWindow::~MainWindow() {
    // The worker reads the stop flag, the simulated radio and its snapshot: it must have
    // ended before any of them goes.
    control_.requestClose();
    windowCall_->abandon();
    runner_.waitAndDiscard();
    // The undo stack goes with the window's children, after this window has stopped being a
    // MainWindow: what it would announce then (the title's "*") must reach no one.
    undoHistory->stack().blockSignals(true);
}

// ---- building the window ---------------------------------------------------------------------

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    fileMenu = addNamedMenu(bar, "FILE", "File(&F)");
    openAction = addNamedAction(fileMenu, "ReadFile", "Open(&O)");
    saveAction = addNamedAction(fileMenu, "TEST_CLICK", "Save(&S)");
    importAction = addNamedAction(fileMenu, "FILE_INPORT", "Import(&I)");
    exportAction = addNamedAction(fileMenu, "FILE_EXPORT", "Export(&E)");
    fileCommands = new FileCommands(*this, fileMenu);

    // Undo, the clipboard and finding rows; the documented menus keep their order around it.
    editMenu = addNamedMenu(bar, "EditMenu", "Edit(&E)");
    undoHistory = new UndoHistory(document_, this);
    undoHistory->addActionsTo(editMenu);
    undoHistory->setBusyCheck([this] { return control_.busy(); });
    unsavedChanges = new UnsavedChanges(*this);
    portMenu = addNamedMenu(bar, "MenuComPort", "COMPort(&C)");
    portCommands = new PortMenu(*this, portMenu);
    connect(portCommands, &PortMenu::portChanged, this, &MainWindow::portChanged);

    communicationMenu = addNamedMenu(bar, "Tusin_Botton", "Communication(&T)");
    writeAllAction = addNamedAction(communicationMenu, "ALL_WRITE", "Write All Data(&A)");
    readAllAction = addNamedAction(communicationMenu, "ALL_READ", "Read All Data(&B)");
    connect(addNamedAction(communicationMenu, "TestConnection", "Test Connection…"),
            &QAction::triggered, this, [this] { ConnectionTestDialog(*this).exec(); });
    safetyNet = new SafetyNet(*this, fileMenu, communicationMenu);

    helpMenu = addNamedMenu(bar, "MenuHelp", "Help(&H)");
    aboutAction = addNamedAction(helpMenu, "MenuVersion", "Version Infomation(&A)");
}

void MainWindow::buildCentralArea() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    TabStrip1 = new QTabWidget(central);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    memoryPage = new MemoryPage(model_, TabStrip1);
    bankPage = new BankPage(*this, TabStrip1);
    commonSetPage = new CommonSetPage(*this, TabStrip1);
    setModePage = new SetModePage(*this, TabStrip1);
    TabStrip1->addTab(memoryPage, QStringLiteral("Memory"));
    TabStrip1->addTab(scrolledWhenSmall(bankPage), QStringLiteral("Bank"));
    TabStrip1->addTab(scrolledWhenSmall(commonSetPage), QStringLiteral("Common Set"));
    TabStrip1->addTab(setModePage, QStringLiteral("Set Mode")); // scrolls its own lists
    layout->addWidget(TabStrip1, 1);

    auto* bottom = new QHBoxLayout;
    Option1[0] = new QRadioButton(QStringLiteral("Japanese"), central);
    Option1[1] = new QRadioButton(QStringLiteral("English"), central);
    for (size_t index = 0; index < Option1.size(); ++index) {
        Option1[index]->setObjectName(QStringLiteral("Option1[%1]").arg(index));
        bottom->addWidget(Option1[index]);
    }
    ProgressBar1 = new QProgressBar(central);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    bottom->addWidget(ProgressBar1, 1);
    Progress = new QLineEdit(central);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setReadOnly(true);
    Progress->setFocusPolicy(Qt::NoFocus);
    Progress->setMaximumWidth(Progress->fontMetrics().horizontalAdvance(QStringLiteral("0000%")) +
                              12);
    bottom->addWidget(Progress);
    Command1 = new QPushButton(QStringLiteral("FONT"), central);
    Command1->setObjectName(QStringLiteral("Command1"));
    bottom->addWidget(Command1);
    CancelTransfer = new QPushButton(QStringLiteral("Cancel"), central);
    CancelTransfer->setObjectName(QStringLiteral("CancelTransfer"));
    CancelTransfer->setEnabled(false);
    bottom->addWidget(CancelTransfer);
    layout->addLayout(bottom);

    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("StatusLine"));
    // Every page shows whole at this size, which fits a 1366 x 768 screen with its task bar.
    resize(DefaultSize);
}

void MainWindow::connectCommands() {
    connect(memoryPage->READ_Botton, &QPushButton::clicked, this, &MainWindow::readAllChannels);
    connect(memoryPage->WRITE_Botton, &QPushButton::clicked, this, &MainWindow::writeAllChannels);
    connect(memoryPage->MEM_ONE_READ, &QPushButton::clicked, this,
            &MainWindow::readSelectedChannels);
    connect(memoryPage->MEM_ONE_WRITE, &QPushButton::clicked, this,
            &MainWindow::writeSelectedChannels);
    connect(memoryPage->ALL_Reset, &QPushButton::clicked, this, &MainWindow::allClear);
    connect(memoryPage->Clear_Botton, &QPushButton::clicked, this, &MainWindow::clearSelectedRows);
    for (size_t index = 0; index < memoryPage->LIST_SET.size(); ++index)
        connect(memoryPage->LIST_SET[index], &QPushButton::clicked, this,
                [this, index] { moveCurrentRow(static_cast<int>(index)); });
    connect(memoryPage->MSFlexGrid1, &QTableView::doubleClicked, this,
            &MainWindow::editCurrentChannel);
    memoryPage->MSFlexGrid1->installEventFilter(this);
    connect(CancelTransfer, &QPushButton::clicked, this, &MainWindow::cancelTransfer);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(readAllAction, &QAction::triggered, this, &MainWindow::readAllData);
    connect(writeAllAction, &QAction::triggered, this, &MainWindow::writeAllData);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::showFontEditor);
    new PageChangeGuard(*this);
    for (size_t index = 0; index < Option1.size(); ++index)
        connect(Option1[index], &QRadioButton::clicked, this,
                [this, index] { applyLanguage(static_cast<int>(index)); });

    connect(&runner_, &TransferRunner::progressChanged, this, &MainWindow::showProgress);
    connect(&runner_, &TransferRunner::currentRowChanged, this, &MainWindow::followRow);
    // A read decodes into its own copy, which the document takes over in one change at the end.
    connect(&document_, &RadioDocument::everythingReplaced, this, [this] { showAreaPages(*this); });
    // The pages show what undo put back; a page's own edits leave its boxes as typed.
    connect(undoHistory, &UndoHistory::applied, this, [this](const DocumentChange& change) {
        if (change.kind == DocumentChange::Kind::Areas)
            showAreaPages(*this);
    });
    connect(&runner_, &TransferRunner::finished, this, &MainWindow::onTransferFinished);
}

// The window's loading, step by step in the order the program has always followed. The
// channel table's own constructor has already given every row its start content: labels,
// default side tables, the call and bug-finder rows.
void MainWindow::loadWindow() {
    setModePage->applyStartDefaults(); // the scan lists' "OFF"/"ON" entries come first
    document_.setComPort(FirstComPort);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    Progress->setText(percentText(0));
    commonSetPage->applyStartDefaults();
    bankPage->applyStartDefaults();
    language_ = 1; // so that applying Japanese takes effect
    applyLanguage(0);
    memoryPage->selectRow(FirstRow);
    portCommands->readSettings();
}

// ---- port and language -----------------------------------------------------------------------

void MainWindow::setComPortNumber(int number, bool checkItem) {
    portCommands->setComPortNumber(number, checkItem);
}

const QString& MainWindow::namedPort() const {
    return portCommands->namedPort();
}

QString MainWindow::portDevice() const {
    return portCommands->portDevice();
}

void MainWindow::chooseComPort(int number) {
    portCommands->chooseComPort(number);
}

void MainWindow::choosePortByName(const QString& port) {
    portCommands->choosePortByName(port);
}

void MainWindow::applyLanguage(int code) {
    if (code == language_)
        return;
    language_ = code;
    Option1[static_cast<size_t>(code)]->setChecked(true);
    emit languageApplied(code);
}

// ---- commands --------------------------------------------------------------------------------

void MainWindow::showAbout() {
    if (control_.busy())
        return;
    AboutDialog about(this);
    about.move(AboutDialog::placementFor(this));
    about.exec();
}

void MainWindow::allClear() {
    if (control_.busy())
        return;
    const MemoryPage::RowRange selection = memoryPage->selectedRows();
    const int current = memoryPage->currentRow();
    memoryPage->ALL_Reset->setEnabled(false);
    document_.editRows(QStringLiteral("All Clear"), FirstRow, LastRow,
                       [](ChannelTable& table) { table.clearAllChannels(); });
    if (current == selection.first)
        memoryPage->selectRows(selection.first, selection.last);
    else
        memoryPage->selectRows(selection.last, selection.first);
    memoryPage->ALL_Reset->setEnabled(true);
    ProgressBar1->setValue(0);
}

// ---- files -----------------------------------------------------------------------------------

void MainWindow::adoptChannels(const ChannelTable& table, const QString& what) {
    document_.replaceChannels(what, table);
}

// A model reset loses the view's selection: put it back as it was.
void MainWindow::keepSelectionAcrossReset() {
    auto selection = std::make_shared<MemoryPage::RowRange>();
    auto current = std::make_shared<int>(0);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this, selection, current] {
        *selection = memoryPage->selectedRows();
        *current = memoryPage->currentRow();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this, selection, current] {
        if (*current == selection->first)
            memoryPage->selectRows(selection->first, selection->last);
        else
            memoryPage->selectRows(selection->last, selection->first);
    });
}

void MainWindow::adoptData(const RadioData& data, const QString& what) {
    document_.replaceAll(what, data);
}

// ---- editors and the whole radio -------------------------------------------------------------

TransferResult MainWindow::openFontEditor() {
    // The editor works on a copy, which becomes the working glyphs when it closes.
    GlyphStore glyphs = document_.glyphs();
    TransferResult result;
    {
        FontEditor editor(glyphs, linkOpener(), &autoTransfer_, this);
        editor.setStopFlag(control_.stopFlag());
        editor.setReplyTimeout(editorOptions_.replyTimeout);
        if (fontEditorShown)
            fontEditorShown(editor);
        editor.exec();
        result = editor.lastResult();
    }
    document_.editGlyphs(QStringLiteral("Font Editor"),
                         [&](GlyphStore& working) { working = glyphs; });
    return asWholeRadioStep(result);
}

void MainWindow::showFontEditor() {
    if (control_.busy())
        return;
    openFontEditor();
}

// The editors read once as they open (the flag is spent as their read starts) and close
// themselves, showing their own boxes; the flag is down again once they have closed.
TransferResult MainWindow::openEditorWithAutoRead(const std::function<TransferResult()>& open) {
    autoTransfer_ = true;
    const TransferResult result = open();
    autoTransfer_ = false;
    return result;
}

void MainWindow::readAllData() {
    startWholeRadio(ReadWholeRadioState);
}

void MainWindow::writeAllData() {
    if (confirmRadioWrite(*this))
        startWholeRadio(WriteWholeRadioState);
}

void MainWindow::showStepBox(const StepResult& step, bool reading) {
    // The editors of a read have shown their own boxes.
    if (reading && (step.step == WholeStep::Glyphs || step.step == WholeStep::Groups))
        return;
    const EndBox box = stepBox(step.result);
    if (!box.show)
        return;
    if (!box.detail.isEmpty())
        statusBar()->showMessage(box.text + QStringLiteral(": ") + box.detail);
    showMessage(this, box.text, box.title);
}

void MainWindow::adoptWholeRead(WholeRun& run) {
    if (std::exchange(run.adopted, true))
        return;
    RadioData read = document_.data();
    read.channels = run.data.channels;
    read.areas = run.data.areas;
    adoptData(read, QStringLiteral("Read All Data"));
}

bool MainWindow::startWholeRadio(StateCode code) {
    if (control_.busy())
        return false;
    const bool reading = code == ReadWholeRadioState;
    auto run = std::make_shared<WholeRun>();
    run->data = {document_.channels(), document_.areas(), document_.glyphs().glyphs(),
                 document_.glyphs().holdsRealGlyphs()};
    windowCall_->reopen();
    WholeRadioOptions options;
    options.main = sessionOptions_;
    options.editors = editorOptions_;
    if (reading) {
        // The editors read on the window thread while the sequence waits: first the areas read
        // so far reach the window, so the group editor sees the banks just read.
        options.readGlyphs = [this, call = windowCall_, run](Link&, WholeRadioData&) {
            TransferResult result{Outcome::Stopped, {}};
            call->run([&] {
                adoptWholeRead(*run);
                result = openEditorWithAutoRead([this] { return openFontEditor(); });
            });
            return result;
        };
        options.readGroups = [this, call = windowCall_](Link&, WholeRadioData&) {
            TransferResult result{Outcome::Stopped, {}};
            call->run([&] {
                result = openEditorWithAutoRead(
                    [this] { return bankPage->openGroupEditor(&autoTransfer_); });
            });
            return result;
        };
    }
    TransferRunner::Job job = [this, open = linkOpener(), options, stop = control_.stopFlag(),
                               call = windowCall_, run, reading](ChannelTransferObserver& forward) {
        const std::unique_ptr<Link> link = open();
        const auto status = [this](const QString& text) {
            QMetaObject::invokeMethod(
                this,
                [this, text] {
                    stepStatus_ = text;
                    statusBar()->showMessage(text);
                },
                Qt::QueuedConnection);
        };
        WholeRadioRelay relay(
            forward, *call, reading, status,
            [this, reading](const StepResult& step) { showStepBox(step, reading); });
        run->result = reading ? readWholeRadio(*link, run->data, options, stop, &relay)
                              : writeWholeRadio(*link, run->data, options, stop, &relay);
        link->close();
        return run->result.stopped ? TransferResult{Outcome::Stopped, {}} : TransferResult{};
    };
    Finish finish = [this, run, reading](const TransferResult&) {
        if (reading) {
            adoptWholeRead(*run);
            if (run->result.allSucceeded())
                safetyNet->readSucceeded(QStringLiteral("read-all"), true);
            return;
        }
        // The settings step has refreshed the record from the radio.
        for (const StepResult& step : run->result.steps)
            if (step.step == WholeStep::Settings && step.result.outcome == Outcome::Success)
                undoHistory->derived([&] {
                    document_.editAreas(QStringLiteral("Write All Data"), [&](RadioAreas& areas) {
                        areas.setMode.record = run->data.areas.setMode.record;
                    });
                });
        if (!run->result.allSucceeded())
            return;
        showMessage(this, QStringLiteral("Success"), QStringLiteral(" Finish"));
        safetyNet->wholeWriteSucceeded();
    };
    // Every step is quiet: the only boxes are the failing steps' and the write's last one.
    control_.setQuiet(TransferControl::WholeRadioStep);
    wholeRadioRun_ = true;
    if (startTransfer(code, std::move(job), std::move(finish)))
        return true;
    wholeRadioRun_ = false;
    control_.setQuiet(TransferControl::StandAlone);
    return false;
}

// ---- grid editing ----------------------------------------------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memoryPage->MSFlexGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete) {
            gridKeyPressed(key);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::buildGridEditCommands() {
    editMenu->addSeparator();
    gridClipboard = new GridClipboard(*this, editMenu);
    editSelectedRowsAction = addNamedAction(editMenu, "EditSelectedRows", "Edit Selected Rows…");
    memoryPage->MSFlexGrid1->addAction(editSelectedRowsAction);
    connect(editSelectedRowsAction, &QAction::triggered, this, &MainWindow::editSelectedRows);
    editMenu->addSeparator();
    findBar = new FindBar(*this, editMenu);
    memoryPage->addBelowGrid(findBar);
}

void MainWindow::editSelectedRows() {
    if (control_.busy() || TabStrip1->currentWidget() != memoryPage)
        return;
    const MemoryPage::RowRange rows = memoryPage->selectedRows();
    const QString notice = qmh4::editSelectedRows(this, document_, rows.first, rows.last);
    if (!notice.isEmpty())
        statusBar()->showMessage(notice);
}

void MainWindow::editCurrentChannel() {
    if (control_.busy())
        return;
    const DetailEdit edit = editChannel(this, document_, memoryPage->currentRow());
    if (!edit.opened)
        return;
    memoryPage->selectRow(edit.currentRow);
    if (!edit.notice.isEmpty())
        statusBar()->showMessage(edit.notice);
    if (edit.commit.outcome == CommitOutcome::Overlap)
        showMessage(this, QString::fromLatin1(OverlapMessage), QString::fromLatin1(OverlapTitle));
}

void MainWindow::gridKeyPressed(int key) {
    // Every editing command is inert while a transfer runs, the Delete key too: the transfer
    // may be writing the very rows it would clear.
    if (control_.busy())
        return;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Several rows holding channels open the edit of them all; else the current row's.
        const MemoryPage::RowRange rows = memoryPage->selectedRows();
        if (rows.first != rows.last && editableUsedRows(channels(), rows.first, rows.last) > 0)
            editSelectedRows();
        else
            editCurrentChannel();
        return;
    }
    if (key != Qt::Key_Delete)
        return;
    const int current = memoryPage->currentRow();
    const int end = memoryPage->selectionEndRow();
    clearRowsOf(document_, current, end, ClearVariant::DeleteKey);
}

void MainWindow::clearSelectedRows() {
    if (control_.busy())
        return;
    const int current = memoryPage->currentRow();
    const int end = memoryPage->selectionEndRow();
    clearRowsOf(document_, current, end, ClearVariant::ClearButton);
    memoryPage->selectRows(current, end);
}

void MainWindow::moveCurrentRow(int index) {
    if (control_.busy())
        return;
    const int current = memoryPage->currentRow();
    memoryPage->selectRow(index == 0 ? rowAfterUp(current) : rowAfterDown(current));
}

void MainWindow::readAllChannels() {
    startChannelTransfer(ReadAllState);
}

void MainWindow::writeAllChannels() {
    if (confirmRadioWrite(*this))
        startChannelTransfer(WriteAllState);
}

void MainWindow::readSelectedChannels() {
    startChannelTransfer(ReadSelectedState);
}

void MainWindow::writeSelectedChannels() {
    if (confirmRadioWrite(*this))
        startChannelTransfer(WriteSelectedState);
}

void MainWindow::cancelTransfer() {
    if (!control_.busy())
        return;
    control_.requestCancel();
    CancelTransfer->setEnabled(false);
    statusBar()->showMessage(QStringLiteral("Cancelling after the current exchange..."));
}

// ---- transfers -------------------------------------------------------------------------------

SimulatedRadio& MainWindow::simulatedRadio() {
    return ports_.simulatedRadio();
}

std::function<std::unique_ptr<Link>()> MainWindow::linkOpener() {
    return ports_.opener(portDevice());
}

void MainWindow::startChannelTransfer(StateCode code) {
    if (control_.busy())
        return;
    const MemoryPage::RowRange rows = memoryPage->selectedRows();
    // The transfer works on its own copy: a write sends what the table held when it started,
    // a read decodes into the copy, which the table adopts when the transfer ends.
    auto snapshot = std::make_shared<ChannelTable>(document_.channels());
    const bool reads = code == ReadAllState || code == ReadSelectedState;
    TransferRunner::Job job = [open = linkOpener(), options = sessionOptions_,
                               stop = control_.stopFlag(), snapshot, code,
                               rows](ChannelTransferObserver& observer) {
        const std::unique_ptr<Link> link = open();
        Session session(*link, options, stop);
        switch (code) {
        case ReadAllState:
            return qmh4::readAllChannels(session, *snapshot, &observer);
        case WriteAllState:
            return qmh4::writeAllChannels(session, *snapshot, &observer);
        case ReadSelectedState:
            return qmh4::readSelectedChannels(session, *snapshot, rows.first, rows.last, &observer);
        case WriteSelectedState:
        case ReadWholeRadioState:
        case WriteWholeRadioState:
            break;
        }
        return qmh4::writeSelectedChannels(session, *snapshot, rows.first, rows.last, &observer);
    };
    Finish adopt;
    if (reads)
        adopt = [this, snapshot](const TransferResult& result) {
            adoptChannels(*snapshot, QStringLiteral("Memory Read"));
            if (result.outcome == Outcome::Success)
                safetyNet->readSucceeded(QStringLiteral("memory-read"), false);
        };
    startTransfer(code, std::move(job), std::move(adopt));
}

bool MainWindow::startTransfer(quint16 stateCode, TransferRunner::Job job, Finish onFinished) {
    if (control_.busy() || !unsavedChanges->beginRead(stateCode) || !control_.begin(stateCode))
        return false;
    pendingFinish_ = std::move(onFinished);
    statusBar()->clearMessage();
    safetyNet->transferStarting(stateCode);
    setTransferUi(true);
    runner_.start(std::move(job));
    return true;
}

void MainWindow::setTransferUi(bool running) {
    TabStrip1->setEnabled(!running);
    for (QMenu* menu : {fileMenu, editMenu, portMenu, helpMenu, communicationMenu})
        menu->menuAction()->setEnabled(!running);
    Command1->setEnabled(!running);
    CancelTransfer->setEnabled(running);
}

void MainWindow::showProgress(int value, int maximum, int percent) {
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(value);
    Progress->setText(percentText(percent));
}

void MainWindow::followRow(int gridRow) {
    memoryPage->selectRow(gridRow);
}

void MainWindow::onTransferFinished(const TransferResult& result) {
    if (pendingFinish_)
        std::exchange(pendingFinish_, {})(result);
    unsavedChanges->endRead(result);
    const EndBox box = control_.finish(result);
    if (std::exchange(wholeRadioRun_, false))
        control_.setQuiet(TransferControl::StandAlone);
    endTransfer();
    // The last step's "Reading ..." would claim the command still runs.
    if (statusBar()->currentMessage() == std::exchange(stepStatus_, {}))
        statusBar()->clearMessage();
    if (result.outcome == Outcome::Stopped)
        statusBar()->showMessage(QStringLiteral("Transfer cancelled"));
    else if (result.outcome == Outcome::PortError)
        statusBar()->showMessage(QStringLiteral("Port Error: ") + result.detail);
    if (box.show)
        showMessage(this, box.text, box.title);
    emit transferFinished(result);
}

void MainWindow::endTransfer() {
    Progress->setText(percentText(0));
    memoryPage->selectRow(FirstRow);
    setTransferUi(false);
    ProgressBar1->setValue(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!unsavedChanges->settle()) {
        event->ignore();
        return;
    }
    // The worker notices the flag after its current exchange; wait for it here, so nothing it
    // uses goes away under it, and end without a box.
    const bool running = control_.busy();
    control_.requestClose();
    windowCall_->abandon();
    runner_.waitAndDiscard();
    if (running) {
        control_.finish({Outcome::Stopped, {}});
        endTransfer();
    }
    event->accept();
}

} // namespace qmh4
