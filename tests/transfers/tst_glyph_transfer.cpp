#include "messages/transfer_outcome_text.h"
#include "sim/simulated_radio.h"
#include "transfers/glyph_transfer.h"

#include <QTest>

using namespace qmh4;

namespace {

constexpr std::chrono::milliseconds Wait{1};
constexpr quint32 GlyphArea = 0x01000;

QByteArray patternMemory() {
    QByteArray memory(256, '\0');
    for (int i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return memory;
}

GlyphSet patternGlyphs() {
    GlyphSet glyphs;
    for (int g = 0; g < GlyphCount; ++g)
        glyphs[static_cast<size_t>(g)] = decodeGlyph(patternMemory().mid(32 * g, 32));
    return glyphs;
}

// The four transfers of the font editor; the single ones work on glyph 5 (index 4) and glyph 7
// (index 6).
enum Kind { ReadAll, WriteAll, ReadOne, WriteOne };
constexpr int SingleIndex[] = {0, 0, 4, 6};

GlyphResult run(GlyphTransfers& transfers, Link& link, Kind kind, GlyphSet& glyphs) {
    const int index = SingleIndex[kind];
    switch (kind) {
    case ReadAll:
        return transfers.readAll(link, glyphs);
    case WriteAll:
        return transfers.writeAll(link, glyphs);
    case ReadOne:
        return transfers.readGlyph(link, index, glyphs[static_cast<size_t>(index)]);
    default:
        return transfers.writeGlyph(link, index, glyphs[static_cast<size_t>(index)]);
    }
}

// The radio's port vanishes as command `goneAt` is sent (0: never).
class VanishingPort : public Link {
public:
    VanishingPort(SimulatedRadio& radio, int goneAt) : radio_(radio), goneAt_(goneAt) {}
    bool send(const QByteArray& command) override {
        if (++sent_ == goneAt_)
            radio_.setPortFault(true);
        return radio_.send(command);
    }
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override {
        return radio_.receive(expected, timeout);
    }
    void close() override { radio_.close(); }
    bool isOpen() const override { return radio_.isOpen(); }
    QString errorString() const override { return radio_.errorString(); }

private:
    SimulatedRadio& radio_;
    int goneAt_;
    int sent_ = 0;
};

} // namespace

class GlyphTransferTest : public QObject {
    Q_OBJECT
private slots:
    // A read fills `touched` glyphs (the whole set: glyphs 0 .. touched-1; a single read: its
    // glyph when touched is 1) and leaves the others as they were; a write puts `touched`
    // glyphs into the radio (-1: not checked) and nothing else. Faults "port@N": the port
    // vanishes when exchange N is sent; "paced": the radio answers at 57600 baud.
    void transfers_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("exchanges");
        QTest::addColumn<int>("touched");
        const QString read = "All Font Data Read", written = "All Font Data Write",
                      one = "Success Font Read", oneWritten = "Success Font Write", error = "Error";
        QTest::newRow("read all") << +ReadAll << QString() << read << 9 << 8;
        QTest::newRow("read all, identify fails three times")
            << +ReadAll << QString("1=silent,2=long,3=short") << error << 3 << 0;
        QTest::newRow("read all survives nine glyph failures")
            << +ReadAll
            << QString("2=silent,3=short,4=marker,5=nonhex,6=long,7=silent,8=silent,9=short,"
                       "10=silent")
            << read << 18 << 8;
        QTest::newRow("read all, ten glyph failures in total")
            << +ReadAll
            << QString("3=silent,5=marker,6=marker,7=short,8=long,9=silent,10=nonhex,11=marker,"
                       "12=marker,13=marker")
            << error << 13 << 2;
        QTest::newRow("write all") << +WriteAll << QString() << written << 9 << 8;
        // At the radio's own pace every wait must take the reply once all of it has come.
        QTest::newRow("read all, paced") << +ReadAll << QString("paced") << read << 9 << 8;
        QTest::newRow("write all, paced") << +WriteAll << QString("paced") << written << 9 << 8;
        QTest::newRow("write all, ten failures")
            << +WriteAll
            << QString("2=marker,3=marker,4=silent,5=short,6=long,7=marker,8=marker,9=marker,"
                       "10=marker,11=marker")
            << error << 11 << -1;
        QTest::newRow("read one") << +ReadOne << QString() << one << 2 << 1;
        QTest::newRow("read one, identify without OK where it belongs")
            << +ReadOne << QString("1=long") << QString::fromUtf8("Font Data Error　COM_TYPE １３")
            << 1 << 0;
        QTest::newRow("write one") << +WriteOne << QString() << oneWritten << 2 << 1;
        QTest::newRow("write one, answered NG")
            << +WriteOne << QString("2=marker")
            << QString::fromUtf8("Font Data Error　COM_TYPE １２") << 2 << 1;
        QString twenty, twentyOne;
        for (int i = 1; i <= 21; ++i)
            (i <= 20 ? twenty : twentyOne) += QStringLiteral("%1=silent,").arg(i);
        QTest::newRow("write one, twenty time-outs are resent")
            << +WriteOne << twenty << oneWritten << 22 << 1;
        QTest::newRow("write one, the 21st time-out gives up")
            << +WriteOne << twenty + twentyOne << QString("Com Error") << 21 << 0;
        const QString portError = "Port Error";
        QTest::newRow("read all, port gone at identify")
            << +ReadAll << "port@1" << portError << 0 << 0;
        QTest::newRow("read all, port gone at glyph 3")
            << +ReadAll << "port@4" << portError << 3 << 2;
        QTest::newRow("write one, port gone") << +WriteOne << "port@2" << portError << 1 << 0;
    }
    void transfers() {
        QFETCH(int, kind);
        QFETCH(QString, faults);
        QFETCH(QString, message);
        QFETCH(int, exchanges);
        QFETCH(int, touched);
        const bool writes = kind == WriteAll || kind == WriteOne;
        const bool single = kind == ReadOne || kind == WriteOne;
        const auto isTouched = [&](int g) {
            return single ? touched == 1 && g == SingleIndex[kind] : g < touched;
        };
        const int portAt = faults.startsWith("port@") ? faults.mid(5).toInt() : 0;
        const bool paced = faults == "paced";
        // "3=silent,5=marker": exchange 3 goes unanswered, exchange 5 carries a wrong marker.
        SimulatedRadio radio(SimulatedRadio::blankImage());
        radio.setMemory(GlyphArea, writes ? QByteArray(256, '\0') : patternMemory());
        radio.setFaults(*FaultPlan::parse(portAt || paced ? QString() : faults, nullptr));
        if (paced)
            radio.setPacing(57600);
        VanishingPort port(radio, portAt);
        GlyphSet glyphs = writes ? patternGlyphs() : GlyphSet{}; // unlike the radio's glyphs
        const GlyphSet before = glyphs;
        GlyphTransfers transfers(paced ? std::chrono::milliseconds(200) : Wait);
        const GlyphResult result = run(transfers, port, Kind(kind), glyphs);

        QCOMPARE(glyphEndingText(result.ending).text, message);
        QCOMPARE(result.detail, portAt ? QString("Input/output error") : QString());
        QCOMPARE(radio.exchangeCount(), exchanges);
        QVERIFY(!radio.isOpen());
        for (int g = 0; g < GlyphCount; ++g) {
            const auto slot = static_cast<size_t>(g);
            if (!writes)
                QCOMPARE(glyphs[slot], isTouched(g) ? patternGlyphs()[slot] : before[slot]);
            else if (touched >= 0)
                QCOMPARE(radio.memory(GlyphArea + 32 * quint32(g), 32),
                         isTouched(g) ? encodeGlyph(before[slot]) : QByteArray(32, '\0'));
        }
    }
};

QTEST_GUILESS_MAIN(GlyphTransferTest)
#include "tst_glyph_transfer.moc"
