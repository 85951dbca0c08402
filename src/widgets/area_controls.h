#pragma once

#include "editing/typed_edit.h"

#include <QComboBox>
#include <QLineEdit>

#include <functional>

class QValidator;

namespace qmh4 {

// A text box whose typed-key rule holds for every change a user makes, however the text
// arrives: keys, the context menu's paste, drag and drop, an input method. Text the program
// puts in with setBoxText() is taken as it is.
class FilteredLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    // `refuseCtrlV`: the box drops Ctrl+V itself (the other ways of pasting stay filtered).
    FilteredLineEdit(CharacterRule rule, bool refuseCtrlV, QWidget* parent = nullptr);

    void setBoxText(const QString& text);
    // Maps each arriving character to the text it stands for before the rule sees it (the
    // title turns a pasted glyph into its marker).
    void setInputMapping(std::function<QString(char32_t)> mapping);

    // Called when the user leaves the box (not when a menu or another window takes the focus).
    std::function<void()> onFocusLost;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class RuleValidator;
    RuleValidator* validator_;
    bool refuseCtrlV_;
};

// A drop-down list that changes only by choosing an entry, never by a typed key.
class ChoiceOnlyComboBox final : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    // Replaces the entries without reporting a change, and selects `position` when it lies
    // inside the new entries (else the first entry, or none for an empty list).
    void setEntries(const QStringList& entries, int position);
    // Selects without reporting a change; a position outside the list leaves it as it was.
    void selectQuietly(int position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace qmh4
