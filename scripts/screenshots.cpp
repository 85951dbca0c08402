// Renders every window and page of QMH4Writer to PNG files for the README and the software
// centre's metainfo: offscreen, with the data of the simulated radio's demo memory.
// Usage: qmh4_screenshots OUTPUT_FOLDER        (run by scripts/screenshots)

#include "app/about_dialog.h"
#include "app/channel_dialog.h"
#include "app/connection_test_dialog.h"
#include "app/font_editor.h"
#include "app/group_editor.h"
#include "app/main_window.h"
#include "app/port_menu.h"
#include "app/splash_screen.h"
#include "editing/grid_editing.h"
#include "font/glyph_store.h"
#include "sim/simulated_radio.h"
#include "transfers/whole_radio.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

using namespace qmh4;

namespace {

QDir output;
int failures = 0;

// Lets the widget lay itself out and paint, then saves what it shows.
void save(QWidget& widget, const QString& name) {
    widget.show();
    QEventLoop settle;
    QTimer::singleShot(100, &settle, &QEventLoop::quit);
    settle.exec();
    const QString path = output.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        QTextStream(stderr) << "cannot save " << path << '\n';
        ++failures;
        return;
    }
    QTextStream(stdout) << path << '\n';
}

// The demo radio as "Read All Data" brings it in, read in process at full speed.
WholeRadioData demoRadio() {
    SimulatedRadio radio;
    radio.setPacing(0);
    WholeRadioData data;
    readWholeRadio(radio, data, WholeRadioOptions{}, nullptr, nullptr);
    return data;
}

// The first row that holds a channel, for the detail dialog.
int firstUsedRow(const ChannelTable& table) {
    for (int row = 1; row <= RowCount; ++row) {
        if (table.row(row).used())
            return row;
    }
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QMH4Writer"));
    QApplication::setOrganizationName(QStringLiteral("QMH4Writer"));
    if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "usage: qmh4_screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    output = QDir(QString::fromLocal8Bit(argv[1]));

    SplashScreen splash([] {});
    save(splash, QStringLiteral("splash"));
    splash.close();

    const WholeRadioData radio = demoRadio();
    MainWindow window;
    window.portCommands->simulatedRadioAction->trigger();
    RadioData data;
    data.channels = radio.channels;
    data.areas = radio.areas;
    data.glyphs.setGlyphs(radio.glyphs);
    window.adoptData(data);

    const char* pages[] = {"main-memory", "main-bank", "main-common-set", "main-set-mode"};
    for (int page = 0; page < window.TabStrip1->count(); ++page) {
        window.TabStrip1->setCurrentIndex(page);
        save(window, QString::fromLatin1(pages[page]));
    }
    window.TabStrip1->setCurrentIndex(0);

    ChannelDialog detail(openDetail(window.channels(), firstUsedRow(window.channels())), &window);
    save(detail, QStringLiteral("channel-detail"));
    GlyphStore glyphs = window.document().glyphs();
    FontEditor font(glyphs, window.linkOpener(), nullptr, &window);
    save(font, QStringLiteral("font-editor"));
    Groups groupCopy = window.areas().groups;
    GroupEditor groups(groupCopy, window.linkOpener(), nullptr, &window);
    save(groups, QStringLiteral("group-editor"));
    AboutDialog about(&window);
    save(about, QStringLiteral("about"));

    ConnectionTestDialog test(window);
    QEventLoop answered;
    QObject::connect(&test, &ConnectionTestDialog::testFinished, &answered, &QEventLoop::quit);
    QTimer::singleShot(10000, &answered, &QEventLoop::quit);
    if (test.answerText().startsWith(QStringLiteral("Testing")))
        answered.exec();
    save(test, QStringLiteral("test-connection"));
    return failures == 0 ? 0 : 1;
}
