#include "link/whole_radio.h"
#include "sim/simulated_radio.h"

#include <QTest>

#include <functional>

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

quint32 commandAddress(const QByteArray& command) {
    return command.mid(4, 5).toUInt(nullptr, 16);
}

// Forwards to the simulated radio; commands that `silence` picks go unanswered.
class SilencingLink : public Link {
public:
    SilencingLink(SimulatedRadio& radio, std::function<bool(const QByteArray&)> silence)
        : radio_(radio), silence_(std::move(silence)) {}
    bool send(const QByteArray& command) override {
        silent_ = silence_(command);
        return silent_ ? (open_ = true) : radio_.send(command);
    }
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override {
        if (!silent_)
            return radio_.receive(expected, timeout);
        open_ = false;
        return {};
    }
    void close() override {
        open_ = false;
        radio_.close();
    }
    bool isOpen() const override { return open_ || radio_.isOpen(); }
    QString errorString() const override { return radio_.errorString(); }

private:
    SimulatedRadio& radio_;
    std::function<bool(const QByteArray&)> silence_;
    bool silent_ = false;
    bool open_ = false;
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
    void readThenWriteReproducesTheRadio();
    void writeLeavesGlyphsAloneWithoutRealGlyphs();
    void failingStepGoesOnWithoutSuccess_data();
    void failingStepGoesOnWithoutSuccess();
    void readWithNoRadioShowsOneBoxPerStep();
    void closingStopsAfterTheStep();
};

void WholeRadioTest::readThenWriteReproducesTheRadio() {
    SimulatedRadio source;
    source.setMemory(GlyphArea, glyphPattern());
    WholeRadioData data;
    StepRecorder readSteps;
    const WholeRadioResult read = readWholeRadio(source, data, fastOptions(), nullptr, &readSteps);
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

    // Every block the write sent holds what the source radio holds there.
    QSet<quint32> written64;
    for (const ExchangeRecord& exchange : target.log()) {
        if (exchange.command.size() <= 11 || exchange.command[9] != 'W')
            continue;
        const quint32 address = commandAddress(exchange.command);
        written64.insert(address);
        // The set-mode record keeps some bytes of the radio it is written to.
        if (address < 0x00100)
            continue;
        const QByteArray data =
            QByteArray::fromHex(exchange.command.mid(10, exchange.command.size() - 11));
        QVERIFY2(data == source.memory(address, data.size()),
                 qPrintable(QStringLiteral("block at %1").arg(address, 5, 16, QLatin1Char('0'))));
    }
    // Area by area: set mode, groups, one-touch, title, banks, glyphs, DTMF, first and last
    // channel.
    for (quint32 address : {0x00000u, 0x00100u, 0x00130u, 0x00180u, 0x001A0u, 0x00200u, 0x00240u,
                            0x01000u, 0x010E0u, 0x01100u, 0x01133u, 0x01173u, 0x01200u, 0x1A780u})
        QVERIFY2(written64.contains(address), qPrintable(QString::number(address, 16)));
    QCOMPARE(target.memory(GlyphArea, 256), glyphPattern());
    QCOMPARE(target.memory(0x01200, 1623 * 64), source.memory(0x01200, 1623 * 64));
    QCOMPARE(target.memory(0x01100, 0xA5), source.memory(0x01100, 0xA5));
}

void WholeRadioTest::writeLeavesGlyphsAloneWithoutRealGlyphs() {
    SimulatedRadio radio;
    radio.setMemory(GlyphArea, glyphPattern());
    WholeRadioData data; // as after opening a data file: the glyph store was never filled
    const WholeRadioResult result = writeWholeRadio(radio, data, fastOptions());
    QVERIFY(result.allSucceeded());
    QVERIFY(!result.glyphBlocksWritten);
    QCOMPARE(result.finalBox.text, QString("Success"));
    QCOMPARE(radio.memory(GlyphArea, 256), glyphPattern());
    for (const ExchangeRecord& exchange : radio.log())
        QVERIFY(!exchange.command.startsWith("KV~F010") ||
                exchange.command.startsWith("KV~F0110") || exchange.command.startsWith("KV~F0111"));
}

void WholeRadioTest::failingStepGoesOnWithoutSuccess_data() {
    QTest::addColumn<quint32>("silencedAddress");
    QTest::addColumn<int>("failingStep");
    QTest::newRow("banks") << 0x00240u << int(WholeStep::Banks);
    QTest::newRow("title") << 0x001A0u << int(WholeStep::Title);
    QTest::newRow("group block") << 0x00130u << int(WholeStep::FinalBlocks);
    QTest::newRow("glyph block") << 0x01060u << int(WholeStep::FinalBlocks);
}

void WholeRadioTest::failingStepGoesOnWithoutSuccess() {
    QFETCH(quint32, silencedAddress);
    QFETCH(int, failingStep);
    SimulatedRadio radio;
    SilencingLink link(radio, [&](const QByteArray& command) {
        return command.startsWith("KV~F") && commandAddress(command) == silencedAddress &&
               command[9] == 'W';
    });
    WholeRadioData data;
    data.glyphsReal = true;
    StepRecorder recorder;
    const WholeRadioResult result = writeWholeRadio(link, data, fastOptions(), nullptr, &recorder);
    QCOMPARE(recorder.steps, WriteOrder); // the sequence went on after the failure
    QCOMPARE(recorder.boxes, QStringList{"Error"});
    QVERIFY(!result.finalBox.show);
    QVERIFY(!result.allSucceeded());
    for (const StepResult& step : result.steps)
        QCOMPARE(step.result.outcome == Outcome::Failed, int(step.step) == failingStep);
    if (silencedAddress == 0x00130u) // a failing group block ends the write before the glyphs
        QVERIFY(!result.glyphBlocksWritten);
}

void WholeRadioTest::readWithNoRadioShowsOneBoxPerStep() {
    SimulatedRadio radio;
    SilencingLink link(radio, [](const QByteArray&) { return true; });
    WholeRadioData data;
    const WholeRadioData before;
    StepRecorder recorder;
    const WholeRadioResult result = readWholeRadio(link, data, fastOptions(), nullptr, &recorder);
    QCOMPARE(recorder.steps, ReadOrder);
    QCOMPARE(recorder.boxes, QStringList(7, "Error"));
    QVERIFY(!data.glyphsReal);
    QVERIFY(data.channels == before.channels);
    QVERIFY(!result.stopped);
}

void WholeRadioTest::closingStopsAfterTheStep() {
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

QTEST_GUILESS_MAIN(WholeRadioTest)
#include "tst_whole_radio.moc"
