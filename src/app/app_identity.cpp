#include "app/app_identity.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace qmh4 {

namespace {

QPixmap drawRadio() {
    QPixmap pixmap(64, 96);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(18, 4, 18, 24); // antenna
    painter.setBrush(QColor(60, 60, 70));
    painter.drawRoundedRect(8, 22, 48, 70, 6, 6); // body
    painter.setBrush(QColor(150, 200, 150));
    painter.drawRect(14, 30, 36, 18); // display
    painter.setBrush(QColor(200, 200, 200));
    for (int keyRow = 0; keyRow < 3; ++keyRow)
        for (int keyColumn = 0; keyColumn < 3; ++keyColumn)
            painter.drawRect(15 + keyColumn * 12, 54 + keyRow * 11, 9, 7); // keypad
    return pixmap;
}

} // namespace

QWidget* makeRadioPicture(QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(drawRadio());
    return picture;
}

} // namespace qmh4
