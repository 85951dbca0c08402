#include "app/area_pages.h"

#include "app/bank_page.h"
#include "app/channel_grid_model.h"
#include "app/common_set_page.h"
#include "app/set_mode_page.h"
#include "app/undo_history.h"
#include "widgets/question_box.h"

#include <QTabWidget>

namespace qmh4 {

bool startAreaTransfer(MainWindow& window, quint16 stateCode, AreaJob job,
                       MainWindow::Finish onFinished) {
    if (window.transferRunning())
        return false;
    TransferRunner::Job run = [open = window.linkOpener(), options = window.sessionOptions(),
                               stop = window.transferControl().stopFlag(),
                               job = std::move(job)](ChannelTransferObserver& observer) {
        const std::unique_ptr<Link> link = open();
        Session session(*link, options, stop);
        return job(session, observer);
    };
    return window.startTransfer(stateCode, std::move(run), std::move(onFinished));
}

void showAreaPages(MainWindow& window) {
    window.bankPage->showBanks();
    window.commonSetPage->showOneTouch();
    window.commonSetPage->showTitle();
    window.setModePage->showSettings();
    window.setModePage->showDtmf();
}

bool askBankTotalInit(QWidget* parent) {
    return askOkCancel(parent, QString::fromLatin1(BankTotalQuestion),
                       QString::fromLatin1(BankTotalQuestionTitle));
}

PageChangeGuard::PageChangeGuard(MainWindow& window)
    : QObject(&window), window_(window), shown_(window.TabStrip1->currentIndex()) {
    connect(window.TabStrip1, &QTabWidget::currentChanged, this,
            &PageChangeGuard::onCurrentChanged);
}

void PageChangeGuard::onCurrentChanged(int index) {
    if (reverting_ || index < 0)
        return;
    if (window_.transferRunning()) {
        stayOnPrevious();
        return;
    }
    const Page page = static_cast<Page>(index);
    switch (bankCheckOnPageChange(window_.areas().banks, page)) {
    case PageChange::AskInitData:
        // The tab has already moved: put the previous page back before the question paints
        // the window, and move on only after OK.
        stayOnPrevious();
        if (!askBankTotalInit(&window_))
            return;
        showPage(index);
        [[fallthrough]];
    case PageChange::RestoreDefaults:
        editAreas(window_, QStringLiteral("Default bank sizes"),
                  [](RadioAreas& areas) { areas.banks.reset(); });
        window_.bankPage->showBanks();
        break;
    case PageChange::Proceed:
        break;
    }
    shown_ = index;
    enterPage(page);
}

void PageChangeGuard::enterPage(Page page) {
    // What follows from the bank sizes is no step of its own (see UndoHistory).
    window_.undoHistory->derived([&] {
        if (page == Page::Memory) {
            const BankSizes& banks = window_.areas().banks;
            window_.document().editRows(QStringLiteral("Bank labels"), FirstRow, MemoryChannelCount,
                                        [&](ChannelTable& table) { banks.relabel(table); });
        } else if (page == Page::CommonSet)
            window_.commonSetPage->rebuildOneTouch();
    });
}

void PageChangeGuard::stayOnPrevious() {
    showPage(shown_);
}

void PageChangeGuard::showPage(int index) {
    reverting_ = true;
    window_.TabStrip1->setCurrentIndex(index);
    reverting_ = false;
}

} // namespace qmh4
