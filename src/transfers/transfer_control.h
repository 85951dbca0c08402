#pragma once

// The main window's transfer fields as plain logic, shared by the window and the CLI: the
// transfer state that makes every other command inert, the quiet flag of the whole-radio
// sequence, the closing flag, the Cancel request, and the box to show when a transfer ends.

#include "link/session.h"

#include <atomic>

namespace qmh4 {

// The box a transfer ends with, by what it announces; the window and `qmh4` word it. The port's
// own words of a port error stay in TransferResult::detail, never part of the box.
enum class EndBox : quint8 {
    None,      // nothing to show: a quiet success, or a stopped transfer
    Success,   // "Success" / " Finish"
    Failed,    // "Error" / " Error"
    PortError, // "Port Error" / " Error"
};

// The box of a transfer that failed; None for one that succeeded or was stopped.
EndBox failureBox(Outcome outcome);

class TransferControl {
public:
    enum Quiet : quint8 {
        StandAlone = 0,     // a transfer started by its own command
        WholeRadioStep = 1, // a step of read/write all data: no "Success" box
        AfterFailure = 2,   // the last transfer failed
    };

    // Starts a transfer with a non-zero state code. Returns false and changes nothing while
    // another transfer runs or the window is closing. A quiet flag of 2 left by a failure
    // becomes 0, so a failed transfer never swallows the next one's "Success" box; a 1 set by
    // the whole-radio sequence is kept. Clears a Cancel request left from before.
    bool begin(quint16 stateCode);

    // Ends the running transfer: the state returns to 0 and the quiet flag follows the outcome
    // (Success: 0; Failed and PortError: 2; Stopped: unchanged). Returns the box to show:
    // Success only for a success with quiet flag 0, Failed and PortError always, None after
    // Stopped.
    EndBox finish(const TransferResult& result);

    // The whole-radio sequence marks each of its steps quiet before starting it.
    void setQuiet(Quiet quiet) { quiet_ = quiet; }
    Quiet quiet() const { return quiet_; }

    quint16 state() const { return state_; }
    bool busy() const { return state_ != 0; }

    // Closing the main window: the running transfer stops after its current exchange.
    void requestClose();
    bool closing() const { return closing_; }
    // The Cancel button: like closing, but the program goes on.
    void requestCancel() { stop_.store(true); }

    // The flag a Session reads after every exchange.
    const std::atomic<bool>* stopFlag() const { return &stop_; }

private:
    quint16 state_ = 0;
    Quiet quiet_ = StandAlone;
    bool closing_ = false;
    std::atomic<bool> stop_{false};
};

} // namespace qmh4
