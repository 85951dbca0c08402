#pragma once

#include <QString>

#include <functional>

namespace qmh4 {

// Decides whether one character may go into a box that currently holds `text`.
using CharacterRule = std::function<bool(const QString& text, char32_t character)>;

struct EditOutcome {
    QString text;
    int cursor = 0;
    bool operator==(const EditOutcome&) const = default;
};

// Text may reach a box by a key, a paste from the context menu, drag and drop or an input method;
// all of them must meet the rules of a typed key. Given the box's text before and after a user
// edit and the cursor position after it, the removed part stays removed and the inserted
// characters are taken one by one, in order, as if typed: each is kept only when `rule` accepts
// it against the text built so far. The cursor ends behind the last kept character.
EditOutcome filterUserEdit(const QString& before, const QString& after, int cursorAfter,
                           const CharacterRule& rule);

} // namespace qmh4
