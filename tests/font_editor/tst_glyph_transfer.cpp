#include "font_editor/glyph_transfer.h"
#include "glyph_radio_double.h"

#include <QTest>

using namespace qmh4;
using qmh4::test::GlyphRadioDouble;
using Fault = GlyphRadioDouble::Fault;

Q_DECLARE_METATYPE(QList<GlyphRadioDouble::Fault>)

namespace {

constexpr std::chrono::milliseconds Wait{1};

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

QList<Fault> repeated(Fault fault, int count) {
    return QList<Fault>(count, fault);
}

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
    void timeoutsCountAcrossSingleTransfers();
    void stopRequestEndsQuietly();
    void progressSteps();
};

void GlyphTransferTest::readAll_data() {
    QTest::addColumn<QList<Fault>>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("decoded");
    QTest::addColumn<int>("commands");

    QTest::newRow("clean") << QList<Fault>{} << "All Font Data Read" << 8 << 9;
    QTest::newRow("identify fails twice")
        << QList<Fault>{Fault::Silent, Fault::NoOk} << "All Font Data Read" << 8 << 11;
    QTest::newRow("identify fails three times")
        << QList<Fault>{Fault::Silent, Fault::NoOk, Fault::Extra} << "Error" << 0 << 3;
    QTest::newRow("identify of 16 characters") << repeated(Fault::Short, 3) << "Error" << 0 << 3;
    QTest::newRow("nine glyph failures are survived")
        << QList<Fault>{Fault::None} + repeated(Fault::Silent, 9) << "All Font Data Read" << 8
        << 18;
    QTest::newRow("ten glyph failures in total")
        << QList<Fault>{Fault::None, Fault::None, Fault::Silent, Fault::None} +
               repeated(Fault::BadEnd, 9)
        << "Error" << 2 << 13;
    QTest::newRow("reply cut at 79 characters is retried")
        << QList<Fault>{Fault::None, Fault::Truncate} << "All Font Data Read" << 8 << 10;
    QTest::newRow("longer reply is retried")
        << QList<Fault>{Fault::None, Fault::None, Fault::Extra} << "All Font Data Read" << 8 << 10;
    QTest::newRow("port fault") << QList<Fault>{Fault::None, Fault::None, Fault::PortFault}
                                << "Port Error" << 1 << 3;
}

void GlyphTransferTest::readAll() {
    QFETCH(QList<Fault>, faults);
    QFETCH(QString, message);
    QFETCH(int, decoded);
    QFETCH(int, commands);

    GlyphRadioDouble radio;
    radio.memory = patternMemory();
    radio.faults = faults;
    GlyphSet glyphs;
    glyphs[7].setPixel(5, 5, true); // must survive when glyph 7 is never read
    const GlyphSet before = glyphs;
    GlyphTransfers transfers(Wait);
    const FontResult result = transfers.readAll(radio, glyphs);

    QCOMPARE(result.message, message);
    QCOMPARE(result.glyphsDecoded, decoded);
    QCOMPARE(radio.commands.size(), commands);
    QCOMPARE(radio.commands.first(), Identify);
    QVERIFY(!radio.isOpen());
    const GlyphSet expected = patternGlyphs();
    for (int g = 0; g < GlyphCount; ++g) {
        const auto slot = static_cast<size_t>(g);
        QCOMPARE(glyphs[slot], g < decoded ? expected[slot] : before[slot]);
    }
    if (result.ok()) {
        QCOMPARE(radio.commands.last(), QByteArray("KV~F010E0R\r"));
        QCOMPARE(result.title(), QString(" Finish"));
    } else {
        QCOMPARE(result.title(), QString(" Error"));
    }
}

void GlyphTransferTest::writeAll_data() {
    QTest::addColumn<QList<Fault>>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("commands");

    QTest::newRow("clean") << QList<Fault>{} << "All Font Data Write" << 9;
    QTest::newRow("write answered NG is retried")
        << QList<Fault>{Fault::None, Fault::NoOk, Fault::Truncate} << "All Font Data Write" << 11;
    QTest::newRow("ten failures") << QList<Fault>{Fault::None} + repeated(Fault::NoOk, 10)
                                  << "Error" << 11;
    QTest::newRow("no radio") << repeated(Fault::Silent, 3) << "Error" << 3;
}

void GlyphTransferTest::writeAll() {
    QFETCH(QList<Fault>, faults);
    QFETCH(QString, message);
    QFETCH(int, commands);

    GlyphRadioDouble radio;
    radio.faults = faults;
    GlyphTransfers transfers(Wait);
    const FontResult result = transfers.writeAll(radio, patternGlyphs());
    QCOMPARE(result.message, message);
    QCOMPARE(radio.commands.size(), commands);
    if (result.ok()) {
        QCOMPARE(radio.memory, patternMemory());
        for (int g = 0; g < GlyphCount && commands == 9; ++g)
            QCOMPARE(radio.commands[g + 1].left(10), glyphwire::writeCommand(g, {}).left(10));
    } else if (commands == 3) {
        QCOMPARE(radio.memory, QByteArray(256, '\0')); // nothing written without a handshake
    }
}

void GlyphTransferTest::singleRead_data() {
    QTest::addColumn<QList<Fault>>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("decoded");

    QTest::newRow("clean") << QList<Fault>{} << "Success Font Read" << true;
    QTest::newRow("identify without OK")
        << QList<Fault>{Fault::NoOk} << QString::fromUtf8("Font Data Error　COM_TYPE １３")
        << false;
    QTest::newRow("79 characters are enough")
        << QList<Fault>{Fault::None, Fault::Truncate} << "Success Font Read" << true;
    QTest::newRow("time-outs resend the same command")
        << QList<Fault>{Fault::Silent, Fault::None, Fault::Silent} << "Success Font Read" << true;
    QTest::newRow("port fault") << QList<Fault>{Fault::None, Fault::PortFault} << "Port Error"
                                << false;
}

void GlyphTransferTest::singleRead() {
    QFETCH(QList<Fault>, faults);
    QFETCH(QString, message);
    QFETCH(bool, decoded);

    GlyphRadioDouble radio;
    radio.memory = patternMemory();
    radio.faults = faults;
    GlyphTransfers transfers(Wait);
    Glyph glyph;
    const FontResult result = transfers.readGlyph(radio, 4, glyph);
    QCOMPARE(result.message, message);
    QCOMPARE(glyph, decoded ? patternGlyphs()[4] : Glyph{});
    QVERIFY(!radio.isOpen());
    for (const QByteArray& command : radio.commands)
        QVERIFY(command == Identify || command == "KV~F01080R\r");
}

void GlyphTransferTest::singleWrite_data() {
    QTest::addColumn<QList<Fault>>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("commands");

    QTest::newRow("clean") << QList<Fault>{} << "Success Font Write" << 2;
    QTest::newRow("identify without OK")
        << QList<Fault>{Fault::NoOk} << QString::fromUtf8("Font Data Error　COM_TYPE １１") << 1;
    QTest::newRow("write without OK") << QList<Fault>{Fault::None, Fault::NoOk}
                                      << QString::fromUtf8("Font Data Error　COM_TYPE １２") << 2;
    QTest::newRow("twenty time-outs are resent")
        << repeated(Fault::Silent, 20) << "Success Font Write" << 22;
    QTest::newRow("the 21st time-out gives up") << repeated(Fault::Silent, 21) << "Com Error" << 21;
}

void GlyphTransferTest::singleWrite() {
    QFETCH(QList<Fault>, faults);
    QFETCH(QString, message);
    QFETCH(int, commands);

    GlyphRadioDouble radio;
    radio.faults = faults;
    GlyphTransfers transfers(Wait);
    const FontResult result = transfers.writeGlyph(radio, 6, patternGlyphs()[6]);
    QCOMPARE(result.message, message);
    QCOMPARE(radio.commands.size(), commands);
    if (result.ok())
        QCOMPARE(radio.glyphBytes(6), patternMemory().mid(6 * 32, 32));
    if (message == "Com Error")
        QCOMPARE(transfers.timeouts(), 0);
}

void GlyphTransferTest::timeoutsCountAcrossSingleTransfers() {
    GlyphRadioDouble radio;
    GlyphTransfers transfers(Wait);
    Glyph glyph;
    radio.faults = repeated(Fault::Silent, 15);
    QVERIFY(transfers.readGlyph(radio, 0, glyph).ok());
    QCOMPARE(transfers.timeouts(), 15);
    radio.faults = repeated(Fault::Silent, 6);
    QCOMPARE(transfers.writeGlyph(radio, 0, glyph).message, QString("Com Error"));
    // After "Com Error" the count starts over, and Read ALL starts it over too.
    radio.faults = repeated(Fault::Silent, 20);
    QVERIFY(transfers.readGlyph(radio, 0, glyph).ok());
    GlyphSet glyphs;
    QVERIFY(transfers.readAll(radio, glyphs).ok());
    radio.faults = repeated(Fault::Silent, 20);
    QVERIFY(transfers.writeGlyph(radio, 0, glyph).ok());
}

void GlyphTransferTest::stopRequestEndsQuietly() {
    GlyphRadioDouble radio;
    GlyphTransfers transfers(Wait);
    int exchanges = 0;
    FontHooks hooks;
    hooks.stopRequested = [&] { return ++exchanges == 3; };
    GlyphSet glyphs;
    const FontResult result = transfers.readAll(radio, glyphs, hooks);
    QCOMPARE(result.outcome, FontOutcome::Stopped);
    QVERIFY(result.message.isEmpty());
    QCOMPARE(radio.commands.size(), 3);
    QVERIFY(!radio.isOpen());
}

void GlyphTransferTest::progressSteps() {
    GlyphRadioDouble radio;
    GlyphTransfers transfers(Wait);
    QList<int> seen;
    FontHooks hooks;
    hooks.progress = [&](int percent) { seen.append(percent); };
    QVERIFY(transfers.writeAll(radio, GlyphSet{}, hooks).ok());
    QCOMPARE(seen, (QList<int>{0, 12, 24, 36, 48, 60, 72, 84, 96, 100}));
}

QTEST_GUILESS_MAIN(GlyphTransferTest)
#include "tst_glyph_transfer.moc"
