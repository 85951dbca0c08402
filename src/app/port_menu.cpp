#include "app/port_menu.h"

#include "app/file_messages.h"
#include "app/main_window.h"
#include "app/port_choice.h"
#include "app/settings_location.h"
#include "files/settings_file.h"
#include "ports/default_port.h"
#include "ports/port_opener.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace qmh4 {

PortMenu::PortMenu(MainWindow& window, QMenu* menu)
    : QObject(&window), window_(window), menu_(menu), group_(new QActionGroup(this)) {
    group_->setExclusive(true);
    for (int number = 1; number <= LastComPort; ++number) {
        QAction* item = menu->addAction(QStringLiteral("COM%1").arg(number));
        item->setObjectName(QStringLiteral("MenuSetCom[%1]").arg(number));
        item->setCheckable(true);
        group_->addAction(item);
        connect(item, &QAction::triggered, this, [this, number] { chooseComPort(number); });
        comPortActions[static_cast<size_t>(number)] = item;
    }
    menu->addSeparator();
    simulatedRadioAction = menu->addAction(QStringLiteral("Simulated radio"));
    simulatedRadioAction->setObjectName(QStringLiteral("MenuSimulatedRadio"));
    simulatedRadioAction->setCheckable(true);
    group_->addAction(simulatedRadioAction);
    connect(simulatedRadioAction, &QAction::triggered, this,
            [this] { choosePortByName(SimulatedPortName); });
    // Ports come and go with their cables: list them afresh whenever the menu opens.
    connect(menu, &QMenu::aboutToShow, this, &PortMenu::refreshSystemPorts);
    refreshSystemPorts();
}

void PortMenu::refreshSystemPorts() {
    for (QAction* old : systemPortActions_) {
        group_->removeAction(old);
        menu_->removeAction(old);
        old->deleteLater();
    }
    systemPortActions_.clear();
    for (const SystemPort& port : systemPorts()) {
        const QString caption =
            port.description.isEmpty()
                ? port.name
                : port.name + QStringLiteral("  (") + port.description + QLatin1Char(')');
        auto* item = new QAction(caption, menu_);
        item->setObjectName(QStringLiteral("MenuSystemPort"));
        item->setData(port.location);
        item->setCheckable(true);
        item->setChecked(port.location == namedPort_);
        group_->addAction(item);
        menu_->insertAction(simulatedRadioAction, item);
        connect(item, &QAction::triggered, this,
                [this, location = port.location] { choosePortByName(location); });
        systemPortActions_.append(item);
    }
}

void PortMenu::readSettings() {
    const ComPortChoice fromFile = applicationSettingsFile().readComPort();
    setComPortNumber(fromFile.port, false);
    if (fromFile.checkedItem >= 1 && fromFile.checkedItem <= LastComPort)
        comPortActions[static_cast<size_t>(fromFile.checkedItem)]->setChecked(true);
    // A port chosen by name in the user's settings wins over the settings file's number.
    const QString remembered = rememberedPortName();
    if (remembered.isEmpty())
        return;
    namedPort_ = remembered;
    if (remembered == SimulatedPortName)
        simulatedRadioAction->setChecked(true);
    else
        refreshSystemPorts();
}

void PortMenu::setComPortNumber(int number, bool checkItem) {
    window_.document().setComPort(number);
    if (checkItem)
        comPortActions[static_cast<size_t>(window_.document().comPort())]->setChecked(true);
    emit portChanged();
}

QString PortMenu::portDevice() const {
    return defaultPort(namedPort_, window_.document().comPort());
}

void PortMenu::chooseComPort(int number) {
    if (window_.transferRunning())
        return;
    namedPort_.clear();
    forgetPortName();
    setComPortNumber(number);
    // The choice stays in effect for this run even when the file cannot be written.
    const FileOutcome saved = applicationSettingsFile().save(window_.currentData());
    if (!saved.ok())
        showFileOutcome(&window_, saved);
}

void PortMenu::choosePortByName(const QString& port) {
    if (window_.transferRunning())
        return;
    namedPort_ = port;
    rememberPortName(port);
    if (port == SimulatedPortName)
        simulatedRadioAction->setChecked(true);
    else
        refreshSystemPorts();
    emit portChanged();
}

} // namespace qmh4
