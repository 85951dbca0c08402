#pragma once

#include "link/link.h"

#include <memory>

namespace qmh4 {

// A Link that forwards every call to one that outlives the transfer: the window's built-in
// simulated radio keeps its memory from one transfer to the next.
class SharedLink : public Link {
public:
    explicit SharedLink(std::shared_ptr<Link> target) : target_(std::move(target)) {}

    bool send(const QByteArray& command) override { return target_->send(command); }
    Reply receive(qsizetype expected, std::chrono::milliseconds timeout) override {
        return target_->receive(expected, timeout);
    }
    void close() override { target_->close(); }
    bool isOpen() const override { return target_->isOpen(); }
    QString errorString() const override { return target_->errorString(); }

private:
    std::shared_ptr<Link> target_;
};

} // namespace qmh4
