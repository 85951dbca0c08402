#include "app/desktop_commands.h"
#include "app/file_choice.h"
#include "app/file_commands.h"
#include "app/file_drop.h"
#include "app/recent_files.h"
#include "app/start_options.h"
#include "app/window_state.h"
#include "files/common_csv_layout.h"
#include "files/csv_file.h"
#include "files/data_file.h"
#include "font/font_file.h"
#include "window_test_support.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>

using namespace qmh4;
using namespace qmh4::test;

namespace {

const QByteArray CommonList("Location,Name,Frequency\r\n1,DROP,146.520000\r\n");

ChannelTable listedChannels() {
    ChannelTable table;
    importChannelList(CommonList, table, FirstMemoryRow);
    return table;
}

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

} // namespace

class DesktopFilesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void givenFileOpensByItsKind_data();
    void givenFileOpensByItsKind();
    void windowAndRecentFilesSurviveRestart();
    void saveToCurrentFileWritesWithoutDialog();
    void writeAsksOnceUntilToldNotTo_data();
    void writeAsksOnceUntilToldNotTo();

private:
    QString path(const QString& name) const { return settings_.path(name); }

    TestSettings settings_;
};

void DesktopFilesWindowTest::givenFileOpensByItsKind_data() {
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("name");
    for (const bool dropped : {true, false})
        for (const char* name : {"radio.H4", "own.CSV", "list.csv", "glyphs.FH4"})
            QTest::addRow("%s %s", dropped ? "dropped" : "command line", name)
                << dropped << QString::fromLatin1(name);
}

void DesktopFilesWindowTest::givenFileOpensByItsKind() {
    QFETCH(bool, dropped);
    QFETCH(QString, name);
    const QString file = path(name);
    Dialogs recorder;
    MainWindow window;
    RadioData data = window.currentData();
    data.channels = listedChannels();
    GlyphSet glyphs{};
    glyphs[0].setPixel(3, 4, true);
    QVERIFY(saveDataFile(path(u"radio.H4"_qs), data).ok);
    QVERIFY(exportCsvFile(path(u"own.CSV"_qs), data.channels).ok);
    QVERIFY(saveFontFile(path(u"glyphs.FH4"_qs), glyphs).ok);
    QFile list(path(u"list.csv"_qs));
    QVERIFY(list.open(QIODevice::WriteOnly) && list.write(CommonList) > 0);
    list.close();

    if (dropped)
        dropOn(window, file);
    else
        applyStartOptions({file, -1}, window);

    const bool font = name.endsWith(u"FH4");
    QCOMPARE(window.document().glyphs().glyph(0).pixel(3, 4), font);
    QCOMPARE(window.channels().row(FirstMemoryRow).cell(NameColumn), font ? QString() : u"DROP"_qs);
    // Only a data file becomes the current file.
    QCOMPARE(window.document().filePath(), name.endsWith(u"H4") && !font ? file : QString());
}

void DesktopFilesWindowTest::windowAndRecentFilesSurviveRestart() {
    Dialogs recorder;
    const QString first = path(u"first.H4"_qs), second = path(u"second.H4"_qs);
    {
        MainWindow window;
        QVERIFY(saveDataFile(first, window.currentData()).ok);
        QVERIFY(saveDataFile(second, window.currentData()).ok);
        window.fileCommands->openFileAt(first);
        window.fileCommands->openFileAt(second);
        rememberWindowState(window);
        window.show();
        window.resize(900, 600);
        window.TabStrip1->setCurrentIndex(2);
        window.close();
    }
    MainWindow window;
    rememberWindowState(window);
    QCOMPARE(window.TabStrip1->currentIndex(), 2);
    QCOMPARE(window.size(), QSize(900, 600));
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

void DesktopFilesWindowTest::saveToCurrentFileWritesWithoutDialog() {
    Dialogs recorder;
    const QString file = path(u"current.H4"_qs);
    int dialogs = 0;
    const FileChooser previous = setFileChooser([&](QWidget*, const FileRequest&) {
        ++dialogs;
        return file;
    });
    MainWindow window;
    window.desktopCommands->saveCurrentAction->trigger(); // no file yet: "Save(&S)" asks
    window.document().replaceChannels({}, listedChannels());
    window.desktopCommands->saveCurrentAction->trigger();
    setFileChooser(previous);

    QCOMPARE(dialogs, 1);
    QCOMPARE(recorder.count(u"Save File"_qs), 2);
    QCOMPARE(control<QLabel>(window, u"StatusFile"_qs)->text(), u"File: current.H4"_qs);
    MainWindow reader;
    reader.fileCommands->openFileAt(file);
    QCOMPARE(reader.channels().row(FirstMemoryRow).cell(NameColumn), u"DROP"_qs);
}

void DesktopFilesWindowTest::writeAsksOnceUntilToldNotTo_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("tick");
    for (const char* command : {"WRITE_Botton", "MEM_ONE_WRITE", "ALL_WRITE"})
        for (const bool ok : {true, false})
            for (const bool tick : {false, true})
                QTest::addRow("%s %s%s", command, ok ? "OK" : "Cancel", tick ? ", ticked" : "")
                    << QString::fromLatin1(command) << ok << tick;
}

void DesktopFilesWindowTest::writeAsksOnceUntilToldNotTo() {
    QFETCH(QString, command);
    QFETCH(bool, ok);
    QFETCH(bool, tick);
    setAsksBeforeRadioWrite(true);
    Dialogs recorder(ok);
    recorder.tick = tick;
    MainWindow window;
    useSimulatedRadio(window);
    const auto pressAndWait = [&](bool writes) {
        QSignalSpy finished(&window, &MainWindow::transferFinished);
        if (auto* action = window.findChild<QAction*>(command))
            action->trigger();
        else
            control<QPushButton>(window, command)->click();
        QVERIFY(writes ? finished.count() == 1 || finished.wait(60000) : !window.transferRunning());
        QCOMPARE(writeAddresses(window.simulatedRadio()).isEmpty(), !writes);
        window.simulatedRadio().clearLog();
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

QTEST_MAIN(DesktopFilesWindowTest)
#include "tst_desktop_files_window.moc"
