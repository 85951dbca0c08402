// "Verify…" against the simulated radio: the time of a whole verify (the read-back of everything
// a "Write All Data" sends, then the comparison) against its wire time at 57600 baud (command and
// reply bytes x 10 / baud), once unpaced (the program's own cost) and once paced like the cable;
// and the comparison alone.
//
// Usage: bench_verify [--quick]   (--quick skips the paced run, which lasts as long as the wire)

#include "sim/simulated_radio.h"
#include "transfers/verify.h"

#include <QCoreApplication>
#include <QTextStream>

#include <chrono>

using namespace qmh4;
using namespace std::chrono;

namespace {

constexpr int Baud = 57600;

double wireSeconds(const SimulatedRadio& radio) {
    qint64 bytes = 0;
    for (const ExchangeRecord& exchange : radio.log())
        bytes += exchange.command.size() + exchange.reply.size();
    return static_cast<double>(bytes) * 10.0 / Baud;
}

WholeRadioData writtenData(SimulatedRadio& radio) {
    WholeRadioData data;
    readWholeRadio(radio, data, {});
    data.glyphsReal = true;
    writeWholeRadio(radio, data, {});
    return data;
}

void runVerify(int pacing, QTextStream& out) {
    SimulatedRadio radio;
    const WholeRadioData data = writtenData(radio);
    radio.setPacing(pacing);
    radio.clearLog();
    const auto start = steady_clock::now();
    const VerifyResult result = verifyWholeRadio(radio, data, {});
    const double wall = duration<double>(steady_clock::now() - start).count();
    const double wire = wireSeconds(radio);
    out << QString("verify %1: %2 exchanges, wire %3 s at %4 baud, measured %5 s, ratio %6%7\n")
               .arg(pacing == 0 ? "unpaced" : "paced  ")
               .arg(radio.log().size())
               .arg(wire, 0, 'f', 3)
               .arg(Baud)
               .arg(wall, 0, 'f', 3)
               .arg(wall / wire, 0, 'f', 4)
               .arg(result.radioFailed() || !result.differences.empty() ? "  (FAILED)" : "");
    out.flush();
}

void runComparison(QTextStream& out) {
    SimulatedRadio radio;
    const WholeRadioData data = writtenData(radio);
    WholeRadioData other = data;
    for (int row = FirstRow; row <= LastRow; row += 2)
        other.channels.clearCells(row);
    constexpr int rounds = 20;
    size_t found = 0;
    const auto start = steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        found += compareRadioData(data, other).size();
    const double wall = duration<double>(steady_clock::now() - start).count();
    out << QString("comparison alone: %1 ms per whole comparison (%2 differences)\n")
               .arg(wall * 1000.0 / rounds, 0, 'f', 2)
               .arg(found / rounds);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    runComparison(out);
    runVerify(0, out);
    if (!app.arguments().contains(QStringLiteral("--quick")))
        runVerify(Baud, out);
    return 0;
}
