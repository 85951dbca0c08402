#include "app/start_options.h"

#include "app/file_drop.h"
#include "app/main_window.h"
#include "files/data_file.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>

namespace qmh4 {

bool asksForTextOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--help" || argument == "-h" || argument == "--version" || argument == "-v")
            return true;
    }
    return false;
}

std::optional<int> parseStartOptions(StartOptions& options) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Programs the QM-H4 handheld radio over its programming cable."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption quitAfter(
        QStringLiteral("quit-after"),
        QStringLiteral("Quit by itself MS milliseconds after the main window is shown (a smoke "
                       "test of an installation)."),
        QStringLiteral("MS"));
    parser.addOption(quitAfter);
    parser.addPositionalArgument(
        QStringLiteral("FILE.H4"),
        QStringLiteral("A data file to open at start (a .CSV file is imported, "
                       "a .FH4 font file loaded)."));
    // process() answers --help and --version itself and exits, as a desktop program does.
    parser.process(QCoreApplication::arguments());
    if (parser.positionalArguments().size() > 1) {
        QTextStream(stderr) << "QMH4Writer: one data file at most\n";
        return 2;
    }
    options.dataFile = parser.positionalArguments().value(0);
    if (parser.isSet(quitAfter)) {
        bool ok = false;
        options.quitAfterMs = parser.value(quitAfter).toInt(&ok);
        if (!ok || options.quitAfterMs < 0) {
            QTextStream(stderr) << "QMH4Writer: --quit-after takes milliseconds\n";
            return 2;
        }
    }
    return std::nullopt;
}

void applyStartOptions(const StartOptions& options, MainWindow& window) {
    if (!options.dataFile.isEmpty())
        openGivenFile(window, options.dataFile);
    if (options.quitAfterMs >= 0)
        QTimer::singleShot(options.quitAfterMs, qApp, &QCoreApplication::quit);
}

} // namespace qmh4
