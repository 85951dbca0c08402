#pragma once

#include <QObject>
#include <QString>

#include <array>

class QAction;
class QActionGroup;
class QMenu;

namespace qmh4 {

class MainWindow;

// The "COMPort(&C)" menu and what it chooses: COM1..COM16 (kept in the settings file), the
// serial ports the system reports and the simulated radio (chosen by name and remembered in
// the user's settings, winning over the number at the next start). Nothing changes while a
// transfer runs.
class PortMenu : public QObject {
    Q_OBJECT
public:
    PortMenu(MainWindow& window, QMenu* menu);

    // The choice the settings file and the user's settings hold, made at start.
    void readSettings();

    // The COM port number 1..16; checkItem puts the menu's check mark on item n.
    void setComPortNumber(int number, bool checkItem = true);
    void chooseComPort(int number);
    void choosePortByName(const QString& port);
    const QString& namedPort() const { return namedPort_; }
    // What the transfers open: the named port, else the COM port's device.
    QString portDevice() const;

    std::array<QAction*, 17> comPortActions{}; // items 1..16; entry 0 unused
    QAction* simulatedRadioAction;

signals:
    void portChanged();

private:
    void refreshSystemPorts();

    MainWindow& window_;
    QMenu* menu_;
    QActionGroup* group_;
    QList<QAction*> systemPortActions_;
    QString namedPort_;
};

} // namespace qmh4
