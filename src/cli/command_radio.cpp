#include "cli/commands.h"
#include "files/data_file.h"
#include "files/settings_file.h"
#include "link/channel_transfer.h"
#include "link/port_factory.h"
#include "radio_areas/area_transfers.h"

#include <QCommandLineParser>
#include <QSettings>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace qmh4::cli {

namespace {

// The areas of `--only`, in the order the whole-radio transfer moves them.
const QStringList AreaOrder = {QStringLiteral("channels"), QStringLiteral("banks"),
                               QStringLiteral("onetouch"), QStringLiteral("title"),
                               QStringLiteral("settings"), QStringLiteral("groups")};

// The port the window last chose by name, else the COM port of the settings file.
QString defaultPort() {
    const QString named = QSettings(QStringLiteral("QMH4Writer"), QStringLiteral("QMH4Writer"))
                              .value(QStringLiteral("port/name"))
                              .toString();
    if (!named.isEmpty()) {
        return named;
    }
    const int number = SettingsFile::forApplication().readComPort().port;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyUSB%1").arg(number - 1);
#endif
}

// Progress of each step on stderr, when stderr is a terminal.
class TerminalProgress : public ChannelTransferObserver {
public:
    explicit TerminalProgress(QString step) : step_(std::move(step)) {}
    void progress(int, int, int percent) override {
        if (percent != shown_) {
            shown_ = percent;
            std::fprintf(stderr, "\r%s %3d%%", qPrintable(step_), percent);
            std::fflush(stderr);
        }
    }
    ~TerminalProgress() override {
        if (shown_ >= 0) {
            std::fputs("\n", stderr);
        }
    }

private:
    QString step_;
    int shown_ = -1;
};

struct RadioCommand {
    QString name;
    QString port;
    QStringList areas;
    QString file;
};

std::optional<RadioCommand> parseRadioCommand(const QString& name, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Device path, port name or \"sim\"."),
         QStringLiteral("P")},
        {QStringLiteral("only"), QStringLiteral("Comma list of: ") + AreaOrder.join(u','),
         QStringLiteral("AREAS")},
        {QStringLiteral("font"), QStringLiteral("Font file of the user glyphs."),
         QStringLiteral("FILE")},
    });
    QTextStream err(stderr);
    if (!parser.parse(QStringList{QStringLiteral("qmh4 ") + name} + arguments) ||
        parser.positionalArguments().size() != 1) {
        err << "qmh4 " << name << ": "
            << (parser.errorText().isEmpty() ? QStringLiteral("one data file expected")
                                             : parser.errorText())
            << "\n";
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("font"))) {
        err << "qmh4 " << name << ": the user glyphs cannot be transferred yet\n";
        return std::nullopt;
    }
    RadioCommand command{name, parser.value(QStringLiteral("port")), AreaOrder,
                         parser.positionalArguments().first()};
    if (parser.isSet(QStringLiteral("only"))) {
        const QStringList chosen =
            parser.value(QStringLiteral("only")).split(u',', Qt::SkipEmptyParts);
        for (const QString& area : chosen) {
            if (!AreaOrder.contains(area)) {
                err << "qmh4 " << name << ": unknown area \"" << area << "\"\n";
                return std::nullopt;
            }
        }
        command.areas.clear();
        for (const QString& area : AreaOrder) {
            if (chosen.contains(area)) {
                command.areas.append(area);
            }
        }
    }
    if (command.port.isEmpty()) {
        command.port = defaultPort();
    }
    return command;
}

// Runs one step per area; a failing step says why and the next one still runs, as in the
// window's whole-radio transfer. True when every step succeeded.
bool runSteps(
    const RadioCommand& command,
    const std::function<TransferResult(const QString&, Session&, ChannelTransferObserver*)>& step) {
    const std::unique_ptr<Link> link = makeLink(command.port);
    Session session(*link);
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    bool allDone = true;
    for (const QString& area : command.areas) {
        TerminalProgress progress(area);
        const TransferResult result = step(area, session, terminal ? &progress : nullptr);
        if (result.outcome == Outcome::Success) {
            continue;
        }
        allDone = false;
        QTextStream err(stderr);
        err << "qmh4 " << command.name << ": " << area << ": "
            << (result.outcome == Outcome::PortError ? "Port Error" : "Error");
        if (!result.detail.isEmpty()) {
            err << " (" << result.detail << ")";
        }
        err << "\n";
    }
    return allDone;
}

} // namespace

// Reads the chosen areas of the radio and saves them as a data file; the file is written only
// when every step succeeded.
int runRead(const QStringList& arguments) {
    const auto command = parseRadioCommand(QStringLiteral("read"), arguments);
    if (!command) {
        return ExitUsage;
    }
    RadioData data;
    RadioAreas& areas = data.areas;
    const bool done = runSteps(
        *command, [&](const QString& area, Session& session, ChannelTransferObserver* observer) {
            if (area == QLatin1String("channels")) {
                return readAllChannels(session, data.channels, observer);
            }
            if (area == QLatin1String("banks")) {
                const TransferResult result = readBanks(session, areas.banks, observer);
                areas.oneTouch.rebuild(areas.banks);
                return result;
            }
            if (area == QLatin1String("onetouch")) {
                return readOneTouch(session, areas.oneTouch, areas.banks, observer);
            }
            if (area == QLatin1String("title")) {
                return readTitle(session, areas.title, observer);
            }
            if (area == QLatin1String("settings")) {
                return readSetMode(session, areas.setMode, areas.dtmf, observer);
            }
            return readGroups(session, areas.groups, observer);
        });
    if (!done) {
        return ExitRadioFailed;
    }
    const FileOutcome saved = saveDataFile(command->file, data);
    if (!saved.ok) {
        QTextStream(stderr) << "qmh4 read: " << QString(saved.text).replace(u'\n', u' ') << "\n";
        return ExitUsage;
    }
    return ExitOk;
}

// Opens a data file onto the start-up state and writes the chosen areas to the radio.
int runWrite(const QStringList& arguments) {
    const auto command = parseRadioCommand(QStringLiteral("write"), arguments);
    if (!command) {
        return ExitUsage;
    }
    RadioData data;
    const FileOutcome opened = openDataFile(command->file, data);
    if (!opened.ok || opened.text.contains(u'\n')) {
        QTextStream(stderr) << "qmh4 write: " << QString(opened.text).replace(u'\n', u' ') << "\n";
    }
    if (!opened.ok) {
        return ExitUsage;
    }
    RadioAreas& areas = data.areas;
    bool firstStep = true;
    const bool done = runSteps(
        *command, [&](const QString& area, Session& session, ChannelTransferObserver* observer) {
            const Handshake handshake = firstStep ? Handshake::Yes : Handshake::No;
            firstStep = false;
            if (area == QLatin1String("channels")) {
                return writeAllChannels(session, data.channels, observer);
            }
            if (area == QLatin1String("banks")) {
                return writeBanks(session, areas.banks, observer);
            }
            if (area == QLatin1String("onetouch")) {
                return writeOneTouch(session, areas.oneTouch, observer);
            }
            if (area == QLatin1String("title")) {
                return writeTitle(session, areas.title, observer);
            }
            if (area == QLatin1String("settings")) {
                return writeSetMode(session, areas.setMode, areas.dtmf, observer);
            }
            // After another step the radio is still listening, as in the whole-radio write.
            return writeGroups(session, areas.groups, observer, handshake);
        });
    return done ? ExitOk : ExitRadioFailed;
}

} // namespace qmh4::cli
