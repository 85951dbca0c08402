#include "app/undo_history.h"

#include <QAction>
#include <QMenu>
#include <QUndoCommand>

#include <utility>
#include <vector>

namespace qmh4 {

namespace {

// Every step shares one id, so the stack offers each push to the newest step; mergeWith()
// decides whether it joins.
constexpr int StepId = 1;

bool sameSides(const DocumentChange& change) {
    switch (change.kind) {
    case DocumentChange::Kind::Rows:
        return change.rowsBefore == change.rowsAfter;
    case DocumentChange::Kind::Areas:
        return *change.areasBefore == *change.areasAfter;
    case DocumentChange::Kind::Glyphs:
        return *change.glyphsBefore == *change.glyphsAfter;
    case DocumentChange::Kind::Everything:
        return *change.everythingBefore == *change.everythingAfter;
    }
    return false;
}

// `next` follows `last` directly and touches the same thing: one record from the first
// before to the last after says the same as both.
bool combinable(const DocumentChange& last, const DocumentChange& next) {
    return last.kind == next.kind &&
           (last.kind != DocumentChange::Kind::Rows ||
            (last.firstRow == next.firstRow && last.lastRow == next.lastRow));
}

void takeAfterSide(DocumentChange& last, const DocumentChange& next) {
    last.rowsAfter = next.rowsAfter;
    last.areasAfter = next.areasAfter;
    last.glyphsAfter = next.glyphsAfter;
    last.everythingAfter = next.everythingAfter;
}

} // namespace

// One undo step: the changes it made, in order.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(UndoHistory& history, const QString& name, UndoHistory::Mode mode)
        : history_(history), mode_(mode) {
        setText(name);
    }

    void add(const DocumentChange& change) {
        if (!changes_.empty() && combinable(changes_.back(), change))
            takeAfterSide(changes_.back(), change);
        else
            changes_.push_back(change);
        // Typed back to what it was: the step has nothing left to undo.
        setObsolete(changes_.size() == 1 && sameSides(changes_.front()));
    }
    bool empty() const { return changes_.empty(); }

    int id() const override { return StepId; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const DocumentStep*>(other);
        const bool continues = next->mode_ == UndoHistory::Mode::Continuing &&
                               mode_ == UndoHistory::Mode::Continuing && next->text() == text();
        if (!continues && next->mode_ != UndoHistory::Mode::Derived)
            return false;
        for (const DocumentChange& change : next->changes_)
            add(change);
        return true;
    }

    void undo() override {
        for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
            put(*change, false);
    }
    void redo() override {
        // The document made the changes before they were recorded.
        if (std::exchange(firstRedo_, false))
            return;
        for (const DocumentChange& change : changes_)
            put(change, true);
    }

private:
    void put(const DocumentChange& change, bool after) {
        history_.document_.apply(change, after);
        emit history_.applied(change);
    }

    UndoHistory& history_;
    UndoHistory::Mode mode_;
    std::vector<DocumentChange> changes_;
    bool firstRedo_ = true;
};

UndoHistory::UndoHistory(RadioDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    stack_.setUndoLimit(StepLimit);
    connect(&document, &RadioDocument::changed, this, &UndoHistory::record);
    // Held derived changes followed the step that was newest: once another one is, they no
    // longer fit in front of the next step.
    connect(&stack_, &QUndoStack::indexChanged, this, [this] { pending_.clear(); });
}

UndoHistory::~UndoHistory() {
    // The stack goes after the members its signals would touch.
    disconnect(&stack_, nullptr, this, nullptr);
}

void UndoHistory::addActionsTo(QMenu* menu) {
    QAction* undoAction = stack_.createUndoAction(menu);
    undoAction->setObjectName(QStringLiteral("EditUndo"));
    undoAction->setShortcut(QKeySequence::Undo);
    QAction* redoAction = stack_.createRedoAction(menu);
    redoAction->setObjectName(QStringLiteral("EditRedo"));
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // The stack's own actions would step it directly: go through the busy check instead.
    disconnect(undoAction, nullptr, &stack_, nullptr);
    disconnect(redoAction, nullptr, &stack_, nullptr);
    connect(undoAction, &QAction::triggered, this, &UndoHistory::undo);
    connect(redoAction, &QAction::triggered, this, &UndoHistory::redo);
    QAction* first = menu->actions().value(0);
    menu->insertActions(first, {undoAction, redoAction});
    if (first)
        menu->insertSeparator(first);
}

void UndoHistory::undo() {
    if (!group_ && !(busy_ && busy_()))
        stack_.undo();
}

void UndoHistory::redo() {
    if (!group_ && !(busy_ && busy_()))
        stack_.redo();
}

void UndoHistory::continuing(const std::function<void()>& edit) {
    runAs(Mode::Continuing, edit);
}

void UndoHistory::derived(const std::function<void()>& edit) {
    runAs(Mode::Derived, edit);
}

void UndoHistory::runAs(Mode mode, const std::function<void()>& edit) {
    const Mode outer = std::exchange(mode_, mode);
    edit();
    mode_ = outer;
}

void UndoHistory::beginStep(const QString& name) {
    group_ = std::make_unique<DocumentStep>(*this, name, Mode::Single);
    takePendingInto(*group_);
}

void UndoHistory::takePendingInto(DocumentStep& step) {
    for (const DocumentChange& change : pending_)
        step.add(change);
    pending_.clear();
}

void UndoHistory::endStep(bool clean) {
    std::unique_ptr<DocumentStep> step = std::move(group_);
    if (step && !step->empty() && !step->isObsolete())
        stack_.push(step.release());
    if (clean)
        stack_.setClean();
}

void UndoHistory::record(const DocumentChange& change) {
    if (group_) {
        group_->add(change);
        return;
    }
    const bool newestIsSaved = stack_.index() == 0 || stack_.index() == stack_.cleanIndex();
    if (mode_ == Mode::Derived && newestIsSaved) {
        pending_.push_back(change);
        return;
    }
    auto* step = new DocumentStep(*this, change.name, mode_);
    takePendingInto(*step);
    step->add(change);
    stack_.push(step);
}

} // namespace qmh4
