#include "cli/arguments.h"

#include "cli/commands.h"
#include "messages/file_outcome_text.h"

#include <QTextStream>

#include <cstdlib>

namespace qmh4::cli {

void tell(const QString& command, const QString& text) {
    QTextStream(stderr) << "qmh4 " << command << ": " << text << "\n";
}

namespace {

// "usage: qmh4 read [--port P] … OUT.H4", what it does, then the options as the parser lists
// them.
void printCommandHelp(const QCommandLineParser& parser, const QString& name) {
    QTextStream out(stdout);
    if (const Command* command = findCommand(name)) {
        out << "usage: qmh4 " << name << ' ' << command->synopsis << "\n\n"
            << command->summary << "\n\n";
    }
    const QString options = parser.helpText();
    out << options.mid(options.indexOf(QStringLiteral("Options:")));
}

} // namespace

bool parseArguments(QCommandLineParser& parser, const QString& command,
                    const QStringList& arguments, qsizetype positionals) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    const bool parsed = parser.parse(QStringList{QStringLiteral("qmh4 ") + command} + arguments);
    if (parser.isSet(help)) {
        // Help is an answer, not a failure: usage on stdout and status 0, whatever else the
        // line holds (as QCommandLineParser::showHelp() ends the program).
        printCommandHelp(parser, command);
        std::exit(ExitOk);
    }
    if (!parsed) {
        tell(command, parser.errorText() + QStringLiteral(" (see qmh4 %1 --help)").arg(command));
        return false;
    }
    const qsizetype given = parser.positionalArguments().size();
    if (given != positionals) {
        tell(command,
             positionals == 0
                 ? QStringLiteral("unexpected argument \"%1\"")
                       .arg(parser.positionalArguments().first())
                 : QStringLiteral("%1 file names expected, %2 given").arg(positionals).arg(given));
        return false;
    }
    return true;
}

bool fileDone(const QString& command, const FileOutcome& outcome) {
    const QString text = fileOutcomeText(outcome).text;
    if (!outcome.ok() || text.contains(u'\n'))
        tell(command, QString(text).replace(u'\n', QStringLiteral(": ")));
    return outcome.ok();
}

} // namespace qmh4::cli
