#include "ports/port_opener.h"

#include "link/serial_link.h"
#include "sim/simulated_radio.h"

namespace qmh4 {

void PortOpener::setSimulatedBaud(int baud) {
    baud_ = baud;
    if (simulated_)
        simulated_->setPacing(baud);
}

SimulatedRadio& PortOpener::simulatedRadio() {
    if (!simulated_) {
        simulated_ = std::make_shared<SimulatedRadio>();
        simulated_->setPacing(baud_);
    }
    return *simulated_;
}

PortOpener::Opener PortOpener::opener(const QString& portName) {
    if (portName == SimulatedPortName) {
        simulatedRadio();
        return [radio = std::shared_ptr<Link>(simulated_)]() -> std::unique_ptr<Link> {
            return std::make_unique<SharedLink>(radio);
        };
    }
    return [portName]() -> std::unique_ptr<Link> { return std::make_unique<SerialLink>(portName); };
}

} // namespace qmh4
