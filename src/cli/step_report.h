#pragma once

#include "transfers/whole_radio.h"

#include <QString>

namespace qmh4::cli {

// What the window shows of a whole-radio command, on stderr: each failing step's message as it
// happens ("qmh4 read: banks: Error", "Port Error" with the port and its own words), and, when
// stderr is a terminal, the running step's percent rewritten in place.
class StepReport : public WholeRadioObserver {
public:
    // `finalBlocks` names what the write's last step sends ("groups", "groups,glyphs"); a
    // port error names `port`.
    StepReport(QString command, QString port, QString finalBlocks);
    ~StepReport() override;

    void stepStarted(WholeStep step) override;
    void progress(int value, int maximum, int percent) override;
    void stepFinished(const StepResult& step) override;

private:
    void endProgressLine();
    QString stepName(WholeStep step) const;

    QString command_;
    QString port_;
    QString finalBlocks_;
    QString running_;
    bool terminal_;
    int shown_ = -1;
};

} // namespace qmh4::cli
