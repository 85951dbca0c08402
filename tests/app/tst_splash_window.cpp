#include "app/splash_screen.h"

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
};

void SplashWindowTest::opensMainWindowOnce_data() {
    QTest::addColumn<bool>("pressKey");
    QTest::newRow("key press") << true;
    QTest::newRow("timer") << false;
}

void SplashWindowTest::opensMainWindowOnce() {
    QFETCH(bool, pressKey);
    int opened = 0;
    SplashScreen splash([&opened] { ++opened; });
    splash.show();
    auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 3000);
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

QTEST_MAIN(SplashWindowTest)
#include "tst_splash_window.moc"
