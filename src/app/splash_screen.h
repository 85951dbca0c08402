#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

namespace qmh4 {

// The first window of the program. It closes after 3000 ms or on a key press, whichever comes
// first, and then opens the main window exactly once.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int DisplayMilliseconds = 3000;

    explicit SplashScreen(std::function<void()> openMainWindow, QWidget* parent = nullptr);

    bool hasClosed() const { return closed_; }

public slots:
    void closeSplash();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTimer* Timer1;
    std::function<void()> openMainWindow_;
    bool closed_ = false;
};

} // namespace qmh4
