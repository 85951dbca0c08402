#include "app/splash_screen.h"

#include "app/app_identity.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace qmh4 {

SplashScreen::SplashScreen(std::function<void()> openMainWindow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), Timer1(new QTimer(this)),
      openMainWindow_(std::move(openMainWindow)) {
    setObjectName(QStringLiteral("frmSplash"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->addWidget(makeRadioPicture(this), 0, Qt::AlignCenter);
    auto* title = new QLabel(QString::fromLatin1(ProductTitle), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setObjectName(QStringLiteral("lblProductName"));
    layout->addWidget(title, 0, Qt::AlignCenter);
    auto* version = new QLabel(QString::fromLatin1(VersionText), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(version, 0, Qt::AlignCenter);

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(DisplayMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &SplashScreen::closeSplash);
    Timer1->start();
    setFocusPolicy(Qt::StrongFocus);
}

void SplashScreen::keyPressEvent(QKeyEvent* event) {
    event->accept();
    closeSplash();
}

void SplashScreen::closeSplash() {
    // The timer tick and a key press may both arrive; only the first one opens the window.
    if (closed_)
        return;
    closed_ = true;
    Timer1->stop();
    // The main window first: closing the only window would end the program.
    if (openMainWindow_)
        openMainWindow_();
    close();
}

} // namespace qmh4
