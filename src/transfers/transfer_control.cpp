#include "transfers/transfer_control.h"

namespace qmh4 {

bool TransferControl::begin(quint16 stateCode) {
    if (state_ != 0 || closing_ || stateCode == 0)
        return false;
    state_ = stateCode;
    if (quiet_ == AfterFailure)
        quiet_ = StandAlone;
    stop_.store(false);
    return true;
}

EndBox TransferControl::finish(const TransferResult& result) {
    state_ = 0;
    EndBox box;
    box.detail = result.detail;
    switch (result.outcome) {
    case Outcome::Success:
        box.show = quiet_ == StandAlone;
        box.text = QStringLiteral("Success");
        box.title = QStringLiteral(" Finish");
        quiet_ = StandAlone;
        break;
    case Outcome::Failed:
        box = {true, QStringLiteral("Error"), QStringLiteral(" Error"), result.detail};
        quiet_ = AfterFailure;
        break;
    case Outcome::PortError:
        box = {true, QStringLiteral("Port Error"), QStringLiteral(" Error"), result.detail};
        quiet_ = AfterFailure;
        break;
    case Outcome::Stopped:
        break;
    }
    if (!closing_)
        stop_.store(false);
    return box;
}

void TransferControl::requestClose() {
    closing_ = true;
    stop_.store(true);
}

} // namespace qmh4
