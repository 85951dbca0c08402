#pragma once

#include "link/channel_transfer.h"

#include <QString>

namespace qmh4::cli {

// A transfer's percent on stderr, rewritten in place, when stderr is a terminal; silent
// otherwise (scripts get only the result). For the read and write commands.
class TerminalProgress : public ChannelTransferObserver {
public:
    explicit TerminalProgress(QString label);
    ~TerminalProgress() override;

    void progress(int value, int maximum, int percent) override;

private:
    QString label_;
    bool terminal_;
    int shown_ = -1;
};

} // namespace qmh4::cli
