#include "app/bank_page.h"
#include "app/channel_grid_model.h"
#include "app/file_choice.h"
#include "app/font_editor.h"
#include "app/group_editor.h"
#include "font/glyph_store.h"
#include "window_test_support.h"

#include <QAction>
#include <QProgressBar>
#include <QStatusBar>

using namespace qmh4;
using namespace qmh4::test;

namespace {

constexpr quint32 GlyphArea = 0x01000;
constexpr qsizetype GlyphAreaSize = 8 * 32;

QByteArray glyphPattern() {
    QByteArray bytes(GlyphAreaSize, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes;
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
bool runCommand(MainWindow& window, QAction* command) {
    QSignalSpy finished(&window, &MainWindow::transferFinished);
    command->trigger();
    return window.transferRunning() && finished.wait(120000) && !window.transferRunning();
}

// The bar only climbs while a command runs, then goes back to 0 as it ends.
bool climbsThenResets(QSignalSpy& bar) {
    QList<int> values;
    for (const QList<QVariant>& change : std::as_const(bar))
        values.append(change.at(0).toInt());
    bar.clear();
    return !values.isEmpty() && values.takeLast() == 0 &&
           std::is_sorted(values.begin(), values.end());
}

QStringList messages(QSignalSpy& status) {
    QStringList texts;
    for (const QList<QVariant>& change : std::as_const(status))
        texts.append(change.at(0).toString());
    status.clear();
    return texts;
}

} // namespace

class WholeRadioWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void readAllThenWriteAllReproducesTheRadio();
    void writeAllWithFailingStepShowsNoSuccess_data();
    void writeAllWithFailingStepShowsNoSuccess();
    void readAllWithNoRadioShowsEachFailureOnce();
    void openedDataFileWrittenAllLeavesRadioGlyphs();

private:
    TestSettings settings_;
};

void WholeRadioWindowTest::readAllThenWriteAllReproducesTheRadio() {
    Dialogs recorder;
    MainWindow window;
    useSimulatedRadio(window, 0, std::chrono::milliseconds(100));
    EditorCount editors(window);
    SimulatedRadio& radio = window.simulatedRadio();
    radio.setMemory(GlyphArea, glyphPattern());
    const QByteArray source = radio.image();

    // A read that missed anything shows below, when what it gave is written to a blank radio.
    QSignalSpy resets(window.gridModel(), &QAbstractItemModel::modelReset);
    QSignalSpy bar(window.ProgressBar1, &QProgressBar::valueChanged);
    QSignalSpy status(window.statusBar(), &QStatusBar::messageChanged);
    QVERIFY(runCommand(window, window.readAllAction));
    QVERIFY(climbsThenResets(bar));
    QVERIFY(messages(status).contains("Reading banks..."));
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    QCOMPARE(editors.font, 1);
    QCOMPARE(editors.groups, 1);
    QVERIFY(window.document().glyphs().holdsRealGlyphs());
    QCOMPARE(resets.count(), 1);
    // No box of the area steps; the group editor ends its read with its own.
    QCOMPARE(recorder.boxes, (QList<Box>{{"Success ALL DATA READ", " Finish"}}));
    QVERIFY(!*window.autoTransferFlag());

    recorder.boxes.clear();
    radio.image() = SimulatedRadio::blankImage();
    radio.clearLog();
    QVERIFY(runCommand(window, window.writeAllAction));
    QCOMPARE(recorder.boxes, (QList<Box>{{"Success", " Finish"}}));
    QVERIFY(climbsThenResets(bar));
    QVERIFY(messages(status).contains("Writing banks..."));
    // Every block sent holds what the source radio holds there; the set-mode record keeps
    // some bytes of the radio it is written to.
    for (const ExchangeRecord& exchange : radio.log()) {
        if (!isWrite(exchange.command) || commandAddress(exchange.command) < 0x00100)
            continue;
        const quint32 address = commandAddress(exchange.command);
        const QByteArray data =
            QByteArray::fromHex(exchange.command.mid(10, exchange.command.size() - 11));
        QVERIFY2(data == source.mid(address, data.size()),
                 qPrintable(QString::number(address, 16)));
    }
    // Every area was sent: set mode, groups, one-touch, title, banks, DTMF, the last channel.
    const QList<quint32> written = writeAddresses(radio);
    for (quint32 address : {0x0u, 0x100u, 0x180u, 0x1A0u, 0x200u, 0x1173u, 0x1A780u})
        QVERIFY2(written.contains(address), qPrintable(QString::number(address, 16)));
    QCOMPARE(radio.memory(GlyphArea, GlyphAreaSize), glyphPattern());
    QCOMPARE(radio.memory(0x01200, 1623 * 64), source.mid(0x01200, 1623 * 64));
}

void WholeRadioWindowTest::writeAllWithFailingStepShowsNoSuccess_data() {
    QTest::addColumn<quint32>("failingAddress");
    QTest::addColumn<quint32>("laterAddress");
    QTest::addColumn<bool>("laterWritten");
    // The sequence goes on after a failing area step; the glyph blocks stop at their limit.
    QTest::newRow("title step") << 0x001A0u << 0x00130u << true;
    QTest::newRow("glyph block") << 0x01060u << 0x01080u << false;
}

void WholeRadioWindowTest::writeAllWithFailingStepShowsNoSuccess() {
    QFETCH(quint32, failingAddress);
    QFETCH(quint32, laterAddress);
    QFETCH(bool, laterWritten);
    Dialogs recorder;
    MainWindow window;
    useSimulatedRadio(window, 0, std::chrono::milliseconds(100));
    window.document().editGlyphs({}, [](GlyphStore& glyphs) {
        glyphs.setPixel(0, 0, 0, true); // real glyphs: the blocks are written
    });
    SimulatedRadio& radio = window.simulatedRadio();

    // A clean run shows where the block's first attempt falls in the sequence of exchanges.
    const int cleanStart = radio.exchangeCount() + 1;
    QVERIFY(runCommand(window, window.writeAllAction));
    QCOMPARE(recorder.boxes, (QList<Box>{{"Success", " Finish"}}));
    int offset = -1;
    for (const ExchangeRecord& exchange : radio.log())
        if (isWrite(exchange.command) && commandAddress(exchange.command) == failingAddress) {
            offset = exchange.number - cleanStart;
            break;
        }
    QVERIFY(offset >= 0);

    // The same run again, the block going unanswered three times.
    recorder.boxes.clear();
    radio.clearLog();
    const int start = radio.exchangeCount() + 1;
    for (int attempt = 0; attempt < 3; ++attempt)
        radio.injectFault(start + offset + attempt, Fault::NoAnswer);
    QVERIFY(runCommand(window, window.writeAllAction));
    QCOMPARE(recorder.boxes, (QList<Box>{{"Error", " Error"}}));
    QCOMPARE(writeAddresses(radio).contains(laterAddress), laterWritten);
    // A stand-alone transfer afterwards shows its own "Success" again.
    QVERIFY(runCommand(window, window.writeAllAction));
    QCOMPARE(recorder.count(QStringLiteral("Success")), 1);
}

void WholeRadioWindowTest::readAllWithNoRadioShowsEachFailureOnce() {
    Dialogs recorder;
    MainWindow window;
    useSimulatedRadio(window, 0, std::chrono::milliseconds(100));
    window.setReplyTimeout(std::chrono::milliseconds(10));
    window.setEditorReplyTimeout(std::chrono::milliseconds(5));
    EditorCount editors(window);
    SimulatedRadio& radio = window.simulatedRadio();
    FaultPlan silent;
    for (int exchange = 1; exchange <= 1000; ++exchange)
        silent.byExchange[exchange] = Fault::NoAnswer;
    radio.setFaults(silent);
    const ChannelTable before = window.channels();

    QVERIFY(runCommand(window, window.readAllAction));
    // One box per area step, then the font editor's own, then the group editor's.
    QCOMPARE(recorder.boxes.size(), 7);
    QCOMPARE(recorder.count(QStringLiteral("Error")), 7);
    QCOMPARE(editors.font, 1);
    QCOMPARE(editors.groups, 1);

    // Nothing starts again: the editors read once per opening.
    const int exchanges = radio.exchangeCount();
    QTest::qWait(300);
    QCOMPARE(recorder.boxes.size(), 7);
    QCOMPARE(radio.exchangeCount(), exchanges);
    QVERIFY(!window.transferRunning() && !*window.autoTransferFlag());
    QVERIFY(window.channels() == before);
    QVERIFY(!window.document().glyphs().holdsRealGlyphs());
}

void WholeRadioWindowTest::openedDataFileWrittenAllLeavesRadioGlyphs() {
    const QString file = settings_.path(QStringLiteral("radio.H4"));
    Dialogs recorder;
    FileChooser previous = setFileChooser([&](QWidget*, const FileRequest&) { return file; });
    {
        MainWindow saver;
        saver.saveAction->trigger();
    }
    MainWindow window;
    useSimulatedRadio(window, 0, std::chrono::milliseconds(100));
    SimulatedRadio& radio = window.simulatedRadio();
    radio.setMemory(GlyphArea, glyphPattern());
    window.openAction->trigger();
    setFileChooser(std::move(previous));
    QCOMPARE(recorder.boxes.last(), (Box{"Read File", "Finish"}));

    recorder.boxes.clear();
    radio.clearLog();
    QVERIFY(runCommand(window, window.writeAllAction));
    QCOMPARE(recorder.boxes, (QList<Box>{{"Success", " Finish"}}));
    QCOMPARE(radio.memory(GlyphArea, GlyphAreaSize), glyphPattern());
    for (quint32 address : writeAddresses(radio))
        QVERIFY(address < GlyphArea || address >= GlyphArea + GlyphAreaSize);
}

QTEST_MAIN(WholeRadioWindowTest)
#include "tst_whole_radio_window.moc"
