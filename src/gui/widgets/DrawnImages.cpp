#include "DrawnImages.h"

#include <QPainter>
#include <QPainterPath>

namespace velto {

QPixmap MakeLogo(int height) {
    const qreal ratio = 2.0;
    QPixmap pixmap(int(height * 3.4 * ratio), int(height * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal h = height;
    const QColor blue(0x1f, 0x5f, 0xa8);
    const QColor amber(0xf0, 0xa0, 0x20);

    QPainterPath house;
    house.moveTo(0.1 * h, 0.5 * h);
    house.lineTo(0.5 * h, 0.1 * h);
    house.lineTo(0.9 * h, 0.5 * h);
    house.lineTo(0.9 * h, 0.92 * h);
    house.lineTo(0.1 * h, 0.92 * h);
    house.closeSubpath();
    painter.setPen(QPen(blue, 0.08 * h, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(house);

    QPainterPath wave;
    wave.moveTo(0.25 * h, 0.68 * h);
    wave.cubicTo(0.38 * h, 0.45 * h, 0.5 * h, 0.9 * h, 0.75 * h, 0.58 * h);
    painter.setPen(QPen(amber, 0.07 * h, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(wave);

    QFont font = painter.font();
    font.setPixelSize(int(0.55 * h));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(blue);
    painter.drawText(QRectF(1.05 * h, 0, 2.35 * h, h), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Velto"));
    return pixmap;
}

QIcon MakeDeleteIcon() {
    constexpr int kSize = 16;
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(int(kSize * ratio), int(kSize * ratio));
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(3, 4), QPointF(13, 4));        // lid
        painter.drawLine(QPointF(6.5, 2.5), QPointF(9.5, 2.5)); // handle
        painter.drawPolygon(
            QPolygonF({QPointF(4.5, 5.5), QPointF(11.5, 5.5), QPointF(10.8, 14), QPointF(5.2, 14)}));
        for (const qreal x : {6.8, 8.0, 9.2})
            painter.drawLine(QPointF(x, 7.5), QPointF(x, 12));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace velto
