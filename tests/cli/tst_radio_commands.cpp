#include "../files/sample_data.h"
#include "cli_test_support.h"
#include "files/data_file.h"
#include "files/text_file.h"
#include "font_editor/font_file.h"
#include "link/whole_radio.h"
#include "sim/simulated_radio.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qmh4;
using namespace qmh4::test;

namespace {

// The radio's memory areas as the whole-radio commands touch them.
struct MemoryArea {
    const char* name;
    quint32 address;
    qsizetype length;
};
const MemoryArea Areas[] = {
    {"set mode", 0x00000, 0xC0}, {"groups", 0x00100, 0x60}, {"one-touch", 0x00180, 0x20},
    {"title", 0x001A0, 0x60},    {"banks", 0x00200, 0x80},  {"pass table", 0x00C00, 0x328},
    {"glyphs", 0x01000, 0x100},  {"dtmf", 0x01100, 0xA5},   {"channels", 0x01200, 1623 * 64},
};

// `qmh4 sim` as a child process: the radio at the other end of a pseudo-terminal, its memory
// saved when it ends.
class SimProcess {
public:
    SimProcess(const QString& image, const QString& saveTo, const QString& faults = {})
        : saveTo_(saveTo) {
        QStringList arguments{"sim", "--baud", "0", "--image", image, "--save", saveTo};
        if (!faults.isEmpty())
            arguments << "--faults" << faults;
        process_.start(QStringLiteral(QMH4_CLI_PATH), arguments);
        if (process_.waitForReadyRead(10000))
            port_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~SimProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }
    const QString& port() const { return port_; }

    // Ends the simulator; its memory, or an empty array when it could not be saved.
    QByteArray finish() {
        process_.terminate();
        process_.waitForFinished(10000);
        SimulatedRadio radio;
        QString error;
        return radio.loadImage(saveTo_, &error) ? radio.image() : QByteArray();
    }

private:
    QProcess process_;
    QString saveTo_;
    QString port_;
};

QByteArray area(const QByteArray& image, const MemoryArea& memory) {
    return image.mid(memory.address, memory.length);
}

// Eight different glyphs.
GlyphSet fontGlyphs() {
    GlyphSet glyphs{};
    for (int g = 0; g < GlyphCount; ++g) {
        for (int r = 0; r < GlyphSide; ++r) {
            for (int c = 0; c < GlyphSide; ++c)
                glyphs[g].setPixel(r, c, (r * 3 + c * 7 + g) % 5 == 0);
        }
    }
    return glyphs;
}

QByteArray wireGlyphs(const GlyphSet& glyphs) {
    QByteArray bytes;
    for (const Glyph& glyph : glyphs)
        bytes += encodeGlyph(glyph);
    return bytes;
}

QList<QByteArray> channelLines(const QString& path) {
    QList<QByteArray> lines = splitLines(*readTextFile(path));
    lines.removeIf([](const QByteArray& line) { return !line.startsWith("CH"); });
    return lines;
}

} // namespace

class TestRadioCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QByteArray start_;   // the radio before a write: the demo radio with glyphs of its own
    QByteArray written_; // the same radio after "Write All Data" of in.H4 with f.FH4
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Runs qmh4 against a simulator that starts from `image`; returns the memory it ends with.
    QByteArray runOnSimulator(const QByteArray& image, const QStringList& arguments, CliRun& run,
                              const QString& faults = {}) {
        const QString imagePath = path("image.bin");
        QFile file(imagePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
            return {};
        file.close();
        SimProcess sim(imagePath, path("saved.bin"), faults);
        if (!sim.port().startsWith(QLatin1String("/dev/")))
            return {};
        run = runQmh4(QStringList{arguments.first(), "--port", sim.port()} + arguments.mid(1));
        return sim.finish();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const RadioData sample = sampleData();
        QVERIFY(saveDataFile(path("in.H4"), sample).ok);
        QVERIFY(saveFontFile(path("f.FH4"), fontGlyphs()).ok);

        SimulatedRadio radio;
        QByteArray ownGlyphs(256, '\0');
        for (int i = 0; i < ownGlyphs.size(); ++i)
            ownGlyphs[i] = static_cast<char>(i * 37 + 11);
        radio.setMemory(0x01000, ownGlyphs);
        start_ = radio.image();

        // What the window's "Write All Data" leaves in that radio, in process.
        WholeRadioData data;
        data.channels = sample.channels;
        data.areas = sample.areas;
        data.glyphs = fontGlyphs();
        data.glyphsReal = true;
        QVERIFY(writeWholeRadio(radio, data, {}).allSucceeded());
        written_ = radio.image();
        // Every area changes, so a step left out cannot go unnoticed.
        for (const MemoryArea& memory : Areas)
            QVERIFY2(area(written_, memory) != area(start_, memory), memory.name);
    }

    // Without --font the radio keeps its glyphs; with it they are the font file's. Every other
    // area is as the window's "Write All Data" leaves it.
    void writeMovesTheWholeRadio_data() {
        QTest::addColumn<bool>("withFont");
        QTest::newRow("without font") << false;
        QTest::newRow("with font") << true;
    }
    void writeMovesTheWholeRadio() {
        QFETCH(bool, withFont);
        QStringList arguments{"write"};
        if (withFont)
            arguments << "--font" << path("f.FH4");
        CliRun run;
        const QByteArray after = runOnSimulator(start_, arguments << path("in.H4"), run);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(!after.isEmpty());
        for (const MemoryArea& memory : Areas) {
            const bool keptGlyphs = !withFont && QByteArray(memory.name) == "glyphs";
            QVERIFY2(area(after, memory) == area(keptGlyphs ? start_ : written_, memory),
                     memory.name);
        }
        if (withFont)
            QCOMPARE(after.mid(0x01000, 256), wireGlyphs(fontGlyphs()));
    }

    // The data file holds what the radio holds, the font file its glyphs; the read leaves the
    // radio as it was. --only reads just the chosen areas onto the start-up state.
    void readSavesTheWholeRadio() {
        CliRun run;
        const QByteArray after =
            runOnSimulator(written_, {"read", "--font", path("back.FH4"), path("back.H4")}, run);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(after, written_);
        QCOMPARE(channelLines(path("back.H4")), channelLines(path("in.H4")));

        RadioData back;
        QCOMPARE(openDataFile(path("back.H4"), back).text, QStringLiteral("Read File"));
        const RadioData sample = sampleData();
        QCOMPARE(back.areas.banks, sample.areas.banks);
        QCOMPARE(back.areas.oneTouch, sample.areas.oneTouch);
        QCOMPARE(back.areas.dtmf, sample.areas.dtmf);
        QCOMPARE(back.areas.title.text(), sample.areas.title.text());
        // The groups come back as the group editor reads them: empty banks leave every group.
        SimulatedRadio radio(written_);
        WholeRadioData read;
        QVERIFY(readWholeRadio(radio, read, {}).allSucceeded());
        QCOMPARE(back.areas.groups, read.areas.groups);
        QVERIFY(back.areas.groups != sample.areas.groups);

        GlyphSet glyphs{};
        const FontFileResult font = loadFontFile(path("back.FH4"), glyphs);
        QVERIFY2(font.ok, qPrintable(font.error));
        QCOMPARE(font.glyphsRead, GlyphCount);
        QVERIFY(glyphs == fontGlyphs());

        runOnSimulator(written_, {"read", "--only", "title,banks", path("part.H4")}, run);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        RadioData part;
        QVERIFY(openDataFile(path("part.H4"), part).ok);
        QCOMPARE(part.areas.title.text(), sample.areas.title.text());
        QCOMPARE(part.areas.banks, sample.areas.banks);
        QVERIFY(channelLines(path("part.H4")).isEmpty()); // no channel was read
        QCOMPARE(part.areas.groups, RadioData().areas.groups);
    }

    // --only writes the chosen areas and nothing else, whatever comes first.
    void writeChosenAreas_data() {
        QTest::addColumn<QString>("only");
        QTest::addColumn<QStringList>("changed");
        QTest::newRow("groups first") << "groups,title" << QStringList{"groups", "title"};
        QTest::newRow("all but groups and title")
            << "glyphs,settings,onetouch,channels,banks"
            << QStringList{"set mode", "dtmf",       "one-touch", "glyphs",
                           "channels", "pass table", "banks"};
    }
    void writeChosenAreas() {
        QFETCH(QString, only);
        QFETCH(QStringList, changed);
        QStringList arguments{"write", "--only", only};
        if (only.contains(QLatin1String("glyphs")))
            arguments << "--font" << path("f.FH4");
        CliRun run;
        const QByteArray after = runOnSimulator(start_, arguments << path("in.H4"), run);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(!after.isEmpty());
        for (const MemoryArea& memory : Areas) {
            const bool chosen = changed.contains(QLatin1String(memory.name));
            QVERIFY2(area(after, memory) == area(chosen ? written_ : start_, memory), memory.name);
        }
    }

    // A failing step says so, the sequence goes on, the exit status is 1, and a read saves
    // nothing.
    void radioStepFailure_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<QString>("message");
        // The first three exchanges are the channel step's handshake attempts.
        const QString noHandshake = QStringLiteral("1=silent,2=silent,3=silent");
        QTest::newRow("read") << "read" << noHandshake << "qmh4 read: channels: Error\n";
        QTest::newRow("write") << "write" << noHandshake << "qmh4 write: channels: Error\n";
    }
    void radioStepFailure() {
        QFETCH(QString, command);
        QFETCH(QString, faults);
        QFETCH(QString, message);
        CliRun run;
        const QString file = path(command == QLatin1String("read") ? "failed.H4" : "in.H4");
        const QByteArray after = runOnSimulator(start_, {command, file}, run, faults);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, message);
        if (command == QLatin1String("read")) {
            QVERIFY(!QFile::exists(file));
            return;
        }
        for (const MemoryArea& memory : Areas) {
            const QByteArray name(memory.name);
            const bool untouched = name == "channels" || name == "pass table" || name == "glyphs";
            QVERIFY2(area(after, memory) == area(untouched ? start_ : written_, memory),
                     memory.name);
        }
    }

    void builtInSimulatedRadio() {
        const CliRun run =
            runQmh4({"read", "--port", "sim", "--font", path("sim.FH4"), path("sim.H4")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        RadioData data;
        QCOMPARE(openDataFile(path("sim.H4"), data).text, QStringLiteral("Read File"));
        QVERIFY(data.channels.row(1).used);
        GlyphSet glyphs{};
        QCOMPARE(loadFontFile(path("sim.FH4"), glyphs).glyphsRead, GlyphCount);
    }

    void portErrorGivesThePortsWords() {
        const CliRun run = runQmh4({"read", "--port", path("no-such-port"), path("never.H4")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.count(QStringLiteral(": Port Error (")), 7); // every step of the read
        QVERIFY2(run.err.startsWith(QStringLiteral("qmh4 read: channels: Port Error (")),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(path("never.H4")));
    }

    // Usage and file errors exit with 2 before the radio is touched (a transfer on the missing
    // port would exit with 1) and leave no file behind.
    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString in = path("in.H4");
        const QString out = path("out.H4");
        QByteArray threeGlyphs = formatFontFile(fontGlyphs(), QStringLiteral("Save"));
        threeGlyphs.truncate(threeGlyphs.indexOf("3\r\n"));
        QVERIFY(writeTextFile(path("three.FH4"), threeGlyphs));

        QTest::newRow("read: font name")
            << QStringList{"read", "--font", path("o.txt"), out} << ".FH4";
        QTest::newRow("read: data name") << QStringList{"read", path("out.txt")} << ".H4";
        QTest::newRow("read: no folder")
            << QStringList{"read", path("none/out.H4")} << "cannot write into";
        QTest::newRow("read: glyphs without font")
            << QStringList{"read", "--only", "title,glyphs", out} << "the glyphs need --font";
        QTest::newRow("write: font without glyphs")
            << QStringList{"write", "--only", "title", "--font", path("f.FH4"), in}
            << "--font needs the glyphs";
        QTest::newRow("write: glyphs without font")
            << QStringList{"write", "--only", "glyphs", in} << "the glyphs need --font";
        QTest::newRow("write: no data file")
            << QStringList{"write", path("none.H4")} << "This File don't Open";
        QTest::newRow("write: no font file")
            << QStringList{"write", "--font", path("none.FH4"), in} << "Cannot open";
        QTest::newRow("write: font file short of glyphs")
            << QStringList{"write", "--font", path("three.FH4"), in} << "holds 3 of the 8 glyphs";
        QTest::newRow("unknown area")
            << QStringList{"read", "--only", "channels,fonts", out} << "unknown area \"fonts\"";
        QTest::newRow("no area") << QStringList{"write", "--only", ",", in} << "names no area";
        QTest::newRow("two files") << QStringList{"write", in, in} << "1 file names expected";
    }
    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runQmh4(QStringList{arguments.first(), "--port", path("no-such-port")} +
                                   arguments.mid(1));
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(path("out.H4")) && !QFile::exists(path("o.txt")));
    }
};

QTEST_GUILESS_MAIN(TestRadioCommands)
#include "tst_radio_commands.moc"
