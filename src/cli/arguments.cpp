#include "cli/arguments.h"

#include <QTextStream>

namespace qmh4::cli {

void tell(const QString& command, const QString& text) {
    QTextStream(stderr) << "qmh4 " << command << ": " << text << "\n";
}

bool parseArguments(QCommandLineParser& parser, const QString& command,
                    const QStringList& arguments, qsizetype positionals) {
    if (!parser.parse(QStringList{QStringLiteral("qmh4 ") + command} + arguments)) {
        tell(command, parser.errorText());
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
    if (!outcome.ok || outcome.text.contains(u'\n'))
        tell(command, QString(outcome.text).replace(u'\n', QStringLiteral(": ")));
    return outcome.ok;
}

} // namespace qmh4::cli
