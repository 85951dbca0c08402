#include "ports/port_factory.h"

#include "link/serial_link.h"
#include "sim/simulated_radio.h"

namespace qmh4 {

namespace {

// Hands the commands to the process-wide simulated radio; closing the link leaves it running.
class BuiltInRadioLink : public Link {
public:
    bool send(const QByteArray& command) override { return builtInRadio().send(command); }
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override {
        return builtInRadio().receive(expected, timeout);
    }
    void close() override { builtInRadio().close(); }
    bool isOpen() const override { return builtInRadio().isOpen(); }
    QString errorString() const override { return builtInRadio().errorString(); }
};

} // namespace

SimulatedRadio& builtInRadio() {
    static SimulatedRadio radio;
    return radio;
}

std::unique_ptr<Link> makeLink(const QString& portName) {
    if (portName == SimulatedPortName)
        return std::make_unique<BuiltInRadioLink>();
    return std::make_unique<SerialLink>(portName);
}

} // namespace qmh4
