#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qmh4 {

// The main window's OK/Cancel questions ("Bank Total Error. Init Data?" / "Caution"). Tests
// replace the sink to answer without a modal box.
using QuestionSink =
    std::function<bool(QWidget* parent, const QString& text, const QString& title)>;

// True when the user chose OK.
bool askOkCancel(QWidget* parent, const QString& text, const QString& title);

// Installs `sink` (an empty one restores the real modal box) and returns the one it replaces.
QuestionSink setQuestionSink(QuestionSink sink);

// An OK/Cancel question with a check box under the text ("Don't ask again"): what was chosen
// and whether the box was ticked. Tests replace the sink the same way.
struct CheckedAnswer {
    bool ok = false;
    bool checked = false;
};
using CheckedQuestionSink = std::function<CheckedAnswer(
    QWidget* parent, const QString& text, const QString& title, const QString& checkText)>;

CheckedAnswer askOkCancelWithCheck(QWidget* parent, const QString& text, const QString& title,
                                   const QString& checkText);
CheckedQuestionSink setCheckedQuestionSink(CheckedQuestionSink sink);
// The Save / Discard / Cancel question before unsaved changes would be lost; tests replace
// its sink the same way.
enum class SaveChoice { Save, Discard, Cancel };
using SaveQuestionSink =
    std::function<SaveChoice(QWidget* parent, const QString& text, const QString& title)>;
SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& title);
SaveQuestionSink setSaveQuestionSink(SaveQuestionSink sink);

} // namespace qmh4
