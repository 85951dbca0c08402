#include "app/area_controls.h"
#include "app/bank_page.h"
#include "app/channel_grid_model.h"
#include "app/common_set_page.h"
#include "app/set_mode_controls.h"
#include "app/set_mode_page.h"
#include "radio_areas/area_transfers.h"
#include "radio_areas/group_editor_window.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>

using namespace qmh4;
using namespace qmh4::test;

namespace {

QPushButton* button(Form1& window, const char* name) {
    return control<QPushButton>(window, QString::fromLatin1(name));
}

// Clicks a command and waits until its transfer has ended.
bool runCommand(Form1& window, const char* name) {
    return test::runCommand(
        window, [&] { QTest::mouseClick(button(window, name), Qt::LeftButton); }, 10000);
}

// Sets bank sizes through the page's boxes, as a user would, leaving each box.
void typeBankSizes(Form1& window, const QList<std::pair<int, int>>& sizes) {
    for (const auto& [bank, size] : sizes) {
        QLineEdit* box = window.bankPage->Text1[static_cast<size_t>(bank)];
        box->selectAll();
        QTest::keyClicks(box, QString::number(size));
        QTest::keyClick(box, Qt::Key_Return);
    }
}

enum class Area { Banks, SetMode, Setting, Dtmf, OneTouch, Title };

struct Range {
    quint32 address;
    int length;
};

QList<Range> rangesOf(Area area) {
    const QList<Range> dtmf = {{0x1100, 51 + 64}, {0x1173, 50}};
    switch (area) {
    case Area::Banks:
        return {{0x200, 128}};
    case Area::SetMode:
    case Area::Setting:
        return QList<Range>{{0x0, SetModeRecordSize}} + dtmf;
    case Area::Dtmf:
        return dtmf;
    case Area::OneTouch:
        return {{0x180, OneTouchBlockSize}};
    case Area::Title:
        return {{0x1A0, TitleBlockSize}};
    }
    return {};
}

// Record bytes the radio keeps: a write sends back what it has just read.
bool isKeptSetModeByte(quint32 address) {
    static const QList<quint32> kept = {1, 48, 49, 52, 71, 72, 78, 92, 143, 144};
    return kept.contains(address);
}

// What the core reads from a demo radio, for comparing the pages with.
RadioAreas demoAreas() {
    SimulatedRadio radio;
    Session session(radio, {std::chrono::milliseconds(200)});
    RadioAreas areas;
    if (readBanks(session, areas.banks).outcome != Outcome::Success ||
        readSetMode(session, areas.setMode, areas.dtmf).outcome != Outcome::Success ||
        readOneTouch(session, areas.oneTouch, areas.banks).outcome != Outcome::Success ||
        readTitle(session, areas.title).outcome != Outcome::Success)
        qFatal("the demo radio cannot be read");
    return areas;
}

// Compares what the page shows with the areas the core read.
void verifyPageShows(Form1& window, Area area, const RadioAreas& expected) {
    switch (area) {
    case Area::Banks:
        for (int bank = 0; bank < BankCount; ++bank) {
            const auto i = static_cast<size_t>(bank);
            QCOMPARE(window.bankPage->Slider1[i]->value(), expected.banks.size(bank));
            QCOMPARE(window.bankPage->Text1[i]->text(), QString::number(expected.banks.size(bank)));
        }
        QCOMPARE(window.bankPage->Total_Mem->text(), QStringLiteral("1000"));
        return;
    case Area::SetMode:
    case Area::Setting:
        for (int a = 0; a < SetModeArrayCount; ++a) {
            const auto array = static_cast<SetModeArray>(a);
            for (int index = 0; index < setModeArraySize(array); ++index)
                if (auto* list = SetModeControls::of(window).list(array, index))
                    QCOMPARE(list->currentIndex(), expected.setMode.position(array, index));
        }
        [[fallthrough]];
    case Area::Dtmf:
        for (size_t index = 0; index < DtmfMemoryCount; ++index)
            QCOMPARE(window.setModePage->COMMON_DTMF[index]->text(), expected.dtmf.memories[index]);
        QCOMPARE(window.setModePage->COMMON_DIAL_CH->currentIndex(), expected.dtmf.dialChannel);
        QCOMPARE(window.setModePage->COMMON_PAUSE->currentIndex(), expected.dtmf.pause);
        return;
    case Area::OneTouch:
        for (int k = 0; k < OneTouchCount; ++k) {
            const auto i = static_cast<size_t>(k);
            const OneTouchEntry& entry = expected.oneTouch.entry(k);
            QCOMPARE(window.commonSetPage->NO_SET[i]->isChecked(), entry.noSetting);
            QCOMPARE(window.commonSetPage->COMMON_BANK[i]->currentText(),
                     QString::number(expected.oneTouch.bankAt(entry.bankPosition)));
            QCOMPARE(window.commonSetPage->COMMON_CH[i]->currentIndex(), entry.channelPosition);
        }
        return;
    case Area::Title:
        QCOMPARE(window.commonSetPage->TITLE_TEXT->text(), expected.title.text());
        QCOMPARE(window.commonSetPage->Combo1->currentIndex(), expected.title.slide());
        return;
    }
}

} // namespace

class AreaPagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void bankCheckOnPageChange_data();
    void bankCheckOnPageChange();
    void memoryRowsFollowBankView();
    void groupEditorAsksLikePageChange_data();
    void groupEditorAsksLikePageChange();
    void bankEditing_data();
    void bankEditing();

    void areaReadAndWriteFromButtons_data();
    void areaReadAndWriteFromButtons();
    void failedReadKeepsDecodedBlocks();

    void languageSwitchKeepsEveryListPosition();
    void languageSwitchDuringWriteChangesNothingSent();
    void radioLanguageListSwitchesLanguage();

    void textLimitsOnEveryPath_data();
    void textLimitsOnEveryPath();
    void titleMarkerButtons();
    void oneTouchChannelListsStopAt255();

    void commandsInertDuringTransfer();

private:
    TestSettings settings_;
};

// ---- banks -----------------------------------------------------------------------------------

void AreaPagesTest::bankCheckOnPageChange_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("bank12");
    QTest::addColumn<bool>("answerOk");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("shownAfter");
    QTest::addColumn<int>("totalAfter");
    const int memory = 0, bank = 1, common = 2, setMode = 3;
    QTest::newRow("bad total, Cancel stays on Bank")
        << bank << memory << 5 << false << true << bank << 1005;
    QTest::newRow("bad total, OK restores and goes")
        << bank << memory << 5 << true << true << memory << 1000;
    QTest::newRow("bad total to Set Mode, OK")
        << bank << setMode << 5 << true << true << setMode << 1000;
    QTest::newRow("valid total, no question")
        << bank << common << 0 << false << false << common << 1000;
    QTest::newRow("to Bank restores silently")
        << common << bank << 5 << false << false << bank << 1000;
}

void AreaPagesTest::bankCheckOnPageChange() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, bank12);
    QFETCH(bool, answerOk);
    QFETCH(bool, asked);
    QFETCH(int, shownAfter);
    QFETCH(int, totalAfter);
    Form1 window;
    Dialogs dialogs(answerOk);
    window.TabStrip1->setCurrentIndex(from);
    // Edited while the page is shown: a bad total can only arise on the Bank page, but a file
    // can bring one to any page.
    window.areas().banks.setSize(12, bank12);
    window.bankPage->showBanks();
    window.TabStrip1->setCurrentIndex(to);

    QCOMPARE(window.TabStrip1->currentIndex(), shownAfter);
    QCOMPARE(window.areas().banks.total(), totalAfter);
    QCOMPARE(window.bankPage->Total_Mem->text(), QString::number(totalAfter));
    QCOMPARE(window.bankPage->WRITE_BANK->isEnabled(), totalAfter == 1000);
    QCOMPARE(dialogs.questions.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(dialogs.questions[0].text, QStringLiteral("Bank Total Error. Init Data?"));
        QCOMPARE(dialogs.questions[0].title, QStringLiteral("Caution"));
    }
}

void AreaPagesTest::memoryRowsFollowBankView() {
    Form1 window;
    Dialogs dialogs;
    window.TabStrip1->setCurrentIndex(1);
    typeBankSizes(
        window, {{0, 3}, {1, 0}, {2, 2}, {3, 995}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}});
    QCOMPARE(window.bankPage->Total_Mem->text(), QStringLiteral("1000"));
    window.TabStrip1->setCurrentIndex(0);
    ChannelGridModel* model = window.gridModel();
    const QStringList expected = {"Bank000-0", "Bank000-1", "Bank000-2",
                                  "Bank002-0", "Bank002-1", "Bank003-0"};
    for (int row = 1; row <= expected.size(); ++row)
        QCOMPARE(model->data(model->indexOf(row, LabelColumn)).toString(), expected[row - 1]);
    QVERIFY(dialogs.questions.isEmpty());
}

void AreaPagesTest::groupEditorAsksLikePageChange_data() {
    QTest::addColumn<bool>("answerOk");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("total");
    QTest::newRow("Cancel keeps the sizes, no editor") << false << false << 1001;
    QTest::newRow("OK restores, then the editor") << true << true << 1000;
}

void AreaPagesTest::groupEditorAsksLikePageChange() {
    QFETCH(bool, answerOk);
    QFETCH(bool, opened);
    QFETCH(int, total);
    Form1 window;
    Dialogs dialogs(answerOk);
    window.TabStrip1->setCurrentIndex(1);
    typeBankSizes(window, {{0, 101}});
    bool editorShown = false;
    window.bankPage->groupEditorShown = [&](Form5& editor) {
        editorShown = true;
        QTimer::singleShot(0, &editor, &Form5::Command2_Click);
    };
    QTest::mouseClick(window.bankPage->GROUP_SET, Qt::LeftButton);
    QCOMPARE(dialogs.questions.size(), 1);
    QCOMPARE(dialogs.questions[0].text, QStringLiteral("Bank Total Error. Init Data?"));
    QCOMPARE(editorShown, opened);
    QCOMPARE(window.areas().banks.total(), total);
    QCOMPARE(window.bankPage->Text1[0]->text(), QString::number(total == 1000 ? 100 : 101));
}

void AreaPagesTest::bankEditing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters dropped") << "12a5"
                                     << "125";
    QTest::newRow("above 1000 gives 100") << "1500"
                                          << "100";
    QTest::newRow("fifth digit refused") << "10009"
                                         << "1000";
    QTest::newRow("empty gives 0") << ""
                                   << "0";
}

void AreaPagesTest::bankEditing() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Form1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.TabStrip1->setCurrentIndex(1);
    QLineEdit* box = window.bankPage->Text1[12];
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->text(), shown);
    QCOMPARE(window.bankPage->Slider1[12]->value(), shown.toInt());
    QCOMPARE(window.bankPage->Total_Mem->text(), QString::number(1000 + shown.toInt()));
    QCOMPARE(window.bankPage->WRITE_BANK->isEnabled(), shown.toInt() == 0);

    // Up and Down act on the bank whose slider had the focus last, and the total follows.
    window.bankPage->Slider1[12]->setFocus();
    QCOMPARE(window.bankPage->selectedBank(), 12);
    QTest::mouseClick(window.bankPage->BANK_UP[1], Qt::LeftButton);
    const int down = std::max(shown.toInt() - 1, 0);
    QCOMPARE(window.bankPage->Text1[12]->text(), QString::number(down));
    QCOMPARE(window.bankPage->Total_Mem->text(), QString::number(1000 + down));
    QCOMPARE(window.bankPage->WRITE_BANK->isEnabled(), down == 0);
}

// ---- transfers -------------------------------------------------------------------------------

void AreaPagesTest::areaReadAndWriteFromButtons_data() {
    QTest::addColumn<Area>("area");
    QTest::addColumn<QString>("readButton");
    QTest::addColumn<QString>("writeButton");
    QTest::newRow("banks") << Area::Banks << "READ_BANK"
                           << "WRITE_BANK";
    QTest::newRow("set mode page") << Area::SetMode << "Set_Mode_Read"
                                   << "Set_Mode_Write";
    QTest::newRow("setting frame") << Area::Setting << "SETTING_READ"
                                   << "SETTING_WRITE";
    QTest::newRow("DTMF frame") << Area::Dtmf << "READ_DTMF"
                                << "WRITE_DTMF";
    QTest::newRow("one-touch") << Area::OneTouch << "READ_ONE_TOUCH"
                               << "WRITE_ONE_TOUCH";
    QTest::newRow("title") << Area::Title << "TITLE_READ"
                           << "TITLE_WRITE";
}

// Reads an area from the demo radio with its button, checks the page, wipes the area in the
// radio and writes it back with the other button: the radio must hold what it held.
void AreaPagesTest::areaReadAndWriteFromButtons() {
    QFETCH(Area, area);
    QFETCH(QString, readButton);
    QFETCH(QString, writeButton);
    Form1 window;
    Dialogs dialogs;
    useSimulatedRadio(window);
    SimulatedRadio& radio = window.simulatedRadio();
    const QByteArray original = radio.image();
    // One-touch keys name banks: the window must know the radio's banks first.
    if (area == Area::OneTouch)
        QVERIFY(runCommand(window, "READ_BANK"));

    QVERIFY(runCommand(window, readButton.toLatin1().constData()));
    QCOMPARE(dialogs.boxes.last(), (Box{"Success", " Finish"}));
    verifyPageShows(window, area, demoAreas());
    QVERIFY(!window.transferRunning());

    for (const Range& range : rangesOf(area))
        radio.setMemory(range.address, QByteArray(range.length, '\0'));
    radio.clearLog();
    QVERIFY(runCommand(window, writeButton.toLatin1().constData()));
    QCOMPARE(dialogs.boxes.last().text, QStringLiteral("Success"));
    QVERIFY(!radio.log().empty());
    for (const Range& range : rangesOf(area))
        for (quint32 a = range.address; a < range.address + static_cast<quint32>(range.length);
             ++a) {
            if (range.address == 0 && isKeptSetModeByte(a))
                continue;
            QVERIFY2(radio.image()[a] == original[a], qPrintable(QString::number(a, 16)));
        }
}

void AreaPagesTest::failedReadKeepsDecodedBlocks() {
    Form1 window;
    Dialogs dialogs;
    useSimulatedRadio(window);
    SimulatedRadio& radio = window.simulatedRadio();
    // Bank 0 at 7 in block 0; block 1 never answers.
    radio.setMemory(0x200, QByteArray::fromHex("0700"));
    for (int exchange = 3; exchange <= 5; ++exchange)
        radio.injectFault(exchange, Fault::NoAnswer);
    QVERIFY(runCommand(window, "READ_BANK"));
    QCOMPARE(dialogs.boxes.last(), (Box{"Error", " Error"}));
    QCOMPARE(window.bankPage->Text1[0]->text(), QStringLiteral("7"));
    // The total is the sum, not a forced 1000, and such a table cannot be written.
    QCOMPARE(window.bankPage->Total_Mem->text(), QString::number(window.areas().banks.total()));
    QCOMPARE(window.bankPage->WRITE_BANK->isEnabled(), window.areas().banks.total() == 1000);
}

// ---- language --------------------------------------------------------------------------------

void AreaPagesTest::languageSwitchKeepsEveryListPosition() {
    Form1 window;
    SetModeControls& controls = SetModeControls::of(window);
    QCOMPARE(control<QLabel>(window, "Label12[1]")->text(), QString::fromUtf8("照明設定"));
    QCOMPARE(control<QLabel>(window, "Label12[0]")->text(), QStringLiteral("Language"));

    // Every list on its last entry but one (or its only entry): a position no default has.
    QMap<QString, int> chosen;
    for (QComboBox* list : window.findChildren<QComboBox*>()) {
        if (!list->objectName().startsWith(QLatin1String("Set_Mode_")) &&
            list->objectName() != QLatin1String("Combo2"))
            continue;
        const int position = std::max(list->count() - 2, 0);
        // Not the radio's language list: choosing it switches the pages' language itself.
        if (list->objectName() != QLatin1String("Set_Mode_Display[0]"))
            list->setCurrentIndex(position);
        chosen[list->objectName()] = list->currentIndex();
    }
    QVERIFY(chosen.size() >= 70);
    const SetModeSettings before = window.areas().setMode;

    for (int language : {1, 0, 1}) {
        QTest::mouseClick(window.Option1[static_cast<size_t>(language)], Qt::LeftButton);
        QCOMPARE(window.languageCode(), language);
        for (auto it = chosen.cbegin(); it != chosen.cend(); ++it)
            QVERIFY2(control<QComboBox>(window, it.key())->currentIndex() == it.value(),
                     qPrintable(it.key()));
        QVERIFY(window.areas().setMode == before);
    }
    QCOMPARE(control<QLabel>(window, "Label12[1]")->text(), QStringLiteral("Illumination"));
    QCOMPARE(control<QGroupBox>(window, "Frame8")->title(), QStringLiteral("<SCREEN DISPLAY>"));
    QCOMPARE(controls.list(SetModeArray::Key, 12)->itemText(0), QStringLiteral("Manual"));
    QTest::mouseClick(window.Option1[0], Qt::LeftButton);
    QCOMPARE(controls.list(SetModeArray::Key, 12)->itemText(0), QString::fromUtf8("手動"));
    QCOMPARE(control<QLabel>(window, "Label12[0]")->text(), QStringLiteral("Language"));
}

// A write sends the settings as they were when it started, whatever happens on the page.
void AreaPagesTest::languageSwitchDuringWriteChangesNothingSent() {
    Form1 window;
    Dialogs dialogs;
    useSimulatedRadio(window);
    SimulatedRadio& radio = window.simulatedRadio();
    SetModeControls& controls = SetModeControls::of(window);
    controls.list(SetModeArray::Sound, 4)->setCurrentIndex(17);   // VOL(Main), record byte 2
    controls.list(SetModeArray::Display, 13)->setCurrentIndex(4); // TV CH "5", byte 13 = 5
    radio.setPacing(57600, std::chrono::milliseconds(20));

    QSignalSpy finished(&window, &Form1::transferFinished);
    QTest::mouseClick(window.setModePage->Set_Mode_Write, Qt::LeftButton);
    QTest::mouseClick(window.Option1[1], Qt::LeftButton);
    QCOMPARE(window.languageCode(), 1);
    QTest::mouseClick(window.Option1[0], Qt::LeftButton);
    QTest::mouseClick(window.Option1[1], Qt::LeftButton);
    QVERIFY(window.transferRunning());
    QVERIFY(finished.wait(20000));
    QCOMPARE(dialogs.boxes.last().text, QStringLiteral("Success"));
    QCOMPARE(static_cast<int>(radio.image()[2]), 17);
    QCOMPARE(static_cast<int>(radio.image()[13]), 5);
    QCOMPARE(controls.list(SetModeArray::Sound, 4)->currentIndex(), 17);
    QCOMPARE(controls.list(SetModeArray::Display, 13)->currentIndex(), 4);
}

void AreaPagesTest::radioLanguageListSwitchesLanguage() {
    Form1 window;
    QComboBox* radioLanguage = SetModeControls::of(window).list(SetModeArray::Display, 0);
    QCOMPARE(window.languageCode(), 0);
    radioLanguage->setCurrentIndex(0);
    QCOMPARE(window.languageCode(), 0);
    radioLanguage->setCurrentIndex(1);
    QCOMPARE(window.languageCode(), 1);
    QVERIFY(window.Option1[1]->isChecked());
    QCOMPARE(radioLanguage->currentIndex(), 1);
}

// ---- text limits -----------------------------------------------------------------------------

enum class Way { Typing, CtrlV, ContextPaste, Drop, InputMethod };

void AreaPagesTest::textLimitsOnEveryPath_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<Way>("way");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    const QString sixteen = QStringLiteral("ABCDEFGHIJKLMNOP");
    const QString kanji = QString::fromUtf8("愛圧以伊位囲易移井");
    QTest::newRow("title typed: 17th refused")
        << "TITLE_TEXT" << Way::Typing << sixteen + "Q" << sixteen;
    QTest::newRow("title Ctrl+V refused") << "TITLE_TEXT" << Way::CtrlV << "ABC"
                                          << "";
    QTest::newRow("title pasted: ninth double-byte refused")
        << "TITLE_TEXT" << Way::ContextPaste << kanji << kanji.left(8);
    QTest::newRow("title dropped") << "TITLE_TEXT" << Way::Drop << sixteen + "QRS" << sixteen;
    QTest::newRow("title input method")
        << "TITLE_TEXT" << Way::InputMethod << kanji << kanji.left(8);
    QTest::newRow("title glyph pasted as marker")
        << "TITLE_TEXT" << Way::ContextPaste << QString::fromUtf8("AB③") << "AB:3~";
    QTest::newRow("DTMF typed: lower case refused") << "COMMON_DTMF[1]" << Way::Typing << "12ab*#"
                                                    << "12*#";
    QTest::newRow("DTMF Ctrl+V filtered") << "COMMON_DTMF[1]" << Way::CtrlV << "1x2y3"
                                          << "123";
    QTest::newRow("DTMF dropped") << "COMMON_DTMF[1]" << Way::Drop << "9 8 7"
                                  << "987";
    QTest::newRow("DTMF input method") << "COMMON_DTMF[1]" << Way::InputMethod << "１2#"
                                       << "2#";
}

void AreaPagesTest::textLimitsOnEveryPath() {
    QFETCH(QString, field);
    QFETCH(Way, way);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    Form1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.TabStrip1->setCurrentIndex(field == QLatin1String("TITLE_TEXT") ? 2 : 3);
    auto* box = control<QLineEdit>(window, field);
    box->setFocus();
    switch (way) {
    case Way::Typing:
        QTest::keyClicks(box, text);
        break;
    case Way::CtrlV:
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        break;
    case Way::ContextPaste:
        QGuiApplication::clipboard()->setText(text);
        box->paste();
        break;
    case Way::Drop: {
        QMimeData mime;
        mime.setText(text);
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &drop);
        break;
    }
    case Way::InputMethod: {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(box, &event);
        break;
    }
    }
    QCOMPARE(box->text(), kept);
    if (field == QLatin1String("TITLE_TEXT"))
        QCOMPARE(window.areas().title.text(), kept);
    else
        QCOMPARE(window.areas().dtmf.memories[1], kept);
}

void AreaPagesTest::titleMarkerButtons() {
    Form1 window;
    CommonSetPage* page = window.commonSetPage;
    QTest::keyClicks(page->TITLE_TEXT, QStringLiteral("ABCDEFGHIJKLMN")); // 14 bytes
    QTest::mouseClick(page->Command2[2], Qt::LeftButton);
    QCOMPARE(page->TITLE_TEXT->text(), QStringLiteral("ABCDEFGHIJKLMN:3~"));
    QTest::mouseClick(page->Command2[0], Qt::LeftButton); // 16 bytes: no room
    QCOMPARE(window.areas().title.text(), QStringLiteral("ABCDEFGHIJKLMN:3~"));
    QTest::mouseClick(page->TITLE_CLEAR, Qt::LeftButton);
    QVERIFY(page->TITLE_TEXT->text().isEmpty());
    QCOMPARE(page->Combo1->currentIndex(), 0);
}

// A one-touch key can only name channel positions the radio's one byte can hold.
void AreaPagesTest::oneTouchChannelListsStopAt255() {
    Form1 window;
    Dialogs dialogs;
    window.TabStrip1->setCurrentIndex(1);
    typeBankSizes(
        window,
        {{0, 600}, {1, 400}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}});
    window.TabStrip1->setCurrentIndex(2);
    CommonSetPage* page = window.commonSetPage;
    QCOMPARE(page->COMMON_BANK[0]->count(), 2);
    QCOMPARE(page->COMMON_CH[0]->count(), 256);
    QCOMPARE(page->COMMON_CH[0]->itemText(255), QStringLiteral("255"));
    page->COMMON_BANK[4]->setCurrentIndex(1);
    QCOMPARE(page->COMMON_CH[4]->count(), 256);
    page->COMMON_CH[4]->setCurrentIndex(255);
    QCOMPARE(window.areas().oneTouch.entry(4).channelPosition, 255);
    QVERIFY(dialogs.questions.isEmpty());
}

// ---- inert commands --------------------------------------------------------------------------

void AreaPagesTest::commandsInertDuringTransfer() {
    Form1 window;
    Dialogs dialogs;
    useSimulatedRadio(window);
    SimulatedRadio& radio = window.simulatedRadio();
    radio.setPacing(57600, std::chrono::milliseconds(60));
    typeBankSizes(window, {{0, 50}, {10, 50}});
    window.commonSetPage->TITLE_TEXT->setText(QStringLiteral("KEEP"));
    const RadioAreas before = window.areas();

    QSignalSpy finished(&window, &Form1::transferFinished);
    QTest::mouseClick(window.bankPage->WRITE_BANK, Qt::LeftButton);
    QVERIFY(window.transferRunning());
    QCOMPARE(window.transferControl().state(), area_state::BankWrite);
    bool editorOpened = false;
    window.bankPage->groupEditorShown = [&](Form5&) { editorOpened = true; };

    BankPage* bank = window.bankPage;
    CommonSetPage* common = window.commonSetPage;
    SetModePage* setMode = window.setModePage;
    bank->Bank_Clear_Click();
    bank->READ_BANK_Click();
    bank->GROUP_SET_Click();
    common->READ_ONE_TOUCH_Click();
    common->COMMON_ONE_TOUCH_RESET_Click();
    common->TITLE_CLEAR_Click();
    common->TITLE_WRITE_Click();
    common->Command2_Click(0);
    common->SETTING_RESET_Click();
    common->SETTING_READ_Click();
    setMode->Set_Mode_Clear_Click();
    setMode->Set_Mode_Write_Click();
    setMode->RESET_DTMF_Click();
    setMode->READ_DTMF_Click();
    window.TabStrip1->setCurrentIndex(3);

    QCOMPARE(window.transferControl().state(), area_state::BankWrite);
    QVERIFY(!editorOpened);
    QVERIFY(window.areas() == before);
    QCOMPARE(window.TabStrip1->currentIndex(), 0);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialogs.boxes, (QList<Box>{{"Success", " Finish"}}));
    // Only the bank write reached the radio: the handshake and two blocks.
    QCOMPARE(radio.log().size(), size_t{3});
    QCOMPARE(radio.memory(0x200, 2), QByteArray::fromHex("3200"));
}

QTEST_MAIN(AreaPagesTest)
#include "tst_area_pages.moc"
