#include "app/message_box.h"
#include "app/shared_link.h"
#include "font_editor/font_editor_window.h"
#include "font_editor/glyph_store.h"
#include "sim/simulated_radio.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace qmh4;

namespace {

constexpr quint32 GlyphArea = 0x01000;

// A message box as the test records it: text, then title.
QString box(const QString& text, const QString& title) {
    return text + " | " + title;
}

QByteArray patternMemory() {
    QByteArray memory(256, '\0');
    for (int i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<char>((i * 53 + 7) & 0xFF);
    return memory;
}

} // namespace

class FontEditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        GlyphStore::instance().reset();
        radio_ = std::make_shared<SimulatedRadio>(SimulatedRadio::blankImage());
        radio_->setMemory(GlyphArea, patternMemory());
        boxes_.clear();
        previousSink_ = setMessageSink([this](QWidget*, const QString& text, const QString& title) {
            boxes_.append(box(text, title));
        });
    }

    void cleanup() { setMessageSink(previousSink_); }

    void nextAndBack_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("NEXT on 8") << 7 << "FONT_NEXT" << 7;
        QTest::newRow("BACK on 1") << 0 << "FONT_BACK" << 0;
        QTest::newRow("NEXT on 4") << 3 << "FONT_NEXT" << 4;
        QTest::newRow("BACK on 4") << 3 << "FONT_BACK" << 2;
    }

    void nextAndBack() {
        QFETCH(int, start);
        QFETCH(QString, button);
        QFETCH(int, expected);
        GlyphStore::instance().setPixel(expected, 1, 2, true);
        auto editor = makeEditor();
        editor->FONT_LIST->setCurrentIndex(start);
        editor->findChild<QPushButton*>(button)->click();
        QCOMPARE(editor->selectedGlyph(), expected);
        // The grid shows the glyph that is selected now.
        QVERIFY(editor->MSFlexGrid1->item(1, 2)->background().color() !=
                editor->MSFlexGrid1->item(0, 0)->background().color());
    }

    void selectionCommands_data() {
        QTest::addColumn<bool>("startFull");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expectedSet");
        QTest::newRow("Select Setting on 3 x 2") << false << "IKKATU_ON" << 6;
        QTest::newRow("Select Delete on 3 x 2") << true << "IKKATU_OFF" << 256 - 6;
    }

    void selectionCommands() {
        QFETCH(bool, startFull);
        QFETCH(QString, button);
        QFETCH(int, expectedSet);
        if (startFull)
            for (int r = 0; r < GlyphSide; ++r)
                for (int c = 0; c < GlyphSide; ++c)
                    GlyphStore::instance().setPixel(2, r, c, true);
        auto editor = makeEditor();
        editor->FONT_LIST->setCurrentIndex(2);
        // Rows 4 to 6, columns 9 and 10.
        editor->MSFlexGrid1->setRangeSelected(QTableWidgetSelectionRange(4, 9, 6, 10), true);
        editor->findChild<QPushButton*>(button)->click();
        const Glyph& glyph = GlyphStore::instance().glyph(2);
        QCOMPARE(glyph.countSet(), expectedSet);
        for (int r = 4; r <= 6; ++r)
            for (int c = 9; c <= 10; ++c)
                QCOMPARE(glyph.pixel(r, c), !startFull);
        QCOMPARE(GlyphStore::instance().glyph(1).countSet(), 0);
    }

    void cellClickTogglesPixel() {
        auto editor = makeEditor();
        editor->FONT_LIST->setCurrentIndex(5);
        QVERIFY(!GlyphStore::instance().holdsRealGlyphs());
        emit editor->MSFlexGrid1->cellClicked(15, 0);
        QVERIFY(GlyphStore::instance().glyph(5).pixel(15, 0));
        QCOMPARE(GlyphStore::instance().glyph(5).countSet(), 1);
        QVERIFY(GlyphStore::instance().holdsRealGlyphs());
        const QColor drawn = editor->MSFlexGrid1->item(15, 0)->background().color();
        emit editor->MSFlexGrid1->cellClicked(15, 0);
        QCOMPARE(GlyphStore::instance().glyph(5).countSet(), 0);
        QVERIFY(editor->MSFlexGrid1->item(15, 0)->background().color() != drawn);
    }

    void clearCommands() {
        for (int g = 0; g < GlyphCount; ++g)
            GlyphStore::instance().setPixel(g, g, g, true);
        auto editor = makeEditor();
        editor->FONT_LIST->setCurrentIndex(3);
        editor->FONT_CLEAR->click();
        QCOMPARE(GlyphStore::instance().glyph(3).countSet(), 0);
        QCOMPARE(GlyphStore::instance().glyph(4).countSet(), 1);
        QVERIFY(boxes_.isEmpty());
        editor->ALL_CLEAR->click();
        for (const Glyph& glyph : GlyphStore::instance().glyphs())
            QCOMPARE(glyph.countSet(), 0);
        QCOMPARE(boxes_, QStringList{box("ALL Clear", " Clear")});
    }

    void transferButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("changes"); // the transfer moved glyphs
        QTest::newRow("Read ALL") << "READ_ALL" << int(Form4::ReadAllRunning) << QString()
                                  << "All Font Data Read" << true;
        QTest::newRow("Write ALL") << "WRITE_ALL" << int(Form4::WriteAllRunning) << QString()
                                   << "All Font Data Write" << true;
        QTest::newRow("read one") << "R_FONT" << int(Form4::SingleRead) << QString()
                                  << "Success Font Read" << true;
        QTest::newRow("write one")
            << "FONT_WRITE" << int(Form4::SingleWrite) << QString() << "Success Font Write" << true;
        QTest::newRow("write one answered NG")
            << "FONT_WRITE" << int(Form4::SingleWrite) << QString("2=marker")
            << QString::fromUtf8("Font Data Error　COM_TYPE １２") << true;
        QString silent;
        for (int i = 1; i <= 21; ++i)
            silent += QStringLiteral("%1=silent,").arg(i);
        QTest::newRow("read one of no radio")
            << "R_FONT" << int(Form4::SingleRead) << silent << "Com Error" << false;
    }

    // Each transfer button runs its transfer with every command disabled meanwhile, shows one
    // box, and moves only its own glyphs: all eight, or glyph 3 (index 2) selected in the list.
    void transferButtons() {
        QFETCH(QString, button);
        QFETCH(int, state);
        QFETCH(QString, faults);
        QFETCH(QString, message);
        QFETCH(bool, changes);
        radio_->setFaults(*FaultPlan::parse(faults, nullptr));
        for (int g = 0; g < GlyphCount; ++g)
            GlyphStore::instance().setPixel(g, 15 - g, g, true);
        const GlyphSet mine = GlyphStore::instance().glyphs();
        auto editor = makeEditor();
        editor->FONT_LIST->setCurrentIndex(2);
        editor->findChild<QPushButton*>(button)->click();
        QCOMPARE(editor->fontState(), state);
        QVERIFY(!editor->WRITE_ALL->isEnabled());
        QVERIFY(!editor->MSFlexGrid1->isEnabled());
        editor->READ_ALL->click(); // disabled: nothing happens
        waitForTransfer(*editor);
        const bool success = changes && !message.contains("Error");
        QCOMPARE(boxes_, QStringList{box(message, success ? " Finish" : " Error")});
        QVERIFY(editor->WRITE_ALL->isEnabled());
        QCOMPARE(editor->ProgressBar1->value(), 0);
        const bool reads = button.contains("READ") || button == "R_FONT";
        for (int g = 0; g < GlyphCount; ++g) {
            const bool moved = changes && (button.contains("ALL") || g == 2);
            const QByteArray onRadio = patternMemory().mid(32 * g, 32);
            const QByteArray own = encodeGlyph(mine[static_cast<size_t>(g)]);
            QCOMPARE(encodeGlyph(GlyphStore::instance().glyph(g)), moved && reads ? onRadio : own);
            QCOMPARE(radio_->memory(GlyphArea + 32 * quint32(g), 32),
                     moved && !reads ? own : onRadio);
        }
        if (button == "READ_ALL")
            QCOMPARE(editor->selectedGlyph(), 0);
    }

    void failedReadAllKeepsStoreUnvouched() {
        // Glyphs 0 and 1 arrive, then the radio falls silent for good.
        FaultPlan plan;
        for (int i = 4; i <= 20; ++i)
            plan.byExchange[i] = Fault::NoAnswer;
        radio_->setFaults(plan);
        auto editor = makeEditor();
        editor->READ_ALL->click();
        waitForTransfer(*editor);
        QCOMPARE(boxes_, QStringList{box("Error", " Error")});
        QCOMPARE(encodeGlyph(GlyphStore::instance().glyph(1)), patternMemory().mid(32, 32));
        QCOMPARE(GlyphStore::instance().glyph(2).countSet(), 0);
        QVERIFY(!GlyphStore::instance().holdsRealGlyphs());
    }

    void busyEditorIgnoresClose() {
        radio_->setPacing(57600); // a read takes about a quarter second
        auto editor = makeEditor();
        editor->setReplyTimeout(std::chrono::milliseconds(200));
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        editor->READ_ALL->click();
        QVERIFY(!editor->close());
        editor->reject();
        QVERIFY(editor->isVisible());
        QVERIFY(!editor->Command1->isEnabled());
        waitForTransfer(*editor);
        QCOMPARE(boxes_, QStringList{box("All Font Data Read", " Finish")});
        QVERIFY(editor->close());
    }

    void autoReadRunsOnceAndCloses_data() {
        QTest::addColumn<bool>("radioAnswers");
        QTest::newRow("radio answers") << true;
        QTest::newRow("no radio") << false;
    }

    void autoReadRunsOnceAndCloses() {
        QFETCH(bool, radioAnswers);
        if (!radioAnswers) {
            FaultPlan silent;
            for (int i = 1; i <= 30; ++i)
                silent.byExchange[i] = Fault::NoAnswer;
            radio_->setFaults(silent);
        }
        bool autoTransfer = true;
        auto editor = makeEditor(&autoTransfer);
        QSignalSpy finished(editor.get(), &Form4::finished);
        editor->show();
        QTRY_VERIFY(editor->transferRunning() || finished.count() > 0);
        QVERIFY(!autoTransfer); // cleared as the read starts
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->lastResult().ok(), radioAnswers);
        if (radioAnswers) {
            QVERIFY(boxes_.isEmpty()); // a read for the whole radio shows no box
            QCOMPARE(radio_->exchangeCount(), 9);
        } else {
            QCOMPARE(boxes_, QStringList{box("Error", " Error")});
            QCOMPARE(radio_->exchangeCount(), 3);
        }
        // Opening and activating it again does not read again.
        editor->show();
        editor->activateWindow();
        QTest::qWait(20);
        QVERIFY(!editor->transferRunning());
        QCOMPARE(boxes_.size(), radioAnswers ? 0 : 1);
    }

    void fontFileCommands() {
        QTemporaryDir dir;
        for (int g = 0; g < GlyphCount; ++g)
            GlyphStore::instance().setPixel(g, g, 15 - g, true);
        const GlyphSet saved = GlyphStore::instance().glyphs();
        auto editor = makeEditor();
        QString chosen = dir.filePath("mine.FH4");
        editor->setFileChoosers([&](QWidget*) { return chosen; }, [&](QWidget*) { return chosen; });

        editor->FONT_SAVE->trigger();
        QCOMPARE(boxes_, QStringList{box("Save File", " Finish")});

        GlyphStore::instance().reset();
        editor->FONT_READ->trigger();
        QCOMPARE(boxes_.last(), box("Read Font File", " Finish"));
        QVERIFY(GlyphStore::instance().glyphs() == saved);
        QVERIFY(GlyphStore::instance().holdsRealGlyphs());

        chosen = dir.filePath("mine.txt");
        QFile::copy(dir.filePath("mine.FH4"), chosen);
        GlyphStore::instance().reset();
        editor->FONT_READ->trigger();
        QCOMPARE(boxes_.last(), box("This File don't Open", " Error"));
        QCOMPARE(GlyphStore::instance().glyph(0).countSet(), 0);

        chosen.clear(); // a cancelled dialog does nothing
        editor->FONT_READ->trigger();
        editor->FONT_SAVE->trigger();
        QCOMPARE(boxes_.size(), 3);
    }

    void noPortGivesPortError() {
        Form4 editor([] { return std::unique_ptr<Link>(); });
        editor.READ_ALL->click();
        waitForTransfer(editor);
        QCOMPARE(boxes_, QStringList{box("Port Error", " Error")});
        QVERIFY(editor.READ_ALL->isEnabled());
    }

private:
    std::unique_ptr<Form4> makeEditor(bool* autoTransfer = nullptr) {
        std::shared_ptr<Link> radio = radio_;
        auto editor = std::make_unique<Form4>(
            [radio] { return std::make_unique<SharedLink>(radio); }, autoTransfer);
        editor->setReplyTimeout(std::chrono::milliseconds(2));
        return editor;
    }

    void waitForTransfer(Form4& editor) {
        QTRY_VERIFY_WITH_TIMEOUT(!editor.transferRunning(), 10000);
    }

    std::shared_ptr<SimulatedRadio> radio_;
    QStringList boxes_; // every box shown, in order
    MessageSink previousSink_;
};

QTEST_MAIN(FontEditorWindowTest)
#include "tst_font_editor_window.moc"
