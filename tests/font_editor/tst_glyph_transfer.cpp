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

} // namespace

class GlyphTransferTest : public QObject {
    Q_OBJECT
private slots:
    void readAll_data();
    void readAll();
    void writeAll_data();
    void writeAll();
    void singleRead_data();
    void singleRead();
    void singleWrite_data();
    void singleWrite();
    void portFaults_data();
    void portFaults();
    void timeoutsCountAcrossSingleTransfers();
    void stopRequestEndsQuietly();
    void progressSteps();
    void pacedRadioAnswersInFull();
};

void GlyphTransferTest::readAll_data() {
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("decoded");
    QTest::addColumn<int>("exchanges");

    QTest::newRow("clean") << ""
                           << "All Font Data Read" << 8 << 9;
    QTest::newRow("identify fails twice") << "1=silent,2=long"
                                          << "All Font Data Read" << 8 << 11;
    QTest::newRow("identify fails three times") << "1=silent,2=long,3=short"
                                                << "Error" << 0 << 3;
    QTest::newRow("nine glyph failures are survived")
        << "2=silent,3=short,4=marker,5=nonhex,6=long,7=silent,8=silent,9=short,10=silent"
        << "All Font Data Read" << 8 << 18;
    QTest::newRow("ten glyph failures in total")
        << "3=silent,5=marker,6=marker,7=short,8=long,9=silent,10=nonhex,11=marker,12=marker,"
           "13=marker"
        << "Error" << 2 << 13;
    QTest::newRow("garbled digit is read again") << "2=nonhex"
                                                 << "All Font Data Read" << 8 << 10;
    QTest::newRow("reply still arriving is read again") << "4=short"
                                                        << "All Font Data Read" << 8 << 10;
}

void GlyphTransferTest::readAll() {
    QFETCH(QString, faults);
    QFETCH(QString, message);
    QFETCH(int, decoded);
    QFETCH(int, exchanges);

    Radio radio(faults);
    GlyphSet glyphs;
    glyphs[7].setPixel(5, 5, true); // must survive when glyph 7 is never read
    const GlyphSet before = glyphs;
    GlyphTransfers transfers(Wait);
    const FontResult result = transfers.readAll(radio.sim, glyphs);

    QCOMPARE(result.message, message);
    QCOMPARE(result.glyphsDecoded, decoded);
    QCOMPARE(radio.sim.exchangeCount(), exchanges);
    QCOMPARE(radio.sim.log().front().command, Identify);
    QVERIFY(!radio.sim.isOpen());
    for (int g = 0; g < GlyphCount; ++g) {
        const auto slot = static_cast<size_t>(g);
        QCOMPARE(glyphs[slot], g < decoded ? patternGlyph(g) : before[slot]);
    }
    QCOMPARE(result.title(), QString(result.ok() ? " Finish" : " Error"));
    if (result.ok())
        QCOMPARE(radio.sim.log().back().command, QByteArray("KV~F010E0R\r"));
}

void GlyphTransferTest::writeAll_data() {
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("exchanges");

    QTest::newRow("clean") << ""
                           << "All Font Data Write" << 9;
    QTest::newRow("write answered NG or cut short is sent again") << "3=marker,4=short,5=long"
                                                                  << "All Font Data Write" << 12;
    QTest::newRow("ten failures") << "2=marker,3=marker,4=silent,5=short,6=long,7=marker,8=marker,"
                                     "9=marker,10=marker,11=marker"
                                  << "Error" << 11;
    QTest::newRow("no radio") << "1=silent,2=silent,3=silent"
                              << "Error" << 3;
}

void GlyphTransferTest::writeAll() {
    QFETCH(QString, faults);
    QFETCH(QString, message);
    QFETCH(int, exchanges);

    Radio radio(faults, QByteArray(256, '\0'));
    GlyphTransfers transfers(Wait);
    const FontResult result = transfers.writeAll(radio.sim, patternGlyphs());
    QCOMPARE(result.message, message);
    QCOMPARE(radio.sim.exchangeCount(), exchanges);
    const QByteArray area = radio.sim.memory(GlyphArea, 256);
    if (result.ok()) {
        QCOMPARE(area, patternMemory());
        QCOMPARE(radio.sim.log()[1].command.left(10), QByteArray("KV~F01000W"));
        QCOMPARE(radio.sim.log().back().command.left(10), QByteArray("KV~F010E0W"));
    } else if (exchanges == 3) {
        QCOMPARE(area, QByteArray(256, '\0')); // nothing written without a handshake
    }
    // Nothing outside the glyph area is ever touched.
    QCOMPARE(radio.sim.memory(GlyphArea + 256, 64), QByteArray(64, '\0'));
}

void GlyphTransferTest::singleRead_data() {
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<int>("exchanges");

    QTest::newRow("clean") << ""
                           << "Success Font Read" << true << 2;
    QTest::newRow("identify without OK where it belongs")
        << "1=long" << QString::fromUtf8("Font Data Error　COM_TYPE １３") << false << 1;
    QTest::newRow("79 characters are enough") << "2=short"
                                              << "Success Font Read" << true << 2;
    QTest::newRow("time-outs resend the same command") << "1=silent,3=silent"
                                                       << "Success Font Read" << true << 4;
    QTest::newRow("garbled glyph digit is sent again") << "1=silent,2=silent,4=nonhex"
                                                       << "Success Font Read" << true << 5;
}

void GlyphTransferTest::singleRead() {
    QFETCH(QString, faults);
    QFETCH(QString, message);
    QFETCH(bool, decoded);
    QFETCH(int, exchanges);

    Radio radio(faults);
    GlyphTransfers transfers(Wait);
    Glyph glyph;
    const FontResult result = transfers.readGlyph(radio.sim, 4, glyph);
    QCOMPARE(result.message, message);
    QCOMPARE(glyph, decoded ? patternGlyph(4) : Glyph{});
    QCOMPARE(radio.sim.exchangeCount(), exchanges);
    QVERIFY(!radio.sim.isOpen());
    for (const ExchangeRecord& exchange : radio.sim.log())
        QVERIFY(exchange.command == Identify || exchange.command == "KV~F01080R\r");
}

void GlyphTransferTest::singleWrite_data() {
    QTest::addColumn<QString>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("exchanges");

    QTest::newRow("clean") << ""
                           << "Success Font Write" << 2;
    QTest::newRow("identify without OK where it belongs")
        << "1=long" << QString::fromUtf8("Font Data Error　COM_TYPE １１") << 1;
    QTest::newRow("write answered NG")
        << "2=marker" << QString::fromUtf8("Font Data Error　COM_TYPE １２") << 2;
    QString twenty, twentyOne;
    for (int i = 1; i <= 21; ++i)
        (i <= 20 ? twenty : twentyOne) += QStringLiteral("%1=silent,").arg(i);
    QTest::newRow("twenty time-outs are resent") << twenty << "Success Font Write" << 22;
    QTest::newRow("the 21st time-out gives up") << twenty + twentyOne << "Com Error" << 21;
}

void GlyphTransferTest::singleWrite() {
    QFETCH(QString, faults);
    QFETCH(QString, message);
    QFETCH(int, exchanges);

    Radio radio(faults, QByteArray(256, '\0'));
    GlyphTransfers transfers(Wait);
    const FontResult result = transfers.writeGlyph(radio.sim, 6, patternGlyph(6));
    QCOMPARE(result.message, message);
    QCOMPARE(radio.sim.exchangeCount(), exchanges);
    QCOMPARE(radio.sim.memory(GlyphArea + 6 * 32, 32),
             result.ok() || message.contains(QChar(0xFF12)) ? patternMemory().mid(6 * 32, 32)
                                                            : QByteArray(32, '\0'));
    if (message == "Com Error")
        QCOMPARE(transfers.timeouts(), 0);
}

void GlyphTransferTest::portFaults_data() {
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("transfer"); // 0 read all, 1 write all, 2 read one, 3 write one
    QTest::newRow("read all, identify") << 1 << 0;
    QTest::newRow("read all, glyph 2") << 4 << 0;
    QTest::newRow("write all, glyph 0") << 2 << 1;
    QTest::newRow("read one, identify") << 1 << 2;
    QTest::newRow("write one, glyph") << 2 << 3;
}

void GlyphTransferTest::portFaults() {
    QFETCH(int, failAt);
    QFETCH(int, transfer);
    Radio radio(QString{});
    BreakingLink link(radio.sim, failAt);
    GlyphTransfers transfers(Wait);
    GlyphSet glyphs;
    Glyph glyph;
    FontResult result;
    switch (transfer) {
    case 0:
        result = transfers.readAll(link, glyphs);
        break;
    case 1:
        result = transfers.writeAll(link, glyphs);
        break;
    case 2:
        result = transfers.readGlyph(link, 0, glyph);
        break;
    default:
        result = transfers.writeGlyph(link, 0, glyph);
    }
    QCOMPARE(result.outcome, FontOutcome::PortError);
    QCOMPARE(result.message, QString("Port Error"));
    QCOMPARE(result.detail, QString("Input/output error"));
    QCOMPARE(link.sends(), failAt);
    QVERIFY(!radio.sim.isOpen());
}

void GlyphTransferTest::timeoutsCountAcrossSingleTransfers() {
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

void GlyphTransferTest::stopRequestEndsQuietly() {
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

void GlyphTransferTest::progressSteps() {
    Radio radio(QString{});
    GlyphTransfers transfers(Wait);
    QList<int> seen;
    FontHooks hooks;
    hooks.progress = [&](int percent) { seen.append(percent); };
    QVERIFY(transfers.writeAll(radio.sim, GlyphSet{}, hooks).ok());
    QCOMPARE(seen, (QList<int>{0, 12, 24, 36, 48, 60, 72, 84, 96, 100}));
}

// At 57600 baud a reply trickles in; the whole-set waits must take it only once it is complete
// (taking it at 79 characters would fail every read and never finish).
void GlyphTransferTest::pacedRadioAnswersInFull() {
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

QTEST_GUILESS_MAIN(GlyphTransferTest)
#include "tst_glyph_transfer.moc"
