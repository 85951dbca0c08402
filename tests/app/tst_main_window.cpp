#include "app/channel_grid_model.h"
#include "app/main_window.h"
#include "app/memory_page.h"
#include "app/message_box.h"
#include "app/port_choice.h"
#include "channels/channel_record.h"
#include "link/channel_transfer.h"
#include "sim/simulated_radio.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace qmh4;

namespace {

struct Box {
    QString text;
    QString title;
    bool operator==(const Box&) const = default;
};

// Records the boxes the window shows instead of blocking on them.
class BoxRecorder {
public:
    BoxRecorder() {
        previous_ = setMessageSink([this](QWidget*, const QString& text, const QString& title) {
            boxes.append({text, title});
        });
    }
    ~BoxRecorder() { setMessageSink(std::move(previous_)); }
    QList<Box> boxes;

private:
    MessageSink previous_;
};

template <typename T>
T* control(QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

int filledRowCount(const ChannelTable& table) {
    int filled = 0;
    for (int row = FirstRow; row <= LastRow; ++row)
        filled += table.cell(row, FrequencyColumn).isEmpty() ? 0 : 1;
    return filled;
}

bool anyUsed(const ChannelTable& table) {
    for (int row = FirstRow; row <= LastRow; ++row)
        if (table.row(row).used)
            return true;
    return false;
}

// The window talks to its built-in simulated radio; `baud` 0 answers at once.
void useSimulatedRadio(Form1& window, int baud) {
    window.choosePortByName(SimulatedPortName);
    window.simulatedRadio().setPacing(baud);
    window.setReplyTimeout(std::chrono::milliseconds(200));
}

// What a read of the whole demo radio gives, computed without the window.
ChannelTable demoTableAfterReadAll() {
    SimulatedRadio radio;
    ChannelTable table;
    Session session(radio, {std::chrono::milliseconds(200)});
    const TransferResult result = readAllChannels(session, table);
    if (result.outcome != Outcome::Success)
        qFatal("the demo radio cannot be read");
    return table;
}

bool readCommandSeen(const SimulatedRadio& radio) {
    for (const ExchangeRecord& exchange : radio.log())
        if (exchange.command.startsWith("KV~F") && exchange.command.endsWith("R\r"))
            return true;
    return false;
}

QList<quint32> writtenAddresses(const SimulatedRadio& radio) {
    QList<quint32> addresses;
    for (const ExchangeRecord& exchange : radio.log())
        if (exchange.command.startsWith("KV~F") && exchange.command.size() > 10 &&
            exchange.command.at(9) == 'W')
            addresses.append(exchange.command.mid(4, 5).toUInt(nullptr, 16));
    return addresses;
}

// Channel record numbers of the write commands, in the order the radio saw them.
QList<int> writtenRecords(const SimulatedRadio& radio) {
    QList<int> records;
    for (quint32 address : writtenAddresses(radio))
        if (address >= 0x1200)
            records.append(static_cast<int>((address - 0x1200) / RecordSize) + 1);
    return records;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { forgetPortName(); }

    void startUpContent();
    void gridColumns_data();
    void gridColumns();
    void captions_data();
    void captions();
    void startUpDefaults();

    void comPortMenu();
    void namedPortIsRememberedAndWins();
    void comPortDevice_data();
    void comPortDevice();
    void comPortFromSettingsFile_data();
    void comPortFromSettingsFile();

    void transferThroughSimulatedRadio_data();
    void transferThroughSimulatedRadio();
    void endBoxes_data();
    void endBoxes();
    void otherCommandsInertDuringTransfer();
    void cancelMidTransfer_data();
    void cancelMidTransfer();
    void closingDuringTransferEndsWithoutBox();
    void destroyingDuringTransfer();

    void allClear_data();
    void allClear();
};

void MainWindowTest::startUpContent() {
    Form1 window;
    const ChannelTable& table = window.channels();
    QCOMPARE(filledRowCount(table), 23);
    QVERIFY(!anyUsed(table));
    QCOMPARE(table.cell(FirstCallRow, FrequencyColumn), QStringLiteral("145.00000MHz"));
    QCOMPARE(table.cell(LastCallRow, FrequencyColumn), QStringLiteral("1295.00000MHz"));
    QCOMPARE(table.cell(LastBugFinderRow, FrequencyColumn), QStringLiteral("321.13500MHz"));
    // The grid shows exactly the table.
    ChannelGridModel* model = window.gridModel();
    QCOMPARE(model->rowCount(), RowCount);
    QCOMPARE(model->data(model->indexOf(FirstBugFinderRow, FrequencyColumn)).toString(),
             QStringLiteral("398.60500MHz"));
    QCOMPARE(model->data(model->indexOf(FirstCallRow + 1, ToneTypeColumn)).toString(),
             QStringLiteral("None"));
    QVERIFY(model->data(model->indexOf(5, FrequencyColumn)).toString().isEmpty());
}

void MainWindowTest::gridColumns_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("header");
    QTest::addColumn<bool>("hidden");
    const char* headers[] = {"Freqency", "mode", "step",  "Carrier",    "Tone/DCS", "Tx-tone",
                             "Rx-tone",  "DCS",  "Shift", "Shift-Freq", "Skip",     "Name"};
    for (int column = FrequencyColumn; column <= NameColumn; ++column)
        QTest::addRow("%d", column)
            << column << QString::fromLatin1(headers[column - 1]) << (column == CarrierColumn);
}

void MainWindowTest::gridColumns() {
    QFETCH(int, column);
    QFETCH(QString, header);
    QFETCH(bool, hidden);
    Form1 window;
    auto* grid = control<QTableView>(window, QStringLiteral("MSFlexGrid1"));
    QCOMPARE(grid->model()->headerData(column, Qt::Horizontal).toString(), header);
    QCOMPARE(grid->isColumnHidden(column), hidden);
    if (hidden)
        return;
    // Widths keep their proportions: the name is the widest column, mode and skip the narrowest.
    QVERIFY(grid->columnWidth(NameColumn) >= grid->columnWidth(column));
    QVERIFY(grid->columnWidth(column) >= grid->columnWidth(ModeColumn));
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
                                   {"Option1[0]", "Japanese"},
                                   {"Option1[1]", "English"},
                                   {"CancelTransfer", "Cancel"},
                                   {"FILE", "File(&F)"},
                                   {"ReadFile", "Open(&O)"},
                                   {"TEST_CLICK", "Save(&S)"},
                                   {"FILE_INPORT", "Import(&I)"},
                                   {"FILE_EXPORT", "Export(&E)"},
                                   {"MenuComPort", "COMPort(&C)"},
                                   {"MenuSetCom[1]", "COM1"},
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

void MainWindowTest::startUpDefaults() {
    Form1 window;
    QCOMPARE(window.comPortNumber(), 1);
    QVERIFY(window.namedPort().isEmpty());
    for (int number = 1; number <= LastComPort; ++number)
        QVERIFY(!window.MenuSetCom[static_cast<size_t>(number)]->isChecked());
    QCOMPARE(window.languageCode(), 0);
    QVERIFY(control<QRadioButton>(window, QStringLiteral("Option1[0]"))->isChecked());
    QCOMPARE(control<QLineEdit>(window, QStringLiteral("Progress"))->text(), QStringLiteral("0%"));
    QCOMPARE(control<QProgressBar>(window, QStringLiteral("ProgressBar1"))->value(), 0);
    QVERIFY(!control<QPushButton>(window, QStringLiteral("CancelTransfer"))->isEnabled());
    auto* tabs = control<QTabWidget>(window, QStringLiteral("TabStrip1"));
    QCOMPARE(tabs->count(), 4);
    const QStringList pages = {"Memory", "Bank", "Common Set", "Set Mode"};
    for (int index = 0; index < tabs->count(); ++index)
        QCOMPARE(tabs->tabText(index), pages.at(index));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(window.memoryPage->currentRow(), 1);
    QVERIFY(!window.transferRunning());
}

void MainWindowTest::comPortMenu() {
    Form1 window;
    window.MenuSetCom[3]->trigger();
    QCOMPARE(window.comPortNumber(), 3);
    window.MenuSetCom[16]->trigger();
    window.MenuSetCom[15]->trigger();
    QCOMPARE(window.comPortNumber(), 15);
    for (int number = 1; number <= LastComPort; ++number)
        QCOMPARE(window.MenuSetCom[static_cast<size_t>(number)]->isChecked(), number == 15);
    QVERIFY(window.namedPort().isEmpty());
}

void MainWindowTest::namedPortIsRememberedAndWins() {
    {
        Form1 window;
        window.MenuSetCom[4]->trigger();
        control<QAction>(window, QStringLiteral("MenuSimulatedRadio"))->trigger();
        QCOMPARE(window.portDevice(), SimulatedPortName);
        QVERIFY(!window.MenuSetCom[4]->isChecked());
    }
    {
        Form1 restarted;
        QCOMPARE(restarted.namedPort(), SimulatedPortName);
        QVERIFY(control<QAction>(restarted, QStringLiteral("MenuSimulatedRadio"))->isChecked());
        // Choosing a COM port afterwards forgets the name.
        restarted.MenuSetCom[2]->trigger();
        QCOMPARE(restarted.portDevice(), qmh4::comPortDevice(2));
    }
    Form1 again;
    QVERIFY(again.namedPort().isEmpty());
    QVERIFY(rememberedPortName().isEmpty());
}

void MainWindowTest::comPortDevice_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("device");
#ifdef Q_OS_WIN
    QTest::newRow("COM1") << 1 << "COM1";
    QTest::newRow("COM16") << 16 << "COM16";
#else
    QTest::newRow("COM1") << 1 << "/dev/ttyUSB0";
    QTest::newRow("COM16") << 16 << "/dev/ttyUSB15";
#endif
}

void MainWindowTest::comPortDevice() {
    QFETCH(int, number);
    QFETCH(QString, device);
    Form1 window;
    window.MenuSetCom[static_cast<size_t>(number)]->trigger();
    QCOMPARE(window.portDevice(), device);
}

void MainWindowTest::comPortFromSettingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("nameRemembered");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("checkedItem"); // 0: none
    QTest::addColumn<QString>("device");
    QTest::newRow("COMPORT03") << QByteArray("File Start\r\nCOMPORT03\r\nFile End\r\n") << false
                               << 3 << 3 << qmh4::comPortDevice(3);
    QTest::newRow("COMPORT00 gives COM1, checked")
        << QByteArray("COMPORT00\r\n") << false << 1 << 1 << qmh4::comPortDevice(1);
    QTest::newRow("no COMPORT line")
        << QByteArray("File End\r\n") << false << 1 << 0 << qmh4::comPortDevice(1);
    QTest::newRow("a port chosen by name wins")
        << QByteArray("COMPORT07\r\n") << true << 7 << 0 << SimulatedPortName;
}

void MainWindowTest::comPortFromSettingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(bool, nameRemembered);
    QFETCH(int, port);
    QFETCH(int, checkedItem);
    QFETCH(QString, device);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QVERIFY(QDir().mkpath(folder));
    QFile file(QDir(folder).filePath(QStringLiteral("QMH4Writer.INI")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    if (nameRemembered)
        rememberPortName(SimulatedPortName);

    Form1 window;
    file.remove();
    QCOMPARE(window.comPortNumber(), port);
    for (int number = 1; number <= LastComPort; ++number)
        QCOMPARE(window.MenuSetCom[static_cast<size_t>(number)]->isChecked(),
                 number == checkedItem);
    QCOMPARE(window.portDevice(), device);
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

    BoxRecorder recorder;
    Form1 window;
    useSimulatedRadio(window, 0);
    SimulatedRadio& radio = window.simulatedRadio();
    if (!reads) {
        // Write the demo's channels into a blank radio.
        window.gridModel()->replaceTable(demo);
        radio.image() = SimulatedRadio::blankImage();
    }
    const int first = std::min(selectFrom, selectTo);
    const int last = std::max(selectFrom, selectTo);
    window.memoryPage->selectRows(selectFrom, selectTo);

    QSignalSpy resets(window.gridModel(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(window.gridModel(), &QAbstractItemModel::dataChanged);
    QSignalSpy finished(&window, &Form1::transferFinished);
    control<QPushButton>(window, button)->click();
    QVERIFY(window.transferRunning());
    QVERIFY(finished.wait(60000));

    QCOMPARE(finished.first().first().value<TransferResult>().outcome, Outcome::Success);
    QCOMPARE(recorder.boxes, (QList<Box>{{"Success", " Finish"}}));
    QVERIFY(!window.transferRunning());
    QCOMPARE(window.memoryPage->currentRow(), 1);
    QCOMPARE(control<QLineEdit>(window, QStringLiteral("Progress"))->text(), QStringLiteral("0%"));
    if (reads) {
        ChannelTable expected;
        for (int row = first; row <= (all ? LastRow : last); ++row)
            expected.row(row) = demo.row(row);
        if (!all)
            expected.blankEmptyRows();
        QVERIFY(window.channels() == expected);
        // The grid learnt of the whole read at once, not row by row.
        QCOMPARE(resets.count() + changes.count(), 1);
        QVERIFY(filledRowCount(window.channels()) > 23 || !all);
    } else {
        const QList<int> records = writtenRecords(radio);
        QCOMPARE(records.size(), all ? RowCount : last - first + 1);
        for (int row = first; row <= (all ? LastRow : last); ++row) {
            const int record = recordNumber(row);
            QCOMPARE(records.at(row - first), record);
            QCOMPARE(radio.memory(recordAddress(record), RecordSize),
                     encodeRecord(demo.row(row), row));
        }
        // The channels first, then the pass table's thirteen blocks.
        const QList<quint32> addresses = writtenAddresses(radio);
        QCOMPARE(addresses.size(), records.size() + 13);
        QCOMPARE(addresses.at(records.size()), quint32(0x00C00));
        QCOMPARE(addresses.last(), quint32(0x00F00));
        QVERIFY(!readCommandSeen(radio));
    }
}

void MainWindowTest::endBoxes_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("statusShowsPortError");
    QTest::newRow("radio never answers") << "sim"
                                         << "1=silent,2=silent,3=silent"
                                         << "Error"
                                         << " Error" << false;
    QTest::newRow("answer with a wrong marker, thrice") << "sim"
                                                        << "1=marker,2=marker,3=marker"
                                                        << "Error"
                                                        << " Error" << false;
    QTest::newRow("no such device") << "/dev/qmh4-no-such-port"
                                    << ""
                                    << "Port Error"
                                    << " Error" << true;
}

void MainWindowTest::endBoxes() {
    QFETCH(QString, port);
    QFETCH(QString, faults);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, statusShowsPortError);
    BoxRecorder recorder;
    Form1 window;
    useSimulatedRadio(window, 0);
    window.setReplyTimeout(std::chrono::milliseconds(20));
    QString error;
    window.simulatedRadio().setFaults(*FaultPlan::parse(faults, &error));
    window.choosePortByName(port);
    const ChannelTable before = window.channels();

    QSignalSpy finished(&window, &Form1::transferFinished);
    window.memoryPage->READ_Botton->click();
    QVERIFY(finished.wait(30000));

    QCOMPARE(recorder.boxes, (QList<Box>{{text, title}}));
    QVERIFY(window.channels() == before);
    QVERIFY(!window.transferRunning());
    QVERIFY(window.memoryPage->READ_Botton->isEnabled());
    const QString status = window.statusBar()->currentMessage();
    QCOMPARE(status.startsWith(QLatin1String("Port Error: ")), statusShowsPortError);
    if (statusShowsPortError)
        QVERIFY(status.size() > QStringLiteral("Port Error: ").size());
}

void MainWindowTest::otherCommandsInertDuringTransfer() {
    BoxRecorder recorder;
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
    QCOMPARE(window.comPortNumber(), 1);
    QCOMPARE(window.namedPort(), SimulatedPortName);
    QVERIFY(!window.MenuSetCom[5]->isChecked());
    QVERIFY(recorder.boxes.isEmpty());
}

void MainWindowTest::cancelMidTransfer_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("read all") << "READ_Botton";
    QTest::newRow("write all") << "WRITE_Botton";
}

void MainWindowTest::cancelMidTransfer() {
    QFETCH(QString, button);
    const ChannelTable demo = demoTableAfterReadAll();
    BoxRecorder recorder;
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

    QCOMPARE(finished.first().first().value<TransferResult>().outcome, Outcome::Stopped);
    QVERIFY(recorder.boxes.isEmpty());
    QVERIFY(window.statusBar()->currentMessage().contains(QLatin1String("cancelled")));
    QVERIFY(!window.transferRunning());
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
    QCOMPARE(recorder.boxes, (QList<Box>{{"Success", " Finish"}}));
}

void MainWindowTest::closingDuringTransferEndsWithoutBox() {
    BoxRecorder recorder;
    auto window = std::make_unique<Form1>();
    useSimulatedRadio(*window, 57600);
    window->show();
    QSignalSpy finished(window.get(), &Form1::transferFinished);
    window->memoryPage->READ_Botton->click();
    QTRY_VERIFY(window->ProgressBar1->value() >= 3);

    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    QVERIFY(window->transferControl().closing());
    QVERIFY(!window->transferRunning());
    // The worker has ended: the radio sees no further exchange.
    const int exchanges = window->simulatedRadio().exchangeCount();
    QTest::qWait(100);
    QCOMPARE(window->simulatedRadio().exchangeCount(), exchanges);
    QVERIFY(recorder.boxes.isEmpty());
    QCOMPARE(finished.count(), 0);
    window.reset();
    QVERIFY(recorder.boxes.isEmpty());
}

void MainWindowTest::destroyingDuringTransfer() {
    BoxRecorder recorder;
    auto window = std::make_unique<Form1>();
    useSimulatedRadio(*window, 57600);
    window->memoryPage->WRITE_Botton->click();
    QTRY_VERIFY(window->ProgressBar1->value() >= 2);
    window.reset(); // must wait for the worker before the radio and the snapshot go
    QTest::qWait(50);
    QVERIFY(recorder.boxes.isEmpty());
}

void MainWindowTest::allClear_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("first memory") << 1 << true;
    QTest::newRow("dual sub") << 1102 << true;
    QTest::newRow("last priority") << 1400 << true;
    QTest::newRow("call VHF") << 1401 << false;
    QTest::newRow("call 1.2") << 1403 << false;
    QTest::newRow("first pass") << 1404 << true;
    QTest::newRow("last TSF") << 1603 << true;
    QTest::newRow("first bug finder") << 1604 << false;
    QTest::newRow("last bug finder") << 1623 << false;
}

void MainWindowTest::allClear() {
    QFETCH(int, row);
    QFETCH(bool, cleared);
    Form1 window;
    ChannelTable start = window.channels();
    ChannelRow filled = demoTableAfterReadAll().row(1);
    filled.cell(LabelColumn) = start.cell(row, LabelColumn);
    filled.txTone = 12;
    filled.step = 3;
    start.row(row) = filled;
    window.gridModel()->replaceTable(start);
    window.memoryPage->selectRows(30, 25);

    QSignalSpy changes(window.gridModel(), &QAbstractItemModel::dataChanged);
    window.memoryPage->ALL_Reset->click();

    const ChannelRow& after = window.channels().row(row);
    QCOMPARE(changes.count(), 1);
    if (!cleared) {
        QCOMPARE(after, filled);
        return;
    }
    QCOMPARE(after.cell(LabelColumn), filled.cell(LabelColumn));
    for (int column = FrequencyColumn; column <= NameColumn; ++column)
        QVERIFY(after.cell(column).isEmpty());
    QCOMPARE(after.txTone, quint8(0));
    QCOMPARE(after.rxTone, quint8(0));
    QCOMPARE(after.dcs, quint8(0));
    QCOMPARE(after.train, quint8(0));
    QCOMPARE(after.step, quint8(0));
    QVERIFY(!after.used);
    QVERIFY(after.name.isEmpty());
    QCOMPARE(filledRowCount(window.channels()), 23);
    // The selection comes back as it was.
    QCOMPARE(window.memoryPage->currentRow(), 30);
    QCOMPARE(window.memoryPage->selectedRows().first, 25);
    QCOMPARE(window.memoryPage->selectedRows().last, 30);
    QVERIFY(window.memoryPage->ALL_Reset->isEnabled());
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
