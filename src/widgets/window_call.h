#pragma once

#include <QObject>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace qmh4 {

// Lets a transfer's worker thread run something on the window's thread and wait until it has
// run: a step's error box that the user answers before the next step starts, an editor that
// reads by itself and closes. Closing the window abandons the calls, so the worker is never
// left waiting for a thread that is itself waiting for the worker.
//
// A call that has started runs to its end before the worker goes on; the window cannot close
// meanwhile, since every such call shows a modal box or editor.
class WindowCall {
public:
    explicit WindowCall(QObject* context);
    ~WindowCall();
    WindowCall(const WindowCall&) = delete;
    WindowCall& operator=(const WindowCall&) = delete;

    // On the worker thread: runs fn on the context's thread and returns true once it has run,
    // or false (fn never runs) when the calls have been abandoned.
    bool run(std::function<void()> fn);

    // On the window's thread: calls not yet started are dropped and their workers return.
    void abandon();
    // Allows calls again, for the next transfer.
    void reopen();

private:
    struct State;
    QObject* context_;
    std::shared_ptr<State> state_;
};

} // namespace qmh4
