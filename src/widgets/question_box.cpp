#include "widgets/question_box.h"

#include <QCheckBox>
#include <QMessageBox>

namespace qmh4 {

namespace {

QuestionSink& currentSink() {
    static QuestionSink sink;
    return sink;
}

bool askModal(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

CheckedQuestionSink& currentCheckedSink() {
    static CheckedQuestionSink sink;
    return sink;
}

CheckedAnswer askModalWithCheck(QWidget* parent, const QString& text, const QString& title,
                                const QString& checkText) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    auto* check = new QCheckBox(checkText, &box);
    box.setCheckBox(check);
    const bool ok = box.exec() == QMessageBox::Ok;
    return {ok, check->isChecked()};
}

SaveQuestionSink& currentSaveSink() {
    static SaveQuestionSink sink;
    return sink;
}

SaveChoice askSaveModal(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace

bool askOkCancel(QWidget* parent, const QString& text, const QString& title) {
    return currentSink() ? currentSink()(parent, text, title) : askModal(parent, text, title);
}

QuestionSink setQuestionSink(QuestionSink sink) {
    QuestionSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

CheckedAnswer askOkCancelWithCheck(QWidget* parent, const QString& text, const QString& title,
                                   const QString& checkText) {
    return currentCheckedSink() ? currentCheckedSink()(parent, text, title, checkText)
                                : askModalWithCheck(parent, text, title, checkText);
}

CheckedQuestionSink setCheckedQuestionSink(CheckedQuestionSink sink) {
    CheckedQuestionSink previous = std::move(currentCheckedSink());
    currentCheckedSink() = std::move(sink);
    return previous;
}

SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& title) {
    return currentSaveSink() ? currentSaveSink()(parent, text, title)
                             : askSaveModal(parent, text, title);
}

SaveQuestionSink setSaveQuestionSink(SaveQuestionSink sink) {
    SaveQuestionSink previous = std::move(currentSaveSink());
    currentSaveSink() = std::move(sink);
    return previous;
}

} // namespace qmh4
