#pragma once

#include "sim/simulated_radio.h"

#include <QString>

#include <atomic>
#include <thread>

namespace qmh4 {

// Serves a SimulatedRadio on a pseudo-terminal, so the real serial code can be driven end to
// end: a client opens the slave path as its serial port. The server keeps its own descriptor of
// the slave open and in raw mode, so a client that opens and closes the port for every command
// neither hangs the terminal up nor returns it to cooked mode (where CR would become LF). Like a
// real line, bytes the client leaves unread stay queued after it closes the port.
//
// Replies are paced as the radio's would be: the command's wire time, the latency, then the
// reply streamed at baud / 10 bytes per second. The server blocks in ppoll between bytes; it
// never spins.
class PtyServer {
public:
    explicit PtyServer(SimulatedRadio& radio);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal. False (with `error`) when the system refuses.
    bool open(QString* error);
    // The path a client opens, e.g. /dev/pts/7.
    const QString& slavePath() const { return slavePath_; }

    // Serves on the calling thread until stop() or a byte written to stopDescriptor().
    void serve();
    // Serves on a thread of its own (tests, benchmarks, the in-process "sim" port).
    void start();
    // Ends serve() (from any thread) and joins the server thread if start() made one.
    void stop();
    // Writing one byte here ends serve(); safe to do from a signal handler.
    int stopDescriptor() const { return wakePipe_[1]; }

private:
    void handleInput();
    void streamDue();

    SimulatedRadio& radio_;
    int master_ = -1;
    int slave_ = -1;
    int wakePipe_[2] = {-1, -1};
    QString slavePath_;
    std::thread thread_;

    QByteArray inbox_;
    QByteArray outgoing_;
    qsizetype sent_ = 0;
    std::chrono::steady_clock::time_point streamStart_;
};

} // namespace qmh4
