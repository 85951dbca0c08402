#include "app/main_window.h"
#include "app/splash_window.h"

#include <QApplication>
#include <QScreen>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QMH4Writer"));
    QApplication::setOrganizationName(QStringLiteral("QMH4Writer"));

    std::unique_ptr<qmh4::Form1> mainWindow;
    auto* splash = new qmh4::frmSplash([&mainWindow] {
        mainWindow = std::make_unique<qmh4::Form1>();
        // A screen smaller than 1366 x 768: as large as it allows, the pages scroll.
        if (const QScreen* screen = mainWindow->screen()) {
            const QSize room = screen->availableGeometry().size() - QSize(16, 40);
            mainWindow->resize(mainWindow->size().boundedTo(room));
        }
        mainWindow->show();
    });
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return QApplication::exec();
}
