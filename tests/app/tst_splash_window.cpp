#include "app/about_dialog.h"
#include "app/main_window.h"
#include "app/splash_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace qmh4;

class SplashWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void opensMainWindowOnce_data();
    void opensMainWindowOnce();
    void aboutOpensModallyBesideMainWindow();
};

void SplashWindowTest::opensMainWindowOnce_data() {
    QTest::addColumn<bool>("pressKey");
    QTest::newRow("key press") << true;
    QTest::newRow("timer") << false;
}

void SplashWindowTest::opensMainWindowOnce() {
    QFETCH(bool, pressKey);
    int opened = 0;
    frmSplash splash([&opened] { ++opened; });
    splash.show();
    auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 3000);
    QVERIFY(timer->isActive());
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblProductName"))->text(),
             QStringLiteral("KORVAN QM-H4 Clone Utility"));
    QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 1_7"));
    if (pressKey) {
        QTest::keyClick(&splash, Qt::Key_Space);
        QCOMPARE(opened, 1);
        QVERIFY(!timer->isActive());
        // A late tick and a second key do not open it again.
        splash.closeSplash();
        QTest::keyClick(&splash, Qt::Key_A);
    } else {
        QCOMPARE(opened, 0);
        QTRY_COMPARE_WITH_TIMEOUT(opened, 1, 6000);
    }
    QCOMPARE(opened, 1);
    QVERIFY(!splash.isVisible());
}

void SplashWindowTest::aboutOpensModallyBesideMainWindow() {
    Form1 window;
    window.move(100, 50);
    window.show();
    QPoint openedAt;
    bool wasModal = false;
    QString title;
    QStringList texts;
    // The about window runs its own event loop; look at it from there and press "OK".
    QTimer::singleShot(0, this, [&] {
        auto* about = window.findChild<Form3*>();
        QVERIFY(about);
        openedAt = about->pos();
        wasModal = QApplication::activeModalWidget() == about;
        title = about->windowTitle();
        for (const QLabel* label : about->findChildren<QLabel*>())
            texts << label->text();
        QCOMPARE(about->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("OK"));
        about->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    window.MenuVersion->trigger();
    QVERIFY(wasModal);
    QCOMPARE(title, QStringLiteral("Version"));
    for (const char* expected : {"KORVAN QM-H4 Clone Utility", "Version 1_7", "2010/10/08"})
        QVERIFY2(texts.contains(QString::fromLatin1(expected)), expected);
    QCOMPARE(openedAt, window.pos() + QPoint(1000 / 15, 2000 / 15));
    // Each choice creates it anew; none is left behind.
    QTRY_VERIFY(window.findChildren<Form3*>().isEmpty());
}

QTEST_MAIN(SplashWindowTest)
#include "tst_splash_window.moc"
