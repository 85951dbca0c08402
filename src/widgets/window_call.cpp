#include "widgets/window_call.h"

namespace qmh4 {

struct WindowCall::State {
    std::mutex mutex;
    std::condition_variable changed;
    bool abandoned = false;
    // Counts the abandons: a call posted before one never runs, even once calls are allowed
    // again.
    quint64 generation = 0;
};

namespace {

enum class CallStatus { Waiting, Running, Done, Dropped };

} // namespace

WindowCall::WindowCall(QObject* context) : context_(context), state_(std::make_shared<State>()) {}

WindowCall::~WindowCall() {
    abandon();
}

bool WindowCall::run(std::function<void()> fn) {
    auto status = std::make_shared<CallStatus>(CallStatus::Waiting);
    quint64 generation = 0;
    {
        const std::lock_guard lock(state_->mutex);
        if (state_->abandoned)
            return false;
        generation = state_->generation;
    }
    QMetaObject::invokeMethod(
        context_,
        [state = state_, status, generation, fn = std::move(fn)] {
            {
                const std::lock_guard lock(state->mutex);
                if (*status != CallStatus::Waiting || state->generation != generation)
                    return;
                *status = CallStatus::Running;
            }
            fn();
            {
                const std::lock_guard lock(state->mutex);
                *status = CallStatus::Done;
            }
            state->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(lock, [&] {
        return *status == CallStatus::Done || (state_->abandoned && *status == CallStatus::Waiting);
    });
    if (*status == CallStatus::Waiting)
        *status = CallStatus::Dropped;
    return *status == CallStatus::Done;
}

void WindowCall::abandon() {
    {
        const std::lock_guard lock(state_->mutex);
        state_->abandoned = true;
        ++state_->generation;
    }
    state_->changed.notify_all();
}

void WindowCall::reopen() {
    const std::lock_guard lock(state_->mutex);
    state_->abandoned = false;
}

} // namespace qmh4
