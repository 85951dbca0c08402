#include "app/file_drop.h"
#include "app/port_menu.h"
#include "app/recent_files.h"
#include "app/start_options.h"
#include "app/undo_history.h"
#include "app/window_state.h"
#include "editing/grid_editing.h"
#include "files/common_csv_layout.h"
#include "font/font_file.h"
#include "window_test_support.h"

using namespace qmh4;
using namespace qmh4::test;

namespace {

const QByteArray CommonList("Location,Name,Frequency\r\n1,DROP,146.520000\r\n");

void dropOn(MainWindow& window, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    // The drop goes where the drag entered and was taken.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QVERIFY(drop.isAccepted());
    QCoreApplication::processEvents(); // the file opens once the drop has returned
}

void fillWithDemo(MainWindow& window) {
    const WholeRadioData demo = demoRadioData();
    window.adoptData({demo.channels, demo.areas, window.comPortNumber(), {}});
}

// Every row shows the same cells; a used row is the same in full. (A loaded file sets the side
// tables of unused rows to 0, a read leaves their defaults: neither is ever sent.)
bool sameChannels(const ChannelTable& a, const ChannelTable& b) {
    int used = 0;
    for (int row = FirstRow; row <= LastRow; ++row) {
        const ChannelRow& x = a.row(row);
        const ChannelRow& y = b.row(row);
        if (x.cells() != y.cells() || x.used() != y.used() || (x.used() && !(x == y)))
            return false;
        used += x.used() ? 1 : 0;
    }
    return used > 0;
}

using Edit = std::function<void(MainWindow&, const QTemporaryDir&)>;

bool runRead(MainWindow& window, const std::function<void()>& start) {
    QSignalSpy finished(&window, &MainWindow::transferFinished);
    start();
    return window.transferRunning() && finished.wait(60000);
}

struct EditCase {
    const char* name;
    bool readsRadio; // a read leaves the data as read: saved, not edited
    Edit edit;
};

const EditCase Edits[] = {
    {"Clear rows", false,
     [](MainWindow& w, auto&) {
         w.memoryPage->selectRows(5, 9);
         w.memoryCommands->clearSelectedRows();
     }},
    {"All Clear", false, [](MainWindow& w, auto&) { w.memoryCommands->allClear(); }},
    {"Import CSV", false,
     [](MainWindow& w, const QTemporaryDir& dir) {
         exportCsvFile(dir.filePath("blank.csv"), ChannelTable());
         w.fileCommands->importCsvAt(dir.filePath("blank.csv"));
     }},
    {"Open", true,
     [](MainWindow& w, const QTemporaryDir& dir) {
         saveDataFile(dir.filePath("blank.H4"), RadioData());
         w.fileCommands->openFileAt(dir.filePath("blank.H4"));
     }},
    {"Memory Read", true,
     [](MainWindow& w, auto&) { runRead(w, [&] { w.memoryPage->READ_Botton->click(); }); }},
    {"Read All Data", true,
     [](MainWindow& w, auto&) { runRead(w, [&] { w.readAllAction->trigger(); }); }},
    {"Title Read", true,
     [](MainWindow& w, auto&) { runRead(w, [&] { w.commonSetPage->TITLE_READ->click(); }); }},
    {"typing in the title", false,
     [](MainWindow& w, auto&) { QTest::keyClicks(w.commonSetPage->TITLE_TEXT, "AB"); }},
    {"typing in a DTMF memory", false,
     [](MainWindow& w, auto&) { QTest::keyClicks(w.setModePage->COMMON_DTMF[1], "12#"); }},
    {"dragging a bank slider", false,
     [](MainWindow& w, auto&) {
         w.bankPage->Slider1[3]->setValue(7);
         w.bankPage->Slider1[3]->setValue(9);
     }},
    {"set-mode choice", false,
     [](MainWindow& w, auto&) {
         QComboBox* list = SetModeControls::of(w).list(SetModeArray::Sound, 0);
         list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
     }},
    {"one-touch No Setting", false,
     [](MainWindow& w, auto&) { w.commonSetPage->NO_SET[2]->toggle(); }},
    {"font editor", false,
     [](MainWindow& w, auto&) {
         w.fontEditorShown = [](FontEditor& editor) {
             QTimer::singleShot(0, &editor, [&editor] {
                 editor.togglePixel(3, 3);
                 editor.closeEditor();
             });
         };
         w.showFontEditor();
     }},
    {"group editor", false,
     [](MainWindow& w, auto&) {
         w.bankPage->groupEditorShown = [](GroupEditor& editor) {
             QTimer::singleShot(0, &editor, [&editor] {
                 editor.togglePixel(1, 1);
                 editor.clearAllGroups(); // the button that closes it
             });
         };
         w.bankPage->showGroupEditor();
     }},
};

bool edited(const MainWindow& window) {
    return window.windowTitle().contains(QLatin1Char('*'));
}

// The channels as the demo radio holds them less its rows 2 and 3, with nothing to undo or save.
bool holdDemoLessTwoRows(MainWindow& window) {
    if (!runRead(window, [&] { window.memoryCommands->readAllChannels(); }))
        return false;
    clearRowsOf(window.document(), 2, 3, ClearVariant::ClearButton);
    window.undoHistory->clear();
    return true;
}

} // namespace

// The window's files: opening by kind, dropping, saving, refusing, the recent files and what a
// restart keeps, the settings file, the question before writing to the radio; undo and the
// question for unsaved changes.
class FilesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void givenFileOpensByItsKind_data() {
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QString>("name");
        for (const bool dropped : {true, false})
            for (const char* name : {"radio.H4", "own.CSV", "list.csv", "glyphs.FH4"})
                QTest::addRow("%s %s", dropped ? "dropped" : "command line", name)
                    << dropped << QString::fromLatin1(name);
    }

    void givenFileOpensByItsKind() {
        QFETCH(bool, dropped);
        QFETCH(QString, name);
        const QString file = path(name);
        Dialogs recorder;
        MainWindow window;
        RadioData data = window.currentData();
        importChannelList(CommonList, data.channels, FirstMemoryRow);
        GlyphSet glyphs{};
        glyphs[0].setPixel(3, 4, true);
        QVERIFY(saveDataFile(path(u"radio.H4"_qs), data).ok());
        QVERIFY(exportCsvFile(path(u"own.CSV"_qs), data.channels).ok());
        QVERIFY(saveFontFile(path(u"glyphs.FH4"_qs), glyphs).ok());
        QFile list(path(u"list.csv"_qs));
        QVERIFY(list.open(QIODevice::WriteOnly) && list.write(CommonList) > 0);
        list.close();

        if (dropped)
            dropOn(window, file);
        else
            applyStartOptions({file, -1}, window);

        const bool font = name.endsWith(u"FH4");
        QCOMPARE(window.document().glyphs().glyph(0).pixel(3, 4), font);
        QCOMPARE(window.channels().row(FirstMemoryRow).cell(NameColumn),
                 font ? QString() : u"DROP"_qs);
        // Only a data file becomes the current file.
        QCOMPARE(window.document().filePath(), name.endsWith(u"H4") && !font ? file : QString());
    }

    void windowAndRecentFilesSurviveRestart() {
        Dialogs recorder;
        const QString first = path(u"first.H4"_qs), second = path(u"second.H4"_qs);
        {
            MainWindow window;
            QVERIFY(saveDataFile(first, window.currentData()).ok());
            QVERIFY(saveDataFile(second, window.currentData()).ok());
            window.fileCommands->openFileAt(first);
            window.fileCommands->openFileAt(second);
            rememberWindowState(window);
            window.show();
            window.resize(900, 600);
            window.memoryPage->MSFlexGrid1->horizontalHeader()->resizeSection(FrequencyColumn, 333);
            window.TabStrip1->setCurrentIndex(2);
            window.close();
        }
        MainWindow window;
        rememberWindowState(window);
        QCOMPARE(window.TabStrip1->currentIndex(), 2);
        QCOMPARE(window.size(), QSize(900, 600));
        QCOMPARE(window.memoryPage->MSFlexGrid1->columnWidth(FrequencyColumn), 333);
        const auto entries = [&window] {
            QStringList paths;
            for (QAction* entry : control<QMenu>(window, u"RecentFiles"_qs)->actions())
                paths.append(entry->data().toString());
            return paths;
        };
        QCOMPARE(entries().mid(0, 2), (QStringList{second, first}));

        QFile::remove(first);
        control<QMenu>(window, u"RecentFiles"_qs)->actions().at(1)->trigger();
        QVERIFY(recorder.boxes.last().text.contains(u"no longer exists"));
        QVERIFY(!entries().contains(first));
        QVERIFY(window.document().filePath().isEmpty());
        control<QMenu>(window, u"RecentFiles"_qs)->actions().at(0)->trigger();
        QCOMPARE(window.document().filePath(), second);

        for (int index = 0; index < 10; ++index)
            window.desktopCommands->recentFiles->add(path(QStringLiteral("%1.H4").arg(index)));
        QCOMPARE(entries().size(), RecentFiles::Count);
        QCOMPARE(entries().first(), path(u"9.H4"_qs));

        // The status bar names the port in use.
        auto* port = control<QLabel>(window, u"StatusPort"_qs);
        window.chooseComPort(3);
        QCOMPARE(port->text(), u"Port: "_qs + comPortDevice(3));
        window.choosePortByName(SimulatedPortName);
        QCOMPARE(port->text(), u"Port: Simulated radio"_qs);
    }

    void writeAsksOnceUntilToldNotTo_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("tick");
        for (const char* command : {"WRITE_Botton", "MEM_ONE_WRITE", "ALL_WRITE"})
            for (const bool ok : {true, false})
                for (const bool tick : {false, true})
                    QTest::addRow("%s %s%s", command, ok ? "OK" : "Cancel", tick ? ", ticked" : "")
                        << QString::fromLatin1(command) << ok << tick;
    }

    void writeAsksOnceUntilToldNotTo() {
        QFETCH(QString, command);
        QFETCH(bool, ok);
        QFETCH(bool, tick);
        setAsksBeforeRadioWrite(true);
        SimWindow sim;
        auto& [recorder, window, radio] = sim;
        recorder.answer = ok;
        recorder.tick = tick;
        const auto pressAndWait = [&](bool writes) {
            QCOMPARE(runCommand(window, command, writes ? 60000 : 1), writes);
            QCOMPARE(writeAddresses(radio).isEmpty(), !writes);
            radio.clearLog();
        };
        pressAndWait(ok);
        QCOMPARE(recorder.questions,
                 (QList<Box>{{"Write to the radio on Simulated radio?", "Caution"}}));

        // Asked again unless told not to; then the write goes straight ahead, in later runs too.
        const bool remembered = ok && tick;
        recorder.answer = false;
        pressAndWait(remembered);
        QCOMPARE(recorder.questions.size(), remembered ? 1 : 2);
        QCOMPARE(asksBeforeRadioWrite(), !remembered);
        setAsksBeforeRadioWrite(false);
    }

    // Saved under a name without its suffix, the file gets it and becomes the current file,
    // which "Save to Current File" then writes without asking; with no current file it asks.
    void savedFileOpensToTheSameData() {
        Dialogs recorder;
        FileAnswers answers({path(u"radio"_qs), QString(), path(u"radio.H4"_qs)});
        MainWindow source;
        fillWithDemo(source);
        source.saveAction->trigger();
        QCOMPARE(recorder.boxes, (QList<Box>{{"Save File", "Finish"}}));
        source.document().editAreas(
            {}, [](RadioAreas& areas) { areas.title.setText(QStringLiteral("QM:1~H4")); });
        source.desktopCommands->saveCurrentAction->trigger();
        QCOMPARE(recorder.count(u"Save File"_qs), 2);
        QCOMPARE(control<QLabel>(source, u"StatusFile"_qs)->text(), u"File: radio.H4"_qs);

        MainWindow target;
        target.desktopCommands->saveCurrentAction->trigger(); // asks, and is cancelled
        QCOMPARE(answers.requests.size(), 2);
        target.openAction->trigger();
        QCOMPARE(recorder.boxes.last(), (Box{"Read File", "Finish"}));
        // The file holds no glyphs: a later write of everything must leave the radio's alone.
        QVERIFY(!target.document().glyphs().holdsRealGlyphs());
        QVERIFY(sameChannels(target.channels(), source.channels()));
        // The file keeps neither the radio's raw set-mode record nor the title's slide setting.
        RadioAreas expected = source.areas();
        expected.setMode.record = target.areas().setMode.record;
        expected.title.setSlide(target.areas().title.slide());
        QVERIFY(target.areas() == expected);
        // The pages show what was loaded.
        QCOMPARE(target.commonSetPage->TITLE_TEXT->text(), QStringLiteral("QM:1~H4"));
        QCOMPARE(target.bankPage->Text1[1]->text(), QString::number(source.areas().banks.size(1)));
    }

    void refusedFileChangesNothing_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QString>("boxTitle");
        const QByteArray dataFile("Save Date and Time\r\nCH00000145.000000000028000800000000.0000"
                                  "\r\nFile End\r\n");
        QTest::newRow("open cancelled: no box")
            << u"ReadFile"_qs << u"<cancel>"_qs << QByteArray() << QString() << QString();
        QTest::newRow("data file under another extension")
            << u"ReadFile"_qs << u"radio.txt"_qs << dataFile << u"This File don't Open"_qs
            << u"Error"_qs;
        QTest::newRow("data file that is missing") << u"ReadFile"_qs << QString() << QByteArray()
                                                   << u"This File don't Open"_qs << u"Error"_qs;
        QTest::newRow("CSV with a wrong header")
            << u"FILE_INPORT"_qs << u"list.CSV"_qs << QByteArray("\"\",\"Frequency\",\"mode\"\r\n")
            << u"CSV File Error"_qs << u" Error"_qs;
    }

    void refusedFileChangesNothing() {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, boxText);
        QFETCH(QString, boxTitle);
        const bool cancelled = name == QLatin1String("<cancel>");
        const QString file =
            cancelled ? QString() : path(name.isEmpty() ? QStringLiteral("missing.H4") : name);
        if (!name.isEmpty() && !cancelled) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(content);
        }
        Dialogs recorder;
        FileAnswers answers({file});
        MainWindow window;
        fillWithDemo(window);
        const RadioData before = window.currentData();
        QSignalSpy resets(window.gridModel(), &QAbstractItemModel::modelReset);

        control<QAction>(window, action)->trigger();

        QCOMPARE(recorder.boxes,
                 boxText.isEmpty() ? QList<Box>{} : (QList<Box>{{boxText, boxTitle}}));
        QCOMPARE(resets.count(), 0);
        QVERIFY(window.currentData() == before);
        QFile::remove(file);
    }

    void unwritableSettingsFileGivesBoxAndKeepsData() {
        // Both folders are plain files: nothing can be written under either.
        const QString blocked = path(QStringLiteral("blocked"));
        QFile blocker(blocked);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        setSettingsFolders(blocked, blocked + QStringLiteral("/user"));
        Dialogs recorder;
        MainWindow window;
        fillWithDemo(window);
        const RadioData before = window.currentData();
        window.portCommands->comPortActions[5]->trigger();
        setSettingsFolders(path(QStringLiteral("program")), path(QStringLiteral("user")));
        QFile::remove(blocked);

        QCOMPARE(recorder.boxes.size(), 1);
        QVERIFY(recorder.boxes.first().text.startsWith(QStringLiteral("Save File Error")));
        // The choice holds for this run; nothing else changed.
        QCOMPARE(window.comPortNumber(), 5);
        QVERIFY(window.portCommands->comPortActions[5]->isChecked());
        RadioData after = window.currentData();
        after.comPort = before.comPort;
        QVERIFY(after == before);
    }

    void everyEditIsOneStepUndoneExactly_data() {
        QTest::addColumn<int>("index");
        for (int index = 0; index < int(std::size(Edits)); ++index)
            QTest::newRow(Edits[index].name) << index;
    }

    void everyEditIsOneStepUndoneExactly() {
        QFETCH(int, index);
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        QVERIFY(holdDemoLessTwoRows(window));
        QTemporaryDir dir;
        const EditCase& edit = Edits[index];
        QCOMPARE(window.windowTitle(), u"Untitled \u2014 KORVAN QM-H4 Clone Utility"_qs);
        const RadioData before = window.currentData();
        edit.edit(window, dir);
        const RadioData after = window.currentData();
        QVERIFY(after != before);
        QCOMPARE(window.undoHistory->stack().count(), 1);
        QCOMPARE(edited(window), !edit.readsRadio);
        auto* undo = control<QAction>(window, QStringLiteral("EditUndo"));
        QCOMPARE(undo->text(), u"Undo "_qs + window.undoHistory->stack().text(0));

        undo->trigger();
        QVERIFY(window.currentData() == before);
        QCOMPARE(edited(window), edit.readsRadio);
        // The pages show what came back.
        QCOMPARE(window.commonSetPage->TITLE_TEXT->text(), window.areas().title.text());
        QCOMPARE(window.setModePage->COMMON_DTMF[1]->text(), window.areas().dtmf.memories[1]);
        QCOMPARE(window.bankPage->Slider1[3]->value(), window.areas().banks.size(3));

        control<QAction>(window, QStringLiteral("EditRedo"))->trigger();
        QVERIFY(window.currentData() == after);
        QCOMPARE(edited(window), !edit.readsRadio);
    }

    void unsavedChangesAreAskedFor_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<int>("answerCode");
        QTest::addColumn<bool>("saveDialogCancelled");
        for (const char* route : {"close", "open", "import CSV", "import channel list", "read"}) {
            const QString name = QString::fromLatin1(route);
            QTest::addRow("%s save", route) << name << int(SaveChoice::Save) << false;
            QTest::addRow("%s save cancelled", route) << name << int(SaveChoice::Save) << true;
            QTest::addRow("%s discard", route) << name << int(SaveChoice::Discard) << false;
            QTest::addRow("%s cancel", route) << name << int(SaveChoice::Cancel) << false;
        }
    }

    void unsavedChangesAreAskedFor() {
        QFETCH(QString, route);
        QFETCH(int, answerCode);
        const auto answer = static_cast<SaveChoice>(answerCode);
        QFETCH(bool, saveDialogCancelled);
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        QVERIFY(holdDemoLessTwoRows(window));
        QTemporaryDir dir;
        window.show();
        window.memoryPage->selectRows(5, 9);
        window.memoryCommands->clearSelectedRows();
        QCOMPARE(window.windowTitle(), u"Untitled* \u2014 KORVAN QM-H4 Clone Utility"_qs);
        const RadioData edits = window.currentData();
        const QString saved = dir.filePath(QStringLiteral("saved.H4"));
        FileAnswers answers({saveDialogCancelled ? QString() : saved});
        dialogs.saveAnswer = answer;
        const QString source = dir.filePath(QStringLiteral("source"));
        saveDataFile(source + ".H4", RadioData());
        exportCsvFile(source + ".csv", ChannelTable());
        ChannelTable oneRow;
        fillRow(oneRow, FirstMemoryRow, u"145.00000MHz"_qs, u"X"_qs);
        exportChannelListFile(source + ".list.csv", oneRow);

        const bool saves = answer == SaveChoice::Save && !saveDialogCancelled;
        const qsizetype boxesBefore = dialogs.boxes.size() + (saves ? 1 : 0);
        bool wentOn = false;
        if (route == "close") {
            wentOn = window.close();
        } else if (route == "read") {
            wentOn = runRead(window, [&] { window.memoryPage->READ_Botton->click(); });
        } else {
            if (route == "open")
                window.fileCommands->openFileAt(source + ".H4");
            else if (route == "import CSV")
                window.fileCommands->importCsvAt(source + ".csv");
            else
                window.fileCommands->importChannelListAt(source + ".list.csv");
            // The list import ends with its report, the save with "Save File".
            wentOn = window.currentData() != edits || dialogs.boxes.size() > boxesBefore;
        }

        QCOMPARE(dialogs.saveQuestions,
                 (QList<Box>{{"Save changes?", "KORVAN QM-H4 Clone Utility"}}));
        QCOMPARE(wentOn, saves || answer == SaveChoice::Discard);
        QCOMPARE(QFile::exists(saved), saves);
        if (!wentOn) {
            QVERIFY(window.currentData() == edits);
            QVERIFY(edited(window));
        } else if (route != "close") {
            // Opened, saved before the read, or still holding edits no read or import replaced.
            const bool stillEdited =
                (route.startsWith("import") && window.currentData() != edits) ||
                (!saves && route != "open");
            QCOMPARE(edited(window), stillEdited);
            if (route == "open")
                QVERIFY(window.windowTitle().startsWith(u"source.H4 \u2014"_qs));
        }
    }

private:
    QString path(const QString& name) const { return settings_.path(name); }

    TestSettings settings_;
};

QTEST_MAIN(FilesWindowTest)
#include "tst_files_window.moc"
