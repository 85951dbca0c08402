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

struct Box {
    QString text;
    QString title;
};

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
    void init();
    void cleanup();
    void nextAndBack_data();
    void nextAndBack();
    void selectionCommands_data();
    void selectionCommands();
    void cellClickTogglesPixel();
    void clearCommands();
    void readAllFillsStore();
    void writeAllSendsStore();
    void singleGlyphCommands_data();
    void singleGlyphCommands();
    void failedReadAllKeepsStoreUnvouched();
    void busyEditorIgnoresClose();
    void autoReadRunsOnceAndCloses_data();
    void autoReadRunsOnceAndCloses();
    void fontFileCommands();
    void noPortGivesPortError();

private:
    std::unique_ptr<Form4> makeEditor(bool* autoTransfer = nullptr);
    void waitForTransfer(Form4& editor);

    std::shared_ptr<SimulatedRadio> radio_;
    QList<Box> boxes_;
    MessageSink previousSink_;
};

void FontEditorWindowTest::init() {
    GlyphStore::instance().reset();
    radio_ = std::make_shared<SimulatedRadio>(SimulatedRadio::blankImage());
    radio_->setMemory(GlyphArea, patternMemory());
    boxes_.clear();
    previousSink_ = setMessageSink([this](QWidget*, const QString& text, const QString& title) {
        boxes_.append({text, title});
    });
}

void FontEditorWindowTest::cleanup() {
    setMessageSink(previousSink_);
}

std::unique_ptr<Form4> FontEditorWindowTest::makeEditor(bool* autoTransfer) {
    std::shared_ptr<Link> radio = radio_;
    auto editor = std::make_unique<Form4>([radio] { return std::make_unique<SharedLink>(radio); },
                                          autoTransfer);
    editor->setReplyTimeout(std::chrono::milliseconds(2));
    return editor;
}

void FontEditorWindowTest::waitForTransfer(Form4& editor) {
    QTRY_VERIFY_WITH_TIMEOUT(!editor.transferRunning(), 10000);
}

void FontEditorWindowTest::nextAndBack_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expected");
    QTest::newRow("NEXT on 8") << 7 << "FONT_NEXT" << 7;
    QTest::newRow("BACK on 1") << 0 << "FONT_BACK" << 0;
    QTest::newRow("NEXT on 4") << 3 << "FONT_NEXT" << 4;
    QTest::newRow("BACK on 4") << 3 << "FONT_BACK" << 2;
}

void FontEditorWindowTest::nextAndBack() {
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

void FontEditorWindowTest::selectionCommands_data() {
    QTest::addColumn<bool>("startFull");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expectedSet");
    QTest::newRow("Select Setting on 3 x 2") << false << "IKKATU_ON" << 6;
    QTest::newRow("Select Delete on 3 x 2") << true << "IKKATU_OFF" << 256 - 6;
}

void FontEditorWindowTest::selectionCommands() {
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

void FontEditorWindowTest::cellClickTogglesPixel() {
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

void FontEditorWindowTest::clearCommands() {
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
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QString("ALL Clear"));
    QCOMPARE(boxes_[0].title, QString(" Clear"));
}

void FontEditorWindowTest::readAllFillsStore() {
    auto editor = makeEditor();
    editor->FONT_LIST->setCurrentIndex(6);
    editor->READ_ALL->click();
    QCOMPARE(editor->fontState(), int(Form4::ReadAllRunning));
    QVERIFY(!editor->WRITE_ALL->isEnabled());
    QVERIFY(!editor->MSFlexGrid1->isEnabled());
    editor->WRITE_ALL->click(); // disabled: nothing happens
    waitForTransfer(*editor);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QString("All Font Data Read"));
    QCOMPARE(boxes_[0].title, QString(" Finish"));
    for (int g = 0; g < GlyphCount; ++g)
        QCOMPARE(encodeGlyph(GlyphStore::instance().glyph(g)), patternMemory().mid(32 * g, 32));
    QVERIFY(GlyphStore::instance().holdsRealGlyphs());
    QCOMPARE(editor->selectedGlyph(), 0);
    QVERIFY(editor->WRITE_ALL->isEnabled());
    QCOMPARE(editor->ProgressBar1->value(), 0);
    QCOMPARE(radio_->exchangeCount(), 9);
}

void FontEditorWindowTest::writeAllSendsStore() {
    for (int g = 0; g < GlyphCount; ++g)
        GlyphStore::instance().setPixel(g, 15 - g, g, true);
    auto editor = makeEditor();
    editor->WRITE_ALL->click();
    QCOMPARE(editor->fontState(), int(Form4::WriteAllRunning));
    waitForTransfer(*editor);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QString("All Font Data Write"));
    for (int g = 0; g < GlyphCount; ++g)
        QCOMPARE(radio_->memory(GlyphArea + 32 * static_cast<quint32>(g), 32),
                 encodeGlyph(GlyphStore::instance().glyph(g)));
}

void FontEditorWindowTest::singleGlyphCommands_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("message");
    QTest::newRow("read") << "R_FONT"
                          << ""
                          << "Success Font Read";
    QTest::newRow("write") << "FONT_WRITE"
                           << ""
                           << "Success Font Write";
    QTest::newRow("write answered NG")
        << "FONT_WRITE"
        << "2=marker" << QString::fromUtf8("Font Data Error　COM_TYPE １２");
    QString silent;
    for (int i = 1; i <= 21; ++i)
        silent += QStringLiteral("%1=silent,").arg(i);
    QTest::newRow("read of no radio") << "R_FONT" << silent << "Com Error";
}

void FontEditorWindowTest::singleGlyphCommands() {
    QFETCH(QString, button);
    QFETCH(QString, faults);
    QFETCH(QString, message);
    radio_->setFaults(*FaultPlan::parse(faults, nullptr));
    GlyphStore::instance().setPixel(2, 0, 0, true);
    const Glyph mine = GlyphStore::instance().glyph(2);
    auto editor = makeEditor();
    editor->FONT_LIST->setCurrentIndex(2);
    editor->findChild<QPushButton*>(button)->click();
    QVERIFY(editor->transferRunning());
    waitForTransfer(*editor);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, message);
    QCOMPARE(boxes_[0].title, QString(message.startsWith("Success") ? " Finish" : " Error"));
    const bool read = button == "R_FONT";
    const bool ok = message.startsWith("Success");
    QCOMPARE(encodeGlyph(GlyphStore::instance().glyph(2)),
             read && ok ? patternMemory().mid(64, 32) : encodeGlyph(mine));
    QCOMPARE(radio_->memory(GlyphArea + 64, 32),
             !read ? encodeGlyph(mine) : patternMemory().mid(64, 32));
    // Only glyph 3 ("3" in the list, index 2) was touched.
    QCOMPARE(radio_->memory(GlyphArea, 64), patternMemory().left(64));
}

void FontEditorWindowTest::failedReadAllKeepsStoreUnvouched() {
    // Glyphs 0 and 1 arrive, then the radio falls silent for good.
    FaultPlan plan;
    for (int i = 4; i <= 20; ++i)
        plan.byExchange[i] = Fault::NoAnswer;
    radio_->setFaults(plan);
    auto editor = makeEditor();
    editor->READ_ALL->click();
    waitForTransfer(*editor);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QString("Error"));
    QCOMPARE(boxes_[0].title, QString(" Error"));
    QCOMPARE(encodeGlyph(GlyphStore::instance().glyph(1)), patternMemory().mid(32, 32));
    QCOMPARE(GlyphStore::instance().glyph(2).countSet(), 0);
    QVERIFY(!GlyphStore::instance().holdsRealGlyphs());
}

void FontEditorWindowTest::busyEditorIgnoresClose() {
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
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QString("All Font Data Read"));
    QVERIFY(editor->close());
}

void FontEditorWindowTest::autoReadRunsOnceAndCloses_data() {
    QTest::addColumn<bool>("radioAnswers");
    QTest::newRow("radio answers") << true;
    QTest::newRow("no radio") << false;
}

void FontEditorWindowTest::autoReadRunsOnceAndCloses() {
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
        QCOMPARE(boxes_.size(), 1);
        QCOMPARE(boxes_[0].text, QString("Error"));
        QCOMPARE(radio_->exchangeCount(), 3);
    }
    // Opening and activating it again does not read again.
    editor->show();
    editor->activateWindow();
    QTest::qWait(20);
    QVERIFY(!editor->transferRunning());
    QCOMPARE(boxes_.size(), radioAnswers ? 0 : 1);
}

void FontEditorWindowTest::fontFileCommands() {
    QTemporaryDir dir;
    for (int g = 0; g < GlyphCount; ++g)
        GlyphStore::instance().setPixel(g, g, 15 - g, true);
    const GlyphSet saved = GlyphStore::instance().glyphs();
    auto editor = makeEditor();
    QString chosen = dir.filePath("mine.FH4");
    editor->setFileChoosers([&](QWidget*) { return chosen; }, [&](QWidget*) { return chosen; });

    editor->FONT_SAVE->trigger();
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QString("Save File"));
    QCOMPARE(boxes_[0].title, QString(" Finish"));

    GlyphStore::instance().reset();
    editor->FONT_READ->trigger();
    QCOMPARE(boxes_.size(), 2);
    QCOMPARE(boxes_[1].text, QString("Read Font File"));
    QVERIFY(GlyphStore::instance().glyphs() == saved);
    QVERIFY(GlyphStore::instance().holdsRealGlyphs());

    chosen = dir.filePath("mine.txt");
    QFile::copy(dir.filePath("mine.FH4"), chosen);
    GlyphStore::instance().reset();
    editor->FONT_READ->trigger();
    QCOMPARE(boxes_.size(), 3);
    QCOMPARE(boxes_[2].text, QString("This File don't Open"));
    QCOMPARE(boxes_[2].title, QString(" Error"));
    QCOMPARE(GlyphStore::instance().glyph(0).countSet(), 0);

    chosen.clear(); // a cancelled dialog does nothing
    editor->FONT_READ->trigger();
    editor->FONT_SAVE->trigger();
    QCOMPARE(boxes_.size(), 3);
}

void FontEditorWindowTest::noPortGivesPortError() {
    Form4 editor([] { return std::unique_ptr<Link>(); });
    editor.READ_ALL->click();
    waitForTransfer(editor);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].text, QString("Port Error"));
    QCOMPARE(boxes_[0].title, QString(" Error"));
    QVERIFY(editor.READ_ALL->isEnabled());
}

QTEST_MAIN(FontEditorWindowTest)
#include "tst_font_editor_window.moc"
