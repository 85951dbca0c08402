#include "channels/channel_record.h"
#include "link/whole_radio.h"
#include "sim/simulated_radio.h"

#include <QTest>

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

// The demo radio, deaf to the writes at one address: it gets a command it cannot understand
// instead, which goes unanswered.
class DeafRadio : public SimulatedRadio {
public:
    explicit DeafRadio(quint32 deafAt) : deafAt_(deafAt) {}
    bool send(const QByteArray& command) override {
        const bool deaf = command.startsWith("KV~F") && command[9] == 'W' &&
                          command.mid(4, 5).toUInt(nullptr, 16) == deafAt_;
        return SimulatedRadio::send(deaf ? QByteArray("\r") : command);
    }

private:
    quint32 deafAt_;
};

class StepRecorder : public WholeRadioObserver {
public:
    void stepFinished(const StepResult& step) override {
        steps.append(step.step);
        const EndBox box = stepBox(step.result);
        if (box.show)
            boxes.append(box.text);
    }
    QList<WholeStep> steps;
    QStringList boxes;
};

void setHighDigitOfModeAndStep(QByteArray& image, int highDigit) {
    for (int row = FirstRow; row <= LastRow; ++row) {
        for (const quint32 offset : {5u, 6u}) {
            char& byte = image[recordAddress(recordNumber(row)) + offset];
            byte = static_cast<char>(highDigit | (byte & 0x0F));
        }
    }
}

const QList<WholeStep> WriteOrder{WholeStep::Channels, WholeStep::Banks,    WholeStep::OneTouch,
                                  WholeStep::Title,    WholeStep::Settings, WholeStep::FinalBlocks};

} // namespace

class WholeRadioTest : public QObject {
    Q_OBJECT
private slots:
    // Read all from the demo radio, write all into a blank one: every area comes back, the DTMF
    // memories and the glyphs included, and the write ends with one "Success" box. A radio that
    // keeps flags in the high digit of the mode and step bytes reads as well; those flags are
    // not written back.
    void readThenWriteReproducesTheRadio_data() {
        QTest::addColumn<int>("highDigit");
        QTest::newRow("demo radio") << 0x00;
        QTest::newRow("flags in mode and step bytes") << 0xA0;
    }
    void readThenWriteReproducesTheRadio() {
        QFETCH(int, highDigit);
        SimulatedRadio source;
        source.setMemory(GlyphArea, glyphPattern());
        const QByteArray plain = source.image();
        setHighDigitOfModeAndStep(source.image(), highDigit);
        WholeRadioData data;
        const WholeRadioResult read = readWholeRadio(source, data, fastOptions());
        QVERIFY(read.allSucceeded());
        QVERIFY(!read.finalBox.show); // a read ends without a box
        QVERIFY(data.glyphsReal);

        SimulatedRadio target(SimulatedRadio::blankImage());
        StepRecorder writeSteps;
        const WholeRadioResult written =
            writeWholeRadio(target, data, fastOptions(), nullptr, &writeSteps);
        QCOMPARE(writeSteps.steps, WriteOrder);
        QVERIFY(writeSteps.boxes.isEmpty());
        QCOMPARE(written.finalBox.text, QString("Success"));
        QCOMPARE(written.finalBox.title, QString(" Finish"));
        // The set-mode record keeps some bytes of the radio it is written to; everything after
        // it is the source radio's.
        const qsizetype rest = SimulatedRadio::ImageSize - 0x100;
        QCOMPARE(target.memory(0x100, rest), plain.mid(0x100, rest));
    }

    // Opening a data file leaves the glyph store blank: writing all must not erase the radio's
    // glyphs.
    void writeLeavesGlyphsAloneWithoutRealGlyphs() {
        SimulatedRadio radio;
        radio.setMemory(GlyphArea, glyphPattern());
        WholeRadioData data;
        const WholeRadioResult result = writeWholeRadio(radio, data, fastOptions());
        QCOMPARE(result.finalBox.text, QString("Success"));
        QCOMPARE(radio.memory(GlyphArea, 256), glyphPattern());
    }

    // A failing step shows its own box, the sequence goes on, and no "Success" follows.
    void failingStepGoesOnWithoutSuccess_data() {
        QTest::addColumn<quint32>("deafAt");
        QTest::addColumn<int>("failingStep");
        QTest::newRow("banks") << 0x00240u << int(WholeStep::Banks);
        QTest::newRow("group block") << 0x00130u << int(WholeStep::FinalBlocks);
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
        for (const StepResult& step : result.steps)
            QCOMPARE(step.result.outcome == Outcome::Failed, int(step.step) == failingStep);
        if (deafAt == 0x00130u) // a failing group block ends the write before the glyphs
            QVERIFY(!result.glyphBlocksWritten);
    }

    // Closing the window during "Read All Data" or "Write All Data": the step that runs ends
    // after its current exchange, no later step starts, no box is shown.
    void closingStopsAfterTheRunningStep_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void closingStopsAfterTheRunningStep() {
        QFETCH(bool, write);
        SimulatedRadio radio;
        WholeRadioData data;
        std::atomic<bool> closing{false};
        struct CloseAfterFirstStep : StepRecorder {
            std::atomic<bool>* closing = nullptr;
            void stepFinished(const StepResult& step) override {
                StepRecorder::stepFinished(step);
                closing->store(true);
            }
        } recorder;
        recorder.closing = &closing;
        const WholeRadioResult result =
            write ? writeWholeRadio(radio, data, fastOptions(), &closing, &recorder)
                  : readWholeRadio(radio, data, fastOptions(), &closing, &recorder);
        QVERIFY(result.stopped);
        QCOMPARE(recorder.steps, QList<WholeStep>{WholeStep::Channels});
        QVERIFY(recorder.boxes.isEmpty());
        QVERIFY(!result.finalBox.show);
        const qsizetype exchanges = radio.log().size();
        QVERIFY(exchanges > 0);
        QVERIFY(!radio.log().back().command.startsWith("KV~QM-H4E")); // no next step opened
    }
};

QTEST_GUILESS_MAIN(WholeRadioTest)
#include "tst_whole_radio.moc"
