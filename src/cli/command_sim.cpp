#include "cli/arguments.h"
#include "cli/commands.h"
#include "sim/pty_server.h"
#include "sim/simulated_radio.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

namespace qmh4::cli {

namespace {

const QString Sim = QStringLiteral("sim");

volatile sig_atomic_t stopDescriptor = -1;

extern "C" void stopOnSignal(int) {
    if (stopDescriptor >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(stopDescriptor, &byte, 1);
    }
}

void stopOnSignals(int descriptor) {
    stopDescriptor = descriptor;
    struct sigaction action {};
    action.sa_handler = stopOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

bool readNumber(const QCommandLineParser& parser, const QString& option, int& value) {
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    value = parser.value(option).toInt(&ok);
    return ok && value >= 0;
}

// The image, the pacing and the faults the options ask for; false (after saying why) when an
// option is unusable.
bool configure(SimulatedRadio& radio, const QCommandLineParser& parser) {
    int baud = 57600;
    int latencyMs = 0;
    if (!readNumber(parser, "baud", baud) || !readNumber(parser, "latency-ms", latencyMs)) {
        tell(Sim, QStringLiteral("--baud and --latency-ms take a whole number"));
        return false;
    }
    QString error;
    if (parser.isSet("image") && !radio.loadImage(parser.value("image"), &error)) {
        tell(Sim, error);
        return false;
    }
    if (parser.isSet("faults")) {
        const auto plan = FaultPlan::parse(parser.value("faults"), &error);
        if (!plan) {
            tell(Sim, error);
            return false;
        }
        radio.setFaults(*plan);
    }
    radio.setPacing(baud, std::chrono::milliseconds(latencyMs));
    return true;
}

} // namespace

// Serves the simulated radio on a pseudo-terminal until interrupted; prints the path to open.
int runSim(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({
        {"image", "Start from this 128 KiB radio image instead of the demo radio.", "FILE"},
        {"save", "Save the radio's memory here when the simulator ends.", "FILE"},
        {"baud", "Pace the replies at this baud rate (0: at once). Default 57600.", "N"},
        {"latency-ms", "Wait this long before each reply. Default 0.", "N"},
        {"faults",
         "Faulty replies, e.g. 3=silent,7=short,9=long,12=marker,15=nonhex,"
         "rate=0.02,seed=42.",
         "SPEC"},
    });
    if (!parseArguments(parser, Sim, arguments, 0))
        return ExitUsage;
    SimulatedRadio radio;
    if (!configure(radio, parser))
        return ExitUsage;

    PtyServer server(radio);
    QString error;
    if (!server.open(&error)) {
        tell(Sim, error);
        return ExitUsage;
    }
    stopOnSignals(server.stopDescriptor());
    QTextStream(stdout) << server.slavePath() << Qt::endl;
    server.serve();

    tell(Sim, QStringLiteral("%1 exchanges").arg(radio.exchangeCount()));
    if (parser.isSet("save") && !radio.saveImage(parser.value("save"), &error)) {
        tell(Sim, error);
        return ExitUsage;
    }
    return ExitOk;
}

} // namespace qmh4::cli
