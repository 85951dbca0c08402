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

EndBox failureBox(Outcome outcome) {
    switch (outcome) {
    case Outcome::Failed:
        return EndBox::Failed;
    case Outcome::PortError:
        return EndBox::PortError;
    case Outcome::Success:
    case Outcome::Stopped:
        break;
    }
    return EndBox::None;
}

EndBox TransferControl::finish(const TransferResult& result) {
    state_ = 0;
    EndBox box = failureBox(result.outcome);
    if (result.outcome == Outcome::Success) {
        if (quiet_ == StandAlone)
            box = EndBox::Success;
        quiet_ = StandAlone;
    } else if (box != EndBox::None) {
        quiet_ = AfterFailure;
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
