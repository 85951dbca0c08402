#include "app/file_messages.h"

#include "messages/file_outcome_text.h"
#include "widgets/message_box.h"

namespace qmh4 {

namespace {

// The text with at most 20 remark lines above its last line (the summary).
QString boxText(const QString& report) {
    constexpr int ShownRemarks = 20;
    QStringList lines = report.split(QLatin1Char('\n'));
    if (lines.size() > ShownRemarks + 1) {
        lines.replace(ShownRemarks, QStringLiteral("…"));
        lines.remove(ShownRemarks + 1, lines.size() - ShownRemarks - 2);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void showMessageText(QWidget* parent, const MessageText& words) {
    showMessage(parent, words.text, words.title);
}

void showFileOutcome(QWidget* parent, const FileOutcome& outcome) {
    const MessageText message = fileOutcomeText(outcome);
    if (!message.text.isEmpty())
        showMessage(parent, boxText(message.text), message.title);
}

} // namespace qmh4
