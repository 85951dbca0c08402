#pragma once

#include "link/session.h"
#include "radio_areas/groups.h"

#include <QDialog>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

class QPushButton;
class QTableWidget;

namespace qmh4 {

class Link;
class TransferRunner;

// "BANK-LINK Setting": the eleven bank-link groups as a grid of groups and banks. A click
// toggles one membership of a usable bank; Read and Write move the two group blocks over the
// editor's own link with its 200 ms reply time-out, on a worker thread so the window keeps
// painting. While a transfer runs the commands are disabled and a request to close is ignored.
//
// With the auto-transfer flag set (the whole-radio read) the editor clears the flag, reads at
// once and then closes itself, whatever the outcome: once per opening.
class GroupEditor : public QDialog {
    Q_OBJECT
public:
    using LinkOpener = std::function<std::unique_ptr<Link>()>;

    // `groups` is the main window's store, which outlives the editor; `autoTransfer` (may be
    // null) is the module's auto-transfer flag.
    GroupEditor(Groups& groups, LinkOpener openLink, bool* autoTransfer = nullptr,
                QWidget* parent = nullptr);
    ~GroupEditor() override;

    // The wait for one reply (200 ms; tests scale it down). Only while idle.
    void setReplyTimeout(std::chrono::milliseconds timeout) { options_.replyTimeout = timeout; }
    bool transferRunning() const { return busy_; }
    const TransferResult& lastResult() const { return lastResult_; }

    // Controls, by their historical names.
    QTableWidget* MSFlexGrid1;
    QPushButton* GROUP_READ;
    QPushButton* GROUP_WRITE;
    QPushButton* Command1; // "Clear"
    QPushButton* Command2; // "OK"

signals:
    // After a transfer has ended and its box was shown.
    void transferFinished(const qmh4::TransferResult& result);

public slots:
    void readGroupsFromRadio();
    void writeGroupsToRadio();
    void closeEditor();
    void clearAllGroups();
    void togglePixel(int row, int column);
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Done = std::function<void(const TransferResult& result)>;

    void buildControls();
    void prepareGrid();
    void paintCell(int bank, int group);
    void paintAll();
    void setCommandsEnabled(bool enabled);
    bool startTransfer(std::function<TransferResult(Session&)> body, Done done);
    void onTransferFinished(const TransferResult& result);

    Groups& groups_;
    LinkOpener openLink_;
    bool* autoTransfer_;
    SessionOptions options_;
    std::atomic<bool> stop_{false};
    bool busy_ = false;
    bool autoRead_ = false; // this opening's read came from the auto-transfer flag
    Done done_;
    TransferResult lastResult_;
    // A child; the destructor waits for its worker before the members above go.
    TransferRunner* runner_;
};

} // namespace qmh4
