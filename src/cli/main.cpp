#include "cli/commands.h"
#include "files/backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <iterator>

namespace qmh4::cli {

namespace {

// One line per command; a new command adds its file and its line here.
const Command commands[] = {
    {"read", "[--port P] [--only AREAS] [--font OUT.FH4] [--no-backup] [--verbose] OUT.H4",
     "Read the radio and save a data file (and a font file); a copy goes to the backup folder.",
     runRead},
    {"write",
     "[--port P] [--only AREAS] [--font IN.FH4] [--verify] [--no-backup] [--verbose] IN.H4",
     "Write a data file (and a font file) to the radio.", runWrite},
    {"verify", "[--port P] [--only AREAS] [--font IN.FH4] [--verbose] IN.H4",
     "Compare what the radio holds with what writing the file would send.", runVerify},
    {"diff", "A.H4 B.H4", "List the differences between two data files.", runDiff},
    {"export-csv", "[--layout native|common] IN.H4 OUT.CSV",
     "Save the channels of a data file as a CSV list (common: the multi-radio tools' layout).",
     runExportCsv},
    {"import-csv", "IN.CSV OUT.H4 [--onto BASE.H4] [--first-row N]",
     "Make a data file from a CSV channel list (either layout, found by its header).",
     runImportCsv},
    {"identify", "[--port P] [--verbose]",
     "Ask the radio who it is: the quickest test of the cable.", runIdentify},
    {"ports", "[--json]", "List the serial ports the system knows.", runPorts},
    {"sim", "[--image FILE] [--save FILE] [--baud N] [--latency-ms N] [--faults SPEC]",
     "Serve a simulated radio on a pseudo-terminal.", runSim},
};

void printUsage(QTextStream& stream) {
    stream << "usage: qmh4 COMMAND [OPTIONS] [FILES]\n"
              "       qmh4 help COMMAND | qmh4 COMMAND --help | qmh4 --version\n\n"
              "commands:\n";
    for (const Command& command : commands) {
        stream << "  " << qSetFieldWidth(12) << Qt::left << command.name << qSetFieldWidth(0)
               << command.summary << "\n  " << qSetFieldWidth(12) << "" << qSetFieldWidth(0)
               << "qmh4 " << command.name << ' ' << command.synopsis << '\n';
    }
    stream << "\nAREAS: comma list of channels,banks,onetouch,title,settings,groups,glyphs\n"
              "P: a device path (/dev/ttyUSB0), a port name (COM3), or \"sim\" for the built-in\n"
              "   simulated radio; without --port, the port last chosen in the window\n"
              "backups: "
           << QDir::toNativeSeparators(qmh4::backupFolder())
           << "\n"
              "exit status: 0 done, 1 a radio step failed, 2 a usage or file error,\n"
              "             3 verify/diff found differences (listed on stdout)\n";
}

int usageError(const QString& why) {
    QTextStream(stderr) << "qmh4: " << why << " (see qmh4 --help)\n";
    return ExitUsage;
}

int help(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        QTextStream out(stdout);
        printUsage(out);
        return ExitOk;
    }
    const Command* command = findCommand(arguments.first());
    if (!command)
        return usageError(QStringLiteral("unknown command \"%1\"").arg(arguments.first()));
    return command->run({QStringLiteral("--help")});
}

} // namespace

const Command* findCommand(const QString& name) {
    for (const Command& command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

} // namespace qmh4::cli

int main(int argc, char* argv[]) {
    using namespace qmh4::cli;
    QCoreApplication app(argc, argv);
    // The window's name: both programs share the remembered port and the backup folder.
    QCoreApplication::setApplicationName(QStringLiteral("QMH4Writer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QMH4_VERSION));
    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        QTextStream err(stderr);
        printUsage(err);
        return ExitUsage;
    }
    const QString name = arguments.at(1);
    arguments.remove(0, 2);
    if (name == QLatin1String("help") || name == QLatin1String("--help") ||
        name == QLatin1String("-h"))
        return help(arguments);
    if (name == QLatin1String("--version")) {
        QTextStream(stdout) << "qmh4 " << QMH4_VERSION << '\n';
        return ExitOk;
    }
    if (const Command* command = findCommand(name))
        return command->run(arguments);
    if (name.startsWith(u'-'))
        return usageError(QStringLiteral("unknown option \"%1\"").arg(name));
    return usageError(QStringLiteral("unknown command \"%1\"").arg(name));
}
