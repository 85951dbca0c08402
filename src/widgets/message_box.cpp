#include "widgets/message_box.h"

#include <QMessageBox>

namespace qmh4 {

namespace {

MessageSink& currentSink() {
    static MessageSink sink;
    return sink;
}

void showModalBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void showMessage(QWidget* parent, const QString& text, const QString& title) {
    if (currentSink())
        currentSink()(parent, text, title);
    else
        showModalBox(parent, text, title);
}

MessageSink setMessageSink(MessageSink sink) {
    MessageSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

} // namespace qmh4
