// Channel transfers against the simulated radio, in process and through the pseudo-terminal
// with the real serial link, paced at 57600 and 576000 baud. For each run: the wire-time lower
// bound (command and reply bytes x 10 / baud), the measured time, their ratio, the program's
// own overhead per exchange, and its CPU time against the wall time.
//
// Usage: bench_transfer [--rows N]   (N rows instead of all 1623, through the selected-rows
//                                     transfers; the figures per exchange stay comparable)

#include "link/serial_link.h"
#include "sim/pty_server.h"
#include "sim/simulated_radio.h"
#include "transfers/channel_transfer.h"

#include <QCoreApplication>
#include <QTextStream>

#include <chrono>
#include <ctime>
#include <memory>

using namespace qmh4;
using namespace std::chrono;

namespace {

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double wireSeconds(const SimulatedRadio& radio, int baud) {
    qint64 bytes = 0;
    for (const ExchangeRecord& exchange : radio.log())
        bytes += exchange.command.size() + exchange.reply.size();
    return static_cast<double>(bytes) * 10.0 / baud;
}

struct Run {
    bool throughPty;
    int baud;
    bool write;
};

void runOne(const Run& run, int rows, ChannelTable& table, QTextStream& out) {
    SimulatedRadio radio;
    radio.setPacing(run.baud);
    std::unique_ptr<PtyServer> server;
    std::unique_ptr<Link> link;
    Link* used = &radio;
    if (run.throughPty) {
        server = std::make_unique<PtyServer>(radio);
        QString error;
        if (!server->open(&error)) {
            out << "pseudo-terminal: " << error << "\n";
            return;
        }
        server->start();
        link = std::make_unique<SerialLink>(server->slavePath());
        used = link.get();
    }
    Session session(*used, {milliseconds(1000)});
    const double cpu0 = threadCpuSeconds();
    const double process0 = processCpuSeconds();
    const auto start = steady_clock::now();
    TransferResult result;
    if (run.write) {
        result = rows == LastRow ? writeAllChannels(session, table)
                                 : writeSelectedChannels(session, table, 1, rows);
    } else {
        result = rows == LastRow ? readAllChannels(session, table)
                                 : readSelectedChannels(session, table, 1, rows);
    }
    const double wall = duration<double>(steady_clock::now() - start).count();
    const double cpu = threadCpuSeconds() - cpu0;
    const double processCpu = processCpuSeconds() - process0;
    if (server)
        server->stop();

    const double wire = wireSeconds(radio, run.baud);
    const int exchanges = radio.exchangeCount();
    out << QString("%1 %2 %3 baud: %4 exchanges, wire %5 s, measured %6 s, ratio %7, "
                   "overhead %8 ms/exchange, CPU %9 s (%10 % of wall; whole process %11 %)%12\n")
               .arg(run.throughPty ? "pty     " : "in-proc ", run.write ? "write" : "read ")
               .arg(run.baud, 6)
               .arg(exchanges)
               .arg(wire, 0, 'f', 3)
               .arg(wall, 0, 'f', 3)
               .arg(wall / wire, 0, 'f', 4)
               .arg((wall - wire) * 1000.0 / exchanges, 0, 'f', 3)
               .arg(cpu, 0, 'f', 3)
               .arg(cpu * 100.0 / wall, 0, 'f', 2)
               .arg(processCpu * 100.0 / wall, 0, 'f', 2)
               .arg(result.outcome == Outcome::Success ? "" : "  (FAILED)");
    out.flush();
}

// What opening, configuring, clearing and closing the port costs on its own.
void measureOpenClose(QTextStream& out) {
    SimulatedRadio radio;
    PtyServer server(radio);
    QString error;
    if (!server.open(&error))
        return;
    server.start();
    SerialLink link(server.slavePath());
    constexpr int cycles = 200;
    const double cpu0 = threadCpuSeconds();
    const auto start = steady_clock::now();
    for (int i = 0; i < cycles; ++i) {
        link.send(QByteArray()); // opens and configures the port, writes nothing
        link.close();
    }
    const double wall = duration<double>(steady_clock::now() - start).count();
    const double cpu = threadCpuSeconds() - cpu0;
    server.stop();
    out << QString("port open+close: %1 ms wall, %2 ms CPU per cycle\n")
               .arg(wall * 1000.0 / cycles, 0, 'f', 3)
               .arg(cpu * 1000.0 / cycles, 0, 'f', 3);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    int rows = LastRow;
    const QStringList args = app.arguments();
    const auto at = args.indexOf(QStringLiteral("--rows"));
    if (at > 0 && at + 1 < args.size())
        rows = std::clamp(args.at(at + 1).toInt(), 1, LastRow);
    QTextStream out(stdout);
    out << "rows per transfer: " << rows << "\n";
    measureOpenClose(out);
    for (int baud : {576000, 57600}) {
        for (bool throughPty : {false, true}) {
            ChannelTable table;
            runOne({throughPty, baud, false}, rows, table, out);
            runOne({throughPty, baud, true}, rows, table, out);
        }
    }
    return 0;
}
