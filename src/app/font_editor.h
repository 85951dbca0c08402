#pragma once

#include "transfers/glyph_transfer.h"
#include "widgets/transfer_runner.h"

#include <QDialog>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace qmh4 {

class Link;

// The font editor "Font": draws the eight user glyphs it is given on a 16 x 16
// pixel grid, keeps them in font files and moves them to and from the radio. Transfers run on a
// worker thread so the window keeps painting; while one runs every command is disabled and a
// request to close the editor is ignored.
//
// With the auto-transfer flag set (the whole-radio read) the editor clears the flag, reads all
// glyphs at once and then closes itself, whatever the outcome: once per opening.
class FontEditor : public QDialog {
    Q_OBJECT
public:
    // Opens the link to the radio; called on the worker thread for every transfer.
    using LinkOpener = std::function<std::unique_ptr<Link>()>;
    using FileChooser = std::function<QString(QWidget* parent)>;

    // Font transfer state values.
    enum State : int {
        Idle = 0,
        SingleWrite = 1,
        SingleRead = 3,
        WriteAllRunning = 35,
        ReadAllRunning = 37,
    };

    // Edits `glyphs`. `autoTransfer` (may be null) is the module's auto-transfer flag; both must
    // outlive the editor.
    FontEditor(GlyphStore& glyphs, LinkOpener openLink, bool* autoTransfer = nullptr,
               QWidget* parent = nullptr);
    ~FontEditor() override;

    // The wait for one reply (200 ms; tests scale it down). Only while idle.
    void setReplyTimeout(std::chrono::milliseconds timeout);
    // The main window's closing flag: a running transfer stops after its current exchange.
    void setStopFlag(const std::atomic<bool>* stop) { stop_ = stop; }
    // File dialogs; tests replace them. An empty name means the dialog was cancelled.
    void setFileChoosers(FileChooser open, FileChooser save);

    int fontState() const { return state_; }
    bool transferRunning() const { return state_ != Idle; }
    int selectedGlyph() const;
    // The last transfer's result (for the whole-radio sequence and tests).
    const TransferResult& lastResult() const { return lastResult_; }

    // Controls, by their historical names.
    QTableWidget* MSFlexGrid1;
    QComboBox* FONT_LIST;
    QPushButton* FONT_NEXT;
    QPushButton* FONT_BACK;
    QPushButton* IKKATU_ON;
    QPushButton* IKKATU_OFF;
    QPushButton* FONT_CLEAR;
    QPushButton* ALL_CLEAR;
    QPushButton* R_FONT;
    QPushButton* FONT_WRITE;
    QPushButton* READ_ALL;
    QPushButton* WRITE_ALL;
    QPushButton* Command1;
    QProgressBar* ProgressBar1;
    QMenu* MenuFile;
    QAction* FONT_READ;
    QAction* FONT_SAVE;

signals:
    // After a transfer has ended, its result stored and its box (if any) shown.
    void transferFinished(const qmh4::TransferResult& result);

public slots:
    void togglePixel(int row, int column);
    void showChosenGlyph();
    void nextGlyph();
    void previousGlyph();
    void setSelectedPixels();
    void clearSelectedPixels();
    void clearGlyph();
    void clearAllGlyphs();
    void readGlyphFromRadio();
    void writeGlyphToRadio();
    void readAllGlyphs();
    void writeAllGlyphs();
    void openFontFile();
    void saveFontFileAs();
    void closeEditor();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Job = std::function<GlyphResult(Link& link, const std::atomic<bool>* stop,
                                          TransferObserver& observer)>;
    using Done = std::function<void(const TransferResult& result)>;

    void buildControls();
    void connectCommands();
    void showGlyph();
    void setSelectionPixels(bool on);
    void setCommandsEnabled(bool enabled);
    void checkAutoTransfer();
    bool startTransfer(State state, Job job, Done done);
    void onTransferFinished(const TransferResult& result);
    void tell(const QString& text, const QString& title);

    GlyphStore& glyphs_;
    LinkOpener openLink_;
    bool* autoTransfer_;
    const std::atomic<bool>* stop_ = nullptr;
    FileChooser chooseOpen_;
    FileChooser chooseSave_;
    GlyphTransfers transfers_;
    State state_ = Idle;
    bool autoRead_ = false; // this opening's read came from the auto-transfer flag
    TransferRunner* runner_;
    Done done_;
    TransferResult lastResult_;
    GlyphEnding lastEnding_ = GlyphEnding::Stopped; // set by the worker, read once it has ended
};

} // namespace qmh4
