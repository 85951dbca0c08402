#include "widgets/question_box.h"

#include "widgets/box_seam.h"

#include <QCheckBox>
#include <QMessageBox>

namespace qmh4 {

namespace {

bool askModal(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
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
    return BoxSeam<QuestionSink>::ask(askModal, parent, text, title);
}

QuestionSink setQuestionSink(QuestionSink sink) {
    return BoxSeam<QuestionSink>::replace(std::move(sink));
}

CheckedAnswer askOkCancelWithCheck(QWidget* parent, const QString& text, const QString& title,
                                   const QString& checkText) {
    return BoxSeam<CheckedQuestionSink>::ask(askModalWithCheck, parent, text, title, checkText);
}

CheckedQuestionSink setCheckedQuestionSink(CheckedQuestionSink sink) {
    return BoxSeam<CheckedQuestionSink>::replace(std::move(sink));
}

SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text, const QString& title) {
    return BoxSeam<SaveQuestionSink>::ask(askSaveModal, parent, text, title);
}

SaveQuestionSink setSaveQuestionSink(SaveQuestionSink sink) {
    return BoxSeam<SaveQuestionSink>::replace(std::move(sink));
}

} // namespace qmh4
