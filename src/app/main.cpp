#include "app/main_window.h"
#include "app/splash_screen.h"
#include "app/start_options.h"
#include "app/window_state.h"

#include <QApplication>
#include <QScreen>

#include <memory>

int main(int argc, char* argv[]) {
    // --help and --version answer on the terminal, also where there is no display.
    const std::unique_ptr<QCoreApplication> app =
        qmh4::asksForTextOnly(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                          : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QMH4Writer"));
    QCoreApplication::setOrganizationName(QStringLiteral("QMH4Writer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QMH4_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.qmh4writer.QMH4Writer"));

    qmh4::StartOptions options;
    if (const auto status = qmh4::parseStartOptions(options))
        return *status;

    std::unique_ptr<qmh4::MainWindow> mainWindow;
    auto* splash = new qmh4::SplashScreen([&mainWindow, &options] {
        mainWindow = std::make_unique<qmh4::MainWindow>();
        qmh4::rememberWindowState(*mainWindow);
        // A screen smaller than 1366 x 768: as large as it allows, the pages scroll.
        if (const QScreen* screen = mainWindow->screen()) {
            const QSize room = screen->availableGeometry().size() - QSize(16, 40);
            mainWindow->resize(mainWindow->size().boundedTo(room));
        }
        mainWindow->show();
        qmh4::applyStartOptions(options, *mainWindow);
    });
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return QApplication::exec();
}
