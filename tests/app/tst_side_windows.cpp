#include "font/glyph_store.h"
#include "window_test_support.h"

using namespace qmh4;
using namespace qmh4::test;

namespace {

// The glyphs every editor of a test case works on (a fresh set per test).
GlyphStore& store() {
    static GlyphStore glyphs;
    return glyphs;
}

// An editor on `groups` talking to `radio`, which outlives it.
struct Editor {
    Editor(Groups& groups, const std::shared_ptr<SimulatedRadio>& radio, bool* autoFlag = nullptr)
        : window(
              groups,
              [radio]() -> std::unique_ptr<Link> { return std::make_unique<SharedLink>(radio); },
              autoFlag) {
        window.setReplyTimeout(std::chrono::milliseconds(100));
    }
    GroupEditor window;
};

bool runCommand(GroupEditor& editor, QPushButton* command) {
    QSignalSpy finished(&editor, &GroupEditor::transferFinished);
    QTest::mouseClick(command, Qt::LeftButton);
    return finished.count() == 1 || finished.wait(5000);
}

} // namespace

// The windows beside the main one: the font editor and the group editor, each on a simulated
// radio of its own, and the channel detail dialog.
class SideWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        store().reset();
        radio_ = std::make_shared<SimulatedRadio>(SimulatedRadio::blankImage());
        radio_->setMemory(GlyphArea, glyphPattern());
        dialogs_.boxes.clear();
    }

    // NEXT on glyph 8 and BACK on glyph 1 stay put, and the grid shows the glyph selected. A
    // click toggles its pixel; Select Setting on rows 4 to 6, columns 9 and 10 sets those six
    // pixels and Select Delete clears them; Clear empties the glyph, All Clear every glyph.
    void editingCommands() {
        store().setGlyph(6, decodeGlyph(QByteArray(1, '\x02')), false); // pixel (1, 0), not real
        auto editor = makeEditor();
        editor->FONT_LIST->setCurrentIndex(7);
        editor->FONT_NEXT->click();
        QCOMPARE(editor->selectedGlyph(), 7);
        editor->FONT_BACK->click();
        QCOMPARE(editor->selectedGlyph(), 6);
        // Selected and current, a set pixel stays dark and a clear one light.
        QTableWidget* grid = editor->MSFlexGrid1;
        grid->setCurrentCell(1, 0);
        grid->selectAll();
        const QImage shot = grid->viewport()->grab().toImage();
        const auto shade = [&](int row, int column) {
            return qGray(shot.pixel(grid->visualItemRect(grid->item(row, column)).center()));
        };
        QVERIFY2(shade(1, 0) < 100 && shade(0, 0) > 150,
                 qPrintable(QStringLiteral("%1 %2").arg(shade(1, 0)).arg(shade(0, 0))));
        grid->clearSelection();
        editor->FONT_LIST->setCurrentIndex(0);
        editor->FONT_BACK->click();
        QCOMPARE(editor->selectedGlyph(), 0);
        editor->FONT_NEXT->click();
        editor->FONT_NEXT->click();
        QCOMPARE(editor->selectedGlyph(), 2);
        const Glyph& glyph = store().glyph(2);
        emit editor->MSFlexGrid1->cellClicked(15, 0);
        QVERIFY(glyph.pixel(15, 0) && glyph.countSet() == 1 && store().holdsRealGlyphs());
        emit editor->MSFlexGrid1->cellClicked(15, 0);
        QCOMPARE(glyph.countSet(), 0);
        editor->MSFlexGrid1->setRangeSelected(QTableWidgetSelectionRange(4, 9, 6, 10), true);
        editor->IKKATU_ON->click();
        QVERIFY(glyph.countSet() == 6 && glyph.pixel(4, 9) && glyph.pixel(6, 10));
        editor->IKKATU_OFF->click();
        QCOMPARE(glyph.countSet(), 0);
        editor->IKKATU_ON->click();
        editor->FONT_CLEAR->click();
        QCOMPARE(glyph.countSet(), 0);
        QCOMPARE(store().glyph(6).countSet(), 1);
        QVERIFY(dialogs_.boxes.isEmpty());
        editor->ALL_CLEAR->click();
        QCOMPARE(store().glyph(6).countSet(), 0);
        QCOMPARE(dialogs_.boxes, (QList<Box>{{"ALL Clear", " Clear"}}));
    }

    void transferButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("Read ALL") << u"READ_ALL"_qs << u"All Font Data Read"_qs;
        QTest::newRow("Write ALL") << u"WRITE_ALL"_qs << u"All Font Data Write"_qs;
        QTest::newRow("read one") << u"R_FONT"_qs << u"Success Font Read"_qs;
        QTest::newRow("write one") << u"FONT_WRITE"_qs << u"Success Font Write"_qs;
    }

    // Each transfer button runs its transfer with every command disabled and the window kept
    // open meanwhile, shows one box, and moves only its own glyphs: all eight, or glyph 3
    // (index 2) selected in the list. (What goes over the line is the glyph transfer tests'.)
    void transferButtons() {
        QFETCH(QString, button);
        QFETCH(QString, message);
        for (int g = 0; g < GlyphCount; ++g)
            store().setPixel(g, 15 - g, g, true);
        const GlyphSet mine = store().glyphs();
        auto editor = makeEditor();
        editor->show();
        editor->FONT_LIST->setCurrentIndex(2);
        editor->findChild<QPushButton*>(button)->click();
        QVERIFY(editor->transferRunning() && !editor->WRITE_ALL->isEnabled() &&
                !editor->MSFlexGrid1->isEnabled() && !editor->Command1->isEnabled());
        editor->READ_ALL->click(); // disabled: nothing happens
        QVERIFY(!editor->close());
        editor->reject();
        QVERIFY(editor->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!editor->transferRunning(), 10000);
        QCOMPARE(dialogs_.boxes, (QList<Box>{{message, " Finish"}}));
        QVERIFY(editor->WRITE_ALL->isEnabled());
        const bool reads = button.contains("READ") || button == "R_FONT";
        for (int g = 0; g < GlyphCount; ++g) {
            const bool moved = button.contains("ALL") || g == 2;
            const QByteArray onRadio = glyphPattern().mid(32 * g, 32);
            const QByteArray own = encodeGlyph(mine[static_cast<size_t>(g)]);
            QCOMPARE(encodeGlyph(store().glyph(g)), moved && reads ? onRadio : own);
            QCOMPARE(radio_->memory(GlyphArea + 32 * quint32(g), 32),
                     moved && !reads ? own : onRadio);
        }
        QVERIFY(editor->close());
    }

    void failedReadAllKeepsStoreUnvouched() {
        // Glyphs 0 and 1 arrive, then the radio falls silent for good.
        for (int i = 4; i <= 20; ++i)
            radio_->injectFault(i, Fault::NoAnswer);
        auto editor = makeEditor();
        editor->READ_ALL->click();
        QTRY_VERIFY_WITH_TIMEOUT(!editor->transferRunning(), 10000);
        QCOMPARE(dialogs_.boxes, (QList<Box>{{"Error", " Error"}}));
        QCOMPARE(encodeGlyph(store().glyph(1)), glyphPattern().mid(32, 32));
        QCOMPARE(store().glyph(2).countSet(), 0);
        QVERIFY(!store().holdsRealGlyphs());
    }

    void fontFileCommands() {
        QTemporaryDir dir;
        for (int g = 0; g < GlyphCount; ++g)
            store().setPixel(g, g, 15 - g, true);
        const GlyphSet saved = store().glyphs();
        auto editor = makeEditor();
        // Saved under a name without suffix, the file gets ".FH4".
        editor->setFileChoosers([&](QWidget*) { return dir.filePath("mine.FH4"); },
                                [&](QWidget*) { return dir.filePath("mine"); });

        editor->FONT_SAVE->trigger();
        QCOMPARE(dialogs_.boxes, (QList<Box>{{"Save File", " Finish"}}));

        store().reset();
        editor->FONT_READ->trigger();
        QCOMPARE(dialogs_.boxes.last(), (Box{"Read Font File", " Finish"}));
        QVERIFY(store().glyphs() == saved && store().holdsRealGlyphs());
    }

    void writeThenReadThroughRadio() {
        auto radio = std::make_shared<SimulatedRadio>(SimulatedRadio::blankImage());
        Groups groups;
        Editor editor(groups, radio);
        // The labels "Group0" ... "GroupB" can be read, the cells are large enough to click.
        const QTableWidget* grid = editor.window.MSFlexGrid1;
        for (int row = 1; row <= 11; ++row)
            QVERIFY(grid->fontMetrics().horizontalAdvance(grid->item(row, 0)->text()) + 6 <=
                        grid->columnWidth(0) &&
                    grid->rowHeight(row) >= 16 && grid->columnWidth(1) >= 16);
        QCOMPARE(grid->item(11, 0)->text(), QStringLiteral("GroupB"));
        // Group 0 with banks 0, 7 and 49; GroupB with bank 30.
        for (const auto& [row, column] : {std::pair{1, 1}, {1, 8}, {1, 54}, {11, 34}})
            editor.window.MSFlexGrid1->cellClicked(row, column);
        QVERIFY(runCommand(editor.window, editor.window.GROUP_WRITE));
        QCOMPARE(dialogs_.boxes.last(), (Box{"Success Group Data Write", " Finish"}));
        QCOMPARE(radio->memory(0x100, 8), QByteArray::fromHex("8100000000004000"));
        QCOMPARE(radio->memory(0x150, 8), QByteArray::fromHex("0000000200000000"));

        const Groups written = groups;
        QTest::mouseClick(editor.window.Command1, Qt::LeftButton);
        QVERIFY(!groups.isMember(0, 0));
        QVERIFY(runCommand(editor.window, editor.window.GROUP_READ));
        QCOMPARE(dialogs_.boxes.last().text, QStringLiteral("OK"));
        QVERIFY(groups == written);
        QVERIFY(editor.window.isEnabled() && editor.window.GROUP_WRITE->isEnabled());
    }

    void failedReadKeepsFirstBlock() {
        auto radio = std::make_shared<SimulatedRadio>(SimulatedRadio::blankImage());
        radio->setMemory(0x100, QByteArray::fromHex("80"));               // group 0: bank 0
        radio->setMemory(0x130, QByteArray::fromHex("4000000000000000")); // group 6: bank 1
        for (int exchange = 3; exchange <= 5; ++exchange)
            radio->injectFault(exchange, Fault::WrongMarker);
        Groups groups;
        groups.setMember(1, 6, false);
        groups.setMember(2, 6, true);
        Editor editor(groups, radio);
        QVERIFY(runCommand(editor.window, editor.window.GROUP_READ));
        QCOMPARE(dialogs_.boxes, (QList<Box>{{"Error", " Error"}}));
        QVERIFY(groups.isMember(0, 0));
        QVERIFY(!groups.isMember(1, 6));
        QVERIFY(groups.isMember(2, 6));
    }

    void autoReadOncePerOpening_data() {
        QTest::addColumn<bool>("radioAnswers");
        QTest::addColumn<QString>("box");
        QTest::newRow("read succeeds") << true << "Success ALL DATA READ";
        QTest::newRow("read fails, closes all the same") << false << "Error";
    }

    void autoReadOncePerOpening() {
        QFETCH(bool, radioAnswers);
        QFETCH(QString, box);
        auto radio = std::make_shared<SimulatedRadio>();
        if (!radioAnswers)
            for (int exchange = 1; exchange <= 3; ++exchange)
                radio->injectFault(exchange, Fault::NoAnswer);
        Groups groups;
        bool autoFlag = true;
        {
            Editor editor(groups, radio, &autoFlag);
            QSignalSpy finished(&editor.window, &GroupEditor::transferFinished);
            // exec() returns only when the editor has closed itself.
            editor.window.exec();
            QCOMPARE(finished.count(), 1);
        }
        QVERIFY(!autoFlag);
        QCOMPARE(dialogs_.boxes.size(), 1);
        QCOMPARE(dialogs_.boxes[0].text, box);
        if (radioAnswers)
            QVERIFY(groups.isMember(0, 0) && groups.isMember(2, 0) && !groups.isMember(3, 0));

        // The flag is spent: the next opening waits for the user.
        Editor again(groups, radio, &autoFlag);
        again.window.show();
        QTest::qWait(50);
        QVERIFY(again.window.isVisible());
        QVERIFY(!again.window.transferRunning());
        QCOMPARE(dialogs_.boxes.size(), 1);
    }

    // Opened on the Sub row of Dual0 (the window tests check the captions and the options left
    // out): every field of both rows is handed back unchanged but for the step chosen in each
    // set, the last click counting.
    void pairWritesBothRowsBack() {
        ChannelTable table;
        putChannel(table, 1101,
                   {"5.00000MHz", "NFM", "12.5KHz", "1000Hz", "DCS", "67.0Hz", "250.3Hz", "754",
                    "-", "10.000MHz", "*", "東:1~"});
        putChannel(table, 1102,
                   {"1295.12340MHz", "FM", "1MHz", "ＪＲ", "Train", "250.3Hz", "69.3Hz", "023", "+",
                    "999.995MHz", "", "CQ"});
        ChannelDialog dialog(openDetail(table, 1102));
        for (const char* step : {"DETAIL_STEP[3]", "DETAIL_STEP[7]", "DETAIL_STEP_2[12]"})
            control<QRadioButton>(dialog, step)->click();
        control<QPushButton>(dialog, "DETAIL_ENTER")->click();
        ChannelTable expected = table;
        expected.row(1101).setStep(7);
        expected.row(1102).setStep(12);
        commitDetail(table, dialog.result());
        QVERIFY(table == expected);
        QCOMPARE(table.cell(1101, StepColumn), "25KHz");
        QCOMPARE(table.cell(1102, StepColumn), "150KHz");
    }

    // Each option, list, box, the check box and a glyph marker button of a single channel reach
    // its cells; the lists change by choosing only (a typed key is dropped, an arrow still moves),
    // and the name box shows the name as filtered on "OK".
    void everyControlReachesTheRow() {
        ChannelTable table;
        ChannelDialog dialog(openDetail(table, 20));
        dialog.show();
        QTest::keyClicks(control(dialog, "DETAIL_FREQ_1"), "145");
        for (const char* name :
             {"DETAIL_MODE[3]", "DETAIL_STEP[15]", "PALSE_TYPE[5]", "DETAIL_SHIFT[2]"})
            control<QRadioButton>(dialog, name)->click();
        control<QComboBox>(dialog, "TX_TONE_COMBO")->setCurrentIndex(1);
        control<QComboBox>(dialog, "RX_TONE_COMBO")->setCurrentIndex(2);
        QComboBox* dcs = control<QComboBox>(dialog, "DCS_COMBO");
        QTest::keyClicks(dcs, "7");
        QTest::keyClick(dcs, Qt::Key_Down);
        control<QComboBox>(dialog, "TRAIN_COMBO")->setCurrentIndex(27);
        QTest::keyClicks(control(dialog, "DETAIL_SHIFT_FREQ_1"), "12");
        // Dropped and input-method text is filtered as if typed: x and é cannot be typed there.
        auto mime = std::make_unique<QMimeData>();
        mime->setText("5x");
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        // Delivered straight to the box: the application routes drops only during a real drag.
        static_cast<QObject*>(control(dialog, "DETAIL_SHIFT_FREQ_2"))->event(&drop);
        control<QCheckBox>(dialog, "DETAIL_SKIP")->click();
        QLineEdit* name = control(dialog, "DETAIL_NAME");
        QInputMethodEvent commit;
        commit.setCommitString("é東丼");
        QApplication::sendEvent(name, &commit);
        control<QPushButton>(dialog, "Command1[0]")->click();
        QCOMPARE(name->text(), "東丼:1~"); // 丼 is in the code page, not in the radio's table
        control<QPushButton>(dialog, "DETAIL_ENTER")->click();
        QCOMPARE(name->text(), "東:1~");

        commitDetail(table, dialog.result());
        const ChannelRow& row = table.row(20);
        QCOMPARE(QStringList(row.cells().begin() + LabelColumn, row.cells().end()),
                 (QStringList{"Bank000-19", "145.00000MHz", "WFM", "1MHz", "3000Hz", "Train",
                              "69.3Hz", "71.9Hz", "025", "-", "12.500MHz", "*", "東:1~"}));
        QCOMPARE((QList<int>{row.step(), row.train(), row.txTone(), row.rxTone(), row.dcs(),
                             row.used()}),
                 (QList<int>{15, 27, 1, 2, 1, 1}));
        QCOMPARE(row.name(), "東①");
    }

    // A call channel cannot be emptied: after "Clear" only "Cancel" is left, and it changes
    // nothing.
    void callRowClearDisablesOkAndCancelKeepsIt() {
        ChannelTable table;
        const ChannelTable before = table;
        ChannelDialog dialog(openDetail(table, 1402));
        QCOMPARE(control(dialog, "DETAIL_FREQ_1")->text(), "433");
        control<QPushButton>(dialog, "DETAIL_CLEAR")->click();
        QVERIFY(!control<QPushButton>(dialog, "DETAIL_ENTER")->isEnabled());
        control<QPushButton>(dialog, "DETAIL_CANCEL")->click();
        QCOMPARE(dialog.result().code, DetailCode::Cancelled);
        QCOMPARE(commitDetail(table, dialog.result()).outcome, CommitOutcome::Unchanged);
        QVERIFY(table == before);
    }

    // Each box takes the keys its rule allows, Backspace even when full; Ctrl+V is refused. A
    // glyph marker button appends its marker while the name holds at most 15 counted bytes.
    void boxesTakeWhatTheirKeysMay_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("MHz") << u"DETAIL_FREQ_1"_qs << u"2a0.057"_qs << u"2005"_qs;
        QTest::newRow("decimals") << u"DETAIL_FREQ_2"_qs << u"1234567"_qs << u"12345"_qs;
        QTest::newRow("offset MHz") << u"DETAIL_SHIFT_FREQ_1"_qs << u"1234"_qs << u"123"_qs;
        QTest::newRow("offset kHz") << u"DETAIL_SHIFT_FREQ_2"_qs << u"99 99"_qs << u"999"_qs;
        QTest::newRow("name") << u"DETAIL_NAME"_qs << QString(17, 'A') << QString(16, 'A');
    }

    void boxesTakeWhatTheirKeysMay() {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        ChannelDialog dialog(openDetail(ChannelTable(), 1));
        QLineEdit* edit = control(dialog, boxName);
        QTest::keyClicks(edit, typed);
        control<QPushButton>(dialog, "Command1[2]")->click();
        QCOMPARE(edit->text(), shown);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QGuiApplication::clipboard()->setText("1");
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), shown.chopped(1));
        control<QPushButton>(dialog, "Command1[2]")->click();
        QCOMPARE(edit->text(), shown.chopped(1) + (boxName == "DETAIL_NAME" ? ":3~" : ""));
    }

private:
    std::unique_ptr<FontEditor> makeEditor() {
        std::shared_ptr<Link> radio = radio_;
        auto editor = std::make_unique<FontEditor>(
            store(), [radio] { return std::make_unique<SharedLink>(radio); });
        editor->setReplyTimeout(std::chrono::milliseconds(2));
        return editor;
    }

    std::shared_ptr<SimulatedRadio> radio_;
    Dialogs dialogs_; // every box shown, in order
};

QTEST_MAIN(SideWindowsTest)
#include "tst_side_windows.moc"
