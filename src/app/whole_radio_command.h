#pragma once

#include "transfers/whole_radio.h"
#include "widgets/window_call.h"

#include <QObject>

#include <functional>
#include <memory>

namespace qmh4 {

class MainWindow;

// "Read All Data" and "Write All Data" in the main window: the sequence runs on the worker over
// a copy of the working data; each failing step's box is shown (and answered) while the
// sequence waits, the bar rises once from 0 to 100 over the whole command, and the status line
// names the running step. A read opens the font and group editors, which read and close
// themselves, and ends as one change of the document; a clean write ends with "Success".
class WholeRadioCommand : public QObject {
    Q_OBJECT
public:
    explicit WholeRadioCommand(MainWindow& window);
    ~WholeRadioCommand() override;

    bool read();
    bool write();
    // The window goes or closes: a worker waiting for the window is let go.
    void abandon();

private:
    struct Run;
    bool start(bool reading);
    WholeRadioOptions optionsFor(bool reading, const std::shared_ptr<Run>& run);
    void showStepBox(const StepResult& step, bool reading);
    void adoptRead(Run& run);
    void finishRead(Run& run);
    void finishWrite(Run& run);
    TransferResult openEditorWithAutoRead(const std::function<TransferResult()>& open);

    MainWindow& window_;
    // The worker's way to the window thread while the sequence runs.
    std::shared_ptr<WindowCall> windowCall_;
};

} // namespace qmh4
