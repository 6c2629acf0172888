#include "mascot.h"

#include <QPainter>
#include <QPainterPath>

namespace lc {

void drawMascot(QPainter& painter, QPointF base, double height, const QColor& color,
                const QColor& detail)
{
    if (height <= 0.0)
        return;
    painter.save();
    painter.translate(base);
    // Unit figure: feet at y = 0, top of the hat at y = -1.
    painter.scale(height, height);

    QPainterPath body;
    body.setFillRule(Qt::WindingFill);
    // Legs.
    body.addRoundedRect(QRectF(-0.20, -0.26, 0.16, 0.26), 0.05, 0.05);
    body.addRoundedRect(QRectF(0.04, -0.26, 0.16, 0.26), 0.05, 0.05);
    // Torso.
    body.addRoundedRect(QRectF(-0.24, -0.56, 0.48, 0.36), 0.11, 0.11);
    // Head.
    body.addEllipse(QPointF(0.0, -0.665), 0.145, 0.145);
    // Hard hat: a dome over the head and a brim wider than it.
    QPainterPath dome;
    dome.moveTo(-0.175, -0.755);
    dome.arcTo(QRectF(-0.175, -0.985, 0.35, 0.46), 180.0, -180.0);
    dome.closeSubpath();
    body.addPath(dome);
    body.addRoundedRect(QRectF(-0.25, -0.785, 0.50, 0.06), 0.03, 0.03);

    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(body);

    // Arms: one hanging, one raised.
    QPen arm(color, 0.095, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(arm);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(-0.20, -0.49), QPointF(-0.33, -0.29));
    QPainterPath raised;
    raised.moveTo(0.20, -0.49);
    raised.lineTo(0.33, -0.58);
    raised.lineTo(0.37, -0.76);
    painter.drawPath(raised);

    // Details in the dial's colour.
    painter.setPen(Qt::NoPen);
    painter.setBrush(detail);
    painter.drawEllipse(QPointF(-0.055, -0.655), 0.024, 0.024);
    painter.drawEllipse(QPointF(0.055, -0.655), 0.024, 0.024);
    painter.drawRect(QRectF(-0.24, -0.40, 0.48, 0.045));
    painter.drawRect(QRectF(-0.13, -0.722, 0.26, 0.018));
    QPen smile(detail, 0.02, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(smile);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(-0.06, -0.64, 0.12, 0.06), 200 * 16, 140 * 16);
    // The ridge on the hat.
    painter.drawLine(QPointF(0.0, -0.965), QPointF(0.0, -0.80));

    painter.restore();
}

} // namespace lc
