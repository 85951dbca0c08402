#include "cli/progress.h"

#include <QTextStream>

#include <unistd.h>
#include <utility>

namespace qmh4::cli {

TerminalProgress::TerminalProgress(QString label)
    : label_(std::move(label)), terminal_(::isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress() {
    if (terminal_ && shown_ >= 0)
        QTextStream(stderr) << '\n';
}

void TerminalProgress::progress(int, int, int percent) {
    if (!terminal_ || percent == shown_)
        return;
    shown_ = percent;
    QTextStream(stderr) << '\r' << label_ << ' ' << percent << '%' << Qt::flush;
}

} // namespace qmh4::cli
