#pragma once

#include "link/session.h"

#include <QObject>
#include <QString>

namespace qmh4 {

class MainWindow;

// Whether the working data differs from what was last opened, saved or read from the radio
// (the undo history's clean state), shown in the window title ("Untitled* — KORVAN QM-H4 Clone
// Utility"), and the "Save changes?" question before a command would replace unsaved work.
class UnsavedChanges : public QObject {
    Q_OBJECT
public:
    explicit UnsavedChanges(MainWindow& window);

    // True when the command may go on: nothing is unsaved, or the user saved ("Save(&S)", its
    // dialog included) or chose Discard. Cancel, or a cancelled save, gives false.
    bool settle();

    // A radio read replaces working data: it asks first (false: the read must not start), and
    // everything it changes becomes one undo step named for the command. After a successful
    // read the data counts as saved when it did before, or when the read replaced all of it
    // (Read All Data): a partial read must not hide edits it did not replace.
    bool beginRead(quint16 stateCode);
    void endRead(const TransferResult& result);

    QString title() const;

private:
    void showTitle();

    MainWindow& window_;
    quint16 runningRead_ = 0;
    bool cleanBeforeRead_ = false;
};

// The name of the read a transfer state code starts ("Bank Read"); empty for other commands.
QString radioReadName(quint16 stateCode);

} // namespace qmh4
