#include "cli/commands.h"

#include <QSerialPortInfo>
#include <QTextStream>

namespace qmh4::cli {

// Lists the serial ports: device path, then what the system says about it.
int runPorts(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        QTextStream(stderr) << "usage: qmh4 ports\n";
        return ExitUsage;
    }
    QTextStream out(stdout);
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        out << port.systemLocation();
        QStringList about;
        for (const QString& text : {port.description(), port.manufacturer(), port.serialNumber()}) {
            if (!text.isEmpty())
                about << text;
        }
        if (!about.isEmpty())
            out << '\t' << about.join(QStringLiteral(", "));
        out << '\n';
    }
    out << "sim\tbuilt-in simulated radio\n";
    return ExitOk;
}

} // namespace qmh4::cli
