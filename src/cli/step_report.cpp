#include "cli/step_report.h"

#include "cli/arguments.h"
#include "link/serial_link.h"
#include "messages/transfer_outcome_text.h"

#include <QTextStream>

#include <unistd.h>
#include <utility>

namespace qmh4::cli {

StepReport::StepReport(QString command, QString port, QString finalBlocks)
    : command_(std::move(command)), port_(std::move(port)), finalBlocks_(std::move(finalBlocks)),
      terminal_(::isatty(STDERR_FILENO) == 1) {}

StepReport::~StepReport() {
    endProgressLine();
}

QString StepReport::stepName(WholeStep step) const {
    if (step == WholeStep::FinalBlocks)
        return finalBlocks_;
    for (const SessionArea& area : sessionAreas()) {
        if (area.step == step)
            return dataAreaName(area.area);
    }
    return dataAreaName(step == WholeStep::Glyphs ? DataArea::Glyphs : DataArea::Groups);
}

void StepReport::stepStarted(WholeStep step) {
    running_ = stepName(step);
    shown_ = -1;
    progress(0, 0, 0);
}

void StepReport::progress(int, int, int percent) {
    if (!terminal_ || percent == shown_)
        return;
    shown_ = percent;
    QTextStream(stderr) << '\r' << running_ << ' ' << percent << '%' << Qt::flush;
}

void StepReport::stepFinished(const StepResult& step) {
    endProgressLine();
    const EndBox box = stepBox(step.result);
    if (box == EndBox::None)
        return;
    QString text = stepName(step.step) + QStringLiteral(": ") + endBoxText(box).text;
    QString detail = step.result.detail;
    if (step.result.outcome == Outcome::PortError)
        detail = portLabel(port_) + (detail.isEmpty() ? QString() : QStringLiteral(": ") + detail);
    if (!detail.isEmpty())
        text += QStringLiteral(" (") + detail + u')';
    tell(command_, text);
}

void StepReport::endProgressLine() {
    if (terminal_ && shown_ >= 0)
        QTextStream(stderr) << '\n' << Qt::flush;
    shown_ = -1;
}

} // namespace qmh4::cli
