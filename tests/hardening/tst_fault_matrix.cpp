// "Read All Data" and "Write All Data" through the real serial code against the simulated radio
// on a pseudo-terminal, with one fault per row: a reply lost, cut short, one byte too long, with
// a wrong marker or a garbled data digit; the radio falling silent; the port vanishing before an
// exchange or while a reply is awaited. For each the test checks the boxes the steps show, what
// the program's memory (read) or the radio's memory (write) holds afterwards, that the transfer
// ended (a watchdog), that the port is closed and no descriptor of it is left, that the process
// is idle afterwards, and that a clean transfer then succeeds.

#include "channels/channel_record.h"
#include "link/protocol.h"
#include "link/serial_link.h"
#include "messages/transfer_outcome_text.h"
#include "sim/pty_server.h"
#include "sim/simulated_radio.h"
#include "transfers/area_transfers.h"
#include "transfers/whole_radio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <ctime>
#include <functional>
#include <memory>
#include <thread>

using namespace qmh4;
using namespace std::chrono_literals;

namespace {

// Short enough for the whole matrix to run in seconds; long enough for a loaded machine to get
// a reply through the pseudo-terminal in time.
constexpr auto ReplyTimeout = 50ms;
// A transfer that has not ended by then hangs.
constexpr auto Watchdog = 120s;
// Over this idle period the process may use a little CPU, but nothing like a spinning thread.
constexpr auto IdlePeriod = 300ms;
constexpr auto IdleCpuAllowance = 100ms;

enum class Direction { Read, Write };

// What goes wrong, from which exchange on.
enum class Trouble {
    Once,            // `fault` on the one exchange, the radio fine otherwise
    SilentFrom,      // no answer from that exchange on
    PortGone,        // the pseudo-terminal is closed before that exchange: its path is gone
    PortGoneWaiting, // it is closed while that exchange's reply is awaited
};

// Expected outcome of each step, one letter a step: S success, F "Error", P "Port Error".
using Outcomes = QString;

WholeRadioOptions scaledOptions() {
    WholeRadioOptions options;
    options.main.replyTimeout = options.editors.replyTimeout = ReplyTimeout;
    return options;
}

// The radio the read reads and whose data the write writes: the demo radio with glyphs.
QByteArray sourceImage() {
    SimulatedRadio radio;
    for (quint32 i = 0; i < 256; ++i)
        radio.setMemory(0x01000 + i, QByteArray(1, static_cast<char>(i * 29 + 3)));
    return radio.image();
}

// Descriptors of this process open on `path` (the server keeps one of its own).
int descriptorsOn(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        const QString link = QFile::symLinkTarget(fds.filePath(fd));
        if (!target.isEmpty() && link == target)
            ++count;
    }
    return count;
}

QString outcomeLetters(const WholeRadioResult& result) {
    QString letters;
    for (const StepResult& step : result.steps) {
        const MessageText box = endBoxText(stepBox(step.result));
        const QString shown = box.text.isEmpty() ? QString() : box.text + '/' + box.title;
        letters += shown == QLatin1String("Error/ Error")                       ? u'F'
                   : shown == QLatin1String("Port Error/ Error")                ? u'P'
                   : shown.isEmpty() && step.result.outcome == Outcome::Success ? u'S'
                                                                                : u'?';
    }
    return letters;
}

// Where a lasting fault begins, by the program's own progress rather than by exchange number
// (a reply that comes late on a loaded machine adds an exchange): before a channel row's
// exchange, at a percentage of the settings step, or before the transfer starts.
struct Onset {
    int row = 0;
    int settingsPercent = 0;
    bool atStart() const { return row == 0 && settingsPercent == 0; }
};

// Runs `action` once, when the transfer reaches the onset.
class Interrupter : public WholeRadioObserver {
public:
    Interrupter(Onset onset, std::function<void()> action)
        : onset_(onset), action_(std::move(action)) {}
    void stepStarted(WholeStep step) override { step_ = step; }
    void currentRow(int rowNumber) override {
        if (onset_.row != 0 && rowNumber == onset_.row)
            fire();
    }
    void progress(int, int, int percent) override {
        if (onset_.settingsPercent != 0 && step_ == WholeStep::Settings &&
            percent == onset_.settingsPercent)
            fire();
    }
    void fire() {
        if (!fired_ && action_)
            action_();
        fired_ = true;
    }

private:
    Onset onset_;
    std::function<void()> action_;
    WholeStep step_ = WholeStep::Channels;
    bool fired_ = false;
};

// From the radio's next exchange on, nothing comes back, whatever the transfer tries. The
// server is stopped meanwhile, so its thread never sees the plan change.
void silence(SimulatedRadio& radio, PtyServer* server) {
    if (server)
        server->stop();
    const int next = radio.exchangeCount() + 1;
    for (int n = next; n < next + 2000; ++n)
        radio.injectFault(n, Fault::NoAnswer);
    if (server)
        server->start();
}

// What one row of the matrix saw.
struct Run {
    WholeRadioResult result;
    WholeRadioData data;
    bool portOpenAfter = true;
    int descriptorsBefore = 0;
    int descriptorsAfter = 0;
    bool pathGoneAfter = false;
    std::chrono::nanoseconds idleCpu{};
    QByteArray imageAfter;
    TransferResult cleanAfter;
    BankSizes banksAfter;
};

std::unique_ptr<PtyServer> startServer(SimulatedRadio& radio) {
    auto server = std::make_unique<PtyServer>(radio);
    QString error;
    if (!server->open(&error))
        qFatal("pseudo-terminal: %s", qPrintable(error));
    server->start();
    return server;
}

// Runs the transfer with its fault on a thread of its own (the serial port lives there, as on
// the window's worker), then, on the same link (a new one after an unplug), a clean bank read.
Run runRow(SimulatedRadio& radio, Direction direction, const WholeRadioData& start, Trouble trouble,
           Onset onset) {
    std::unique_ptr<PtyServer> server = startServer(radio);
    const QString path = server->slavePath();
    auto body = [&] {
        Run run;
        run.data = start;
        run.descriptorsBefore = descriptorsOn(path);
        auto link = std::make_unique<SerialLink>(path);
        std::thread unplugLater;
        const auto action = [&] {
            if (trouble == Trouble::Once)
                return;
            if (trouble == Trouble::PortGone)
                return server.reset();
            silence(radio, server.get());
            if (trouble == Trouble::PortGoneWaiting)
                unplugLater = std::thread([&] {
                    std::this_thread::sleep_for(ReplyTimeout / 4);
                    server.reset();
                });
        };
        Interrupter interrupter(onset, action);
        if (onset.atStart())
            interrupter.fire();
        run.result = direction == Direction::Read
                         ? readWholeRadio(*link, run.data, scaledOptions(), nullptr, &interrupter)
                         : writeWholeRadio(*link, run.data, scaledOptions(), nullptr, &interrupter);
        if (unplugLater.joinable())
            unplugLater.join();
        run.imageAfter = radio.image(); // the server is stopped or idle: nothing in flight
        run.portOpenAfter = link->isOpen();
        run.pathGoneAfter = !QFile::exists(path);
        run.descriptorsAfter = descriptorsOn(path);

        const std::clock_t cpuBefore = std::clock(); // the CPU time of all the process's threads
        std::this_thread::sleep_for(IdlePeriod);
        run.idleCpu =
            std::chrono::microseconds((std::clock() - cpuBefore) * 1000000 / CLOCKS_PER_SEC);

        if (server) { // the radio works again: faults off while its server is stopped
            server->stop();
            radio.setFaults({});
            server->start();
        } else { // plugged in again: a new terminal, a new port
            radio.setFaults({});
            server = startServer(radio);
            link = std::make_unique<SerialLink>(server->slavePath());
        }
        Session session(*link, scaledOptions().main);
        run.cleanAfter = readBanks(session, run.banksAfter);
        return run;
    };
    Run run;
    std::unique_ptr<QThread> worker(QThread::create([&] { run = body(); }));
    worker->start();
    if (!worker->wait(QDeadlineTimer(Watchdog)))
        qFatal("the transfer did not end within %lld s", static_cast<long long>(Watchdog.count()));
    server.reset();
    return run;
}

} // namespace

Q_DECLARE_METATYPE(Direction)
Q_DECLARE_METATYPE(Trouble)
Q_DECLARE_METATYPE(qmh4::Fault)

class FaultMatrixTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void matrix_data();
    void matrix();

private:
    WholeRadioData readUntilLost(const WholeRadioData& start, int stepsDone, int row) const;
    int writeOnset(Onset onset) const;

    // Clean in-process runs: what a read gives, and the exchanges of a read and of a write, to
    // place the faults and to know what was sent before a fault.
    WholeRadioData readReference_;
    std::vector<ExchangeRecord> readLog_;
    std::vector<ExchangeRecord> writeLog_;
};

void FaultMatrixTest::initTestCase() {
    SimulatedRadio source(sourceImage());
    const WholeRadioResult read = readWholeRadio(source, readReference_, scaledOptions());
    QVERIFY(read.allSucceeded());
    QVERIFY(readReference_.glyphsReal);
    readLog_ = source.log();

    // The write goes to a radio that holds nothing yet, so every block it sends shows.
    SimulatedRadio target(SimulatedRadio::blankImage());
    WholeRadioData data = readReference_;
    const WholeRadioResult written = writeWholeRadio(target, data, scaledOptions());
    QVERIFY(written.allSucceeded());
    QVERIFY(written.glyphBlocksWritten);
    writeLog_ = target.log();
    // Written into a blank radio, the radio holds all the source held but the set-mode bytes
    // that only the radio itself sets.
    QByteArray expected = source.image();
    for (int kept : {1, 48, 49, 52, 71, 72, 78, 92, 143, 144})
        expected[kept] = '\0';
    QCOMPARE(target.image(), expected);
}

// The program's memory after a read that lost the radio: the steps done before took what they
// read, the failing channel step the rows before `row`, every other step nothing.
WholeRadioData FaultMatrixTest::readUntilLost(const WholeRadioData& start, int stepsDone,
                                              int row) const {
    const WholeRadioData& read = readReference_;
    WholeRadioData expected = start;
    const int rowsDone = stepsDone >= 1 ? LastRow : row - 1;
    for (int r = FirstRow; r <= rowsDone; ++r)
        expected.channels.row(r) = read.channels.row(r);
    if (stepsDone >= 2)
        expected.areas.banks = read.areas.banks;
    if (stepsDone >= 3)
        expected.areas.oneTouch = read.areas.oneTouch;
    if (stepsDone >= 4)
        expected.areas.title = read.areas.title;
    // Opening the group editor, read or no read, takes the empty banks out of the groups.
    expected.areas.groups.prepare(expected.areas.banks);
    return expected;
}

void FaultMatrixTest::matrix_data() {
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<Trouble>("trouble");
    // A fault that strikes once strikes the exchange of `row`'s channel and the first exchange
    // of a block of each kind (see matrix()).
    QTest::addColumn<Fault>("fault");
    // A lasting fault begins at `row`'s exchange, at `settingsPercent` of the settings step, or
    // (both 0) before the transfer.
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("settingsPercent");
    QTest::addColumn<Outcomes>("outcomes");

    const auto R = Direction::Read;
    const auto W = Direction::Write;
    // Read: channels, banks, one-touch, title, settings, glyphs, groups. Write: channels with the
    // pass table, banks, one-touch, title, settings, then the group and glyph blocks.
    const struct {
        Fault fault;
        const char* name;
        int readRow, writeRow;
    } once[] = {{Fault::NoAnswer, "no answer once", 100, 100},
                {Fault::Truncated, "truncated reply", 1102, 1201},
                {Fault::ExtraByte, "one byte too many", 300, 300},
                {Fault::WrongMarker, "wrong marker", 400, 400},
                {Fault::NonHexDigit, "non-hex digit", 2, 500}};
    for (const auto& [fault, name, readRow, writeRow] : once) {
        QTest::addRow("read, %s", name)
            << R << Trouble::Once << fault << readRow << 0 << Outcomes("SSSSSSS");
        QTest::addRow("write, %s", name)
            << W << Trouble::Once << fault << writeRow << 0 << Outcomes("SSSSSS");
    }
    // Silent after the first set-mode block was read or written: the steps before keep what they
    // did, the later ones fail. The write has one step fewer than the read.
    const struct {
        Trouble trouble;
        const char* name;
        int row, readPercent, writePercent;
        const char* readOutcomes;
    } lasting[] = {{Trouble::SilentFrom, "silent mid-transfer", 0, 20, 65, "SSSSFFF"},
                   {Trouble::SilentFrom, "no radio", 0, 0, 0, "FFFFFFF"},
                   {Trouble::PortGone, "port gone", 60, 0, 0, "PPPPPPP"},
                   {Trouble::PortGoneWaiting, "port gone while waiting", 80, 0, 0, "PPPPPPP"}};
    for (const auto& [trouble, name, row, readPercent, writePercent, outcomes] : lasting) {
        QTest::addRow("read, %s", name)
            << R << trouble << Fault::None << row << readPercent << Outcomes(outcomes);
        QTest::addRow("write, %s", name)
            << W << trouble << Fault::None << row << writePercent << Outcomes(outcomes).chopped(1);
    }
}

// The exchange a lasting fault begins with, counted as in a clean in-process write.
int FaultMatrixTest::writeOnset(Onset onset) const {
    SimulatedRadio radio(SimulatedRadio::blankImage());
    int first = 0;
    Interrupter interrupter(onset, [&] {
        first = radio.exchangeCount() + 1;
        silence(radio, nullptr); // the rest of the write fails fast
    });
    if (onset.atStart())
        interrupter.fire();
    WholeRadioData data = readReference_;
    WholeRadioOptions fast = scaledOptions();
    fast.main.replyTimeout = fast.editors.replyTimeout = 1ms;
    writeWholeRadio(radio, data, fast, nullptr, &interrupter);
    return first;
}

void FaultMatrixTest::matrix() {
    QFETCH(Direction, direction);
    QFETCH(Trouble, trouble);
    QFETCH(Fault, fault);
    QFETCH(int, row);
    QFETCH(int, settingsPercent);
    QFETCH(Outcomes, outcomes);

    const bool reading = direction == Direction::Read;
    const Onset onset{row, settingsPercent};
    SimulatedRadio radio(reading ? sourceImage() : SimulatedRadio::blankImage());
    if (trouble == Trouble::Once) {
        const std::vector<ExchangeRecord>& log = reading ? readLog_ : writeLog_;
        // Read: a bank block, a set-mode block, a glyph and a group block of the editors' reads.
        // Write: the last pass-table block (two failures end the step), the one-touch block, a
        // glyph block and a group block of the final blocks.
        const QList<QByteArray> commands{
            "KV~F" + protocol::addressDigits(recordAddress(recordNumber(row))) +
                (reading ? "R" : "W"),
            reading ? "KV~F00200R" : "KV~F00F00W", reading ? "KV~F00040R" : "KV~F00180W",
            reading ? "KV~F01040R" : "KV~F010A0W", reading ? "KV~F00130R" : "KV~F00130W"};
        for (const QByteArray& command : commands) {
            const auto at = std::ranges::find_if(log, [&](const ExchangeRecord& exchange) {
                return exchange.command.startsWith(command);
            });
            QVERIFY2(at != log.end(), command.constData());
            radio.injectFault(at->number, fault);
        }
    }

    const WholeRadioData start; // the start-up state of the main window
    const Run run = runRow(radio, direction, reading ? start : readReference_, trouble, onset);

    // The boxes: one per failed step; a clean run counts as one (the write's "Success").
    QCOMPARE(outcomeLetters(run.result), outcomes);
    QVERIFY(!run.result.stopped);
    const bool clean = !outcomes.contains(u'F') && !outcomes.contains(u'P');
    QCOMPARE(run.result.allSucceeded(), clean);

    // Memory: a recovered fault changes nothing; after a lasting one, what was read or written
    // before it stays, and nothing else is touched.
    if (reading) {
        const int stepsDone = int(outcomes.indexOf(QRegularExpression("[^S]")));
        WholeRadioData expected = clean ? readReference_ : readUntilLost(start, stepsDone, row);
        for (int r = FirstRow; r <= LastRow; ++r)
            QVERIFY2(run.data.channels.row(r) == expected.channels.row(r),
                     qPrintable(QStringLiteral("row %1").arg(r)));
        // The set-mode lists as the pages show them. The raw record a broken read leaves behind
        // is left out: it holds the blocks that came, is never shown or saved, and every write
        // reads it anew.
        RadioAreas areas = run.data.areas;
        areas.setMode.record.fill('\0');
        expected.areas.setMode.record.fill('\0');
        QVERIFY(areas == expected.areas);
        QVERIFY(run.data.glyphs == expected.glyphs && run.data.glyphsReal == expected.glyphsReal);
    } else {
        const int firstLost = clean ? std::numeric_limits<int>::max() : writeOnset(onset);
        // The radio's memory after the writes of the clean run's exchanges before the first lost.
        SimulatedRadio replay(SimulatedRadio::blankImage());
        for (const ExchangeRecord& exchange : writeLog_)
            if (exchange.number < firstLost)
                replay.respond(exchange.command);
        const QByteArray expected = replay.image();
        for (quint32 address = 0; address < SimulatedRadio::ImageSize; address += 64) {
            QVERIFY2(
                run.imageAfter.mid(address, 64) == expected.mid(address, 64),
                qPrintable(QStringLiteral("block at %1").arg(address, 5, 16, QLatin1Char('0'))));
        }
    }

    // The port: closed, no descriptor left behind; gone for good when it was unplugged.
    QVERIFY(!run.portOpenAfter);
    const bool unplugged = trouble == Trouble::PortGone || trouble == Trouble::PortGoneWaiting;
    QCOMPARE(run.pathGoneAfter, unplugged);
    if (!unplugged)
        QCOMPARE(run.descriptorsAfter, run.descriptorsBefore);

    // Idle afterwards, and usable again.
    const auto idleMs = std::chrono::duration_cast<std::chrono::milliseconds>(run.idleCpu);
    QVERIFY2(run.idleCpu < IdleCpuAllowance, qPrintable(QString::number(idleMs.count()) + " ms"));
    QCOMPARE(run.cleanAfter.outcome, Outcome::Success);
    BankSizes inRadio;
    inRadio.decodeBlock(0, radio.memory(0x00200, 64));
    inRadio.decodeBlock(1, radio.memory(0x00240, 64));
    QVERIFY(run.banksAfter == inRadio);
}

QTEST_GUILESS_MAIN(FaultMatrixTest)
#include "tst_fault_matrix.moc"
