#include "app/channel_grid_model.h"
#include "app/interface_language.h"
#include "app/memory_page.h"
#include "channels/channel_record.h"
#include "transfers/channel_transfer.h"
#include "window_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

using namespace qmh4;
using namespace qmh4::test;

namespace {

int filledRowCount(const ChannelTable& table) {
    int filled = 0;
    for (int row = FirstRow; row <= LastRow; ++row)
        filled += table.cell(row, FrequencyColumn).isEmpty() ? 0 : 1;
    return filled;
}

// What a read of the whole demo radio gives, computed without the window.
ChannelTable demoTableAfterReadAll() {
    SimulatedRadio radio;
    ChannelTable table;
    Session session(radio, {std::chrono::milliseconds(200)});
    if (readAllChannels(session, table).outcome != Outcome::Success)
        qFatal("the demo radio cannot be read");
    return table;
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

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void transferThroughSimulatedRadio_data();
    void transferThroughSimulatedRadio();
    void portErrorChangesNothing();
    void transferEndedEarly_data();
    void transferEndedEarly();

    void allClear_data();
    void allClear();

    void draggedColumnWidthIsRemembered();
    void defaultSizeShowsEveryPage_data();
    void defaultSizeShowsEveryPage();

private:
    TestSettings settings_;
};

void MainWindowTest::transferThroughSimulatedRadio_data() {
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
void MainWindowTest::transferThroughSimulatedRadio() {
    QFETCH(QString, button);
    QFETCH(int, selectFrom);
    QFETCH(int, selectTo);
    const bool all = !button.startsWith(QLatin1String("MEM_ONE"));
    const ChannelTable demo = demoTableAfterReadAll();
    Dialogs dialogs;
    MainWindow window;
    useSimulatedRadio(window);
    SimulatedRadio& radio = window.simulatedRadio();
    const bool reads = button.contains(QLatin1String("READ"));
    if (!reads) // the demo's channels go into a blank radio
        window.document().replaceChannels({}, demo);
    const int first = std::min(selectFrom, selectTo);
    const int last = all ? LastRow : std::max(selectFrom, selectTo);
    window.memoryPage->selectRows(selectFrom, selectTo);
    QVERIFY(runCommand(window, [&] { control<QPushButton>(window, button)->click(); }));

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

void MainWindowTest::portErrorChangesNothing() {
    Dialogs dialogs;
    MainWindow window;
    window.choosePortByName(QStringLiteral("/dev/qmh4-no-such-port"));
    const ChannelTable before = window.channels();
    QVERIFY(runCommand(
        window, [&] { window.memoryPage->READ_Botton->click(); }, 30000));
    QCOMPARE(dialogs.boxes, (QList<Box>{{"Port Error", " Error"}}));
    QVERIFY(window.channels() == before);
    QVERIFY(window.memoryPage->READ_Botton->isEnabled());
    QVERIFY(window.statusBar()->currentMessage().startsWith(QLatin1String("Port Error: ")));
}

void MainWindowTest::transferEndedEarly_data() {
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("ending");
    QTest::newRow("read cancelled") << false << "cancel";
    QTest::newRow("write cancelled") << true << "cancel";
    QTest::newRow("closed while reading") << false << "close";
    // Must wait for the worker before the radio and the snapshot go.
    QTest::newRow("destroyed while writing") << true << "destroy";
}

// A transfer the user cancels: other commands do nothing meanwhile, what was transferred before
// the cancel stays, and the next transfer runs and succeeds. Closed or destroyed, it ends without
// a box.
void MainWindowTest::transferEndedEarly() {
    QFETCH(bool, write);
    QFETCH(QString, ending);
    const ChannelTable demo = demoTableAfterReadAll();
    Dialogs dialogs;
    auto owned = std::make_unique<MainWindow>();
    MainWindow& window = *owned;
    useSimulatedRadio(window, 57600);
    if (write)
        window.document().replaceChannels({}, demo);
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
    // Everything the user could reach is disabled, and the commands themselves do nothing.
    QVERIFY(!window.memoryPage->READ_Botton->isEnabled());
    QVERIFY(!window.TabStrip1->isEnabled());
    QVERIFY(!window.portMenu->menuAction()->isEnabled());
    window.memoryCommands->readAllChannels();
    window.memoryCommands->readSelectedChannels();
    window.memoryCommands->writeAllChannels();
    window.memoryCommands->allClear();
    window.chooseComPort(5);
    window.showAbout(); // would block on the modal about window
    QVERIFY(!window.transfers->start(MainWindow::ReadAllState,
                                     [](ChannelTransferObserver&) { return TransferResult{}; }));
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

void MainWindowTest::allClear_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("last priority") << 1400 << true;
    QTest::newRow("call VHF") << 1401 << false;
    QTest::newRow("last TSF") << 1603 << true;
    QTest::newRow("first bug finder") << 1604 << false;
}

void MainWindowTest::allClear() {
    QFETCH(int, row);
    QFETCH(bool, cleared);
    MainWindow window;
    ChannelTable start = window.channels();
    ChannelRow filled = demoTableAfterReadAll().row(1);
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

// ---- sizes -----------------------------------------------------------------------------------

void MainWindowTest::draggedColumnWidthIsRemembered() {
    {
        MainWindow window;
        window.show();
        window.memoryPage->MSFlexGrid1->horizontalHeader()->resizeSection(FrequencyColumn, 333);
    }
    MainWindow again;
    QCOMPARE(again.memoryPage->MSFlexGrid1->columnWidth(FrequencyColumn), 333);
    QSettings(QStringLiteral("QMH4Writer"), QStringLiteral("QMH4Writer")).remove("MemoryGrid");
}

void MainWindowTest::defaultSizeShowsEveryPage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("language");
    for (int language : {0, 1})
        for (int page = 0; page < 4; ++page)
            QTest::addRow("page %d, language %d", page, language) << page << language;
}

void MainWindowTest::defaultSizeShowsEveryPage() {
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

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
