#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/area_pages.h"
#include "app/bank_page.h"
#include "app/channel_grid_model.h"
#include "app/common_set_page.h"
#include "app/connection_test_dialog.h"
#include "app/desktop_commands.h"
#include "app/file_commands.h"
#include "app/font_editor.h"
#include "app/memory_commands.h"
#include "app/memory_page.h"
#include "app/port_menu.h"
#include "app/safety_net.h"
#include "app/set_mode_page.h"
#include "app/transfer_controller.h"
#include "app/undo_history.h"
#include "app/unsaved_changes.h"
#include "app/whole_radio_command.h"
#include "app/write_confirmation.h"
#include "font/glyph_store.h"
#include "ports/port_opener.h"
#include "sim/simulated_radio.h"
#include "transfers/whole_radio.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

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

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), model_(new ChannelGridModel(document_, this)) {
    setObjectName(QStringLiteral("Form1"));
    // Paced like the radio's cable, so a transfer from it looks and lasts like a real one.
    ports_.setSimulatedBaud(SimulatedBaud);
    setWindowTitle(QStringLiteral("KORVAN QM-H4 Clone Utility"));
    buildMenus();
    buildCentralArea();
    transfers = new TransferController(*this);
    wholeRadio = new WholeRadioCommand(*this);
    memoryCommands = new MemoryCommands(*this);
    connectCommands();
    loadWindow();
    desktopCommands = new DesktopCommands(*this);
    // The start-up state is nothing to undo, and nothing to save.
    undoHistory->clear();
}

MainWindow::~MainWindow() {
    // The worker uses the simulated radio and this window: it must have ended before they go.
    // It is told to stop before a step waiting for this window is let go, so no next step starts.
    transfers->control().requestClose();
    wholeRadio->abandon();
    transfers->waitForWorker();
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
    undoHistory->setBusyCheck([this] { return transferRunning(); });
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
    connect(CancelTransfer, &QPushButton::clicked, this, &MainWindow::cancelTransfer);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(readAllAction, &QAction::triggered, this, &MainWindow::readAllData);
    connect(writeAllAction, &QAction::triggered, this, &MainWindow::writeAllData);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::showFontEditor);
    new PageChangeGuard(*this);
    for (size_t index = 0; index < Option1.size(); ++index)
        connect(Option1[index], &QRadioButton::clicked, this,
                [this, index] { applyLanguage(static_cast<int>(index)); });
    connect(transfers, &TransferController::finished, this, &MainWindow::transferFinished);
    // A read decodes into its own copy, which the document takes over in one change at the end.
    connect(&document_, &RadioDocument::everythingReplaced, this, [this] { showAreaPages(*this); });
    // The pages show what undo put back; a page's own edits leave its boxes as typed.
    connect(undoHistory, &UndoHistory::applied, this, [this](const DocumentChange& change) {
        if (change.kind == DocumentChange::Kind::Areas)
            showAreaPages(*this);
    });
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

bool MainWindow::transferRunning() const {
    return transfers->busy();
}

TransferControl& MainWindow::transferControl() {
    return transfers->control();
}

void MainWindow::setReplyTimeout(std::chrono::milliseconds timeout) {
    transfers->sessionOptions().replyTimeout = timeout;
}

void MainWindow::setEditorReplyTimeout(std::chrono::milliseconds timeout) {
    transfers->editorOptions().replyTimeout = timeout;
}

void MainWindow::showAbout() {
    if (transferRunning())
        return;
    AboutDialog about(this);
    about.move(AboutDialog::placementFor(this));
    about.exec();
}

void MainWindow::cancelTransfer() {
    transfers->cancel();
}

void MainWindow::adoptData(const RadioData& data, const QString& what) {
    document_.replaceAll(what, data);
}

// ---- editors and the whole radio -------------------------------------------------------------

TransferResult MainWindow::openFontEditor() {
    GlyphStore glyphs = document_.glyphs();
    TransferResult result;
    {
        FontEditor editor(glyphs, linkOpener(), &autoTransfer_, this);
        editor.setStopFlag(transfers->control().stopFlag());
        editor.setReplyTimeout(transfers->editorOptions().replyTimeout);
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
    if (!transferRunning())
        openFontEditor();
}

void MainWindow::readAllData() {
    wholeRadio->read();
}

void MainWindow::writeAllData() {
    if (confirmRadioWrite(*this))
        wholeRadio->write();
}

// ---- transfers -------------------------------------------------------------------------------

SimulatedRadio& MainWindow::simulatedRadio() {
    return ports_.simulatedRadio();
}

std::function<std::unique_ptr<Link>()> MainWindow::linkOpener() {
    return ports_.opener(portDevice());
}

void MainWindow::showProgress(int value, int maximum, int percent) {
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(value);
    Progress->setText(percentText(percent));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!unsavedChanges->settle()) {
        event->ignore();
        return;
    }
    transfers->control().requestClose();
    wholeRadio->abandon();
    transfers->stopForClose();
    event->accept();
}

} // namespace qmh4
