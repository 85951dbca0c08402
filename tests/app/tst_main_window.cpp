#include "app/interface_language.h"
#include "app/splash_screen.h"
#include "transfers/channel_transfer.h"
#include "window_test_support.h"

using namespace qmh4;
using namespace qmh4::test;

namespace {

int filledRowCount(const ChannelTable& table) {
    int filled = 0;
    for (int row = FirstRow; row <= LastRow; ++row)
        filled += table.cell(row, FrequencyColumn).isEmpty() ? 0 : 1;
    return filled;
}

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
    window.readAllChannels();
    window.readSelectedChannels();
    window.writeAllChannels();
    window.allClear();
    window.chooseComPort(5);
    window.showAbout();
    window.gridKeyPressed(Qt::Key_Delete);
    window.gridKeyPressed(Qt::Key_Return);
    window.editCurrentChannel();
    window.clearSelectedRows();
    window.moveCurrentRow(1);
    window.bankPage->resetBanks();
    window.bankPage->showGroupEditor();
    window.commonSetPage->clearTitle();
    window.commonSetPage->writeTitleToRadio();
    window.setModePage->readDtmfFromRadio();
    window.TabStrip1->setCurrentIndex(3);
    QVERIFY(!window.startTransfer(MainWindow::ReadAllState,
                                  [](ChannelTransferObserver&) { return TransferResult{}; }));
    QTest::qWait(0);
    QVERIFY(!*opened);
    QVERIFY(window.areas() == before);
    QCOMPARE(window.transferControl().state(), state);
    QCOMPARE(window.TabStrip1->currentIndex(), 0);
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
            window, [&] { window.readSelectedChannels(); }, 10000));
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
        filled.txTone = 12;
        start.row(row) = filled;
        window.document().replaceChannels({}, start);
        window.memoryPage->selectRows(30, 25);
        window.memoryPage->ALL_Reset->click();

        const ChannelRow& after = window.channels().row(row);
        ChannelRow expected = filled;
        if (cleared) { // every cell but the label empty, every side table 0
            for (int column = FrequencyColumn; column <= NameColumn; ++column)
                expected.cell(column).clear();
            expected.txTone = expected.rxTone = expected.dcs = expected.train = expected.step = 0;
            expected.used = false;
            expected.name = after.name;
        }
        QCOMPARE(after, expected);
        QCOMPARE(filledRowCount(window.channels()), 23); // the call and bug-finder rows
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

private:
    TestSettings settings_;
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
