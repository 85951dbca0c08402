#pragma once

#include "document/radio_document.h"
#include "files/text_file.h"
#include "link/session.h"
#include "ports/port_opener.h"
#include "radio_areas/radio_areas.h"
#include "transfers/transfer_control.h"
#include "transfers/whole_radio.h"
#include "widgets/transfer_runner.h"
#include "widgets/window_call.h"

#include <QMainWindow>

#include <array>
#include <chrono>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace qmh4 {

class BankPage;
class ChannelGridModel;
class CommonSetPage;
class DesktopCommands;
class FileCommands;
class PortMenu;
class FindBar;
class GridClipboard;
class FontEditor;
class Link;
class MemoryPage;
class SafetyNet;
class SetModePage;
class SimulatedRadio;
class UndoHistory;
class UnsavedChanges;

// The main window: owns the channel table and every other working datum, the port choice and
// the transfer control, and every command of the program. While a transfer runs on the worker
// thread, every command but the language buttons and Cancel does nothing.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Non-zero transfer state codes of the memory page's commands.
    enum StateCode : quint16 {
        ReadAllState = 1,
        WriteAllState = 2,
        ReadSelectedState = 3,
        WriteSelectedState = 4,
        ReadWholeRadioState = 6,
        WriteWholeRadioState = 7,
    };

    // The line speed of the radio's clone port, at which the simulated radio answers.
    static constexpr int SimulatedBaud = 57600;
    static constexpr QSize DefaultSize{1340, 690};

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The working data; every change goes through it.
    RadioDocument& document() { return document_; }
    const ChannelTable& channels() const { return document_.channels(); }
    // The bank sizes, set-mode settings, DTMF memories, one-touch keys, title and groups.
    const RadioAreas& areas() const { return document_.areas(); }
    ChannelGridModel* gridModel() { return model_; }
    TransferControl& transferControl() { return control_; }
    bool transferRunning() const { return control_.busy(); }

    // The COM port number 1..16 and the port chosen by name ("/dev/ttyUSB0", "sim"), which
    // wins when set. checkItem puts the menu's check mark on item n.
    int comPortNumber() const { return document_.comPort(); }
    void setComPortNumber(int number, bool checkItem = true);
    const QString& namedPort() const;
    // What the transfers open: the named port, else the COM port's device.
    QString portDevice() const;

    int languageCode() const { return language_; }
    void applyLanguage(int code);

    // The reply time-out of this window's transfers (tests scale it down).
    void setReplyTimeout(std::chrono::milliseconds timeout) {
        sessionOptions_.replyTimeout = timeout;
    }
    // The reply time-out of the font and group editors' transfers (200 ms; tests scale it down).
    void setEditorReplyTimeout(std::chrono::milliseconds timeout) {
        editorOptions_.replyTimeout = timeout;
    }
    std::chrono::milliseconds editorReplyTimeout() const { return editorOptions_.replyTimeout; }
    // The module's auto-transfer flag: set, the font and group editors read from the radio as
    // soon as they open, then close. The whole-radio read sets it before opening each.
    bool* autoTransferFlag() { return &autoTransfer_; }
    // Called with the font editor before it is shown (tests drive it from here).
    std::function<void(FontEditor& editor)> fontEditorShown;

    // The working data as a data file holds it, and taking such data over (named `what`): the
    // grid in one reset, then every page. The COM port stays as it is.
    const RadioData& currentData() const { return document_.data(); }
    void adoptData(const RadioData& data, const QString& what = QStringLiteral("Open"));

    // The built-in simulated radio behind "Simulated radio"; created with its demo image.
    SimulatedRadio& simulatedRadio();

    // The progress bar and the percent box beside it.
    void showProgress(int value, int maximum, int percent);

    // Runs a transfer on the worker thread: begins the transfer state `stateCode` (nothing
    // happens while another runs), makes every other command inert, and when the job has
    // ended calls onFinished (on this thread), then ends the transfer with its box.
    using Finish = std::function<void(const TransferResult&)>;
    bool startTransfer(quint16 stateCode, TransferRunner::Job job, Finish onFinished = {});
    // Opens the link the port choice names; called on the worker thread.
    std::function<std::unique_ptr<Link>()> linkOpener();
    SessionOptions sessionOptions() const { return sessionOptions_; }

    // The COMPort menu and the port it chose.
    PortMenu* portCommands;
    // The File menu's commands on data files and CSV lists.
    FileCommands* fileCommands;
    // Backups, verify and comparison.
    SafetyNet* safetyNet;
    // Shortcuts, recent files, dropped files, the status bar's fields.
    DesktopCommands* desktopCommands;
    // Undo/redo of every change to the working data, and the "*" and "Save changes?" of it.
    UndoHistory* undoHistory;
    UnsavedChanges* unsavedChanges;

    // Pages of the tab strip, in order.
    MemoryPage* memoryPage;
    BankPage* bankPage;
    CommonSetPage* commonSetPage;
    SetModePage* setModePage;

    // Controls, by their historical names.
    QTabWidget* TabStrip1;
    QProgressBar* ProgressBar1;
    QLineEdit* Progress;
    QPushButton* CancelTransfer;
    std::array<QRadioButton*, 2> Option1; // 0 "Japanese", 1 "English"
    QMenu* fileMenu;
    QAction* openAction;
    QAction* saveAction;
    QAction* importAction;
    QAction* exportAction;
    QMenu* editMenu;
    // The Edit menu's clipboard, "Edit Selected Rows…" and finding rows, after a separator.
    GridClipboard* gridClipboard = nullptr;
    QAction* editSelectedRowsAction = nullptr;
    FindBar* findBar = nullptr;
    QMenu* portMenu;
    QMenu* communicationMenu;
    QAction* writeAllAction;
    QAction* readAllAction;
    QMenu* helpMenu;
    QAction* aboutAction;
    QPushButton* Command1; // "FONT"

signals:
    // After a transfer has ended and its box (if any) was shown.
    void transferFinished(const qmh4::TransferResult& result);
    void languageApplied(int code);
    // The COM port number or the port chosen by name has changed.
    void portChanged();

public slots:
    void readAllChannels();
    void writeAllChannels();
    void readSelectedChannels();
    void writeSelectedChannels();
    void allClear();
    void cancelTransfer();
    void chooseComPort(int number);
    void choosePortByName(const QString& port);
    void showAbout();
    void showFontEditor();
    void readAllData();
    void writeAllData();
    // The grid: double click and Enter open the detail dialog on the current row, Delete
    // clears the selected rows; Clear and Up/Down are the page's buttons.
    void editCurrentChannel();
    // Enter on several rows and the Edit menu: the chosen fields for every used row selected.
    void editSelectedRows();
    void gridKeyPressed(int key);
    void clearSelectedRows();
    void moveCurrentRow(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildCentralArea();
    void connectCommands();
    void buildGridEditCommands();
    void loadWindow();
    void startChannelTransfer(StateCode code);
    void setTransferUi(bool running);
    void followRow(int gridRow);
    void onTransferFinished(const TransferResult& result);
    void endTransfer();
    void adoptChannels(const ChannelTable& table, const QString& what);
    void keepSelectionAcrossReset();
    // The editors, modal; what their last transfer gave.
    TransferResult openFontEditor();
    TransferResult openEditorWithAutoRead(const std::function<TransferResult()>& open);
    struct WholeRun;
    bool startWholeRadio(StateCode code);
    void adoptWholeRead(WholeRun& run);
    void showStepBox(const StepResult& step, bool reading);

    RadioDocument document_;
    ChannelGridModel* model_;
    TransferControl control_;
    SessionOptions sessionOptions_;
    SessionOptions editorOptions_{std::chrono::milliseconds(200)};
    bool autoTransfer_ = false;
    bool wholeRadioRun_ = false;
    QString stepStatus_; // what the running whole-radio step shows in the status line
    PortOpener ports_;
    int language_ = 0;
    Finish pendingFinish_;
    // The worker's way to the window thread during the whole-radio commands.
    std::shared_ptr<WindowCall> windowCall_;
    // Last: destroyed first, after the destructor has stopped the worker that uses the above.
    TransferRunner runner_;
};

} // namespace qmh4
