#pragma once

#include "document/radio_document.h"
#include "ports/port_opener.h"
#include "transfers/transfer_control.h"

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
class FontEditor;
class Link;
class MemoryCommands;
class MemoryPage;
class SafetyNet;
class SetModePage;
class SimulatedRadio;
class TransferController;
class UndoHistory;
class UnsavedChanges;
class WholeRadioCommand;

// The main window: owns the working data (its document), the port choice and the language;
// builds the menus, the pages and the bottom bar and hands each command to the piece that does
// it. While a transfer runs, every command but the language buttons and Cancel does nothing.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Non-zero transfer state codes of the window's own commands.
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
    bool transferRunning() const;
    TransferControl& transferControl();

    // The COM port number 1..16 and the port chosen by name ("/dev/ttyUSB0", "sim"), which
    // wins when set. checkItem puts the menu's check mark on item n.
    int comPortNumber() const { return document_.comPort(); }
    void setComPortNumber(int number, bool checkItem = true);
    const QString& namedPort() const;
    // What the transfers open: the named port, else the COM port's device.
    QString portDevice() const;
    // Opens the link the port choice names; called on the worker thread.
    std::function<std::unique_ptr<Link>()> linkOpener();
    // The built-in simulated radio behind "Simulated radio"; created with its demo image.
    SimulatedRadio& simulatedRadio();

    int languageCode() const { return language_; }
    void applyLanguage(int code);

    // The reply time-outs of this window's transfers and of the font and group editors'
    // (tests scale them down).
    void setReplyTimeout(std::chrono::milliseconds timeout);
    void setEditorReplyTimeout(std::chrono::milliseconds timeout);
    // The module's auto-transfer flag: set, the font and group editors read from the radio as
    // soon as they open, then close. The whole-radio read sets it before opening each.
    bool* autoTransferFlag() { return &autoTransfer_; }
    // Called with the font editor before it is shown (tests drive it from here).
    std::function<void(FontEditor& editor)> fontEditorShown;
    // The font editor, modal, on a copy of the glyphs that becomes the working glyphs when it
    // closes; what its last transfer gave.
    TransferResult openFontEditor();

    // The working data as a data file holds it, and taking such data over (named `what`): the
    // grid in one reset, then every page. The COM port stays as it is.
    const RadioData& currentData() const { return document_.data(); }
    void adoptData(const RadioData& data, const QString& what = QStringLiteral("Open"));

    // The progress bar and the percent box beside it.
    void showProgress(int value, int maximum, int percent);

    // Runs the window's transfers, one at a time.
    TransferController* transfers;
    // The COMPort menu and the port it chose.
    PortMenu* portCommands;
    // The File menu's commands on data files and CSV lists.
    FileCommands* fileCommands;
    // "Read All Data" and "Write All Data".
    WholeRadioCommand* wholeRadio;
    // The Memory page's transfers and grid editing, the clipboard and finding rows.
    MemoryCommands* memoryCommands;
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
    void cancelTransfer();
    void chooseComPort(int number);
    void choosePortByName(const QString& port);
    void showAbout();
    void showFontEditor();
    void readAllData();
    void writeAllData();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildCentralArea();
    void connectCommands();
    void loadWindow();

    RadioDocument document_;
    ChannelGridModel* model_;
    bool autoTransfer_ = false;
    PortOpener ports_;
    int language_ = 0;
};

} // namespace qmh4
