#include "channels/channel_record.h"
#include "messages/transfer_outcome_text.h"
#include "sim/simulated_radio.h"
#include "transfers/whole_radio.h"

#include <QTest>

using namespace qmh4;

namespace {

constexpr quint32 GlyphArea = 0x01000;
constexpr quint32 Nowhere = 0x20000; // past the end of the memory

WholeRadioOptions fastOptions() {
    WholeRadioOptions options;
    options.main.replyTimeout = options.editors.replyTimeout = std::chrono::milliseconds(2);
    return options;
}

// The demo radio with glyphs of its own, deaf to the writes at one address: it gets a command it
// cannot understand instead, which goes unanswered.
class DeafRadio : public SimulatedRadio {
public:
    explicit DeafRadio(quint32 deafAt) : deafAt_(deafAt) { setMemory(GlyphArea, glyphs()); }
    static QByteArray glyphs() { return QByteArray(256, '\x3C'); }
    bool send(const QByteArray& command) override {
        const bool deaf = command.startsWith("KV~F") && command[9] == 'W' &&
                          command.mid(4, 5).toUInt(nullptr, 16) == deafAt_;
        return SimulatedRadio::send(deaf ? QByteArray("\r") : command);
    }

private:
    quint32 deafAt_;
};

// Records the steps; `closing` (when set) is raised as the first step finishes.
class StepRecorder : public WholeRadioObserver {
public:
    void stepFinished(const StepResult& step) override {
        steps.append(step.step);
        if (const EndBox box = stepBox(step.result); box != EndBox::None)
            boxes.append(endBoxText(box).text);
        if (closing)
            closing->store(true);
    }
    QList<WholeStep> steps;
    QStringList boxes;
    std::atomic<bool>* closing = nullptr;
};

void setHighDigitOfModeAndStep(QByteArray& image, int highDigit) {
    for (int row = FirstRow; row <= LastRow; ++row) {
        for (const quint32 offset : {5u, 6u}) {
            char& byte = image[recordAddress(recordNumber(row)) + offset];
            byte = static_cast<char>(highDigit | (byte & 0x0F));
        }
    }
}

} // namespace

class WholeRadioTest : public QObject {
    Q_OBJECT
private slots:
    // A radio that keeps flags in the high digit of every record's mode and step bytes reads
    // as well as any other: the flags are ignored and the read ends without a failure.
    void readsRadioWithFlagsInModeAndStepBytes() {
        SimulatedRadio source;
        setHighDigitOfModeAndStep(source.image(), 0xA0);
        WholeRadioData data;
        const WholeRadioResult read = readWholeRadio(source, data, fastOptions());
        QVERIFY(read.allSucceeded());
        SimulatedRadio plain;
        WholeRadioData expected;
        QVERIFY(readWholeRadio(plain, expected, fastOptions()).allSucceeded());
        QVERIFY(data.channels == expected.channels);
    }

    // "Write All Data" runs every step in order; a failing step shows its own box and the
    // sequence goes on without a "Success" at the end. Opening a data file leaves the glyph store
    // blank (not real): writing all must then not erase the radio's glyphs; nor does a failing
    // group block let the glyphs follow. A clean read then write is the fault matrix's.
    void writeAll_data() {
        QTest::addColumn<quint32>("deafAt");
        QTest::addColumn<bool>("glyphsReal");
        QTest::addColumn<int>("failingStep"); // -1: none
        QTest::newRow("blank glyph store") << Nowhere << false << -1;
        QTest::newRow("real glyphs") << Nowhere << true << -1;
        QTest::newRow("banks fail") << 0x00240u << true << int(WholeStep::Banks);
        QTest::newRow("group block fails") << 0x00130u << true << int(WholeStep::FinalBlocks);
    }
    void writeAll() {
        QFETCH(quint32, deafAt);
        QFETCH(bool, glyphsReal);
        QFETCH(int, failingStep);
        DeafRadio radio(deafAt);
        WholeRadioData data;
        data.glyphsReal = glyphsReal;
        StepRecorder recorder;
        const WholeRadioResult result =
            writeWholeRadio(radio, data, fastOptions(), nullptr, &recorder);
        QCOMPARE(recorder.steps,
                 (QList<WholeStep>{WholeStep::Channels, WholeStep::Banks, WholeStep::OneTouch,
                                   WholeStep::Title, WholeStep::Settings, WholeStep::FinalBlocks}));
        QCOMPARE(recorder.boxes, failingStep < 0 ? QStringList{} : QStringList{"Error"});
        for (const StepResult& step : result.steps)
            QCOMPARE(step.result.outcome == Outcome::Failed, int(step.step) == failingStep);
        const bool glyphsWritten = glyphsReal && failingStep != int(WholeStep::FinalBlocks);
        QCOMPARE(result.glyphBlocksWritten, glyphsWritten);
        QCOMPARE(radio.memory(GlyphArea, 256),
                 glyphsWritten ? QByteArray(256, '\0') : DeafRadio::glyphs());
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
        StepRecorder recorder;
        recorder.closing = &closing;
        const WholeRadioResult result =
            write ? writeWholeRadio(radio, data, fastOptions(), &closing, &recorder)
                  : readWholeRadio(radio, data, fastOptions(), &closing, &recorder);
        QVERIFY(result.stopped);
        QCOMPARE(recorder.steps, QList<WholeStep>{WholeStep::Channels});
        QVERIFY(recorder.boxes.isEmpty() && !result.allSucceeded());
        QVERIFY(!radio.log().empty());
        QVERIFY(!radio.log().back().command.startsWith("KV~QM-H4E")); // no next step opened
    }
};

QTEST_GUILESS_MAIN(WholeRadioTest)
#include "tst_whole_radio.moc"
