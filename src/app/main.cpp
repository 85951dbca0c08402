#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QMH4Writer"));
    QApplication::setOrganizationName(QStringLiteral("QMH4Writer"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("KORVAN QM-H4 Clone Utility"));
    window.show();
    return QApplication::exec();
}
