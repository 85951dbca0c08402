#include "sim/pty_server.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace qmh4 {

namespace {

using Clock = std::chrono::steady_clock;

// A command line longer than this without a CR is noise; it is dropped.
constexpr qsizetype MaxCommandLength = 512;

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

timespec toTimespec(std::chrono::nanoseconds span) {
    if (span.count() < 0)
        span = {};
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(span.count() / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(span.count() % 1'000'000'000);
    return ts;
}

} // namespace

PtyServer::PtyServer(SimulatedRadio& radio) : radio_(radio) {}

PtyServer::~PtyServer() {
    stop();
    for (int fd : {master_, slave_, wakePipe_[0], wakePipe_[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool PtyServer::open(QString* error) {
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B57600);
    cfsetospeed(&raw, B57600);
    raw.c_cflag |= CLOCAL | CREAD;
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        if (error)
            *error = systemError("openpty");
        return false;
    }
    if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error)
            *error = systemError("pipe");
        return false;
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    slavePath_ = QString::fromLocal8Bit(name);
    return true;
}

void PtyServer::start() {
    if (!thread_.joinable())
        thread_ = std::thread([this] { serve(); });
}

void PtyServer::stop() {
    if (wakePipe_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(wakePipe_[1], &byte, 1);
    }
    if (thread_.joinable())
        thread_.join();
}

void PtyServer::handleInput() {
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        inbox_.append(buffer, static_cast<qsizetype>(n));
    }
    for (qsizetype end = inbox_.indexOf('\r'); end >= 0; end = inbox_.indexOf('\r')) {
        const QByteArray command = inbox_.left(end + 1);
        inbox_.remove(0, end + 1);
        // A new command ends whatever reply was still streaming, as on the radio.
        outgoing_.clear();
        sent_ = 0;
        if (const auto reply = radio_.respond(command)) {
            outgoing_ = *reply;
            // The pseudo-terminal delivered the command at once; on the wire it took its time.
            streamStart_ = Clock::now() + radio_.wireTime(command.size()) + radio_.latency();
        }
    }
    if (inbox_.size() > MaxCommandLength)
        inbox_.clear();
}

void PtyServer::streamDue() {
    if (outgoing_.isEmpty())
        return;
    const auto elapsed = Clock::now() - streamStart_;
    qsizetype due = 0;
    if (elapsed.count() >= 0) {
        due = outgoing_.size();
        if (radio_.baud() > 0)
            due = std::min<qsizetype>(due, elapsed / radio_.wireTime(1));
    }
    if (due > sent_) {
        const ssize_t n =
            ::write(master_, outgoing_.constData() + sent_, static_cast<size_t>(due - sent_));
        if (n > 0)
            sent_ += n;
        else if (errno != EAGAIN && errno != EINTR)
            sent_ = outgoing_.size(); // nobody can take it: the reply is lost, as on a line
    }
    if (sent_ >= outgoing_.size()) {
        outgoing_.clear();
        sent_ = 0;
    }
}

void PtyServer::serve() {
    // Bytes are handed to the terminal in chunks of about a millisecond of wire time, so the
    // server wakes a thousand times a second at most while a reply streams.
    for (;;) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        timespec wait{};
        const timespec* timeout = nullptr;
        if (!outgoing_.isEmpty()) {
            const qsizetype perMs = std::max<qsizetype>(1, radio_.baud() / 10'000);
            const qsizetype target = std::min(outgoing_.size(), sent_ + perMs);
            const auto wake = streamStart_ + radio_.wireTime(target);
            wait = toTimespec(wake - Clock::now());
            timeout = &wait;
        }
        const int ready = ::ppoll(fds, 2, timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            break;
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            break; // the terminal is gone; waiting on it again would return at once forever
        if (fds[0].revents & POLLIN)
            handleInput();
        streamDue();
    }
    // Leave the pipe empty so a later serve() runs again.
    char drain[16];
    while (::read(wakePipe_[0], drain, sizeof drain) > 0) {
    }
}

} // namespace qmh4
