#include "app/main_window.h"
#include "app/splash_window.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QMH4Writer"));
    QApplication::setOrganizationName(QStringLiteral("QMH4Writer"));

    std::unique_ptr<qmh4::Form1> mainWindow;
    auto* splash = new qmh4::frmSplash([&mainWindow] {
        mainWindow = std::make_unique<qmh4::Form1>();
        mainWindow->show();
    });
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return QApplication::exec();
}
