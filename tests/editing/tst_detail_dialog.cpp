#include "editing/channel_detail_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace qmh4;

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

// Types each character as a key press carrying it, as a keyboard layout would.
void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void loseFocus(QWidget* widget) {
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class DetailDialogTest : public QObject {
    Q_OBJECT

private slots:
    void pairOpensWithMainFirst();
    void singleChannelShowsOneSet();
    void callRowLimitsModesAndClearDisablesOk();
    void stepOfEachSetReachesItsRow();
    void typedFrequencyIsFilteredAndNormalised();
    void ctrlVRefusedOtherPastesFiltered();
    void inputMethodAndDropFiltered();
    void markerButtonsRespectTheNameLength();
    void offsetBoxesNormaliseOnFocusLoss();
    void nameFilteredOnOk();
    void cancelLeavesTheRow();
    void editChannelRunsTheDialogModally();
};

void DetailDialogTest::pairOpensWithMainFirst() {
    ChannelTable table;
    table.setCell(1102, FrequencyColumn, "433.00000MHz");
    Form2 dialog(openDetail(table, 1102));
    dialog.show();
    QCOMPARE(dialog.objectName(), "Form2");
    QCOMPARE(dialog.windowTitle(), "Memory Setting");
    QCOMPARE(control<QLabel>(dialog, "Label1")->text(), "Dual0(Main) ");
    QCOMPARE(control<QLabel>(dialog, "Label1_2")->text(), "Dual0(Sub) ");
    QVERIFY(box(dialog, "DETAIL_FREQ_1")->text().isEmpty());
    QCOMPARE(box(dialog, "DETAIL_FREQ_1_2")->text(), "433");
    QCOMPARE(box(dialog, "DETAIL_FREQ_2_2")->text(), "00000");
    QVERIFY(box(dialog, "DETAIL_FREQ_1_2")->isVisible());
    for (const QString& suffix : {QString(), QStringLiteral("_2")}) {
        QVERIFY(!option(dialog, "DETAIL_MODE" + suffix + "[1]")->isEnabled());
        QVERIFY(!option(dialog, "DETAIL_MODE" + suffix + "[3]")->isEnabled());
        QVERIFY(option(dialog, "DETAIL_MODE" + suffix + "[2]")->isEnabled());
    }
    QVERIFY(dialog.width() > Form2(openDetail(table, 1)).width());

    // Clearing the Sub half blanks it but leaves "OK" usable.
    option(dialog, "DETAIL_STEP_2[4]")->click();
    button(dialog, "DETAIL_CLEAR_2")->click();
    QVERIFY(button(dialog, "DETAIL_ENTER")->isEnabled());
    QVERIFY(box(dialog, "DETAIL_FREQ_1_2")->text().isEmpty());
    QVERIFY(option(dialog, "DETAIL_STEP_2[0]")->isChecked());
}

void DetailDialogTest::singleChannelShowsOneSet() {
    Form2 dialog(openDetail(ChannelTable(), 1));
    dialog.show();
    QVERIFY(!box(dialog, "DETAIL_FREQ_1_2")->isVisible());
    QVERIFY(option(dialog, "DETAIL_MODE[1]")->isEnabled());
    QVERIFY(option(dialog, "DETAIL_MODE[3]")->isEnabled());
    for (const char* name : {"DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2", "DETAIL_NAME",
                             "DCS_COMBO", "DETAIL_SKIP", "DETAIL_STEP[15]", "PALSE_TYPE[5]",
                             "DETAIL_SHIFT[2]", "Command1[7]", "Command1_2[7]", "RX_TONE_COMBO_2"})
        QVERIFY2(dialog.findChild<QWidget*>(name), name);
    QCOMPARE(control<QComboBox>(dialog, "TX_TONE_COMBO")->currentText(), "88.5Hz");
    QCOMPARE(control<QComboBox>(dialog, "TRAIN_COMBO")->currentText(), "ＪＲ");

    // The lists change by choosing only: typed keys are dropped, arrows still move.
    QComboBox* dcs = control<QComboBox>(dialog, "DCS_COMBO");
    QTest::keyClicks(dcs, "7");
    QCOMPARE(dcs->currentIndex(), 0);
    QTest::keyClick(dcs, Qt::Key_Down);
    QCOMPARE(dcs->currentText(), "025");
}

void DetailDialogTest::callRowLimitsModesAndClearDisablesOk() {
    Form2 dialog(openDetail(ChannelTable(), 1402));
    QCOMPARE(control<QLabel>(dialog, "Label1")->text(), "CALL-UHF");
    QCOMPARE(box(dialog, "DETAIL_FREQ_1")->text(), "433");
    QVERIFY(!option(dialog, "DETAIL_MODE[1]")->isEnabled());
    QVERIFY(!option(dialog, "DETAIL_MODE[3]")->isEnabled());
    QVERIFY(button(dialog, "DETAIL_ENTER")->isEnabled());
    button(dialog, "DETAIL_CLEAR")->click();
    QVERIFY(!button(dialog, "DETAIL_ENTER")->isEnabled());
    QVERIFY(box(dialog, "DETAIL_FREQ_1")->text().isEmpty());
    QVERIFY(box(dialog, "DETAIL_FREQ_2")->text().isEmpty());
}

void DetailDialogTest::stepOfEachSetReachesItsRow() {
    ChannelTable table;
    Form2 dialog(openDetail(table, 1102));
    QTest::keyClicks(box(dialog, "DETAIL_FREQ_1"), "145");
    QTest::keyClicks(box(dialog, "DETAIL_FREQ_1_2"), "433");
    option(dialog, "DETAIL_STEP[7]")->click();
    option(dialog, "DETAIL_STEP_2[3]")->click();
    option(dialog, "DETAIL_STEP_2[12]")->click(); // the last choice counts
    button(dialog, "DETAIL_ENTER")->click();
    QCOMPARE(dialog.result().code, DetailCode::Both);
    commitDetail(table, dialog.result());
    QCOMPARE(table.row(1101).step, 7);
    QCOMPARE(table.cell(1101, StepColumn), "25KHz");
    QCOMPARE(table.row(1102).step, 12);
    QCOMPARE(table.cell(1102, StepColumn), "150KHz");
    QCOMPARE(table.cell(1102, FrequencyColumn), "433.00000MHz");
}

void DetailDialogTest::typedFrequencyIsFilteredAndNormalised() {
    ChannelTable table;
    Form2 dialog(openDetail(table, 3));
    QLineEdit* mhz = box(dialog, "DETAIL_FREQ_1");
    QTest::keyClicks(mhz, "2a0.0");
    QCOMPARE(mhz->text(), "200");
    QTest::keyClicks(mhz, "05");
    QCOMPARE(mhz->text(), "2000"); // four digits at most
    QTest::keyClicks(box(dialog, "DETAIL_FREQ_2"), "1234567");
    QCOMPARE(box(dialog, "DETAIL_FREQ_2")->text(), "12345");
    QTest::keyClick(mhz, Qt::Key_Backspace);
    QCOMPARE(mhz->text(), "200");
    QTest::keyClicks(mhz, "0");
    button(dialog, "DETAIL_ENTER")->click();
    QCOMPARE(mhz->text(), "145");
    QCOMPARE(dialog.result().code, DetailCode::SingleFilled);
    QCOMPARE(dialog.result().first.frequency, "145.12345");
}

void DetailDialogTest::ctrlVRefusedOtherPastesFiltered() {
    Form2 dialog(openDetail(ChannelTable(), 1));
    QLineEdit* mhz = box(dialog, "DETAIL_FREQ_1");
    QLineEdit* name = box(dialog, "DETAIL_NAME");
    QGuiApplication::clipboard()->setText("12ab3456");
    QTest::keyClick(mhz, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(mhz->text(), QString());
    mhz->paste(); // the context menu's "Paste"
    QCOMPARE(mhz->text(), "1234");

    QGuiApplication::clipboard()->setText("東丂X");
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(name->text(), QString());
    name->paste();
    QCOMPARE(name->text(), "東X");
}

void DetailDialogTest::inputMethodAndDropFiltered() {
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

void DetailDialogTest::markerButtonsRespectTheNameLength() {
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

void DetailDialogTest::offsetBoxesNormaliseOnFocusLoss() {
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
    khz->clear();
    QTest::keyClicks(khz, "6");
    loseFocus(khz);
    QCOMPARE(khz->text(), "600");
}

void DetailDialogTest::nameFilteredOnOk() {
    ChannelTable table;
    Form2 dialog(openDetail(table, 20));
    QTest::keyClicks(box(dialog, "DETAIL_FREQ_1"), "145");
    QLineEdit* name = box(dialog, "DETAIL_NAME");
    typeText(name, "東丼:1~");
    QCOMPARE(name->text(), "東丼:1~"); // 丼 is in the code page, not in the radio's table
    button(dialog, "DETAIL_ENTER")->click();
    QCOMPARE(name->text(), "東:1~");
    commitDetail(table, dialog.result());
    QCOMPARE(table.cell(20, NameColumn), "東:1~");
    QCOMPARE(table.row(20).name, "東①");
}

void DetailDialogTest::cancelLeavesTheRow() {
    ChannelTable table;
    table.setCell(9, FrequencyColumn, "145.00000MHz");
    table.row(9).used = true;
    const ChannelTable before = table;
    Form2 dialog(openDetail(table, 9));
    QTest::keyClicks(box(dialog, "DETAIL_NAME"), "NEW");
    button(dialog, "DETAIL_CLEAR")->click();
    button(dialog, "DETAIL_CANCEL")->click();
    QCOMPARE(dialog.result().code, DetailCode::Cancelled);
    QCOMPARE(commitDetail(table, dialog.result()).outcome, CommitOutcome::Unchanged);
    QVERIFY(table == before);

    Form2 closedByFrame(openDetail(table, 9));
    closedByFrame.show();
    closedByFrame.close();
    QCOMPARE(closedByFrame.result().code, DetailCode::Cancelled);
}

void DetailDialogTest::editChannelRunsTheDialogModally() {
    ChannelTable table;
    bool sawDialog = false;
    QTimer::singleShot(0, [&sawDialog] {
        auto* dialog = qobject_cast<Form2*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        sawDialog = true;
        QTest::keyClicks(box(*dialog, "DETAIL_FREQ_1_2"), "438");
        QTest::keyClicks(box(*dialog, "DETAIL_FREQ_2_2"), "5");
        button(*dialog, "DETAIL_ENTER")->click();
    });
    const DetailEdit edit = editChannel(nullptr, table, 1104);
    QVERIFY(sawDialog);
    QVERIFY(edit.opened);
    QCOMPARE(edit.currentRow, 1103);
    QCOMPARE(edit.commit.outcome, CommitOutcome::Written);
    QCOMPARE(edit.commit.rows, (RowSpan{1103, 1104}));
    QCOMPARE(table.cell(1104, FrequencyColumn), "438.50000MHz");
    QVERIFY(table.row(1104).used);
    QVERIFY(!table.row(1103).used);
}

QTEST_MAIN(DetailDialogTest)
#include "tst_detail_dialog.moc"
