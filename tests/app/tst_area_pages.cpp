#include "transfers/area_transfers.h"
#include "window_test_support.h"

using namespace qmh4;
using namespace qmh4::test;

class AreaPagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_.reset(); }

    void groupEditorAsksLikePageChange_data() {
        QTest::addColumn<bool>("answerOk");
        QTest::addColumn<bool>("byPageChange");
        QTest::addColumn<int>("total");
        QTest::newRow("Cancel keeps the sizes, no editor") << false << false << 1001;
        QTest::newRow("OK restores, then the editor") << true << false << 1000;
        QTest::newRow("page change, Cancel stays on Bank") << false << true << 1001;
        QTest::newRow("page change, OK goes to Memory") << true << true << 1000;
    }

    void groupEditorAsksLikePageChange() {
        QFETCH(bool, answerOk);
        QFETCH(bool, byPageChange);
        QFETCH(int, total);
        MainWindow window;
        Dialogs dialogs(answerOk);
        window.TabStrip1->setCurrentIndex(1);
        window.bankPage->Text1[0]->selectAll();
        QTest::keyClicks(window.bankPage->Text1[0], QStringLiteral("101"));
        QTest::keyClick(window.bankPage->Text1[0], Qt::Key_Return);
        // The Memory page must not show while the question is open.
        QList<int> pageDuringQuestion;
        dialogs.onQuestion = [&] { pageDuringQuestion.append(window.TabStrip1->currentIndex()); };
        bool editorShown = false;
        window.bankPage->groupEditorShown = [&](GroupEditor& editor) {
            editorShown = true;
            QTimer::singleShot(0, &editor, &GroupEditor::clearAllGroups);
        };
        if (byPageChange)
            window.TabStrip1->setCurrentIndex(0);
        else
            QTest::mouseClick(window.bankPage->GROUP_SET, Qt::LeftButton);
        QCOMPARE(dialogs.questions, (QList<Box>{{"Bank Total Error. Init Data?", "Caution"}}));
        QCOMPARE(pageDuringQuestion, QList<int>{1});
        QCOMPARE(editorShown, answerOk && !byPageChange);
        QCOMPARE(window.TabStrip1->currentIndex(), byPageChange && answerOk ? 0 : 1);
        QCOMPARE(window.areas().banks.total(), total);
        QCOMPARE(window.bankPage->Text1[0]->text(), QString::number(total == 1000 ? 100 : 101));
    }

    void areaReadAndWriteFromButtons_data() {
        QTest::addColumn<QString>("readButton");
        QTest::addColumn<QString>("writeButton");
        QTest::addColumn<quint32>("firstWrite"); // the area's first block
        QTest::newRow("banks") << u"READ_BANK"_qs << u"WRITE_BANK"_qs << 0x200u;
        QTest::newRow("set mode page") << u"Set_Mode_Read"_qs << u"Set_Mode_Write"_qs << 0x0u;
        QTest::newRow("setting frame") << u"SETTING_READ"_qs << u"SETTING_WRITE"_qs << 0x0u;
        QTest::newRow("DTMF frame") << u"READ_DTMF"_qs << u"WRITE_DTMF"_qs << 0x1100u;
        QTest::newRow("one-touch") << u"READ_ONE_TOUCH"_qs << u"WRITE_ONE_TOUCH"_qs << 0x180u;
        QTest::newRow("title") << u"TITLE_READ"_qs << u"TITLE_WRITE"_qs << 0x1A0u;
    }

    // Reads an area from the demo radio with its button (a read that decoded nothing would write
    // back defaults) and writes it to a blank radio with the other: it must start at the area's
    // first block and leave nothing the demo radio did not hold. (That a write sends back all that
    // was read is the fault matrix's whole-radio round trip.)
    void areaReadAndWriteFromButtons() {
        QFETCH(QString, readButton);
        QFETCH(QString, writeButton);
        QFETCH(quint32, firstWrite);
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        const QByteArray original = radio.image();
        // One-touch keys name banks: the window must know the radio's banks first.
        if (readButton == QLatin1String("READ_ONE_TOUCH"))
            QVERIFY(runCommand(window, QStringLiteral("READ_BANK")));

        QVERIFY(runCommand(window, readButton));
        QCOMPARE(dialogs.boxes.last(), (Box{"Success", " Finish"}));

        const QByteArray blank = SimulatedRadio::blankImage();
        radio.image() = blank;
        radio.clearLog();
        QVERIFY(runCommand(window, writeButton));
        QCOMPARE(dialogs.boxes.last(), (Box{"Success", " Finish"}));
        QCOMPARE(writeAddresses(radio).value(0), firstWrite);
        int changed = 0;
        for (qsizetype a = 0; a < blank.size(); ++a) {
            if (radio.image()[a] == blank[a])
                continue;
            ++changed;
            QVERIFY2(radio.image()[a] == original[a], qPrintable(QString::number(a, 16)));
        }
        QVERIFY(changed > 0);
    }

    void failedReadKeepsDecodedBlocks() {
        SimWindow sim;
        auto& [dialogs, window, radio] = sim;
        // Bank 0 at 7 in block 0; block 1 never answers.
        radio.setMemory(0x200, QByteArray::fromHex("0700"));
        for (int exchange = 3; exchange <= 5; ++exchange)
            radio.injectFault(exchange, Fault::NoAnswer);
        QVERIFY(runCommand(window, QStringLiteral("READ_BANK")));
        QCOMPARE(dialogs.boxes.last(), (Box{"Error", " Error"}));
        QCOMPARE(window.bankPage->Text1[0]->text(), QStringLiteral("7"));
        // The total is the sum, not a forced 1000, and such a table cannot be written.
        QCOMPARE(window.bankPage->Total_Mem->text(), QString::number(window.areas().banks.total()));
        QCOMPARE(window.bankPage->WRITE_BANK->isEnabled(), window.areas().banks.total() == 1000);
    }

    void languageSwitchKeepsEveryListPosition() {
        MainWindow window;
        // Every list on its last entry but one (or its only entry): a position no default has.
        QMap<QString, int> chosen;
        for (QComboBox* list : window.findChildren<QComboBox*>()) {
            if (!list->objectName().startsWith(QLatin1String("Set_Mode_")) &&
                list->objectName() != QLatin1String("Combo2"))
                continue;
            // Not the radio's language list: choosing it switches the pages' language itself.
            if (list->objectName() != QLatin1String("Set_Mode_Display[0]"))
                list->setCurrentIndex(std::max(list->count() - 2, 0));
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
        QCOMPARE(SetModeControls::of(window).list(SetModeArray::Key, 12)->itemText(0),
                 QStringLiteral("Manual"));
    }

    void textLimitsOnEveryPath_data() {
        QTest::addColumn<bool>("title");  // else the first DTMF memory
        QTest::addColumn<QString>("way"); // typed, ctrl+v, menu paste or input method
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        const QString sixteen = QStringLiteral("ABCDEFGHIJKLMNOP");
        const QString kanji = QString::fromUtf8("愛圧以伊位囲易移井");
        QTest::newRow("title typed: 17th refused")
            << true << u"typed"_qs << sixteen + "Q" << sixteen;
        QTest::newRow("title Ctrl+V refused") << true << u"ctrl+v"_qs << u"ABC"_qs << QString();
        QTest::newRow("title pasted: 9th kanji refused")
            << true << u"menu"_qs << kanji << kanji.left(8);
        QTest::newRow("DTMF Ctrl+V filtered") << false << u"ctrl+v"_qs << u"1x2y3"_qs << u"123"_qs;
        QTest::newRow("DTMF input method") << false << u"input method"_qs << u"１2#"_qs << u"2#"_qs;
    }

    void textLimitsOnEveryPath() {
        QFETCH(bool, title);
        QFETCH(QString, way);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.TabStrip1->setCurrentIndex(title ? 2 : 3);
        auto* box = control<QLineEdit>(window, title ? u"TITLE_TEXT"_qs : u"COMMON_DTMF[1]"_qs);
        box->setFocus();
        QGuiApplication::clipboard()->setText(text);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        if (way == "typed")
            QTest::keyClicks(box, text);
        else if (way == "ctrl+v")
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        else if (way == "menu")
            box->paste();
        else
            QCoreApplication::sendEvent(box, &commit);
        QCOMPARE(box->text(), kept);
        QCOMPARE(title ? window.areas().title.text() : window.areas().dtmf.memories[1], kept);
    }

private:
    TestSettings settings_;
};

// ---- banks -----------------------------------------------------------------------------------

// ---- transfers -------------------------------------------------------------------------------

// ---- language --------------------------------------------------------------------------------

// ---- text limits -----------------------------------------------------------------------------

QTEST_MAIN(AreaPagesTest)
#include "tst_area_pages.moc"
