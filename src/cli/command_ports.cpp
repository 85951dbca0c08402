#include "cli/arguments.h"
#include "cli/commands.h"
#include "ports/port_opener.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPortInfo>
#include <QTextStream>

namespace qmh4::cli {

namespace {

QString hex4(quint16 value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// "USB 067b:2303" for a USB adapter; empty for a port without USB ids.
QString usbIds(const QSerialPortInfo& port) {
    if (!port.hasVendorIdentifier() || !port.hasProductIdentifier())
        return {};
    return QStringLiteral("USB ") + hex4(port.vendorIdentifier()) + u':' +
           hex4(port.productIdentifier());
}

QJsonObject portObject(const QSerialPortInfo& port) {
    QJsonObject object{{"port", port.systemLocation()},
                       {"name", port.portName()},
                       {"description", port.description()},
                       {"manufacturer", port.manufacturer()},
                       {"serialNumber", port.serialNumber()}};
    object.insert("vendorId", port.hasVendorIdentifier() ? QJsonValue(hex4(port.vendorIdentifier()))
                                                         : QJsonValue());
    object.insert("productId", port.hasProductIdentifier()
                                   ? QJsonValue(hex4(port.productIdentifier()))
                                   : QJsonValue());
    return object;
}

void printJson(const QList<QSerialPortInfo>& ports) {
    QJsonArray list;
    for (const QSerialPortInfo& port : ports)
        list.append(portObject(port));
    list.append(QJsonObject{{"port", SimulatedPortName},
                            {"name", SimulatedPortName},
                            {"description", "built-in simulated radio"}});
    QTextStream(stdout) << QJsonDocument(list).toJson();
}

// One line a port: device path, then what the system says about it.
void printLines(const QList<QSerialPortInfo>& ports) {
    QTextStream out(stdout);
    for (const QSerialPortInfo& port : ports) {
        out << port.systemLocation();
        QStringList about;
        for (const QString& text :
             {port.description(), port.manufacturer(), port.serialNumber(), usbIds(port)}) {
            if (!text.isEmpty())
                about << text;
        }
        if (!about.isEmpty())
            out << '\t' << about.join(QStringLiteral(", "));
        out << '\n';
    }
    out << SimulatedPortName << "\tbuilt-in simulated radio\n";
}

} // namespace

// Lists the serial ports with what the system knows of each, for people or (--json) scripts.
int runPorts(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("json"), QStringLiteral("List the ports as JSON.")});
    if (!parseArguments(parser, QStringLiteral("ports"), arguments, 0))
        return ExitUsage;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (parser.isSet(QStringLiteral("json")))
        printJson(ports);
    else
        printLines(ports);
    return ExitOk;
}

} // namespace qmh4::cli
