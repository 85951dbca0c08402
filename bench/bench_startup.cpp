// Start-up and responsiveness of the main window: time from process start to the idle main
// window (built directly, no splash), peak memory, and the longest stall of the event loop
// while the window reads all channels from the simulated radio paced at 57600 baud.
//
//   bench_startup [--rows N]     N rows of the selected-rows read instead of a full read

#include "app/main_window.h"
#include "app/memory_commands.h"
#include "app/memory_page.h"
#include "app/port_choice.h"
#include "sim/simulated_radio.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace qmh4;

namespace {

// Milliseconds since the kernel started this process (10 ms resolution), or -1.
double millisecondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray statLine = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = statLine.mid(statLine.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble(); // field 22 of the whole line
    const double upSeconds = uptime.readAll().split(' ').first().toDouble();
    return (upSeconds - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Ticks every 5 ms on the window thread and keeps the longest gap between two ticks.
class StallMeter : public QObject {
public:
    static constexpr int IntervalMs = 5;
    StallMeter() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            longest_ =
                std::max(longest_, static_cast<double>(clock_.nsecsElapsed()) / 1e6 - IntervalMs);
            clock_.restart();
        });
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.start(IntervalMs);
        clock_.start();
    }
    double longestStallMs() const { return std::max(0.0, longest_); }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    double longest_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // leave the user's port choice alone
    int rows = LastRow;
    const QStringList args = QApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--rows")); at > 0 && at + 1 < args.size())
        rows = std::clamp(args.at(at + 1).toInt(), 1, static_cast<int>(LastRow));

    MainWindow window;
    window.show();
    double mainToIdle = 0;
    double processToIdle = 0;
    // A zero timer fires once the events of building and showing the window are done. (A local
    // loop: quitting the application would close the window.)
    QEventLoop loop;
    QTimer::singleShot(0, &app, [&] {
        mainToIdle = static_cast<double>(sinceMain.nsecsElapsed()) / 1e6;
        processToIdle = millisecondsSinceProcessStart();
        loop.quit();
    });
    loop.exec();
    const double idleMegabytes = peakMegabytes();
    std::printf("start-up: main() to idle main window %.1f ms, process start to idle %.0f ms "
                "(target < 300 ms)\n",
                mainToIdle, processToIdle);
    std::printf("peak memory at idle: %.1f MB\n", idleMegabytes);

    setMessageSink([](QWidget*, const QString& text, const QString& title) {
        std::printf("box: \"%s\" / \"%s\"\n", qPrintable(text), qPrintable(title));
    });
    window.choosePortByName(SimulatedPortName);
    window.simulatedRadio().setPacing(MainWindow::SimulatedBaud);
    window.memoryPage->selectRows(FirstRow, rows);
    QElapsedTimer transfer;
    StallMeter meter;
    QObject::connect(&window, &MainWindow::transferFinished, &loop, &QEventLoop::quit);
    transfer.start();
    if (rows == LastRow)
        window.memoryCommands->readAllChannels();
    else
        window.memoryCommands->readSelectedChannels();
    loop.exec();
    const double seconds = static_cast<double>(transfer.nsecsElapsed()) / 1e9;
    const double wireSeconds =
        static_cast<double>(window.simulatedRadio().wireTime(13 + 143).count()) / 1e9 * rows;
    std::printf("read of %d rows at 57600 baud: %.2f s, wire time of the records %.2f s, "
                "ratio %.3f\n",
                rows, seconds, wireSeconds, seconds / wireSeconds);
    std::printf("longest event-loop stall during the read: %.1f ms (target < 50 ms)\n",
                meter.longestStallMs());
    std::printf("peak memory after the read: %.1f MB\n", peakMegabytes());
    return 0;
}
