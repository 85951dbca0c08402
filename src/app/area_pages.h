#pragma once

// The glue between the main window and the pages of the radio's areas ("Bank", "Common Set",
// "Set Mode"): area transfers on the window's worker runner, the bank check when the page
// changes, and showing the whole working data again after it was replaced (a read, a file).

#include "app/main_window.h"
#include "link/session.h"
#include "radio_areas/bank_sizes.h"

#include <QObject>

#include <functional>
#include <memory>

namespace qmh4 {

// One area command's body: runs on the worker thread over a session of the window's port.
using AreaJob = std::function<TransferResult(Session& session, TransferObserver& observer)>;

// Starts an area transfer with the window's port, reply time-out and stop flag. Nothing
// happens (false) while another transfer runs. `onFinished` runs on the window's thread once
// the job has ended, before the end box.
bool startAreaTransfer(MainWindow& window, quint16 stateCode, AreaJob job,
                       MainWindow::Finish onFinished);

// Reads one area (the member `area` of the working areas) into a copy taken now; the document
// takes the copy over when the transfer ends, so what was decoded before a failure stays.
// `read(session, copy, observer)` runs on the worker.
template <typename Area, typename Read>
bool readAreaTransfer(MainWindow& window, quint16 stateCode, Area RadioAreas::*area, Read read,
                      std::function<void()> show, const QString& name) {
    auto copy = std::make_shared<Area>(window.areas().*area);
    return startAreaTransfer(
        window, stateCode,
        [copy, read](Session& session, TransferObserver& observer) {
            return read(session, *copy, observer);
        },
        [&window, area, copy, show, name](const TransferResult&) {
            window.document().editAreas(name, [&](RadioAreas& areas) { areas.*area = *copy; });
            show();
        });
}

// Writes one area as it is now: later edits (or a language switch) change nothing it sends.
template <typename Area, typename Write>
bool writeAreaTransfer(MainWindow& window, quint16 stateCode, const Area& area, Write write) {
    auto snapshot = std::make_shared<const Area>(area);
    return startAreaTransfer(window, stateCode,
                             [snapshot, write](Session& session, TransferObserver& observer) {
                                 return write(session, *snapshot, observer);
                             },
                             {});
}

// A change of the areas made on a page, named for the undo menu.
inline void editAreas(MainWindow& window, const QString& name,
                      const RadioDocument::AreasEdit& edit) {
    window.document().editAreas(name, edit);
}

// Shows the window's RadioAreas on every page (after a data file was loaded, for instance).
void showAreaPages(MainWindow& window);

// The question the bank check asks; true for OK.
bool askBankTotalInit(QWidget* parent);

// Runs the bank check on every change of the window's page: a total other than 1000 restores
// the default sizes silently on the way to the "Bank" page and asks on the way to any other
// (Cancel puts the previous page back); a valid total relabels the memory rows on the way to
// "Memory" and rebuilds the one-touch lists on the way to "Common Set".
class PageChangeGuard : public QObject {
    Q_OBJECT
public:
    explicit PageChangeGuard(MainWindow& window);

private:
    void onCurrentChanged(int index);
    void enterPage(Page page);
    void stayOnPrevious();
    // Changes the shown page without running the check.
    void showPage(int index);

    MainWindow& window_;
    int shown_;
    bool reverting_ = false;
};

} // namespace qmh4
