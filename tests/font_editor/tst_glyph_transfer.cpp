#include "font_editor/glyph_transfer.h"
#include "sim/simulated_radio.h"

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

Glyph patternGlyph(int g) {
    return decodeGlyph(patternMemory().mid(32 * g, 32));
}

GlyphSet patternGlyphs() {
    GlyphSet glyphs;
    for (int g = 0; g < GlyphCount; ++g)
        glyphs[static_cast<size_t>(g)] = patternGlyph(g);
    return glyphs;
}

// The simulated radio with the glyph pattern in its memory and the faults of `plan`
// ("3=silent,5=marker": exchange 3 goes unanswered, exchange 5 carries a wrong marker).
struct Radio {
    explicit Radio(const QString& plan, const QByteArray& glyphs = patternMemory())
        : sim(SimulatedRadio::blankImage()) {
        sim.setMemory(GlyphArea, glyphs);
        QString error;
        const auto faults = FaultPlan::parse(plan, &error);
        if (!faults)
            qFatal("bad fault plan: %s", qPrintable(error));
        sim.setFaults(*faults);
    }
    SimulatedRadio sim;
};

// Forwards to the simulated radio; the send of exchange `failAt` fails as a vanished port would.
class BreakingLink : public Link {
public:
    BreakingLink(Link& inner, int failAt) : inner_(inner), failAt_(failAt) {}
    bool send(const QByteArray& command) override {
        if (++sends_ == failAt_)
            return false;
        return inner_.send(command);
    }
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override {
        return inner_.receive(expected, timeout);
    }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    QString errorString() const override { return QStringLiteral("Input/output error"); }
    int sends() const { return sends_; }

private:
    Link& inner_;
    int failAt_;
    int sends_ = 0;
};

const QByteArray Identify = "KV~QM-H4\r";

// The four transfers of the font editor; the single ones work on glyph 5 (index 4) and glyph 7
// (index 6).
enum Kind { ReadAll, WriteAll, ReadOne, WriteOne };
constexpr int SingleIndex[] = {0, 0, 4, 6};

FontResult run(GlyphTransfers& transfers, Link& link, Kind kind, GlyphSet& glyphs) {
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

} // namespace

class GlyphTransferTest : public QObject {
    Q_OBJECT
private slots:
    // A read fills `touched` glyphs (the whole set: glyphs 0 .. touched-1; a single read: its
    // glyph when touched is 1) and leaves the others as they were; a write puts `touched`
    // glyphs into the radio (-1: not checked) and nothing else.
    void transfers_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("exchanges");
        QTest::addColumn<int>("touched");
        const QString read = "All Font Data Read", written = "All Font Data Write";
        const QString one = "Success Font Read", oneWritten = "Success Font Write";
        const QString error = "Error";
        QTest::newRow("read all") << +ReadAll << QString() << read << 9 << 8;
        QTest::newRow("read all, identify fails twice")
            << +ReadAll << QString("1=silent,2=long") << read << 11 << 8;
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
        QTest::newRow("write all, NG or cut short is sent again")
            << +WriteAll << QString("3=marker,4=short,5=long") << written << 12 << 8;
        QTest::newRow("write all, ten failures")
            << +WriteAll
            << QString("2=marker,3=marker,4=silent,5=short,6=long,7=marker,8=marker,9=marker,"
                       "10=marker,11=marker")
            << error << 11 << -1;
        QTest::newRow("write all, no radio")
            << +WriteAll << QString("1=silent,2=silent,3=silent") << error << 3 << 0;
        QTest::newRow("read one") << +ReadOne << QString() << one << 2 << 1;
        QTest::newRow("read one, identify without OK where it belongs")
            << +ReadOne << QString("1=long") << QString::fromUtf8("Font Data Error　COM_TYPE １３")
            << 1 << 0;
        QTest::newRow("read one, 79 characters are enough")
            << +ReadOne << QString("2=short") << one << 2 << 1;
        QTest::newRow("read one, time-outs resend the same command")
            << +ReadOne << QString("1=silent,3=silent") << one << 4 << 1;
        QTest::newRow("read one, garbled digit is sent again")
            << +ReadOne << QString("1=silent,2=silent,4=nonhex") << one << 5 << 1;
        QTest::newRow("write one") << +WriteOne << QString() << oneWritten << 2 << 1;
        QTest::newRow("write one, identify without OK where it belongs")
            << +WriteOne << QString("1=long") << QString::fromUtf8("Font Data Error　COM_TYPE １１")
            << 1 << 0;
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
        Radio radio(faults, writes ? QByteArray(256, '\0') : patternMemory());
        GlyphSet glyphs = writes ? patternGlyphs() : GlyphSet{};
        for (Glyph& glyph : glyphs)
            glyph.setPixel(5, 5, !glyph.pixel(5, 5)); // differs from the radio's glyphs
        const GlyphSet before = glyphs;
        GlyphTransfers transfers(Wait);
        const FontResult result = run(transfers, radio.sim, Kind(kind), glyphs);

        QCOMPARE(result.message, message);
        QCOMPARE(result.title(),
                 QString(message.startsWith("Success") || message.startsWith("All") ? " Finish"
                                                                                    : " Error"));
        QCOMPARE(radio.sim.exchangeCount(), exchanges);
        QCOMPARE(radio.sim.log().front().command, Identify);
        QVERIFY(!radio.sim.isOpen());
        for (int g = 0; g < GlyphCount; ++g) {
            const auto slot = static_cast<size_t>(g);
            const QByteArray inRadio = radio.sim.memory(GlyphArea + 32 * quint32(g), 32);
            if (!writes)
                QCOMPARE(glyphs[slot], isTouched(g) ? patternGlyph(g) : before[slot]);
            else if (touched >= 0)
                QCOMPARE(inRadio, isTouched(g) ? encodeGlyph(before[slot]) : QByteArray(32, '\0'));
        }
        if (!writes)
            QCOMPARE(result.glyphsDecoded, touched);
        // Nothing outside the glyph area is ever touched; a single transfer only ever names
        // its own glyph.
        QCOMPARE(radio.sim.memory(GlyphArea + 256, 64), QByteArray(64, '\0'));
        const QByteArray own =
            single ? glyphwire::readCommand(SingleIndex[kind]).left(9) : "KV~F010";
        for (const ExchangeRecord& exchange : radio.sim.log())
            QVERIFY(exchange.command == Identify || exchange.command.startsWith(own));
        if (result.message == "Com Error")
            QCOMPARE(transfers.timeouts(), 0);
    }

    void portFaults_data() {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<int>("transfer");
        QTest::newRow("read all, identify") << 1 << +ReadAll;
        QTest::newRow("read all, glyph 2") << 4 << +ReadAll;
        QTest::newRow("write all, glyph 0") << 2 << +WriteAll;
        QTest::newRow("read one, identify") << 1 << +ReadOne;
        QTest::newRow("write one, glyph") << 2 << +WriteOne;
    }

    void portFaults() {
        QFETCH(int, failAt);
        QFETCH(int, transfer);
        Radio radio(QString{});
        BreakingLink link(radio.sim, failAt);
        GlyphTransfers transfers(Wait);
        GlyphSet glyphs;
        const FontResult result = run(transfers, link, Kind(transfer), glyphs);
        QCOMPARE(result.outcome, FontOutcome::PortError);
        QCOMPARE(result.message, QString("Port Error"));
        QCOMPARE(result.detail, QString("Input/output error"));
        QCOMPARE(link.sends(), failAt);
        QVERIFY(!radio.sim.isOpen());
    }

    void timeoutsCountAcrossSingleTransfers() {
        Radio radio(QString{});
        GlyphTransfers transfers(Wait);
        Glyph glyph;
        auto silence = [&](int count) {
            FaultPlan plan;
            for (int i = 1; i <= count; ++i)
                plan.byExchange[radio.sim.exchangeCount() + i] = Fault::NoAnswer;
            radio.sim.setFaults(plan);
        };
        silence(15);
        QVERIFY(transfers.readGlyph(radio.sim, 0, glyph).ok());
        QCOMPARE(transfers.timeouts(), 15);
        silence(6);
        QCOMPARE(transfers.writeGlyph(radio.sim, 0, glyph).message, QString("Com Error"));
        // After "Com Error" the count starts over, and Read ALL starts it over too.
        silence(20);
        QVERIFY(transfers.readGlyph(radio.sim, 0, glyph).ok());
        GlyphSet glyphs;
        QVERIFY(transfers.readAll(radio.sim, glyphs).ok());
        silence(20);
        QVERIFY(transfers.writeGlyph(radio.sim, 0, glyph).ok());
    }

    void stopRequestEndsQuietly() {
        Radio radio(QString{});
        GlyphTransfers transfers(Wait);
        int exchanges = 0;
        FontHooks hooks;
        hooks.stopRequested = [&] { return ++exchanges == 3; };
        GlyphSet glyphs;
        const FontResult result = transfers.readAll(radio.sim, glyphs, hooks);
        QCOMPARE(result.outcome, FontOutcome::Stopped);
        QVERIFY(result.message.isEmpty());
        QCOMPARE(radio.sim.exchangeCount(), 3);
        QVERIFY(!radio.sim.isOpen());
    }

    void pacedRadioAnswersInFull() {
        Radio radio(QString{});
        radio.sim.setPacing(57600);
        GlyphTransfers transfers(std::chrono::milliseconds(200));
        GlyphSet glyphs;
        QCOMPARE(transfers.readAll(radio.sim, glyphs).message, QString("All Font Data Read"));
        QVERIFY(glyphs == patternGlyphs());
        QCOMPARE(radio.sim.exchangeCount(), 9);
        QCOMPARE(transfers.writeAll(radio.sim, GlyphSet{}).message, QString("All Font Data Write"));
        QCOMPARE(radio.sim.exchangeCount(), 18);
        QCOMPARE(radio.sim.memory(GlyphArea, 256), QByteArray(256, '\0'));
    }
};

QTEST_GUILESS_MAIN(GlyphTransferTest)
#include "tst_glyph_transfer.moc"
