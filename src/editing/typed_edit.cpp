#include "editing/typed_edit.h"

#include <QList>

#include <algorithm>

namespace qmh4 {

namespace {

// The edit is taken as one replaced stretch; anchoring it at the cursor keeps a repeated
// character ("5" typed into "55") where the user put it.
std::pair<qsizetype, qsizetype> unchangedEnds(const QString& before, const QString& after,
                                              qsizetype cursorAfter) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype suffix = 0;
    const qsizetype maxSuffix = std::min(shorter, after.size() - cursorAfter);
    while (suffix < maxSuffix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    qsizetype prefix = 0;
    while (prefix < shorter - suffix && before[prefix] == after[prefix])
        ++prefix;
    return {prefix, suffix};
}

} // namespace

EditOutcome filterUserEdit(const QString& before, const QString& after, int cursorAfter,
                           const CharacterRule& rule) {
    const qsizetype cursor = std::clamp<qsizetype>(cursorAfter, 0, after.size());
    const auto [prefix, suffix] = unchangedEnds(before, after, cursor);
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);

    QString text = before.left(prefix) + before.right(suffix);
    qsizetype position = prefix;
    for (const uint code : inserted.toUcs4()) {
        const auto character = static_cast<char32_t>(code);
        if (!rule(text, character))
            continue;
        const QString piece = QString::fromUcs4(&character, 1);
        text.insert(position, piece);
        position += piece.size();
    }
    return {text, static_cast<int>(position)};
}

} // namespace qmh4
