#include "app/find_rows.h"
#include "app/grid_clipboard.h"
#include "app/multi_row_dialog.h"
#include "editing/grid_editing.h"
#include "files/text_file.h"
#include "window_test_support.h"

#include <QAbstractItemModelTester>

using namespace qmh4;
using namespace qmh4::test;

namespace {

// Arms a one-shot look at the next modal detail dialog, before its own loop waits: notes what
// it shows (first label, whether the second set shows, whether AM may be chosen), then closes it
// with Cancel when `typedMhz` is null, else with OK after typing the MHz, if any.
void inspectNextDialog(QObject* context, QString& shown, const QString& typedMhz) {
    QTimer::singleShot(0, context, [&shown, typedMhz] {
        auto* dialog = qobject_cast<ChannelDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        const bool pair = dialog->set2.frame && dialog->set2.frame->isVisibleTo(dialog);
        shown = dialog->set1.Label1->text() + (pair ? "|pair" : "|single") +
                (dialog->set1.DETAIL_MODE[1]->isEnabled() ? "|AM" : "|no AM");
        if (!typedMhz.isEmpty()) {
            dialog->set1.DETAIL_FREQ_1->setText(typedMhz);
            dialog->set1.DETAIL_FREQ_2->clear();
        }
        (typedMhz.isNull() ? dialog->DETAIL_CANCEL : dialog->DETAIL_ENTER)->click();
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

QStringList linesOf(const QString& text) {
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeAll(QString());
    return lines;
}

using Path = std::function<void(MainWindow&, const QString& folder)>;

} // namespace

Q_DECLARE_METATYPE(Path)

// The channel grid: opening a channel, clearing and moving rows, the clipboard, editing several
// rows at once, finding, and how every change reaches the views.
class GridWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void detailFromTheGrid_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("byDoubleClick");
        QTest::addColumn<QString>("typedMhz"); // null: Cancel, else OK (empty: nothing typed)
        QTest::addColumn<QString>("shown");    // empty: no dialog opens
        QTest::addColumn<int>("currentAfter");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("kept");
        QTest::newRow("double click on a Sub row opens its pair, Main first")
            << 1102 << true << QString() << "Dual0(Main) |pair|no AM" << 1101 << ""
            << "" << true;
        QTest::newRow("Enter on a call row: no AM")
            << 1402 << false << QString() << "CALL-UHF|single|no AM" << 1402 << ""
            << "" << true;
        QTest::newRow("double click on a bug-finder row does nothing")
            << 1610 << true << QString() << "" << 1610 << ""
            << "" << true;
        QTest::newRow("OK on a pass channel overlapping a call channel")
            << 1405 << false << u""_qs << "PASS - 1|single|AM" << 1405 << "Overlaps in Frequency"
            << "" << true;
        QTest::newRow("OK on a refused frequency clears, and says so")
            << 1 << false << u"836"_qs << "Bank000-0|single|AM" << 1 << ""
            << "836.00000 MHz is outside the radio's range: the channel was cleared" << false;
    }

    void detailFromTheGrid() {
        QFETCH(int, row);
        QFETCH(bool, byDoubleClick);
        QFETCH(QString, typedMhz);
        QFETCH(QString, box);
        QFETCH(bool, kept);
        Dialogs dialogs;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fillRows(window, 1404, 1404);
        const ChannelTable start = fillRows(window, row, row);

        QString shown;
        inspectNextDialog(this, shown, typedMhz);
        openOn(window, row, byDoubleClick);
        QTest::qWait(0);

        QTEST(shown, "shown");
        QTEST(window.memoryPage->currentRow(), "currentAfter");
        QCOMPARE(dialogs.boxes, box.isEmpty() ? QList<Box>{} : (QList<Box>{{box, " Error"}}));
        QTEST(window.statusBar()->currentMessage(), "status");
        QCOMPARE(window.channels() == start, kept);
        QCOMPARE(window.channels().cell(row, FrequencyColumn).isEmpty(), !kept);
    }

    void clearRows_data() {
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

    void clearRows() {
        QFETCH(bool, deleteKey);
        QFETCH(int, anchor);
        QFETCH(int, end);
        QFETCH(QList<int>, cleared);
        QFETCH(bool, namesKept);
        MainWindow window;
        window.show();
        fillRows(window, 1398, 1407, QStringLiteral("433.00000MHz"));
        const ChannelTable start = fillRows(window, 1608, 1617, QStringLiteral("140.00000MHz"));
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

    void upDown_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("button"); // LIST_SET index: 0 Up, 1 Down
        QTest::addColumn<int>("after");
        QTest::newRow("Up on row 1 stays") << 1 << 0 << 1;
        QTest::newRow("Down on row 1623 stays") << 1623 << 1 << 1623;
        QTest::newRow("Down") << 700 << 1 << 701;
    }

    void upDown() {
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

    void pasteAndCutAreOneChangeEach_data() {
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
            << "paste" << 998 << u"x\t9999\tFM\r\n"_qs + good + good + good
            << u"Paste rows 998–1000"_qs
            << u"Pasted rows 998–1000; rows not pasted for invalid values: 998; 1 lines past the "
               u"end "
               u"of the block were left out"_qs;
        QTest::newRow("paste on a bug-finder row does nothing")
            << "paste" << 1605 << good << QString() << u"Nothing was pasted"_qs;
        QTest::newRow("cut clears by the Clear button's rules")
            << "cut" << 5 << QString() << u"Cut rows 5–7"_qs << QString();
    }

    void pasteAndCutAreOneChangeEach() {
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
            const QList<QByteArray> exported = splitLines(exportCsv(start));
            QCOMPARE(csv.size(), 3);
            for (int row = 5; row <= 7; ++row)
                QCOMPARE(csv.at(row - 5), *decodeLine(exported.at(row)));
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

    void editSelectedRowsChangesOnlyTheTickedFields_data() {
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

    void editSelectedRowsChangesOnlyTheTickedFields() {
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
            shown.append(r.cell(FrequencyColumn) + ' ' + r.cell(ModeColumn) + ' ' +
                         r.cell(StepColumn) + ' ' + r.cell(NameColumn));
        }
        QCOMPARE(shown, after);
        QCOMPARE(changes.count(), 1);
    }

    void findCyclesThroughMatches_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("steps"); // n next, p previous
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("name, any case, round the end")
            << u"alp"_qs << u"nnnnp"_qs << QList<int>{5, 7, 300, 5, 300};
        QTest::newRow("frequency text") << u"433.5"_qs << u"nn"_qs << QList<int>{6, 6};
        QTest::newRow("label") << u"bank001-1"_qs << u"n"_qs << QList<int>{102};
        QTest::newRow("no match stays") << u"zz"_qs << u"n"_qs << QList<int>{1};
    }

    void findCyclesThroughMatches() {
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

    // Every way the grid's data changes tells the views once, with the rows it touched, and
    // keeps the model consistent for Qt's model tester.
    void everyEditingPathRepaintsOnce_data() {
        QTest::addColumn<Path>("path");
        QTest::addColumn<int>("first"); // the rows that must be repainted; 0: a reset
        QTest::addColumn<int>("last");
        QTest::newRow("Delete key") << Path([](MainWindow& window, const QString&) {
            window.memoryPage->selectRows(5, 7);
            window.memoryCommands->gridKeyPressed(Qt::Key_Delete);
        }) << 5 << 7;
        QTest::newRow("Clear button") << Path([](MainWindow& window, const QString&) {
            window.memoryPage->selectRows(9, 3);
            window.memoryCommands->clearSelectedRows();
        }) << 3 << 9;
        QTest::newRow("All Clear")
            << Path([](MainWindow& window, const QString&) { window.memoryCommands->allClear(); })
            << 1 << 30;
        QTest::newRow("data file opened") << Path([](MainWindow& window, const QString& folder) {
            RadioData data;
            fillRow(data.channels, 12, u"145.50000MHz"_qs, u"NAME"_qs);
            const QString path = folder + QStringLiteral("/one.H4");
            QVERIFY(saveDataFile(path, data).ok());
            window.fileCommands->openFileAt(path);
        }) << 0 << 0;
        QTest::newRow("Memory Read") << Path([](MainWindow& window, const QString&) {
            useSimulatedRadio(window);
            QVERIFY(runCommand(window, [&] { window.memoryCommands->readAllChannels(); }));
        }) << 1 << LastRow;
    }
    void everyEditingPathRepaintsOnce() {
        QFETCH(Path, path);
        QFETCH(int, first);
        QFETCH(int, last);
        Dialogs dialogs;
        QTemporaryDir folder;
        MainWindow window;
        fillRows(window, 1, 30); // as after a read
        QAbstractItemModelTester tester(window.gridModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changes(window.gridModel(), &QAbstractItemModel::dataChanged);
        QSignalSpy resets(window.gridModel(), &QAbstractItemModel::modelReset);

        path(window, folder.path());
        QCOMPARE(changes.count() + resets.count(), 1);
        if (first == 0) {
            QCOMPARE(resets.count(), 1);
            return;
        }
        const auto top = changes.first().at(0).value<QModelIndex>();
        const auto bottom = changes.first().at(1).value<QModelIndex>();
        QVERIFY(ChannelGridModel::gridRow(top) <= first);
        QVERIFY(ChannelGridModel::gridRow(bottom) >= std::min(last, 30));
    }

private:
    TestSettings settings_;
};

QTEST_MAIN(GridWindowTest)
#include "tst_grid_window.moc"
