#include "app/window_state.h"

#include "app/main_window.h"
#include "app/port_choice.h"
#include "app/user_settings.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>

namespace qmh4 {

namespace {

const QString GeometryKey = QStringLiteral("Window/Geometry");
const QString PageKey = QStringLiteral("Window/Page");

QLabel* addPermanentLabel(MainWindow& window, const char* name) {
    auto* label = new QLabel(window.statusBar());
    label->setObjectName(QString::fromLatin1(name));
    window.statusBar()->addPermanentWidget(label);
    return label;
}

void showFile(QLabel* label, const QString& path) {
    label->setText(QStringLiteral("File: ") +
                   (path.isEmpty() ? QStringLiteral("none") : QFileInfo(path).fileName()));
    label->setToolTip(path);
}

// Saves the state as the window closes (also when a later handler keeps it open: the state is
// as valid then).
class StateKeeper : public QObject {
public:
    explicit StateKeeper(MainWindow& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Close) {
            QSettings settings = userSettings();
            settings.setValue(GeometryKey, window_.saveGeometry());
            settings.setValue(PageKey, window_.TabStrip1->currentIndex());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindow& window_;
};

} // namespace

QString portInUse(const MainWindow& window) {
    return window.namedPort() == SimulatedPortName ? QStringLiteral("Simulated radio")
                                                   : window.portDevice();
}

void addStatusFields(MainWindow& window) {
    QLabel* port = addPermanentLabel(window, "StatusPort");
    QLabel* file = addPermanentLabel(window, "StatusFile");
    const auto showPort = [&window, port] {
        port->setText(QStringLiteral("Port: ") + portInUse(window));
    };
    showPort();
    showFile(file, window.document().filePath());
    QObject::connect(&window, &MainWindow::portChanged, port, showPort);
    QObject::connect(&window.document(), &RadioDocument::filePathChanged, file,
                     [file](const QString& path) { showFile(file, path); });
}

void rememberWindowState(MainWindow& window) {
    const QSettings settings = userSettings();
    if (settings.contains(GeometryKey))
        window.restoreGeometry(settings.value(GeometryKey).toByteArray());
    // Changing the page runs the page's own checks, as a click on its tab does.
    const int page = settings.value(PageKey, 0).toInt();
    if (page > 0 && page < window.TabStrip1->count())
        window.TabStrip1->setCurrentIndex(page);
    new StateKeeper(window);
}

} // namespace qmh4
