#include "window_test_support.h"

using namespace qmh4;
using namespace qmh4::test;

class DetailDialogTest : public QObject {
    Q_OBJECT

private slots:
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
        expected.row(1101).step = 7;
        expected.row(1101).cell(StepColumn) = "25KHz";
        expected.row(1102).step = 12;
        expected.row(1102).cell(StepColumn) = "150KHz";
        commitDetail(table, dialog.result());
        QVERIFY(table == expected);
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
        QCOMPARE(QStringList(row.cells.begin() + LabelColumn, row.cells.end()),
                 (QStringList{"Bank000-19", "145.00000MHz", "WFM", "1MHz", "3000Hz", "Train",
                              "69.3Hz", "71.9Hz", "025", "-", "12.500MHz", "*", "東:1~"}));
        QCOMPARE((QList<int>{row.step, row.train, row.txTone, row.rxTone, row.dcs, row.used}),
                 (QList<int>{15, 27, 1, 2, 1, 1}));
        QCOMPARE(row.name, "東①");
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
};

QTEST_MAIN(DetailDialogTest)
#include "tst_detail_dialog.moc"
