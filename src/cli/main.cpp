#include "cli/commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <iterator>

namespace {

using namespace qmh4::cli;

// One line per command; a new command adds its file and its line here.
const Command commands[] = {
    {"sim", "[--image FILE] [--save FILE] [--baud N] [--latency-ms N] [--faults SPEC]", runSim},
    {"ports", "", runPorts},
    {"read", "[--port P] [--only AREAS] [--font OUT.FH4] OUT.H4", runRead},
    {"write", "[--port P] [--only AREAS] [--font IN.FH4] IN.H4", runWrite},
    {"export-csv", "[--layout native|common] IN.H4 OUT.CSV", runExportCsv},
    {"import-csv", "IN.CSV OUT.H4 [--onto BASE.H4] [--first-row N]", runImportCsv},
};

int usage() {
    QTextStream err(stderr);
    err << "usage:\n";
    for (const Command& command : commands)
        err << "  qmh4 " << command.name << ' ' << command.usage << '\n';
    err << "AREAS: comma list of channels,banks,onetouch,title,settings,groups,glyphs\n"
           "P: a device path, a port name, or \"sim\" for the built-in simulated radio;\n"
           "   without --port, the port last chosen in the window\n";
    return ExitUsage;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return usage();
    const QString name = arguments.at(1);
    arguments.remove(0, 2);
    for (const Command& command : commands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    QTextStream(stderr) << "qmh4: unknown command \"" << name << "\"\n";
    return usage();
}
