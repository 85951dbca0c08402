#include "widgets/question_box.h"

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

} // namespace

bool askOkCancel(QWidget* parent, const QString& text, const QString& title) {
    return currentSink() ? currentSink()(parent, text, title) : askModal(parent, text, title);
}

QuestionSink setQuestionSink(QuestionSink sink) {
    QuestionSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

} // namespace qmh4
