#include "link/whole_radio.h"
#include "sim/simulated_radio.h"

#include <QTest>

#include <optional>

using namespace qmh4;

namespace {

constexpr quint32 GlyphArea = 0x01000;

WholeRadioOptions fastOptions() {
    WholeRadioOptions options;
    options.main.replyTimeout = std::chrono::milliseconds(2);
    options.editors.replyTimeout = std::chrono::milliseconds(2);
    return options;
}

QByteArray glyphPattern() {
    QByteArray bytes(256, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 29 + 3) & 0xFF);
    return bytes;
}

QList<quint32> writeAddresses(const SimulatedRadio& radio) {
    QList<quint32> addresses;
    for (const ExchangeRecord& exchange : radio.log()) {
        if (exchange.command.startsWith("KV~F") && exchange.command[9] == 'W')
            addresses << exchange.command.mid(4, 5).toUInt(nullptr, 16);
    }
    return addresses;
}

// The demo radio, deaf to the writes at one address, or to everything without one: it gets
// a command it cannot understand instead, which goes unanswered.
class DeafRadio : public SimulatedRadio {
public:
    explicit DeafRadio(std::optional<quint32> deafAt) : deafAt_(deafAt) {}
    bool send(const QByteArray& command) override {
        const bool deaf = !deafAt_ || (command.startsWith("KV~F") && command[9] == 'W' &&
                                       command.mid(4, 5).toUInt(nullptr, 16) == *deafAt_);
        return SimulatedRadio::send(deaf ? QByteArray("\r") : command);
    }

private:
    std::optional<quint32> deafAt_;
};

class StepRecorder : public WholeRadioObserver {
public:
    void stepFinished(const StepResult& step) override {
        steps.append(step.step);
        const EndBox box = stepBox(step.result);
        if (box.show)
            boxes.append(box.text);
        if (stopAfter && steps.size() == stopAfter)
            stop.store(true);
    }
    QList<WholeStep> steps;
    QStringList boxes;
    int stopAfter = 0;
    std::atomic<bool> stop{false};
};

const QList<WholeStep> ReadOrder{WholeStep::Channels, WholeStep::Banks,    WholeStep::OneTouch,
                                 WholeStep::Title,    WholeStep::Settings, WholeStep::Glyphs,
                                 WholeStep::Groups};
const QList<WholeStep> WriteOrder{WholeStep::Channels, WholeStep::Banks,    WholeStep::OneTouch,
                                  WholeStep::Title,    WholeStep::Settings, WholeStep::FinalBlocks};

} // namespace

class WholeRadioTest : public QObject {
    Q_OBJECT
private slots:
    // Read all from the demo radio, write all into a blank one: every area comes back, the DTMF
    // memories and the glyphs included, and the write ends with one "Success" box.
    void readThenWriteReproducesTheRadio() {
        SimulatedRadio source;
        source.setMemory(GlyphArea, glyphPattern());
        WholeRadioData data;
        StepRecorder readSteps;
        const WholeRadioResult read =
            readWholeRadio(source, data, fastOptions(), nullptr, &readSteps);
        QVERIFY(read.allSucceeded());
        QCOMPARE(readSteps.steps, ReadOrder);
        QVERIFY(!read.finalBox.show); // a read ends without a box
        QVERIFY(data.glyphsReal);

        SimulatedRadio target(SimulatedRadio::blankImage());
        StepRecorder writeSteps;
        const WholeRadioResult written =
            writeWholeRadio(target, data, fastOptions(), nullptr, &writeSteps);
        QCOMPARE(writeSteps.steps, WriteOrder);
        QVERIFY(writeSteps.boxes.isEmpty());
        QVERIFY(written.allSucceeded());
        QVERIFY(written.glyphBlocksWritten);
        QCOMPARE(written.finalBox.text, QString("Success"));
        QCOMPARE(written.finalBox.title, QString(" Finish"));
        // The set-mode record keeps some bytes of the radio it is written to; everything after
        // it is the source radio's.
        QVERIFY(writeAddresses(target).contains(0x00000));
        const qsizetype rest = SimulatedRadio::ImageSize - 0x100;
        QCOMPARE(target.memory(0x100, rest), source.memory(0x100, rest));
    }

    // Opening a data file leaves the glyph store blank: writing all must not erase the radio's
    // glyphs.
    void writeLeavesGlyphsAloneWithoutRealGlyphs() {
        SimulatedRadio radio;
        radio.setMemory(GlyphArea, glyphPattern());
        WholeRadioData data;
        const WholeRadioResult result = writeWholeRadio(radio, data, fastOptions());
        QVERIFY(result.allSucceeded());
        QVERIFY(!result.glyphBlocksWritten);
        QCOMPARE(result.finalBox.text, QString("Success"));
        QCOMPARE(radio.memory(GlyphArea, 256), glyphPattern());
        for (quint32 address : writeAddresses(radio))
            QVERIFY(address < GlyphArea || address >= GlyphArea + 256);
    }

    // A failing step shows its own box, the sequence goes on, and no "Success" follows.
    void failingStepGoesOnWithoutSuccess_data() {
        QTest::addColumn<quint32>("deafAt");
        QTest::addColumn<int>("failingStep");
        QTest::newRow("banks") << 0x00240u << int(WholeStep::Banks);
        QTest::newRow("group block") << 0x00130u << int(WholeStep::FinalBlocks);
        QTest::newRow("glyph block") << 0x01060u << int(WholeStep::FinalBlocks);
    }
    void failingStepGoesOnWithoutSuccess() {
        QFETCH(quint32, deafAt);
        QFETCH(int, failingStep);
        DeafRadio radio(deafAt);
        WholeRadioData data;
        data.glyphsReal = true;
        StepRecorder recorder;
        const WholeRadioResult result =
            writeWholeRadio(radio, data, fastOptions(), nullptr, &recorder);
        QCOMPARE(recorder.steps, WriteOrder);
        QCOMPARE(recorder.boxes, QStringList{"Error"});
        QVERIFY(!result.finalBox.show);
        QVERIFY(!result.allSucceeded());
        for (const StepResult& step : result.steps)
            QCOMPARE(step.result.outcome == Outcome::Failed, int(step.step) == failingStep);
        if (deafAt == 0x00130u) // a failing group block ends the write before the glyphs
            QVERIFY(!result.glyphBlocksWritten);
    }

    void readWithNoRadioShowsOneBoxPerStep() {
        DeafRadio radio(std::nullopt);
        WholeRadioData data;
        StepRecorder recorder;
        const WholeRadioResult result =
            readWholeRadio(radio, data, fastOptions(), nullptr, &recorder);
        QCOMPARE(recorder.steps, ReadOrder);
        QCOMPARE(recorder.boxes, QStringList(7, "Error"));
        QVERIFY(!data.glyphsReal);
        QVERIFY(data.channels == WholeRadioData().channels);
        QVERIFY(!result.stopped);
    }

    void closingStopsAfterTheStep() {
        SimulatedRadio radio;
        StepRecorder recorder;
        recorder.stopAfter = 2;
        WholeRadioData data;
        const WholeRadioResult result =
            writeWholeRadio(radio, data, fastOptions(), &recorder.stop, &recorder);
        QVERIFY(result.stopped);
        QCOMPARE(recorder.steps, (QList<WholeStep>{WholeStep::Channels, WholeStep::Banks}));
        QVERIFY(!result.finalBox.show);
        QVERIFY(recorder.boxes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(WholeRadioTest)
#include "tst_whole_radio.moc"
