#include "app/find_rows.h"
#include "app/grid_clipboard.h"
#include "app/memory_page.h"
#include "app/multi_row_dialog.h"
#include "editing/channel_rows.h"
#include "files/csv_file.h"
#include "files/text_file.h"
#include "window_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

using namespace qmh4;
using namespace qmh4::test;

namespace {

// The window with used channels on rows 5-7 (a glyph marker in one name), 9-11, 13, 300 and
// the call row 1404.
void fillTable(MainWindow& window) {
    ChannelTable table = window.channels();
    fillRow(table, 5, "145.12500MHz", "ALPHA");
    fillRow(table, 6, "433.50000MHz", "B:1~");
    fillRow(table, 7, "1295.00000MHz", "alphabet");
    for (const int row : {9, 10, 11, 13})
        fillRow(table, row, QStringLiteral("%1.00000MHz").arg(140 + row), "R");
    fillRow(table, 300, "430.00000MHz", "ALP");
    putChannel(table, 1404,
               {"145.50000MHz", "FM", "5KHz", "1000Hz", "None", "88.5Hz", "88.5Hz", "023", "Off",
                "0.000MHz", "", ""});
    window.document().replaceChannels({}, table);
}

// The channel of a row without its label, for comparing rows at other places.
ChannelRow channelOf(const ChannelRow& row) {
    ChannelRow channel = row;
    channel.cell(LabelColumn).clear();
    return channel;
}

QStringList exportedLines(const ChannelTable& table, int first, int last) {
    const QList<QByteArray> lines = splitLines(exportCsv(table));
    QStringList texts;
    for (int row = first; row <= last; ++row)
        texts.append(*decodeLine(lines.at(row)));
    return texts;
}

QStringList linesOf(const QString& text) {
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeAll(QString());
    return lines;
}

} // namespace

class GridClipboardWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }
    void pasteAndCutAreOneChangeEach_data();
    void pasteAndCutAreOneChangeEach();
    void editSelectedRowsChangesOnlyTheTickedFields_data();
    void editSelectedRowsChangesOnlyTheTickedFields();
    void findCyclesThroughMatches_data();
    void findCyclesThroughMatches();

private:
    TestSettings settings_;
};

void GridClipboardWindowTest::pasteAndCutAreOneChangeEach_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text"); // on the clipboard before
    QTest::addColumn<QString>("changeName");
    QTest::addColumn<QString>("status");
    const QString good =
        u"x\t145\tFM\t5KHz\t1000Hz\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0.6\t\t\t0\r\n"_qs;
    QTest::newRow("the window's own copy of rows 5-7, in both clipboard forms")
        << "copy" << 200 << QString() << u"Paste rows 200–202"_qs << u"Pasted rows 200–202"_qs;
    QTest::newRow("paste crossing row 1000 stops there, naming the refused row")
        << "paste" << 998 << u"x\t9999\tFM\r\n"_qs + good + good + good << u"Paste rows 998–1000"_qs
        << u"Pasted rows 998–1000; rows not pasted for invalid values: 998; 1 lines past the end "
           u"of the block were left out"_qs;
    QTest::newRow("paste on a bug-finder row does nothing")
        << "paste" << 1605 << good << QString() << u"Nothing was pasted"_qs;
    QTest::newRow("cut clears by the Clear button's rules")
        << "cut" << 5 << QString() << u"Cut rows 5–7"_qs << QString();
}

void GridClipboardWindowTest::pasteAndCutAreOneChangeEach() {
    QFETCH(QString, command);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, changeName);
    QFETCH(QString, status);
    MainWindow window;
    fillTable(window);
    const ChannelTable start = window.channels();
    QApplication::clipboard()->setText(text);
    if (command == "copy") {
        window.memoryPage->selectRows(5, 7);
        window.memoryCommands->gridClipboard->copyAction->trigger();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        const QStringList csv = linesOf(QString::fromUtf8(data->data("text/csv")));
        QCOMPARE(csv, exportedLines(start, 5, 7));
        QCOMPARE(linesOf(data->text()).at(0), parseCsvLine(csv.at(0)).join('\t'));
    }
    QSignalSpy changes(&window.document(), &RadioDocument::changed);
    window.memoryPage->selectRows(row, row + 2);

    (command == "cut" ? window.memoryCommands->gridClipboard->cutAction
                      : window.memoryCommands->gridClipboard->pasteAction)
        ->trigger();

    QCOMPARE(window.statusBar()->currentMessage(), status);
    for (int copied = 5; command == "copy" && copied <= 7; ++copied)
        QVERIFY(channelOf(window.channels().row(copied)) ==
                channelOf(window.channels().row(copied + 195)));
    QCOMPARE(changes.count(), changeName.isEmpty() ? 0 : 1);
    if (changeName.isEmpty())
        return;
    const auto change = changes.first().first().value<DocumentChange>();
    QCOMPARE(change.name, changeName);
    QVERIFY(change.firstRow >= row && change.lastRow <= 1000);
    window.document().apply(change, false);
    QVERIFY(window.channels() == start); // one step back restores everything
}

void GridClipboardWindowTest::editSelectedRowsChangesOnlyTheTickedFields_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("mhz");       // typed into the frequency box, ticking it
    QTest::addColumn<QStringList>("after"); // rows first-1 .. last+1: frequency mode step name
    QTest::newRow("memory rows: the used ones of the selection only")
        << 10 << 13 << QString()
        << QStringList{"149.00000MHz NFM 12.5KHz R", "150.00000MHz NFM 25KHz Z",
                       "151.00000MHz NFM 25KHz Z",   "   ",
                       "153.00000MHz NFM 25KHz Z",   "   "};
    QTest::newRow("call rows keep their band")
        << 1401 << 1403 << "50"
        << QStringList{"   ", "145.00000MHz FM 25KHz Z", "433.00000MHz FM 25KHz Z",
                       "1295.00000MHz FM 25KHz Z", "145.50000MHz FM 5KHz "};
}

void GridClipboardWindowTest::editSelectedRowsChangesOnlyTheTickedFields() {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, mhz);
    QFETCH(QStringList, after);
    MainWindow window;
    fillTable(window);
    QSignalSpy changes(&window.document(), &RadioDocument::changed);
    QTimer::singleShot(0, this, [mhz] {
        auto* dialog = qobject_cast<MultiRowDialog*>(QApplication::activeModalWidget());
        QTest::keyClicks(dialog->DETAIL_NAME, "Z");
        dialog->DETAIL_NAME->setText("Z");
        dialog->STEP_COMBO->setCurrentIndex(stepIndex(u"25KHz"));
        dialog->changeBoxes[size_t(DetailField::Step)]->setChecked(true);
        dialog->MODE_COMBO->setCurrentIndex(1); // AM, left unticked
        if (!mhz.isEmpty())
            QTest::keyClicks(dialog->DETAIL_FREQ_1, mhz);
        dialog->DETAIL_ENTER->click();
    });
    window.memoryPage->selectRows(first, last);
    QTest::keyClick(window.memoryPage->MSFlexGrid1, Qt::Key_Return);

    QStringList shown;
    for (int row = first - 1; row <= last + 1; ++row) {
        const ChannelRow& r = window.channels().row(row);
        shown.append(r.cell(FrequencyColumn) + ' ' + r.cell(ModeColumn) + ' ' + r.cell(StepColumn) +
                     ' ' + r.cell(NameColumn));
    }
    QCOMPARE(shown, after);
    QCOMPARE(changes.count(), 1);
}

void GridClipboardWindowTest::findCyclesThroughMatches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("steps"); // n next, p previous
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("name, any case, round the end")
        << u"alp"_qs << u"nnnnp"_qs << QList<int>{5, 7, 300, 5, 300};
    QTest::newRow("frequency text") << u"433.5"_qs << u"nn"_qs << QList<int>{6, 6};
    QTest::newRow("label") << u"bank001-1"_qs << u"n"_qs << QList<int>{102};
    QTest::newRow("no match stays") << u"zz"_qs << u"n"_qs << QList<int>{1};
}

void GridClipboardWindowTest::findCyclesThroughMatches() {
    QFETCH(QString, text);
    QFETCH(QString, steps);
    QFETCH(QList<int>, rows);
    MainWindow window;
    fillTable(window);
    window.memoryPage->selectRow(1);
    window.memoryCommands->findBar->findAction->trigger();
    window.memoryCommands->findBar->FindText->setText(text);
    QList<int> visited;
    for (const QChar step : steps) {
        (step == 'n' ? window.memoryCommands->findBar->findNextAction
                     : window.memoryCommands->findBar->findPreviousAction)
            ->trigger();
        visited.append(window.memoryPage->currentRow());
    }
    QCOMPARE(visited, rows);
}

QTEST_MAIN(GridClipboardWindowTest)
#include "tst_grid_clipboard_window.moc"
