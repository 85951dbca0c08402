#pragma once

#include "document/radio_document.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <vector>

class QMenu;

namespace qmh4 {

class DocumentStep;

// The undo history of the working data: one QUndoStack step per change the document reports,
// holding the change record (both sides of what changed), so a step of a few rows keeps those
// rows only and only a whole replacement keeps two whole copies.
//
// Three kinds of change do not make steps of their own:
// - a change that continues the previous one of the same name (typing in one box, dragging
//   one slider: see continuing()) joins that step;
// - a derived change (memory-row labels after a bank change, the one-touch lists rebuilt, the
//   groups prepared for the editor, the set-mode record refreshed by a write: see derived())
//   joins the newest step, so undoing that step undoes what followed from it. With no step to
//   join, or the newest step the saved state, it is held and opens the next step instead (it
//   only restates what the bank sizes imply, which the data file does not hold: no "*" for it);
// - every change between beginStep() and endStep() (a radio read, with the editors a whole
//   read opens) joins one step named for the command.
class UndoHistory : public QObject {
    Q_OBJECT
public:
    // The stack keeps this many steps; older ones are dropped.
    static constexpr int StepLimit = 100;

    UndoHistory(RadioDocument& document, QObject* parent);
    ~UndoHistory() override;

    QUndoStack& stack() { return stack_; }
    bool isClean() const { return stack_.isClean(); }
    // The working data now is what was last opened, saved or read.
    void markClean() { stack_.setClean(); }
    // Forgets every step (the start-up data is the clean state).
    void clear() {
        stack_.clear();
        pending_.clear();
    }

    // Adds Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z, Ctrl+Y) to `menu`, named "EditUndo" and
    // "EditRedo"; their texts name the step ("Undo Clear rows 5–9").
    void addActionsTo(QMenu* menu);
    // While `busy()` holds (a transfer runs), undo and redo do nothing.
    void setBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }

    void continuing(const std::function<void()>& edit);
    void derived(const std::function<void()>& edit);
    void beginStep(const QString& name);
    // Ends the step begun last; `clean` marks the data after it as the saved state.
    void endStep(bool clean = false);

    void undo();
    void redo();

signals:
    // After undo or redo put one side of `change` back into the document.
    void applied(const qmh4::DocumentChange& change);

private:
    friend class DocumentStep;
    enum class Mode { Single, Continuing, Derived };
    void record(const DocumentChange& change);
    void runAs(Mode mode, const std::function<void()>& edit);
    void takePendingInto(DocumentStep& step);

    RadioDocument& document_;
    QUndoStack stack_;
    Mode mode_ = Mode::Single;
    std::unique_ptr<DocumentStep> group_;
    std::vector<DocumentChange> pending_; // derived changes waiting for the next step
    std::function<bool()> busy_;
};

} // namespace qmh4
