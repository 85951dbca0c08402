#pragma once

#include <utility>

namespace qmh4 {

// The one seam every box of the program goes through: each kind of box has a sink that tests
// replace to record the box and answer it instead of blocking on a modal dialog. An empty sink
// means the real box.
template <typename Sink>
class BoxSeam {
public:
    static Sink& current() {
        static Sink sink;
        return sink;
    }
    // Installs `sink` and returns the one it replaces.
    static Sink replace(Sink sink) {
        Sink previous = std::move(current());
        current() = std::move(sink);
        return previous;
    }
    // The sink's answer when one is installed, else the real box's.
    template <typename Real, typename... Args>
    static auto ask(Real real, Args&&... args) {
        return current() ? current()(args...) : real(std::forward<Args>(args)...);
    }
};

} // namespace qmh4
