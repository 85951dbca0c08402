#include "app/channel_grid_model.h"
#include "app/memory_page.h"
#include "channels/channel_record.h"
#include "link/channel_transfer.h"
#include "window_test_support.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
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

bool readCommandSeen(const SimulatedRadio& radio) {
    const auto& log = radio.log();
    return std::any_of(log.begin(), log.end(),
                       [](const ExchangeRecord& exchange) { return isRead(exchange.command); });
}

// Channel record numbers of the write commands, in the order the radio saw them.
QList<int> writtenRecords(const SimulatedRadio& radio) {
    QList<int> records;
    for (quint32 address : writeAddresses(radio))
        if (address >= 0x1200)
            records.append(static_cast<int>((address - 0x1200) / RecordSize) + 1);
    return records;
}

int outcomeOf(const QSignalSpy& finished) {
    return static_cast<int>(finished.first().first().value<TransferResult>().outcome);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void startUp();
    void captions_data();
    void captions();

    void comPortMenuIsRememberedAcrossRuns();
    void comPortFromSettingsFile_data();
    void comPortFromSettingsFile();

    void transferThroughSimulatedRadio_data();
    void transferThroughSimulatedRadio();
    void endBoxes_data();
    void endBoxes();
    void otherCommandsInertDuringTransfer();
    void cancelMidTransfer_data();
    void cancelMidTransfer();
    void closingDuringTransferEndsWithoutBox_data();
    void closingDuringTransferEndsWithoutBox();

    void allClear_data();
    void allClear();

private:
    TestSettings settings_;
};

void MainWindowTest::startUp() {
    Form1 window;
    // The grid shows the start-up table, carrier column hidden, headers as the radio's tool has.
    ChannelGridModel* model = window.gridModel();
    QCOMPARE(model->rowCount(), RowCount);
    QCOMPARE(model->data(model->indexOf(FirstBugFinderRow, FrequencyColumn)).toString(),
             QStringLiteral("398.60500MHz"));
    QVERIFY(model->data(model->indexOf(5, FrequencyColumn)).toString().isEmpty());
    auto* grid = control<QTableView>(window, QStringLiteral("MSFlexGrid1"));
    const QStringList headers = {"Freqency", "mode", "step",  "Carrier",    "Tone/DCS", "Tx-tone",
                                 "Rx-tone",  "DCS",  "Shift", "Shift-Freq", "Skip",     "Name"};
    for (int column = FrequencyColumn; column <= NameColumn; ++column) {
        QCOMPARE(grid->model()->headerData(column, Qt::Horizontal).toString(),
                 headers.at(column - FrequencyColumn));
        QCOMPARE(grid->isColumnHidden(column), column == CarrierColumn);
    }
    QCOMPARE(window.comPortNumber(), 1);
    QVERIFY(!window.MenuSetCom[1]->isChecked());
    QCOMPARE(window.languageCode(), 0);
    QVERIFY(control<QRadioButton>(window, QStringLiteral("Option1[0]"))->isChecked());
    QCOMPARE(control<QLineEdit>(window, QStringLiteral("Progress"))->text(), QStringLiteral("0%"));
    QVERIFY(!control<QPushButton>(window, QStringLiteral("CancelTransfer"))->isEnabled());
    auto* tabs = control<QTabWidget>(window, QStringLiteral("TabStrip1"));
    const QStringList pages = {"Memory", "Bank", "Common Set", "Set Mode"};
    QCOMPARE(tabs->count(), pages.size());
    for (int index = 0; index < tabs->count(); ++index)
        QCOMPARE(tabs->tabText(index), pages.at(index));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(window.memoryPage->currentRow(), 1);
}

void MainWindowTest::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const char* const rows[][2] = {{"READ_Botton", "Memory Read"},
                                   {"WRITE_Botton", "Memory Write"},
                                   {"MEM_ONE_READ", "One Memory Read"},
                                   {"MEM_ONE_WRITE", "One Memory Write"},
                                   {"Clear_Botton", "Clear"},
                                   {"LIST_SET[0]", "Up"},
                                   {"LIST_SET[1]", "Down"},
                                   {"ALL_Reset", "All Clear"},
                                   {"Option1[1]", "English"},
                                   {"CancelTransfer", "Cancel"},
                                   {"FILE", "File(&F)"},
                                   {"ReadFile", "Open(&O)"},
                                   {"TEST_CLICK", "Save(&S)"},
                                   {"FILE_INPORT", "Import(&I)"},
                                   {"FILE_EXPORT", "Export(&E)"},
                                   {"MenuComPort", "COMPort(&C)"},
                                   {"MenuSetCom[16]", "COM16"},
                                   {"Tusin_Botton", "Communication(&T)"},
                                   {"ALL_WRITE", "Write All Data(&A)"},
                                   {"ALL_READ", "Read All Data(&B)"},
                                   {"MenuHelp", "Help(&H)"},
                                   {"MenuVersion", "Version Infomation(&A)"}};
    for (const auto& row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
}

void MainWindowTest::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    Form1 window;
    if (auto* button = window.findChild<QAbstractButton*>(name))
        QCOMPARE(button->text(), caption);
    else if (auto* menu = window.findChild<QMenu*>(name))
        QCOMPARE(menu->title(), caption);
    else
        QCOMPARE(control<QAction>(window, name)->text(), caption);
}

void MainWindowTest::comPortMenuIsRememberedAcrossRuns() {
    {
        Form1 window;
        window.MenuSetCom[16]->trigger();
        window.MenuSetCom[4]->trigger();
        for (int number = 1; number <= LastComPort; ++number)
            QCOMPARE(window.MenuSetCom[static_cast<size_t>(number)]->isChecked(), number == 4);
        control<QAction>(window, QStringLiteral("MenuSimulatedRadio"))->trigger();
        QCOMPARE(window.portDevice(), SimulatedPortName);
        QVERIFY(!window.MenuSetCom[4]->isChecked());
    }
    {
        // The port chosen by name wins over the settings file's COM port.
        Form1 restarted;
        QCOMPARE(restarted.namedPort(), SimulatedPortName);
        QVERIFY(control<QAction>(restarted, QStringLiteral("MenuSimulatedRadio"))->isChecked());
        // Choosing a COM port afterwards forgets the name.
        restarted.MenuSetCom[2]->trigger();
        QCOMPARE(restarted.portDevice(), qmh4::comPortDevice(2));
    }
    Form1 again;
    QVERIFY(again.namedPort().isEmpty());
    QCOMPARE(again.comPortNumber(), 2);
}

void MainWindowTest::comPortFromSettingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("checkedItem"); // 0: none
    QTest::newRow("COMPORT03") << QByteArray("File Start\r\nCOMPORT03\r\nFile End\r\n") << 3 << 3;
    QTest::newRow("COMPORT00 gives COM1, checked") << QByteArray("COMPORT00\r\n") << 1 << 1;
    QTest::newRow("no COMPORT line") << QByteArray("File End\r\n") << 1 << 0;
}

void MainWindowTest::comPortFromSettingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(int, port);
    QFETCH(int, checkedItem);
    QVERIFY(QDir().mkpath(settings_.path(QStringLiteral("user"))));
    QFile file(settings_.path(QStringLiteral("user/QMH4Writer.INI")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    Form1 window;
    QCOMPARE(window.comPortNumber(), port);
    for (int number = 1; number <= LastComPort; ++number)
        QCOMPARE(window.MenuSetCom[static_cast<size_t>(number)]->isChecked(),
                 number == checkedItem);
    QCOMPARE(window.portDevice(), qmh4::comPortDevice(port));
}

void MainWindowTest::transferThroughSimulatedRadio_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selectFrom"); // the selection is made from this row ...
    QTest::addColumn<int>("selectTo");   // ... to this one
    QTest::newRow("read all") << "READ_Botton" << 1 << 1;
    QTest::newRow("read selected, made upward") << "MEM_ONE_READ" << 20 << 10;
    QTest::newRow("write all") << "WRITE_Botton" << 1 << 1;
    QTest::newRow("write selected, made upward") << "MEM_ONE_WRITE" << 20 << 10;
}

void MainWindowTest::transferThroughSimulatedRadio() {
    QFETCH(QString, button);
    QFETCH(int, selectFrom);
    QFETCH(int, selectTo);
    const bool reads = button.contains(QLatin1String("READ"));
    const bool all = !button.startsWith(QLatin1String("MEM_ONE"));
    const ChannelTable demo = demoTableAfterReadAll();

    Dialogs dialogs;
    Form1 window;
    useSimulatedRadio(window);
    SimulatedRadio& radio = window.simulatedRadio();
    if (!reads) {
        // Write the demo's channels into a blank radio.
        window.gridModel()->replaceTable(demo);
        radio.image() = SimulatedRadio::blankImage();
    }
    const int first = std::min(selectFrom, selectTo);
    const int last = all ? LastRow : std::max(selectFrom, selectTo);
    window.memoryPage->selectRows(selectFrom, selectTo);

    QSignalSpy resets(window.gridModel(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(window.gridModel(), &QAbstractItemModel::dataChanged);
    QSignalSpy finished(&window, &Form1::transferFinished);
    control<QPushButton>(window, button)->click();
    QVERIFY(window.transferRunning());
    QVERIFY(finished.wait(60000));

    QCOMPARE(outcomeOf(finished), static_cast<int>(Outcome::Success));
    QCOMPARE(dialogs.boxes, (QList<Box>{{"Success", " Finish"}}));
    QCOMPARE(window.memoryPage->currentRow(), 1);
    QCOMPARE(control<QLineEdit>(window, QStringLiteral("Progress"))->text(), QStringLiteral("0%"));
    if (reads) {
        ChannelTable expected;
        for (int row = first; row <= last; ++row)
            expected.row(row) = demo.row(row);
        if (!all)
            expected.blankEmptyRows();
        QVERIFY(window.channels() == expected);
        // The grid learnt of the whole read at once, not row by row.
        QCOMPARE(resets.count() + changes.count(), 1);
        return;
    }
    const QList<int> records = writtenRecords(radio);
    QCOMPARE(records.size(), last - first + 1);
    for (int row = first; row <= last; ++row) {
        const int record = recordNumber(row);
        QCOMPARE(records.at(row - first), record);
        QCOMPARE(radio.memory(recordAddress(record), RecordSize), encodeRecord(demo.row(row), row));
    }
    QVERIFY(!readCommandSeen(radio));
}

void MainWindowTest::endBoxes_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("statusShowsPortError");
    QTest::newRow("radio never answers") << "sim"
                                         << "1=silent,2=silent,3=silent"
                                         << "Error" << false;
    QTest::newRow("no such device") << "/dev/qmh4-no-such-port"
                                    << ""
                                    << "Port Error" << true;
}

void MainWindowTest::endBoxes() {
    QFETCH(QString, port);
    QFETCH(QString, faults);
    QFETCH(QString, text);
    QFETCH(bool, statusShowsPortError);
    Dialogs dialogs;
    Form1 window;
    useSimulatedRadio(window, 0, std::chrono::milliseconds(20));
    QString error;
    window.simulatedRadio().setFaults(*FaultPlan::parse(faults, &error));
    window.choosePortByName(port);
    const ChannelTable before = window.channels();

    QVERIFY(runCommand(
        window, [&] { window.memoryPage->READ_Botton->click(); }, 30000));

    QCOMPARE(dialogs.boxes, (QList<Box>{{text, " Error"}}));
    QVERIFY(window.channels() == before);
    QVERIFY(window.memoryPage->READ_Botton->isEnabled());
    const QString status = window.statusBar()->currentMessage();
    QCOMPARE(status.startsWith(QLatin1String("Port Error: ")), statusShowsPortError);
    if (statusShowsPortError)
        QVERIFY(status.size() > QStringLiteral("Port Error: ").size());
}

void MainWindowTest::otherCommandsInertDuringTransfer() {
    Dialogs dialogs;
    Form1 window;
    useSimulatedRadio(window, 57600);
    ChannelTable start = window.channels();
    start.row(1) = demoTableAfterReadAll().row(1);
    window.gridModel()->replaceTable(start);

    QSignalSpy finished(&window, &Form1::transferFinished);
    window.memoryPage->WRITE_Botton->click();
    QVERIFY(window.transferRunning());
    // Everything the user could reach is disabled, and the commands themselves do nothing.
    QVERIFY(!window.memoryPage->READ_Botton->isEnabled());
    QVERIFY(!window.TabStrip1->isEnabled());
    QVERIFY(!window.MenuComPort->menuAction()->isEnabled());
    QVERIFY(!window.MenuHelp->menuAction()->isEnabled());
    QVERIFY(window.CancelTransfer->isEnabled());
    window.READ_Botton_Click();
    window.MEM_ONE_READ_Click();
    window.WRITE_Botton_Click();
    window.ALL_Reset_Click();
    window.MenuSetCom_Click(5);
    window.MenuVersion_Click(); // would block on the modal about window
    QVERIFY(!window.startTransfer(Form1::ReadAllState,
                                  [](ChannelTransferObserver&) { return TransferResult{}; }));
    // The language buttons still act.
    window.Option1[1]->click();
    QCOMPARE(window.languageCode(), 1);

    QTRY_VERIFY(window.ProgressBar1->value() >= 3);
    window.CancelTransfer->click();
    QVERIFY(finished.wait(10000));
    QVERIFY(!readCommandSeen(window.simulatedRadio()));
    QCOMPARE(window.channels().row(1), start.row(1));
    QCOMPARE(window.namedPort(), SimulatedPortName);
    QVERIFY(!window.MenuSetCom[5]->isChecked());
    QVERIFY(dialogs.boxes.isEmpty());
}

void MainWindowTest::cancelMidTransfer_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("read all") << "READ_Botton";
    QTest::newRow("write all") << "WRITE_Botton";
}

void MainWindowTest::cancelMidTransfer() {
    QFETCH(QString, button);
    const ChannelTable demo = demoTableAfterReadAll();
    Dialogs dialogs;
    Form1 window;
    useSimulatedRadio(window, 57600);
    const bool reads = button == QLatin1String("READ_Botton");
    if (!reads)
        window.gridModel()->replaceTable(demo);

    QSignalSpy finished(&window, &Form1::transferFinished);
    control<QPushButton>(window, button)->click();
    QTRY_VERIFY(window.ProgressBar1->value() >= 5);
    window.CancelTransfer->click();
    QVERIFY(finished.wait(10000));

    QCOMPARE(outcomeOf(finished), static_cast<int>(Outcome::Stopped));
    QVERIFY(dialogs.boxes.isEmpty());
    QVERIFY(window.statusBar()->currentMessage().contains(QLatin1String("cancelled")));
    QVERIFY(!window.CancelTransfer->isEnabled());
    QVERIFY(window.memoryPage->READ_Botton->isEnabled());
    const SimulatedRadio& radio = window.simulatedRadio();
    const int exchanges = radio.exchangeCount();
    QVERIFY2(exchanges >= 6 && exchanges < 400, qPrintable(QString::number(exchanges)));
    if (reads) {
        // The rows read before the cancel stay in the table.
        for (int row = 1; row <= 4; ++row)
            QCOMPARE(window.channels().row(row), demo.row(row));
    } else {
        // Records written before the cancel stay written.
        const QList<int> records = writtenRecords(radio);
        QVERIFY(!records.isEmpty());
        for (int record : records)
            QCOMPARE(radio.memory(recordAddress(record), RecordSize),
                     encodeRecord(demo.row(record), record));
    }
    // A cancelled transfer leaves nothing behind: the next one runs and succeeds.
    window.simulatedRadio().setPacing(0);
    window.memoryPage->selectRow(3);
    window.MEM_ONE_READ_Click();
    QVERIFY(finished.wait(10000));
    QCOMPARE(dialogs.boxes, (QList<Box>{{"Success", " Finish"}}));
}

void MainWindowTest::closingDuringTransferEndsWithoutBox_data() {
    QTest::addColumn<bool>("destroyOnly");
    QTest::newRow("closed, then destroyed") << false;
    // Must wait for the worker before the radio and the snapshot go.
    QTest::newRow("destroyed while writing") << true;
}

void MainWindowTest::closingDuringTransferEndsWithoutBox() {
    QFETCH(bool, destroyOnly);
    Dialogs dialogs;
    auto window = std::make_unique<Form1>();
    useSimulatedRadio(*window, 57600);
    window->show();
    QSignalSpy finished(window.get(), &Form1::transferFinished);
    (destroyOnly ? window->memoryPage->WRITE_Botton : window->memoryPage->READ_Botton)->click();
    QTRY_VERIFY(window->ProgressBar1->value() >= 2);

    if (!destroyOnly) {
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QVERIFY(window->transferControl().closing());
        QVERIFY(!window->transferRunning());
        // The worker has ended: the radio sees no further exchange.
        const int exchanges = window->simulatedRadio().exchangeCount();
        QTest::qWait(100);
        QCOMPARE(window->simulatedRadio().exchangeCount(), exchanges);
        QCOMPARE(finished.count(), 0);
    }
    window.reset();
    QTest::qWait(50);
    QVERIFY(dialogs.boxes.isEmpty());
}

void MainWindowTest::allClear_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("first memory") << 1 << true;
    QTest::newRow("last priority") << 1400 << true;
    QTest::newRow("call VHF") << 1401 << false;
    QTest::newRow("first pass") << 1404 << true;
    QTest::newRow("last TSF") << 1603 << true;
    QTest::newRow("first bug finder") << 1604 << false;
}

void MainWindowTest::allClear() {
    QFETCH(int, row);
    QFETCH(bool, cleared);
    Form1 window;
    ChannelTable start = window.channels();
    ChannelRow filled = demoTableAfterReadAll().row(1);
    filled.cell(LabelColumn) = start.cell(row, LabelColumn);
    filled.txTone = 12;
    start.row(row) = filled;
    window.gridModel()->replaceTable(start);
    window.memoryPage->selectRows(30, 25);

    QSignalSpy changes(window.gridModel(), &QAbstractItemModel::dataChanged);
    window.memoryPage->ALL_Reset->click();

    const ChannelRow& after = window.channels().row(row);
    QCOMPARE(changes.count(), 1);
    if (cleared) {
        QCOMPARE(after.cell(LabelColumn), filled.cell(LabelColumn));
        QVERIFY(after.cell(FrequencyColumn).isEmpty() && after.cell(NameColumn).isEmpty());
        QVERIFY(!after.used && after.txTone == 0);
        QCOMPARE(filledRowCount(window.channels()), 23);
    } else {
        QCOMPARE(after, filled);
    }
    // The selection comes back as it was.
    QCOMPARE(window.memoryPage->currentRow(), 30);
    QCOMPARE(window.memoryPage->selectedRows().first, 25);
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
