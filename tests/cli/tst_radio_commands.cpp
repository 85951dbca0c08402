#include "../files/sample_data.h"
#include "cli_test_support.h"
#include "files/data_file.h"
#include "files/text_file.h"
#include "font/font_file.h"
#include "sim/simulated_radio.h"
#include "transfers/whole_radio.h"

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
        return readTextFile(saveTo_).value_or(QByteArray());
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
        if (!writeTextFile(path("image.bin"), image))
            return {};
        SimProcess sim(path("image.bin"), path("saved.bin"), faults);
        if (!sim.port().startsWith(QLatin1String("/dev/")))
            return {};
        run = runQmh4(QStringList{arguments.first(), "--port", sim.port()} + arguments.mid(1));
        return sim.finish();
    }

    static void readAndWriteRows() {
        QTest::addColumn<QString>("command");
        QTest::newRow("read") << "read";
        QTest::newRow("write") << "write";
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const RadioData sample = sampleData();
        QVERIFY(saveDataFile(path("in.H4"), sample).ok());
        QVERIFY(saveFontFile(path("f.FH4"), fontGlyphs()).ok());

        SimulatedRadio radio;
        radio.setMemory(0x01000, QByteArray(256, '\x5A')); // glyphs of its own
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

    // The chosen areas (all without --only) are as the window's "Write All Data" leaves them,
    // whatever comes first; the others, and the glyphs without --font, are as they were.
    void writeMovesTheChosenAreas_data() {
        QTest::addColumn<QString>("only");
        QTest::addColumn<bool>("withFont");
        QTest::addColumn<QStringList>("changed");
        QStringList all;
        for (const MemoryArea& memory : Areas)
            all << memory.name;
        QTest::newRow("all with font") << "" << true << all;
        all.removeOne("glyphs");
        QTest::newRow("all without font") << "" << false << all;
        QTest::newRow("groups first") << "groups,title" << false << QStringList{"groups", "title"};
    }
    void writeMovesTheChosenAreas() {
        QFETCH(QString, only);
        QFETCH(bool, withFont);
        QFETCH(QStringList, changed);
        QStringList arguments{"write"};
        if (!only.isEmpty())
            arguments << "--only" << only;
        if (withFont)
            arguments << "--font" << path("f.FH4");
        CliRun run;
        const QByteArray after = runOnSimulator(start_, arguments << path("in.H4"), run);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        for (const MemoryArea& memory : Areas) {
            const bool chosen = changed.contains(QLatin1String(memory.name));
            QVERIFY2(area(after, memory) == area(chosen ? written_ : start_, memory), memory.name);
        }
    }

    // The data file holds what the radio holds, the font file its glyphs; the read leaves the
    // radio as it was.
    void readSavesTheWholeRadio() {
        CliRun run;
        const QByteArray after =
            runOnSimulator(written_, {"read", "--font", path("back.FH4"), path("back.H4")}, run);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(after, written_);
        QCOMPARE(channelLines(path("back.H4")), channelLines(path("in.H4")));

        RadioData back;
        QCOMPARE(openDataFile(path("back.H4"), back).passedOver, QList<int>());
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

        GlyphSet glyphs{};
        QCOMPARE(loadFontFile(path("back.FH4"), glyphs).glyphsRead, GlyphCount);
        QVERIFY(glyphs == fontGlyphs());
    }

    // A failing step says so, the sequence goes on, the exit status is 1, and a read saves
    // nothing.
    void radioStepFailure_data() { readAndWriteRows(); }
    void radioStepFailure() {
        QFETCH(QString, command);
        CliRun run;
        const QString file = path(command == QLatin1String("read") ? "failed.H4" : "in.H4");
        // The first three exchanges are the channel step's handshake attempts.
        const QByteArray after =
            runOnSimulator(start_, {command, file}, run, "1=silent,2=silent,3=silent");
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "qmh4 " + command + ": channels: Error\n");
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

    // A port that cannot be opened is said once, by its name, before any step is tried.
    void unopenablePort_data() { readAndWriteRows(); }
    void unopenablePort() {
        QFETCH(QString, command);
        const CliRun run = runQmh4({command, "--port", "/dev/nonexistent", path("in.H4")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.count(u'\n'), 1);
        QVERIFY2(run.err.contains("cannot open /dev/nonexistent: "), qPrintable(run.err));
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
        QTest::newRow("read: glyphs without font")
            << QStringList{"read", "--only", "title,glyphs", out} << "the glyphs need --font";
        QTest::newRow("write: font file short of glyphs")
            << QStringList{"write", "--font", path("three.FH4"), in} << "holds 3 of the 8 glyphs";
        QTest::newRow("unknown area")
            << QStringList{"read", "--only", "channels,fonts", out} << "unknown area \"fonts\"";
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
