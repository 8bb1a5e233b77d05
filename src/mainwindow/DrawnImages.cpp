#include "Logo.h"

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

} // namespace velto
