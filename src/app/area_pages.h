#pragma once

// The glue between the main window and the pages of the radio's areas ("Bank", "Common Set",
// "Set Mode"): area transfers on the window's worker runner, the bank check when the page
// changes, and showing the whole working data again after it was replaced (a read, a file).

#include "app/main_window.h"
#include "radio_areas/bank_sizes.h"

#include <QObject>

namespace qmh4 {

// The areas the pages read and write with their own buttons: the whole-radio commands' areas
// and the DTMF memories alone.
enum class PageArea { Banks, OneTouch, Title, Settings, Dtmf };

// Reads one area into a copy of the working data taken now; the document takes the area over
// from the copy when the transfer ends, so what was decoded before a failure stays, and the
// pages show it. Nothing happens (false) while another transfer runs.
bool readPageArea(MainWindow& window, PageArea area);
// Writes one area as it is now: later edits (or a language switch) change nothing it sends.
bool writePageArea(MainWindow& window, PageArea area);
// Shows the working data's area on its page.
void showPageArea(MainWindow& window, PageArea area);

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
