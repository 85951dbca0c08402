#include "app/undo_history.h"
#include "editing/grid_editing.h"
#include "files/common_csv_layout.h"
#include "window_test_support.h"

using namespace qmh4;
using namespace qmh4::test;

namespace {

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
         w.clearSelectedRows();
     }},
    {"All Clear", false, [](MainWindow& w, auto&) { w.allClear(); }},
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

} // namespace

class UndoWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The channels as the demo radio holds them less its rows 2 and 3, with nothing to undo or
    // save.
    void init() {
        settings_.reset();
        dialogs_.saveQuestions.clear();
        dir_ = std::make_unique<QTemporaryDir>();
        window_ = std::make_unique<MainWindow>();
        useSimulatedRadio(*window_);
        QVERIFY(runRead(*window_, [&] { window_->readAllChannels(); }));
        clearRowsOf(window_->document(), 2, 3, ClearVariant::ClearButton);
        window_->undoHistory->clear();
    }
    void cleanup() { window_.reset(); }

    void everyEditIsOneStepUndoneExactly_data() {
        QTest::addColumn<int>("index");
        for (int index = 0; index < int(std::size(Edits)); ++index)
            QTest::newRow(Edits[index].name) << index;
    }

    void everyEditIsOneStepUndoneExactly() {
        QFETCH(int, index);
        MainWindow& window = *window_;
        const EditCase& edit = Edits[index];
        QCOMPARE(window.windowTitle(), u"Untitled \u2014 KORVAN QM-H4 Clone Utility"_qs);
        const RadioData before = window.currentData();
        edit.edit(window, *dir_);
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
        MainWindow& window = *window_;
        window.show();
        window.memoryPage->selectRows(5, 9);
        window.clearSelectedRows();
        QCOMPARE(window.windowTitle(), u"Untitled* \u2014 KORVAN QM-H4 Clone Utility"_qs);
        const RadioData edits = window.currentData();
        const QString saved = dir_->filePath(QStringLiteral("saved.H4"));
        FileAnswers answers({saveDialogCancelled ? QString() : saved});
        dialogs_.saveAnswer = answer;
        const QString source = dir_->filePath(QStringLiteral("source"));
        saveDataFile(source + ".H4", RadioData());
        exportCsvFile(source + ".csv", ChannelTable());
        ChannelTable oneRow;
        fillRow(oneRow, FirstMemoryRow, u"145.00000MHz"_qs, u"X"_qs);
        exportChannelListFile(source + ".list.csv", oneRow);

        const bool saves = answer == SaveChoice::Save && !saveDialogCancelled;
        const qsizetype boxesBefore = dialogs_.boxes.size() + (saves ? 1 : 0);
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
            wentOn = window.currentData() != edits || dialogs_.boxes.size() > boxesBefore;
        }

        QCOMPARE(dialogs_.saveQuestions,
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
    TestSettings settings_;
    Dialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(UndoWindowTest)
#include "tst_undo_window.moc"
