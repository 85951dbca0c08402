#include "widgets/message_box.h"

#include "widgets/box_seam.h"

#include <QMessageBox>

namespace qmh4 {

namespace {

void showModalBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void showMessage(QWidget* parent, const QString& text, const QString& title) {
    BoxSeam<MessageSink>::ask(showModalBox, parent, text, title);
}

MessageSink setMessageSink(MessageSink sink) {
    return BoxSeam<MessageSink>::replace(std::move(sink));
}

} // namespace qmh4
