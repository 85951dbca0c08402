#include "app/channel_grid_model.h"
#include "app/file_commands.h"
#include "app/memory_page.h"
#include "files/data_file.h"
#include "window_test_support.h"

#include <QAbstractItemModelTester>

using namespace qmh4;
using namespace qmh4::test;

namespace {

using Path = std::function<void(MainWindow&, const QString& folder)>;

// Rows 1..30 hold channels, as after a read.
ChannelTable filledTable() {
    ChannelTable table;
    for (int row = 1; row <= 30; ++row) {
        table.setCell(row, FrequencyColumn,
                      QStringLiteral("145.%1000MHz").arg(row, 2, 10, QChar('0')));
        table.row(row).used = true;
    }
    return table;
}

} // namespace

Q_DECLARE_METATYPE(Path)

// Every way the grid's data changes tells the views once, with the rows it touched, and keeps
// the model consistent for Qt's model tester.
class GridModelWindowTest : public QObject {
    Q_OBJECT
private slots:
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
            data.channels.row(12) = filledTable().row(12);
            const QString path = folder + QStringLiteral("/one.H4");
            QVERIFY(saveDataFile(path, data).ok);
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
        TestSettings settings;
        Dialogs dialogs;
        QTemporaryDir folder;
        MainWindow window;
        window.document().replaceChannels({}, filledTable());
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
};

QTEST_MAIN(GridModelWindowTest)
#include "tst_grid_model_window.moc"
