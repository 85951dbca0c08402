#include "app/interface_language.h"
#include "app/safety_net.h"
#include "app/splash_screen.h"
#include "transfers/area_transfers.h"
#include "transfers/channel_transfer.h"
#include "window_test_support.h"

#include <ranges>

using namespace qmh4;
using namespace qmh4::test;

namespace {

// Channel record numbers of the write commands, in the order the radio saw them.
QList<int> writtenRecords(const SimulatedRadio& radio) {
    QList<int> records;
    for (quint32 address : writeAddresses(radio))
        if (address >= 0x1200)
            records.append(static_cast<int>((address - 0x1200) / RecordSize) + 1);
    return records;
}

// Each column of the grid fits its widest text (the last one is a header's); the view draws a
// cell's text three pixels in from each side. The name column takes what is left: no blank beside
// it, no scrolling sideways.
void expectGridColumnsFit(const QTableView* grid) {
    const std::pair<int, const char*> widest[] = {
        {LabelColumn, "Dual99(Main) "}, {FrequencyColumn, "1295.00000MHz"},
        {StepColumn, "12.5KHz"},        {ToneTypeColumn, "Train"},
        {TxToneColumn, "250.3Hz"},      {OffsetColumn, "999.995MHz"},
        {OffsetColumn, "Shift-Freq"}};
    for (const auto& [column, text] : widest)
        QVERIFY2(grid->fontMetrics().horizontalAdvance(QLatin1String(text)) + 6 <=
                     grid->columnWidth(column),
                 text);
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
    QCOMPARE(grid->horizontalHeader()->sectionViewportPosition(NameColumn) +
                 grid->columnWidth(NameColumn),
             grid->viewport()->width());
}

// While a transfer runs, every command that would change the data, open a window or start
// another transfer does nothing: each checks for itself. The areas hold bank sizes and a title
// that their reset commands would change.
void expectCommandsInert(MainWindow& window) {
    const RadioAreas before = window.areas();
    const auto state = window.transferControl().state();
    const int current = window.memoryPage->currentRow();
    auto opened = std::make_shared<bool>(false);
    window.bankPage->groupEditorShown = [opened](GroupEditor&) { *opened = true; };
    QTimer::singleShot(0, &window, [opened] { // a modal dialog would block: close it
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            *opened = true;
            dialog->close();
        }
    });
    QVERIFY(!window.memoryPage->READ_Botton->isEnabled());
    QVERIFY(!window.TabStrip1->isEnabled());
    QVERIFY(!window.portMenu->menuAction()->isEnabled());
    window.memoryCommands->readAllChannels();
    window.memoryCommands->readSelectedChannels();
    window.memoryCommands->writeAllChannels();
    window.memoryCommands->allClear();
    window.chooseComPort(5);
    window.showAbout();
    window.memoryCommands->gridKeyPressed(Qt::Key_Delete);
    window.memoryCommands->gridKeyPressed(Qt::Key_Return);
    window.memoryCommands->editCurrentChannel();
    window.memoryCommands->clearSelectedRows();
    window.memoryCommands->moveCurrentRow(1);
    window.bankPage->resetBanks();
    window.bankPage->showGroupEditor();
    window.commonSetPage->clearTitle();
    window.commonSetPage->writeTitleToRadio();
    window.setModePage->readDtmfFromRadio();
    window.TabStrip1->setCurrentIndex(3);
    QVERIFY(!window.transfers->start(MainWindow::ReadAllState,
                                     [](ChannelTransferObserver&) { return TransferResult{}; }));
    QTest::qWait(0);
    QVERIFY(!*opened);
    QVERIFY(window.areas() == before);
    QCOMPARE(window.transferControl().state(), state);
    QCOMPARE(window.TabStrip1->currentIndex(), 0);
    QCOMPARE(window.memoryPage->currentRow(), current);
}

// Counts the editors the window opens.
struct EditorCount {
    explicit EditorCount(MainWindow& window) {
        window.fontEditorShown = [this](FontEditor&) { ++font; };
        window.bankPage->groupEditorShown = [this](GroupEditor&) { ++groups; };
    }
    int font = 0;
    int groups = 0;
};

// Runs a whole-radio command, which must go to the worker, and waits for its end.
bool runOnWorker(MainWindow& window, QAction* command) {
    QSignalSpy finished(&window, &MainWindow::transferFinished);
    command->trigger();
    return window.transferRunning() && finished.wait(120000) && !window.transferRunning();
}

// The first argument of each signal the spy saw; the spy starts afresh.
QVariantList takeFirstArguments(QSignalSpy& spy) {
    QVariantList values;
    for (const QList<QVariant>& signal : std::as_const(spy))
        values.append(signal.at(0));
    spy.clear();
    return values;
}

// The bar only climbs while a command runs, then goes back to 0 as it ends.
bool climbsThenResets(QSignalSpy& bar) {
    QVariantList values = takeFirstArguments(bar);
    return !values.isEmpty() && values.takeLast() == 0 &&
           std::is_sorted(values.begin(), values.end(), [](const QVariant& a, const QVariant& b) {
               return a.toInt() < b.toInt();
           });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void transferThroughSimulatedRadio_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("selectFrom"); // the selection is made from this row ...
        QTest::addColumn<int>("selectTo");   // ... to this one
        QTest::newRow("read all") << "READ_Botton" << 1 << 1;
        QTest::newRow("read selected, made upward") << "MEM_ONE_READ" << 20 << 10;
        QTest::newRow("write all") << "WRITE_Botton" << 1 << 1;
        QTest::newRow("write selected, made upward") << "MEM_ONE_WRITE" << 20 << 10;
    }

    // What the window adds to the channel transfers (their bytes are the transfer tests'): the
    // selection it hands over, its box and the cursor back on the first row.
    void transferThroughSimulatedRadio() {
        QFETCH(QString, button);
        QFETCH(int, selectFrom);
        QFETCH(int, selectTo);
        const bool all = !button.startsWith(QLatin1String("MEM_ONE"));
        const ChannelTable demo = demoRadioData().channels;
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        const bool reads = button.contains(QLatin1String("READ"));
        if (!reads) // the demo's channels go into a blank radio
            window.document().replaceChannels({}, demo);
        const int first = std::min(selectFrom, selectTo);
        const int last = all ? LastRow : std::max(selectFrom, selectTo);
        window.memoryPage->selectRows(selectFrom, selectTo);
        QVERIFY(runCommand(window, button));

        QCOMPARE(dialogs.boxes, (QList<Box>{{"Success", " Finish"}}));
        QCOMPARE(window.memoryPage->currentRow(), 1);
        ChannelTable expected;
        QList<int> expectedRecords;
        for (int row = first; row <= last; ++row) {
            expected.row(row) = demo.row(row);
            expectedRecords.append(recordNumber(row));
        }
        if (!all)
            expected.blankEmptyRows();
        QVERIFY(!reads || window.channels() == expected);
        QCOMPARE(writtenRecords(radio), reads ? QList<int>{} : expectedRecords);
    }

    void portErrorChangesNothing() {
        Dialogs dialogs;
        MainWindow window;
        window.choosePortByName(QStringLiteral("/dev/qmh4-no-such-port"));
        const ChannelTable before = window.channels();
        QVERIFY(runCommand(window, u"READ_Botton"_qs, 30000));
        QCOMPARE(dialogs.boxes, (QList<Box>{{"Port Error", " Error"}}));
        QVERIFY(window.channels() == before);
        QVERIFY(window.memoryPage->READ_Botton->isEnabled());
        QVERIFY(window.statusBar()->currentMessage().startsWith(QLatin1String("Port Error: ")));
    }

    void transferEndedEarly_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("ending");
        QTest::newRow("read cancelled") << false << "cancel";
        QTest::newRow("write cancelled") << true << "cancel";
        QTest::newRow("closed while reading") << false << "close";
        // Must wait for the worker before the radio and the snapshot go.
        QTest::newRow("destroyed while writing") << true << "destroy";
    }

    // A transfer the user cancels: every other command does nothing meanwhile, what was
    // transferred before the cancel stays, and the next transfer runs and succeeds. Closed or
    // destroyed, it ends without a box.
    void transferEndedEarly() {
        QFETCH(bool, write);
        QFETCH(QString, ending);
        const ChannelTable demo = demoRadioData().channels;
        Dialogs dialogs;
        auto owned = std::make_unique<MainWindow>();
        MainWindow& window = *owned;
        useSimulatedRadio(window, 57600);
        if (write)
            window.document().replaceChannels({}, demo);
        window.document().editAreas({}, [](RadioAreas& areas) {
            areas.banks.setSize(0, 50);
            areas.banks.setSize(10, 50);
            areas.title.setText(QStringLiteral("KEEP"));
        });
        window.memoryPage->selectRows(1, 3);
        QSignalSpy finished(&window, &MainWindow::transferFinished);
        (write ? window.memoryPage->WRITE_Botton : window.memoryPage->READ_Botton)->click();
        QVERIFY(window.transferRunning());
        if (ending != "cancel") {
            window.show();
            QTRY_VERIFY(window.ProgressBar1->value() >= 2);
            if (ending == "close") {
                QVERIFY(window.close());
                QVERIFY(!window.transferRunning());
                // The worker has ended: the radio sees no further exchange.
                const int exchanges = window.simulatedRadio().exchangeCount();
                QTest::qWait(100);
                QCOMPARE(window.simulatedRadio().exchangeCount(), exchanges);
                QCOMPARE(finished.count(), 0);
            }
            owned.reset();
            QTest::qWait(50);
            QVERIFY(dialogs.boxes.isEmpty());
            return;
        }
        expectCommandsInert(window);
        window.Option1[1]->click(); // the language buttons still act
        QCOMPARE(window.languageCode(), 1);

        QTRY_VERIFY(window.ProgressBar1->value() >= 5);
        window.CancelTransfer->click();
        QVERIFY(finished.wait(10000));
        QVERIFY(finished.first().first().value<TransferResult>().outcome == Outcome::Stopped);
        QVERIFY(dialogs.boxes.isEmpty());
        QVERIFY(!window.CancelTransfer->isEnabled());
        QVERIFY(window.statusBar()->currentMessage().contains(QLatin1String("cancelled")));
        QCOMPARE(window.namedPort(), SimulatedPortName);
        SimulatedRadio& radio = window.simulatedRadio();
        const QList<int> records = writtenRecords(radio);
        QVERIFY(write ? !records.isEmpty() && records.size() < 400 : records.isEmpty());
        QCOMPARE(writeAddresses(radio).size(), records.size()); // no area reached the radio
        for (int row = 1; row <= 4; ++row)
            QCOMPARE(window.channels().row(row), demo.row(row));
        for (int record : records)
            QCOMPARE(radio.memory(recordAddress(record), RecordSize),
                     encodeRecord(demo.row(record), record));

        radio.setPacing(0);
        window.memoryPage->selectRow(3);
        QVERIFY(runCommand(
            window, [&] { window.memoryCommands->readSelectedChannels(); }, 10000));
        QCOMPARE(dialogs.boxes, (QList<Box>{{"Success", " Finish"}}));
    }

    void allClear_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("last priority") << 1400 << true;
        QTest::newRow("call VHF") << 1401 << false;
        QTest::newRow("last TSF") << 1603 << true;
        QTest::newRow("first bug finder") << 1604 << false;
    }

    void allClear() {
        QFETCH(int, row);
        QFETCH(bool, cleared);
        MainWindow window;
        ChannelTable start = window.channels();
        ChannelRow filled = demoRadioData().channels.row(1);
        filled.cell(LabelColumn) = start.cell(row, LabelColumn);
        filled.setTxTone(12); // an index Clear has to zero
        start.row(row) = filled;
        window.document().replaceChannels({}, start);
        window.memoryPage->selectRows(30, 25);
        window.memoryPage->ALL_Reset->click();

        const ChannelRow& after = window.channels().row(row);
        QCOMPARE(after.cell(LabelColumn), filled.cell(LabelColumn));
        if (cleared) // every cell but the label empty, every side table 0
            QVERIFY(rowIsClear(after));
        else
            QCOMPARE(after, filled);
        const auto filledRows =
            std::ranges::count_if(std::views::iota(FirstRow, LastRow + 1), [&](int r) {
                return !window.channels().cell(r, FrequencyColumn).isEmpty();
            });
        QCOMPARE(filledRows, 23); // the call and bug-finder rows
        // The selection comes back as it was.
        QCOMPARE(window.memoryPage->currentRow(), 30);
        QCOMPARE(window.memoryPage->selectedRows().first, 25);
    }

    void defaultSizeShowsEveryPage_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("language");
        for (int language : {0, 1})
            for (int page = 0; page < 4; ++page)
                QTest::addRow("page %d, language %d", page, language) << page << language;
    }

    void defaultSizeShowsEveryPage() {
        QFETCH(int, page);
        QFETCH(int, language);
        // A 1366 x 768 screen less a task bar and the window's title bar.
        QVERIFY(MainWindow::DefaultSize.width() <= 1366 &&
                MainWindow::DefaultSize.height() <= 768 - 40 - 32);
        MainWindow window;
        window.applyLanguage(language);
        window.TabStrip1->setCurrentIndex(page);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), MainWindow::DefaultSize);
        if (page == 0 && language == 0)
            expectGridColumnsFit(window.memoryPage->MSFlexGrid1);
        QWidget* shown = window.TabStrip1->currentWidget();
        for (const QScrollArea* area : shown->findChildren<QScrollArea*>())
            QVERIFY(!area->horizontalScrollBar()->isVisible() &&
                    !area->verticalScrollBar()->isVisible());
        for (QWidget* control : shown->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                                   qobject_cast<QComboBox*>(control) ||
                                   qobject_cast<QLineEdit*>(control);
            if (isControl && control->isVisibleTo(shown))
                QVERIFY2(control->visibleRegion().boundingRect().size() == control->size(),
                         qPrintable(control->objectName()));
        }
        // Captions mean an "&" as written ("<POWER & BATT.>"), never as a shortcut marker.
        for (const CaptionEntry& entry : captionTable()) {
            const QString key = QString::fromLatin1(entry.key);
            QString text;
            if (const auto* label = window.findChild<QLabel*>(key))
                text = label->text();
            else if (const auto* frame = window.findChild<QGroupBox*>(key))
                text = frame->title();
            QVERIFY2(QKeySequence::mnemonic(text).isEmpty(), qPrintable(text));
            if (!text.isEmpty())
                QCOMPARE(text.replace("&&", "&"), captionText(key, Language(language)));
        }
    }

    // The splash screen opens the main window once, on a key or when its timer runs out.
    void splashOpensMainWindowOnce_data() {
        QTest::addColumn<bool>("pressKey");
        QTest::newRow("key press") << true;
        QTest::newRow("timer") << false;
    }

    void splashOpensMainWindowOnce() {
        QFETCH(bool, pressKey);
        int opened = 0;
        SplashScreen splash([&opened] { ++opened; });
        splash.show();
        auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 3000);
        if (pressKey) {
            QTest::keyClick(&splash, Qt::Key_Space);
            QCOMPARE(opened, 1);
            QVERIFY(!timer->isActive());
            // A late tick and a second key do not open it again.
            splash.closeSplash();
            QTest::keyClick(&splash, Qt::Key_A);
        } else {
            QCOMPARE(opened, 0);
            QTRY_COMPARE_WITH_TIMEOUT(opened, 1, 6000);
        }
        QCOMPARE(opened, 1);
        QVERIFY(!splash.isVisible());
    }

    void groupEditorAsksLikePageChange_data() {
        QTest::addColumn<bool>("answerOk");
        QTest::addColumn<bool>("byPageChange");
        QTest::addColumn<int>("total");
        QTest::newRow("Cancel keeps the sizes, no editor") << false << false << 1001;
        QTest::newRow("OK restores, then the editor") << true << false << 1000;
        QTest::newRow("page change, Cancel stays on Bank") << false << true << 1001;
        QTest::newRow("page change, OK goes to Memory") << true << true << 1000;
    }

    void groupEditorAsksLikePageChange() {
        QFETCH(bool, answerOk);
        QFETCH(bool, byPageChange);
        QFETCH(int, total);
        MainWindow window;
        Dialogs dialogs(answerOk);
        window.TabStrip1->setCurrentIndex(1);
        window.bankPage->Text1[0]->selectAll();
        QTest::keyClicks(window.bankPage->Text1[0], QStringLiteral("101"));
        QTest::keyClick(window.bankPage->Text1[0], Qt::Key_Return);
        // The Memory page must not show while the question is open.
        QList<int> pageDuringQuestion;
        dialogs.onQuestion = [&] { pageDuringQuestion.append(window.TabStrip1->currentIndex()); };
        bool editorShown = false;
        window.bankPage->groupEditorShown = [&](GroupEditor& editor) {
            editorShown = true;
            QTimer::singleShot(0, &editor, &GroupEditor::clearAllGroups);
        };
        if (byPageChange)
            window.TabStrip1->setCurrentIndex(0);
        else
            QTest::mouseClick(window.bankPage->GROUP_SET, Qt::LeftButton);
        QCOMPARE(dialogs.questions, (QList<Box>{{"Bank Total Error. Init Data?", "Caution"}}));
        QCOMPARE(pageDuringQuestion, QList<int>{1});
        QCOMPARE(editorShown, answerOk && !byPageChange);
        QCOMPARE(window.TabStrip1->currentIndex(), byPageChange && answerOk ? 0 : 1);
        QCOMPARE(window.areas().banks.total(), total);
        QCOMPARE(window.bankPage->Text1[0]->text(), QString::number(total == 1000 ? 100 : 101));
    }

    void areaReadAndWriteFromButtons_data() {
        QTest::addColumn<QString>("readButton");
        QTest::addColumn<QString>("writeButton");
        QTest::addColumn<quint32>("firstWrite"); // the area's first block
        QTest::newRow("banks") << u"READ_BANK"_qs << u"WRITE_BANK"_qs << 0x200u;
        QTest::newRow("set mode page") << u"Set_Mode_Read"_qs << u"Set_Mode_Write"_qs << 0x0u;
        QTest::newRow("setting frame") << u"SETTING_READ"_qs << u"SETTING_WRITE"_qs << 0x0u;
        QTest::newRow("DTMF frame") << u"READ_DTMF"_qs << u"WRITE_DTMF"_qs << 0x1100u;
        QTest::newRow("one-touch") << u"READ_ONE_TOUCH"_qs << u"WRITE_ONE_TOUCH"_qs << 0x180u;
        QTest::newRow("title") << u"TITLE_READ"_qs << u"TITLE_WRITE"_qs << 0x1A0u;
    }

    // Reads an area from the demo radio with its button (a read that decoded nothing would write
    // back defaults) and writes it to a blank radio with the other: it must start at the area's
    // first block and leave nothing the demo radio did not hold. (That a write sends back all that
    // was read is the fault matrix's whole-radio round trip.)
    void areaReadAndWriteFromButtons() {
        QFETCH(QString, readButton);
        QFETCH(QString, writeButton);
        QFETCH(quint32, firstWrite);
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        const QByteArray original = radio.image();
        // One-touch keys name banks: the window must know the radio's banks first.
        if (readButton == QLatin1String("READ_ONE_TOUCH"))
            QVERIFY(runCommand(window, QStringLiteral("READ_BANK")));

        QVERIFY(runCommand(window, readButton));
        QCOMPARE(dialogs.boxes.last(), (Box{"Success", " Finish"}));

        const QByteArray blank = SimulatedRadio::blankImage();
        radio.image() = blank;
        radio.clearLog();
        QVERIFY(runCommand(window, writeButton));
        QCOMPARE(dialogs.boxes.last(), (Box{"Success", " Finish"}));
        QCOMPARE(writeAddresses(radio).value(0), firstWrite);
        int changed = 0;
        for (qsizetype a = 0; a < blank.size(); ++a) {
            if (radio.image()[a] == blank[a])
                continue;
            ++changed;
            QVERIFY2(radio.image()[a] == original[a], qPrintable(QString::number(a, 16)));
        }
        QVERIFY(changed > 0);
    }

    void failedReadKeepsDecodedBlocks() {
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        // Bank 0 at 7 in block 0; block 1 never answers.
        radio.setMemory(0x200, QByteArray::fromHex("0700"));
        for (int exchange = 3; exchange <= 5; ++exchange)
            radio.injectFault(exchange, Fault::NoAnswer);
        QVERIFY(runCommand(window, QStringLiteral("READ_BANK")));
        QCOMPARE(dialogs.boxes.last(), (Box{"Error", " Error"}));
        QCOMPARE(window.bankPage->Text1[0]->text(), QStringLiteral("7"));
        // The total is the sum, not a forced 1000, and such a table cannot be written.
        QCOMPARE(window.bankPage->Total_Mem->text(), QString::number(window.areas().banks.total()));
        QCOMPARE(window.bankPage->WRITE_BANK->isEnabled(), window.areas().banks.total() == 1000);
    }

    void languageSwitchKeepsEveryListPosition() {
        MainWindow window;
        // Every list on its last entry but one (or its only entry): a position no default has.
        QMap<QString, int> chosen;
        for (QComboBox* list : window.findChildren<QComboBox*>()) {
            if (!list->objectName().startsWith(QLatin1String("Set_Mode_")) &&
                list->objectName() != QLatin1String("Combo2"))
                continue;
            // Not the radio's language list: choosing it switches the pages' language itself.
            if (list->objectName() != QLatin1String("Set_Mode_Display[0]"))
                list->setCurrentIndex(std::max(list->count() - 2, 0));
            chosen[list->objectName()] = list->currentIndex();
        }
        QVERIFY(chosen.size() >= 70);
        const SetModeSettings before = window.areas().setMode;

        for (int language : {1, 0, 1}) {
            QTest::mouseClick(window.Option1[static_cast<size_t>(language)], Qt::LeftButton);
            QCOMPARE(window.languageCode(), language);
            for (auto it = chosen.cbegin(); it != chosen.cend(); ++it)
                QVERIFY2(control<QComboBox>(window, it.key())->currentIndex() == it.value(),
                         qPrintable(it.key()));
            QVERIFY(window.areas().setMode == before);
        }
        QCOMPARE(control<QLabel>(window, "Label12[1]")->text(), QStringLiteral("Illumination"));
        QCOMPARE(SetModeControls::of(window).list(SetModeArray::Key, 12)->itemText(0),
                 QStringLiteral("Manual"));
    }

    void textLimitsOnEveryPath_data() {
        QTest::addColumn<bool>("title");  // else the first DTMF memory
        QTest::addColumn<QString>("way"); // typed, ctrl+v, menu paste or input method
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        const QString sixteen = QStringLiteral("ABCDEFGHIJKLMNOP");
        const QString kanji = QString::fromUtf8("愛圧以伊位囲易移井");
        QTest::newRow("title typed: 17th refused")
            << true << u"typed"_qs << sixteen + "Q" << sixteen;
        QTest::newRow("title Ctrl+V refused") << true << u"ctrl+v"_qs << u"ABC"_qs << QString();
        QTest::newRow("title pasted: 9th kanji refused")
            << true << u"menu"_qs << kanji << kanji.left(8);
        QTest::newRow("DTMF Ctrl+V filtered") << false << u"ctrl+v"_qs << u"1x2y3"_qs << u"123"_qs;
        QTest::newRow("DTMF input method") << false << u"input method"_qs << u"１2#"_qs << u"2#"_qs;
    }

    void textLimitsOnEveryPath() {
        QFETCH(bool, title);
        QFETCH(QString, way);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.TabStrip1->setCurrentIndex(title ? 2 : 3);
        auto* box = control<QLineEdit>(window, title ? u"TITLE_TEXT"_qs : u"COMMON_DTMF[1]"_qs);
        box->setFocus();
        QGuiApplication::clipboard()->setText(text);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        if (way == "typed")
            QTest::keyClicks(box, text);
        else if (way == "ctrl+v")
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        else if (way == "menu")
            box->paste();
        else
            QCoreApplication::sendEvent(box, &commit);
        QCOMPARE(box->text(), kept);
        QCOMPARE(title ? window.areas().title.text() : window.areas().dtmf.memories[1], kept);
    }

    // The window's part of a whole-radio read and write: the bar, the status, the editors it opens,
    // its boxes. (A failing step within the sequence is the whole-radio transfer tests'.)
    void readAllThenWriteAllReproducesTheRadio() {
        SimWindow sim(0, std::chrono::milliseconds(100));
        auto& [recorder, window, radio] = sim;
        EditorCount editors(window);
        radio.setMemory(GlyphArea, glyphPattern());
        const QByteArray source = radio.image();

        // A read that missed anything shows below, when what it gave is written to a blank radio.
        QSignalSpy bar(window.ProgressBar1, &QProgressBar::valueChanged);
        QSignalSpy status(window.statusBar(), &QStatusBar::messageChanged);
        QVERIFY(runOnWorker(window, window.readAllAction));
        QVERIFY(climbsThenResets(bar));
        QVERIFY(takeFirstArguments(status).contains(u"Reading banks..."_qs));
        QVERIFY(window.statusBar()->currentMessage().isEmpty());
        QCOMPARE(editors.font, 1);
        QCOMPARE(editors.groups, 1);
        QVERIFY(window.document().glyphs().holdsRealGlyphs());
        // No box of the area steps; the group editor ends its read with its own.
        QCOMPARE(recorder.boxes, (QList<Box>{{"Success ALL DATA READ", " Finish"}}));
        QVERIFY(!*window.autoTransferFlag());

        recorder.boxes.clear();
        radio.image() = SimulatedRadio::blankImage();
        QVERIFY(runOnWorker(window, window.writeAllAction));
        QCOMPARE(recorder.boxes, (QList<Box>{{"Success", " Finish"}}));
        QVERIFY(climbsThenResets(bar));
        QVERIFY(takeFirstArguments(status).contains(u"Writing banks..."_qs));
        // The set-mode record keeps some bytes of the radio it is written to; all else is the
        // source's.
        QCOMPARE(radio.image().mid(0x00100), source.mid(0x00100));
    }

    void silentRadioShowsEachFailureOnce_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("boxes");
        // Read: one box per area step, then the font editor's own, then the group editor's.
        QTest::newRow("read all") << false << 7;
        QTest::newRow("write all") << true << 6;
    }

    // Every failing step shows its own box, there is no "Success" and nothing starts again; a
    // transfer afterwards shows its own "Success".
    void silentRadioShowsEachFailureOnce() {
        QFETCH(bool, write);
        QFETCH(int, boxes);
        SimWindow sim(0, std::chrono::milliseconds(10));
        auto& [recorder, window, radio] = sim;
        window.setEditorReplyTimeout(std::chrono::milliseconds(5));
        EditorCount editors(window);
        FaultPlan silent;
        for (int exchange = 1; exchange <= 1000; ++exchange)
            silent.byExchange[exchange] = Fault::NoAnswer;
        radio.setFaults(silent);
        const ChannelTable before = window.channels();

        QAction* command = write ? window.writeAllAction : window.readAllAction;
        QVERIFY(runOnWorker(window, command));
        QCOMPARE(recorder.boxes.size(), boxes);
        QCOMPARE(recorder.count(QStringLiteral("Error")), boxes);
        QCOMPARE(editors.font + editors.groups, write ? 0 : 2);

        // Nothing starts again: the editors read once per opening.
        const int exchanges = radio.exchangeCount();
        QTest::qWait(300);
        QCOMPARE(recorder.boxes.size(), boxes);
        QCOMPARE(radio.exchangeCount(), exchanges);
        QVERIFY(!window.transferRunning() && !*window.autoTransferFlag());
        QVERIFY(window.channels() == before);
        QVERIFY(!window.document().glyphs().holdsRealGlyphs());

        radio.setFaults({});
        QVERIFY(runOnWorker(window, window.writeAllAction));
        QCOMPARE(recorder.boxes.last(), (Box{"Success", " Finish"}));
    }

    // A read leaves a backup, a write another before it starts, and "Verify after writing"
    // reads everything back: nothing differs after a clean write, exactly the changed row after
    // the radio's memory changed, and "Compare with File…" lists the file's own change.
    void backupsVerifyAndCompare() {
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        QTemporaryDir backups;
        SafetyNet& net = *window.safetyNet;
        net.setBackupFolder(backups.path());
        net.setVerifyAfterWriting(true);
        const QDir folder(backups.path());

        QVERIFY(runCommand(window, [&] { window.memoryCommands->readAllChannels(); }));
        QCOMPARE(folder.entryList({"*-memory-read.H4"}).size(), 1);

        QSignalSpy finished(&window, &MainWindow::transferFinished);
        window.writeAllData();
        QVERIFY(finished.wait(60000) && (finished.count() == 2 || finished.wait(60000)));
        QCOMPARE(folder.entryList({"*-written.H4"}).size(), 1);
        QVERIFY(window.findChild<QDialog*>("DifferenceReport"));
        QVERIFY(net.lastDifferences().empty());

        const quint32 modeByte = recordAddress(recordNumber(2)) + 5;
        QByteArray byte = radio.memory(modeByte, 1);
        byte[0] = static_cast<char>(byte[0] ^ 1);
        radio.setMemory(modeByte, byte);
        QVERIFY(runCommand(window, [&] { net.verify(); }));
        QCOMPARE(net.lastDifferences().size(), size_t{1});
        QCOMPARE(net.lastDifferences().front().place, window.channels().cell(2, LabelColumn));

        RadioData other = window.currentData();
        other.areas.title.setText("OTHER");
        QVERIFY(saveDataFile(backups.filePath("other.H4"), other).ok());
        net.compareWithFileAt(backups.filePath("other.H4"));
        QCOMPARE(differenceLines(net.lastDifferences()),
                 QStringList{"title Title text: OTHER -> "});
        QVERIFY(dialogs.boxes.isEmpty() || dialogs.count("Error") == 0);
        net.setVerifyAfterWriting(false);
    }

private:
    TestSettings settings_;
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
