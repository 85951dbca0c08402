#include "app/write_confirmation.h"

#include "app/main_window.h"
#include "app/user_settings.h"
#include "app/window_state.h"
#include "widgets/question_box.h"

namespace qmh4 {

namespace {

const QString AskKey = QStringLiteral("Confirm/WriteToRadio");

} // namespace

bool asksBeforeRadioWrite() {
    return userSettings().value(AskKey, true).toBool();
}

void setAsksBeforeRadioWrite(bool ask) {
    userSettings().setValue(AskKey, ask);
}

bool confirmRadioWrite(MainWindow& window) {
    if (window.transferRunning() || !asksBeforeRadioWrite())
        return true;
    const CheckedAnswer answer = askOkCancelWithCheck(
        &window, QStringLiteral("Write to the radio on %1?").arg(portInUse(window)),
        QStringLiteral("Caution"), QStringLiteral("Don't ask again"));
    // A tick with Cancel is no answer to remember: "never write" is not on offer.
    if (answer.ok && answer.checked)
        setAsksBeforeRadioWrite(false);
    return answer.ok;
}

} // namespace qmh4
