#include "app/area_pages.h"

#include "app/bank_page.h"
#include "app/channel_grid_model.h"
#include "app/common_set_page.h"
#include "app/set_mode_page.h"
#include "app/transfer_controller.h"
#include "app/undo_history.h"
#include "link/link.h"
#include "transfers/area_steps.h"
#include "transfers/area_transfers.h"
#include "widgets/question_box.h"

#include <QTabWidget>

namespace qmh4 {

namespace {

TransferResult readDtmfArea(Session& session, WholeRadioData& data,
                            ChannelTransferObserver* observer) {
    return readDtmf(session, data.areas.dtmf, observer);
}

TransferResult writeDtmfArea(Session& session, WholeRadioData& data,
                             ChannelTransferObserver* observer) {
    return writeDtmf(session, data.areas.dtmf, observer);
}

using TakeOver = void (*)(RadioAreas& working, const RadioAreas& copy);

// What a page's Read and Write run, and what each leaves in the working data.
struct PageAreaCommands {
    quint16 readState;
    quint16 writeState;
    AreaTransfer read;
    AreaTransfer write;
    const char* readName; // the undo step of the read
    TakeOver takeRead;
    // The settings write refreshes the record of the radio's own bytes from the radio.
    TakeOver takeWritten = nullptr;
    const char* writtenName = nullptr;
};

PageAreaCommands fromTable(DataArea area, quint16 readState, quint16 writeState,
                           const char* readName, TakeOver takeRead, TakeOver takeWritten = nullptr,
                           const char* writtenName = nullptr) {
    const SessionArea& steps = *sessionArea(area);
    return {readState, writeState, steps.read,  steps.write,
            readName,  takeRead,   takeWritten, writtenName};
}

const PageAreaCommands& commandsOf(PageArea area) {
    using namespace area_state;
    static const std::array<PageAreaCommands, 5> commands{{
        fromTable(DataArea::Banks, BankRead, BankWrite, "Bank Read",
                  [](RadioAreas& working, const RadioAreas& copy) { working.banks = copy.banks; }),
        fromTable(
            DataArea::OneTouch, OneTouchRead, OneTouchWrite, "One-touch Read",
            [](RadioAreas& working, const RadioAreas& copy) { working.oneTouch = copy.oneTouch; }),
        fromTable(DataArea::Title, TitleRead, TitleWrite, "Title Read",
                  [](RadioAreas& working, const RadioAreas& copy) { working.title = copy.title; }),
        // Both Read commands decode the DTMF blocks: a write after a read sends the DTMF
        // fields, which must then hold what the radio holds.
        fromTable(
            DataArea::Settings, SetModeRead, SetModeWrite, "Set Mode Read",
            [](RadioAreas& working, const RadioAreas& copy) {
                working.setMode = copy.setMode;
                working.dtmf = copy.dtmf;
            },
            [](RadioAreas& working, const RadioAreas& copy) {
                working.setMode.record = copy.setMode.record;
            },
            "Set Mode Write"),
        {DtmfRead, DtmfWrite, readDtmfArea, writeDtmfArea, "DTMF Read",
         [](RadioAreas& working, const RadioAreas& copy) { working.dtmf = copy.dtmf; }},
    }};
    return commands[static_cast<size_t>(area)];
}

// Runs `transfer` on the worker over a session of the window's port, on `copy`; `onFinished`
// runs on the window's thread once it has ended, before the end box.
bool startAreaTransfer(MainWindow& window, quint16 stateCode, AreaTransfer transfer,
                       std::shared_ptr<WholeRadioData> copy,
                       TransferController::Finish onFinished) {
    TransferRunner::Job run = [open = window.linkOpener(),
                               options = window.transfers->sessionOptions(),
                               stop = window.transferControl().stopFlag(), transfer,
                               copy](ChannelTransferObserver& observer) {
        const std::unique_ptr<Link> link = open();
        Session session(*link, options, stop);
        return transfer(session, *copy, &observer);
    };
    return window.transfers->start(stateCode, std::move(run), std::move(onFinished));
}

std::shared_ptr<WholeRadioData> copyOfAreas(const MainWindow& window) {
    auto copy = std::make_shared<WholeRadioData>();
    copy->areas = window.areas();
    return copy;
}

} // namespace

bool readPageArea(MainWindow& window, PageArea area) {
    const PageAreaCommands& commands = commandsOf(area);
    auto copy = copyOfAreas(window);
    return startAreaTransfer(window, commands.readState, commands.read, copy,
                             [&window, area, copy, &commands](const TransferResult&) {
                                 window.document().editAreas(QString::fromLatin1(commands.readName),
                                                             [&](RadioAreas& working) {
                                                                 commands.takeRead(working,
                                                                                   copy->areas);
                                                             });
                                 showPageArea(window, area);
                             });
}

bool writePageArea(MainWindow& window, PageArea area) {
    const PageAreaCommands& commands = commandsOf(area);
    auto copy = copyOfAreas(window);
    TransferController::Finish takeWritten;
    if (commands.takeWritten) {
        takeWritten = [&window, copy, &commands](const TransferResult&) {
            window.undoHistory->derived([&] {
                window.document().editAreas(
                    QString::fromLatin1(commands.writtenName),
                    [&](RadioAreas& working) { commands.takeWritten(working, copy->areas); });
            });
        };
    }
    return startAreaTransfer(window, commands.writeState, commands.write, copy,
                             std::move(takeWritten));
}

void showPageArea(MainWindow& window, PageArea area) {
    switch (area) {
    case PageArea::Banks:
        window.bankPage->showBanks();
        return;
    case PageArea::OneTouch:
        window.commonSetPage->showOneTouch();
        return;
    case PageArea::Title:
        window.commonSetPage->showTitle();
        return;
    case PageArea::Settings:
        window.setModePage->showSettings();
        [[fallthrough]];
    case PageArea::Dtmf:
        window.setModePage->showDtmf();
        return;
    }
}

void showAreaPages(MainWindow& window) {
    for (PageArea area : {PageArea::Banks, PageArea::OneTouch, PageArea::Title, PageArea::Settings})
        showPageArea(window, area);
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
