#include "app/safety_net.h"
#include "window_test_support.h"

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
        QVERIFY(runCommand(window, window.readAllAction));
        QVERIFY(climbsThenResets(bar));
        QVERIFY(messages(status).contains("Reading banks..."));
        QVERIFY(window.statusBar()->currentMessage().isEmpty());
        QCOMPARE(editors.font, 1);
        QCOMPARE(editors.groups, 1);
        QVERIFY(window.document().glyphs().holdsRealGlyphs());
        // No box of the area steps; the group editor ends its read with its own.
        QCOMPARE(recorder.boxes, (QList<Box>{{"Success ALL DATA READ", " Finish"}}));
        QVERIFY(!*window.autoTransferFlag());

        recorder.boxes.clear();
        radio.image() = SimulatedRadio::blankImage();
        QVERIFY(runCommand(window, window.writeAllAction));
        QCOMPARE(recorder.boxes, (QList<Box>{{"Success", " Finish"}}));
        QVERIFY(climbsThenResets(bar));
        QVERIFY(messages(status).contains("Writing banks..."));
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
        QVERIFY(runCommand(window, command));
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
        QVERIFY(runCommand(window, window.writeAllAction));
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

        QVERIFY(runCommand(window, [&] { window.readAllChannels(); }));
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
        QVERIFY(saveDataFile(backups.filePath("other.H4"), other).ok);
        net.compareWithFileAt(backups.filePath("other.H4"));
        QCOMPARE(differenceLines(net.lastDifferences()),
                 QStringList{"title Title text: OTHER -> "});
        QVERIFY(dialogs.boxes.isEmpty() || dialogs.count("Error") == 0);
        net.setVerifyAfterWriting(false);
    }

private:
    TestSettings settings_;
};

QTEST_MAIN(WholeRadioWindowTest)
#include "tst_whole_radio_window.moc"
