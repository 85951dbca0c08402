#include "app/channel_dialog.h"
#include "app/channel_grid_model.h"
#include "app/memory_page.h"
#include "editing/channel_rows.h"
#include "editing/grid_editing.h"
#include "window_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

using namespace qmh4;
using namespace qmh4::test;

namespace {

// What a modal detail dialog showed when it opened; it is then closed with `button`.
struct SeenDialog {
    bool opened = false;
    QString shown; // first label, whether the second set shows, whether AM may be chosen
};

// Arms a one-shot look at the next modal dialog; runs before the dialog's own loop waits.
void inspectNextDialog(QObject* context, SeenDialog& seen, const char* button) {
    QTimer::singleShot(0, context, [&seen, button] {
        auto* dialog = qobject_cast<ChannelDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.opened = true;
        const bool pair = dialog->set2.frame && dialog->set2.frame->isVisibleTo(dialog);
        seen.shown = dialog->set1.Label1->text() + (pair ? "|pair" : "|single") +
                     (dialog->set1.DETAIL_MODE[1]->isEnabled() ? "|AM" : "|no AM");
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
}

void openOn(MainWindow& window, int row, bool byDoubleClick) {
    window.memoryPage->selectRow(row);
    QTableView* grid = window.memoryPage->MSFlexGrid1;
    if (byDoubleClick) {
        const QRect cell = grid->visualRect(window.gridModel()->indexOf(row, FrequencyColumn));
        // A double click is a press and release, then the double-click press and a release.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        QTest::keyClick(grid, Qt::Key_Return);
    }
}

} // namespace

class GridEditingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }
    void openDetail_data();
    void openDetail();
    void okReportsWhatHappened_data();
    void okReportsWhatHappened();
    void clearRows_data();
    void clearRows();
    void upDown_data();
    void upDown();
    void editingInertDuringTransfer();

private:
    TestSettings settings_;
};

void GridEditingWindowTest::openDetail_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byDoubleClick");
    QTest::addColumn<QString>("shown"); // empty: no dialog opens
    QTest::addColumn<int>("currentAfter");
    QTest::newRow("double click on a Sub row opens its pair, Main first")
        << 1102 << true << "Dual0(Main) |pair|no AM" << 1101;
    QTest::newRow("Enter on a call row: no AM") << 1402 << false << "CALL-UHF|single|no AM" << 1402;
    QTest::newRow("double click on a bug-finder row does nothing") << 1610 << true << "" << 1610;
}

void GridEditingWindowTest::openDetail() {
    QFETCH(int, row);
    QFETCH(bool, byDoubleClick);
    QFETCH(QString, shown);
    QFETCH(int, currentAfter);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ChannelTable start = window.channels();
    fillRow(start, row, QStringLiteral("145.50000MHz"), u"NAME"_qs);
    window.document().replaceChannels({}, start);

    SeenDialog seen;
    inspectNextDialog(this, seen, "DETAIL_CANCEL");
    openOn(window, row, byDoubleClick);
    QTest::qWait(0);

    QCOMPARE(seen.opened, !shown.isEmpty());
    QCOMPARE(seen.shown, shown);
    QCOMPARE(window.memoryPage->currentRow(), currentAfter);
    QVERIFY(window.channels() == start); // cancelled or never opened: nothing changed
}

void GridEditingWindowTest::okReportsWhatHappened_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typedMhz"); // empty: the boxes stay as they are
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("status");
    QTest::newRow("overlap on a pass channel")
        << 1405 << QString() << true << u"Overlaps in Frequency"_qs << QString();
    QTest::newRow("refused frequency clears, and says so")
        << 1 << u"836"_qs << false << QString()
        << u"836.00000 MHz is outside the radio's range: the channel was cleared"_qs;
}

void GridEditingWindowTest::okReportsWhatHappened() {
    QFETCH(int, row);
    QFETCH(QString, typedMhz);
    QFETCH(bool, kept);
    QFETCH(QString, box);
    QFETCH(QString, status);
    Dialogs dialogs;
    MainWindow window;
    ChannelTable start = window.channels();
    fillRow(start, 1404, QStringLiteral("145.50000MHz"), u"NAME"_qs);
    fillRow(start, row, QStringLiteral("145.50000MHz"), u"NAME"_qs);
    window.document().replaceChannels({}, start);

    QTimer::singleShot(0, this, [typedMhz] {
        auto* dialog = qobject_cast<ChannelDialog*>(QApplication::activeModalWidget());
        if (!typedMhz.isEmpty()) {
            dialog->set1.DETAIL_FREQ_1->setText(typedMhz);
            dialog->set1.DETAIL_FREQ_2->clear();
        }
        dialog->DETAIL_ENTER->click();
    });
    openOn(window, row, false);

    QCOMPARE(dialogs.boxes.isEmpty(), box.isEmpty());
    if (!box.isEmpty())
        QCOMPARE(dialogs.boxes, (QList<Box>{{box, " Error"}}));
    QCOMPARE(window.statusBar()->currentMessage(), status);
    QCOMPARE(window.channels().row(row) == start.row(row), kept);
    QCOMPARE(window.channels().cell(row, FrequencyColumn).isEmpty(), !kept);
}

void GridEditingWindowTest::clearRows_data() {
    QTest::addColumn<bool>("deleteKey");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("end");
    QTest::addColumn<QList<int>>("cleared");
    QTest::addColumn<bool>("namesKept");
    QTest::newRow("Delete spans the call rows")
        << true << 1400 << 1405 << QList<int>{1400, 1401, 1402, 1403, 1404, 1405} << true;
    QTest::newRow("Delete from a call row does nothing")
        << true << 1402 << 1405 << QList<int>{} << true;
    QTest::newRow("Clear on bug-finder rows only does nothing")
        << false << 1610 << 1615 << QList<int>{} << false;
}

void GridEditingWindowTest::clearRows() {
    QFETCH(bool, deleteKey);
    QFETCH(int, anchor);
    QFETCH(int, end);
    QFETCH(QList<int>, cleared);
    QFETCH(bool, namesKept);
    MainWindow window;
    window.show();
    ChannelTable start = window.channels();
    for (int row = 1398; row <= 1407; ++row)
        fillRow(start, row, QStringLiteral("433.00000MHz"), u"NAME"_qs);
    for (int row = 1608; row <= 1617; ++row)
        fillRow(start, row, QStringLiteral("140.00000MHz"), u"NAME"_qs);
    window.document().replaceChannels({}, start);
    window.memoryPage->selectRows(anchor, end);

    if (deleteKey)
        QTest::keyClick(window.memoryPage->MSFlexGrid1, Qt::Key_Delete);
    else
        window.memoryPage->Clear_Botton->click();

    ChannelTable expected = start;
    for (int row : cleared)
        clearRow(expected, row, namesKept);
    QVERIFY(window.channels() == expected);
    QCOMPARE(window.memoryPage->currentRow(), anchor);
    QCOMPARE(window.memoryPage->selectionEndRow(), end);
}

void GridEditingWindowTest::upDown_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("button"); // LIST_SET index: 0 Up, 1 Down
    QTest::addColumn<int>("after");
    QTest::newRow("Up on row 1 stays") << 1 << 0 << 1;
    QTest::newRow("Down on row 1623 stays") << 1623 << 1 << 1623;
    QTest::newRow("Down") << 700 << 1 << 701;
}

void GridEditingWindowTest::upDown() {
    QFETCH(int, row);
    QFETCH(int, button);
    QFETCH(int, after);
    MainWindow window;
    window.show();
    window.memoryPage->selectRows(row, row);
    window.memoryPage->LIST_SET[static_cast<size_t>(button)]->click();
    QCOMPARE(window.memoryPage->currentRow(), after);
    QCOMPARE(window.memoryPage->selectionEndRow(), after);
    // The new current row is in view.
    QTableView* grid = window.memoryPage->MSFlexGrid1;
    const QRect cell = grid->visualRect(window.gridModel()->indexOf(after, FrequencyColumn));
    QVERIFY(grid->viewport()->rect().intersects(cell));
}

void GridEditingWindowTest::editingInertDuringTransfer() {
    Dialogs dialogs;
    MainWindow window;
    window.show();
    window.choosePortByName(SimulatedPortName);
    window.simulatedRadio().setPacing(MainWindow::SimulatedBaud);
    ChannelTable start = window.channels();
    for (int row = 1; row <= 3; ++row)
        fillRow(start, row, QStringLiteral("145.50000MHz"), u"NAME"_qs);
    window.document().replaceChannels({}, start);
    window.memoryPage->selectRows(1, 3);

    SeenDialog seen;
    QVERIFY(runCommand(window, [&] {
        window.memoryCommands->writeSelectedChannels();
        QVERIFY(window.transferRunning());
        inspectNextDialog(this, seen, "DETAIL_CANCEL");
        window.memoryCommands->gridKeyPressed(Qt::Key_Delete);
        window.memoryCommands->gridKeyPressed(Qt::Key_Return);
        window.memoryCommands->editCurrentChannel();
        window.memoryCommands->clearSelectedRows();
        window.memoryCommands->moveCurrentRow(1);
        QTest::qWait(0);
        QVERIFY(window.channels() == start);
    }));
    QVERIFY(!seen.opened);
    QVERIFY(window.channels() == start);
}

QTEST_MAIN(GridEditingWindowTest)
#include "tst_grid_editing_window.moc"
