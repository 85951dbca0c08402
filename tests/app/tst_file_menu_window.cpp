#include "app/bank_page.h"
#include "app/channel_grid_model.h"
#include "app/common_set_page.h"
#include "app/file_choice.h"
#include "app/port_menu.h"
#include "files/csv_file.h"
#include "font/glyph_store.h"
#include "transfers/whole_radio.h"
#include "widgets/area_controls.h"
#include "window_test_support.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace qmh4;
using namespace qmh4::test;

namespace {

// Answers the file dialogs in turn (an empty answer is Cancel) and keeps what they asked.
class FileAnswers {
public:
    explicit FileAnswers(QStringList answers) : answers_(std::move(answers)) {
        previous_ = setFileChooser([this](QWidget*, const FileRequest& request) {
            requests.append(request);
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        });
    }
    ~FileAnswers() { setFileChooser(std::move(previous_)); }
    QList<FileRequest> requests;

private:
    QStringList answers_;
    FileChooser previous_;
};

// The demo radio as "Read All Data" leaves it in the window: every area filled.
WholeRadioData demoRadioData() {
    SimulatedRadio radio;
    WholeRadioData data;
    WholeRadioOptions options;
    options.main.replyTimeout = std::chrono::milliseconds(50);
    options.editors.replyTimeout = std::chrono::milliseconds(50);
    if (!readWholeRadio(radio, data, options).allSucceeded())
        qFatal("the demo radio cannot be read");
    return data;
}

void fillWithDemo(MainWindow& window) {
    const WholeRadioData demo = demoRadioData();
    window.adoptData({demo.channels, demo.areas, window.comPortNumber(), {}});
}

// Every row shows the same cells; a used row is the same in full. (A loaded file sets the side
// tables of unused rows to 0, a read leaves their defaults: neither is ever sent.)
bool sameChannels(const ChannelTable& a, const ChannelTable& b) {
    int used = 0;
    for (int row = FirstRow; row <= LastRow; ++row) {
        const ChannelRow& x = a.row(row);
        const ChannelRow& y = b.row(row);
        if (x.cells != y.cells || x.used != y.used || (x.used && !(x == y)))
            return false;
        used += x.used ? 1 : 0;
    }
    return used > 0;
}

} // namespace

class FileMenuWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void savedFileOpensToTheSameData();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();

    void unwritableSettingsFileGivesBoxAndKeepsData();

private:
    QString path(const QString& name) const { return settings_.path(name); }

    TestSettings settings_;
};

// ---- dialogs ---------------------------------------------------------------------------------

void FileMenuWindowTest::savedFileOpensToTheSameData() {
    Dialogs recorder;
    FileAnswers answers({path(QStringLiteral("radio")), path(QStringLiteral("radio.H4"))});
    MainWindow source;
    fillWithDemo(source);
    source.document().editAreas(
        {}, [](RadioAreas& areas) { areas.title.setText(QStringLiteral("QM:1~H4")); });
    source.saveAction->trigger();
    QCOMPARE(recorder.boxes, (QList<Box>{{"Save File", "Finish"}}));

    MainWindow target;
    target.openAction->trigger(); // the suffix was added on saving
    QCOMPARE(recorder.boxes.last(), (Box{"Read File", "Finish"}));
    // The file holds no glyphs: a later write of everything must leave the radio's alone.
    QVERIFY(!target.document().glyphs().holdsRealGlyphs());
    QVERIFY(sameChannels(target.channels(), source.channels()));
    // The file keeps neither the radio's raw set-mode record nor the title's slide setting.
    RadioAreas expected = source.areas();
    expected.setMode.record = target.areas().setMode.record;
    expected.title.setSlide(target.areas().title.slide());
    QVERIFY(target.areas() == expected);
    // The pages show what was loaded.
    QCOMPARE(target.commonSetPage->TITLE_TEXT->text(), QStringLiteral("QM:1~H4"));
    QCOMPARE(target.bankPage->Text1[1]->text(), QString::number(source.areas().banks.size(1)));
}

void FileMenuWindowTest::refusedFileChangesNothing_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("boxTitle");
    const QByteArray dataFile("Save Date and Time\r\nCH00000145.000000000028000800000000.0000"
                              "\r\nFile End\r\n");
    QTest::newRow("open cancelled: no box")
        << u"ReadFile"_qs << u"<cancel>"_qs << QByteArray() << QString() << QString();
    QTest::newRow("data file under another extension")
        << u"ReadFile"_qs << u"radio.txt"_qs << dataFile << u"This File don't Open"_qs
        << u"Error"_qs;
    QTest::newRow("data file that is missing")
        << u"ReadFile"_qs << QString() << QByteArray() << u"This File don't Open"_qs << u"Error"_qs;
    QTest::newRow("CSV with a wrong header")
        << u"FILE_INPORT"_qs << u"list.CSV"_qs << QByteArray("\"\",\"Frequency\",\"mode\"\r\n")
        << u"CSV File Error"_qs << u" Error"_qs;
}

void FileMenuWindowTest::refusedFileChangesNothing() {
    QFETCH(QString, action);
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, boxText);
    QFETCH(QString, boxTitle);
    const bool cancelled = name == QLatin1String("<cancel>");
    const QString file =
        cancelled ? QString() : path(name.isEmpty() ? QStringLiteral("missing.H4") : name);
    if (!name.isEmpty() && !cancelled) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    Dialogs recorder;
    FileAnswers answers({file});
    MainWindow window;
    fillWithDemo(window);
    const RadioData before = window.currentData();
    QSignalSpy resets(window.gridModel(), &QAbstractItemModel::modelReset);

    control<QAction>(window, action)->trigger();

    QCOMPARE(recorder.boxes, boxText.isEmpty() ? QList<Box>{} : (QList<Box>{{boxText, boxTitle}}));
    QCOMPARE(resets.count(), 0);
    QVERIFY(window.currentData() == before);
    QFile::remove(file);
}

// ---- settings file ---------------------------------------------------------------------------

void FileMenuWindowTest::unwritableSettingsFileGivesBoxAndKeepsData() {
    // Both folders are plain files: nothing can be written under either.
    const QString blocked = path(QStringLiteral("blocked"));
    QFile blocker(blocked);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setSettingsFolders(blocked, blocked + QStringLiteral("/user"));
    Dialogs recorder;
    MainWindow window;
    fillWithDemo(window);
    const RadioData before = window.currentData();
    window.portCommands->comPortActions[5]->trigger();
    setSettingsFolders(path(QStringLiteral("program")), path(QStringLiteral("user")));
    QFile::remove(blocked);

    QCOMPARE(recorder.boxes.size(), 1);
    QVERIFY(recorder.boxes.first().text.startsWith(QStringLiteral("Save File Error")));
    // The choice holds for this run; nothing else changed.
    QCOMPARE(window.comPortNumber(), 5);
    QVERIFY(window.portCommands->comPortActions[5]->isChecked());
    RadioData after = window.currentData();
    after.comPort = before.comPort;
    QVERIFY(after == before);
}

QTEST_MAIN(FileMenuWindowTest)
#include "tst_file_menu_window.moc"
