#include "channel_rows.h"
#include "editing/channel_detail_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace qmh4;
using qmh4::test::fillRow;
using qmh4::test::putChannel;
using qmh4::test::rowIsClear;

namespace {

template <typename T>
T* control(const QDialog& dialog, const QString& name) {
    T* found = dialog.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QLineEdit* box(const QDialog& dialog, const QString& name) {
    return control<QLineEdit>(dialog, name);
}

QPushButton* button(const QDialog& dialog, const QString& name) {
    return control<QPushButton>(dialog, name);
}

QRadioButton* option(const QDialog& dialog, const QString& name) {
    return control<QRadioButton>(dialog, name);
}

void loseFocus(QWidget* widget) {
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class DetailDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Opened on the Sub row of Dual0: both sets, Main first, neither with AM or WFM. Every field of
    // both rows is shown and handed back unchanged, but for the step chosen in each set (the last
    // click counts). "Clear" in both sets leaves "OK" usable, and "OK" then clears both rows.
    void pairShowsBothRowsAndWritesThemBack() {
        ChannelTable table;
        putChannel(table, 1101,
                   {"5.00000MHz", "NFM", "12.5KHz", "1000Hz", "DCS", "67.0Hz", "250.3Hz", "754",
                    "-", "10.000MHz", "*", "東:1~"});
        putChannel(table, 1102,
                   {"1295.12340MHz", "FM", "1MHz", "ＪＲ", "Train", "250.3Hz", "69.3Hz", "023", "+",
                    "999.995MHz", "", "CQ"});
        Form2 dialog(openDetail(table, 1102));
        dialog.show();
        QCOMPARE(dialog.windowTitle(), "Memory Setting");
        QCOMPARE(control<QLabel>(dialog, "Label1")->text(), "Dual0(Main) ");
        QCOMPARE(control<QLabel>(dialog, "Label1_2")->text(), "Dual0(Sub) ");
        QVERIFY(box(dialog, "DETAIL_FREQ_1_2")->isVisible());
        for (const QString& set : {QString(), QStringLiteral("_2")}) {
            QVERIFY(!option(dialog, "DETAIL_MODE" + set + "[1]")->isEnabled());
            QVERIFY(!option(dialog, "DETAIL_MODE" + set + "[3]")->isEnabled());
            QVERIFY(option(dialog, "DETAIL_MODE" + set + "[2]")->isEnabled());
        }
        QVERIFY(dialog.width() > Form2(openDetail(table, 1)).width());
        for (const char* step : {"DETAIL_STEP[3]", "DETAIL_STEP[7]", "DETAIL_STEP_2[12]"})
            option(dialog, step)->click();
        button(dialog, "DETAIL_ENTER")->click();
        QCOMPARE(dialog.result().code, DetailCode::Both);

        ChannelTable expected = table;
        expected.row(1101).step = 7;
        expected.row(1101).cell(StepColumn) = "25KHz";
        expected.row(1102).step = 12;
        expected.row(1102).cell(StepColumn) = "150KHz";
        commitDetail(table, dialog.result());
        for (const int row : {1101, 1102}) {
            const auto &cells = table.row(row).cells, &wanted = expected.row(row).cells;
            QCOMPARE(QStringList(cells.begin(), cells.end()),
                     QStringList(wanted.begin(), wanted.end()));
        }
        QVERIFY(table == expected);

        // Run from the grid: opened modally on the Sub row, Main current afterwards.
        bool stepReset = false;
        QTimer::singleShot(0, [&stepReset] {
            auto* clearing = qobject_cast<Form2*>(QApplication::activeModalWidget());
            if (!clearing)
                return;
            button(*clearing, "DETAIL_CLEAR")->click();
            button(*clearing, "DETAIL_CLEAR_2")->click();
            stepReset = option(*clearing, "DETAIL_STEP_2[0]")->isChecked();
            button(*clearing, "DETAIL_ENTER")->click();
        });
        const DetailEdit edit = editChannel(nullptr, table, 1102);
        QVERIFY(stepReset);
        QCOMPARE(edit.currentRow, 1101);
        QCOMPARE(edit.commit.outcome, CommitOutcome::Written);
        QCOMPARE(edit.commit.rows, (RowSpan{1101, 1102}));
        QVERIFY(rowIsClear(table.row(1101)) && rowIsClear(table.row(1102)));
    }

    // Each option, list, box and the check box of a single channel reaches its cell; the lists
    // change by choosing only (a typed key is dropped, an arrow still moves), and the name box
    // shows the name as filtered on "OK".
    void everyControlReachesTheRow() {
        ChannelTable table;
        Form2 dialog(openDetail(table, 20));
        dialog.show();
        QVERIFY(!box(dialog, "DETAIL_FREQ_1_2")->isVisible());
        QTest::keyClicks(box(dialog, "DETAIL_FREQ_1"), "145");
        for (const char* name :
             {"DETAIL_MODE[3]", "DETAIL_STEP[15]", "PALSE_TYPE[5]", "DETAIL_SHIFT[2]"})
            option(dialog, name)->click();
        control<QComboBox>(dialog, "TX_TONE_COMBO")->setCurrentIndex(1);
        control<QComboBox>(dialog, "RX_TONE_COMBO")->setCurrentIndex(2);
        QComboBox* dcs = control<QComboBox>(dialog, "DCS_COMBO");
        QTest::keyClicks(dcs, "7");
        QTest::keyClick(dcs, Qt::Key_Down);
        control<QComboBox>(dialog, "TRAIN_COMBO")->setCurrentIndex(27);
        QTest::keyClicks(box(dialog, "DETAIL_SHIFT_FREQ_1"), "12");
        QTest::keyClicks(box(dialog, "DETAIL_SHIFT_FREQ_2"), "5");
        control<QCheckBox>(dialog, "DETAIL_SKIP")->click();
        QLineEdit* name = box(dialog, "DETAIL_NAME");
        QGuiApplication::clipboard()->setText("東丼:1~"); // pasted text is filtered as if typed
        name->paste();
        QCOMPARE(name->text(), "東丼:1~"); // 丼 is in the code page, not in the radio's table
        button(dialog, "DETAIL_ENTER")->click();
        QCOMPARE(name->text(), "東:1~");

        commitDetail(table, dialog.result());
        const ChannelRow& row = table.row(20);
        QCOMPARE(QStringList(row.cells.begin() + FrequencyColumn, row.cells.end()),
                 (QStringList{"145.00000MHz", "WFM", "1MHz", "3000Hz", "Train", "69.3Hz", "71.9Hz",
                              "025", "-", "12.500MHz", "*", "東:1~"}));
        QCOMPARE((QList<int>{row.step, row.train, row.txTone, row.rxTone, row.dcs, row.used}),
                 (QList<int>{15, 27, 1, 2, 1, 1}));
        QCOMPARE(row.name, "東①");
        QCOMPARE(row.cell(LabelColumn), "Bank000-19");
    }

    // A call channel cannot be emptied: after "Clear" only "Cancel" is left, and it changes
    // nothing; neither does closing the dialog by its frame.
    void callRowClearDisablesOkAndCancelKeepsIt() {
        ChannelTable table;
        const ChannelTable before = table;
        Form2 dialog(openDetail(table, 1402));
        QCOMPARE(control<QLabel>(dialog, "Label1")->text(), "CALL-UHF");
        QCOMPARE(box(dialog, "DETAIL_FREQ_1")->text(), "433");
        QVERIFY(!option(dialog, "DETAIL_MODE[1]")->isEnabled());
        QVERIFY(!option(dialog, "DETAIL_MODE[3]")->isEnabled());
        QVERIFY(button(dialog, "DETAIL_ENTER")->isEnabled());
        button(dialog, "DETAIL_CLEAR")->click();
        QVERIFY(!button(dialog, "DETAIL_ENTER")->isEnabled());
        QVERIFY(box(dialog, "DETAIL_FREQ_1")->text().isEmpty());
        button(dialog, "DETAIL_CANCEL")->click();
        QCOMPARE(dialog.result().code, DetailCode::Cancelled);
        QCOMPARE(commitDetail(table, dialog.result()).outcome, CommitOutcome::Unchanged);
        QVERIFY(table == before);

        Form2 closedByFrame(openDetail(table, 9));
        closedByFrame.show();
        QTest::keyClicks(box(closedByFrame, "DETAIL_FREQ_1"), "145");
        closedByFrame.close();
        QCOMPARE(closedByFrame.result().code, DetailCode::Cancelled);
    }

    // Each box takes the keys its rule allows, Backspace even when full; Ctrl+V is refused and the
    // context menu's "Paste" is filtered as if typed.
    void boxesTakeWhatTheirKeysMay_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("pastedShown");
        const auto row = [](const char* box, const QString& typed, const QString& shown,
                            const QString& pasted, const QString& pastedShown) {
            QTest::newRow(box) << QString(box) << typed << shown << pasted << pastedShown;
        };
        row("DETAIL_FREQ_1", "2a0.057", "2005", "12ab3456", "1234");
        row("DETAIL_FREQ_2", "1234567", "12345", "9-8", "98");
        row("DETAIL_SHIFT_FREQ_1", "1234", "123", "0x7", "07");
        row("DETAIL_SHIFT_FREQ_2", "99 99", "999", "4321", "432");
        row("DETAIL_NAME", QString(17, 'A'), QString(16, 'A'), "東丂X", "東X");
    }

    void boxesTakeWhatTheirKeysMay() {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, pasted);
        Form2 dialog(openDetail(ChannelTable(), 1));
        QLineEdit* edit = box(dialog, boxName);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), shown.chopped(1));
        edit->clear();
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString());
        edit->paste();
        QTEST(edit->text(), "pastedShown");
    }

    void inputMethodAndDropFiltered() {
        Form2 dialog(openDetail(ChannelTable(), 1));
        QLineEdit* name = box(dialog, "DETAIL_NAME");
        name->setText(QString(13, 'A'));
        QInputMethodEvent commit;
        commit.setCommitString("é東京");
        QApplication::sendEvent(name, &commit);
        // é is not in the code page; 東 fits at 13 bytes, 京 would make 17.
        QCOMPARE(name->text(), QString(13, 'A') + "東");

        QLineEdit* khz = box(dialog, "DETAIL_SHIFT_FREQ_2");
        auto mime = std::make_unique<QMimeData>();
        mime->setText("6x00 0");
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        // Delivered straight to the box: the application routes drops only during a real drag.
        static_cast<QObject*>(khz)->event(&drop);
        QCOMPARE(khz->text(), "600");
    }

    void markerButtonsRespectTheNameLength() {
        Form2 dialog(openDetail(ChannelTable(), 1));
        QLineEdit* name = box(dialog, "DETAIL_NAME");
        QTest::keyClicks(name, QString(16, 'A'));
        button(dialog, "Command1[0]")->click();
        QCOMPARE(name->text(), QString(16, 'A'));
        QTest::keyClick(name, Qt::Key_Backspace);
        button(dialog, "Command1[2]")->click();
        QCOMPARE(name->text(), QString(15, 'A') + ":3~");
        button(dialog, "DETAIL_ENTER")->click();
        QCOMPARE(dialog.result().first.name, QString(15, 'A') + ":3~");
    }

    void offsetBoxesNormaliseOnFocusLoss() {
        Form2 dialog(openDetail(ChannelTable(), 1));
        QLineEdit* mhz = box(dialog, "DETAIL_SHIFT_FREQ_1");
        QLineEdit* khz = box(dialog, "DETAIL_SHIFT_FREQ_2");
        QTest::keyClicks(mhz, "999");
        QTest::keyClicks(khz, "999");
        loseFocus(khz);
        QCOMPARE(khz->text(), "995");
        mhz->clear();
        QTest::keyClicks(mhz, "007");
        loseFocus(mhz);
        QCOMPARE(mhz->text(), "7");
    }
};

QTEST_MAIN(DetailDialogTest)
#include "tst_detail_dialog.moc"
