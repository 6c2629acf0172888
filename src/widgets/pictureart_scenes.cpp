// Pictures 13 to 33: small scenes of buildings through the seasons, shown one and
// a half times their size right of the slot panels.

#include "pictureart_p.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace lc::art::detail {

namespace {

struct Scene
{
    QImage image;
    QPainter p;
    Rng rng;
    QSize size;

    Scene(QSize s, quint32 seed) : image(canvas(s)), p(&image), rng(seed), size(s)
    {
        p.setRenderHint(QPainter::Antialiasing);
    }
    double w() const { return size.width(); }
    double h() const { return size.height(); }
    QRectF all() const { return QRectF(QPointF(0, 0), QSizeF(size)); }
    void sky(Stops stops, double bottom) { verticalGradient(p, QRectF(0, 0, w(), bottom), stops); }
    void ground(QColor top, QColor bottom, double from)
    {
        verticalGradient(p, QRectF(0, from, w(), h() - from), {{0, top}, {1, bottom}});
    }
    QImage finish()
    {
        fadeEdges(p, size, 16);
        p.end();
        return image;
    }
};

} // namespace

QImage springPagoda()
{
    Scene s(CardSize, 1313);
    s.sky({{0, rgba(0x7c, 0xa8, 0xd8)}, {1, rgba(0xf2, 0xd6, 0xe0)}}, 190);
    mountains(s.p, s.rng, QRectF(0, 120, s.w(), 70), rgba(0xa8, 0xb4, 0xd0), 0.5, 4);
    pagoda(s.p, QPointF(210, 190), 60, 140, 5, rgba(0x5a, 0x3a, 0x34), rgba(0x32, 0x2c, 0x30));
    s.ground(rgba(0x8c, 0xb0, 0x78), rgba(0x4a, 0x6c, 0x44), 188);
    blossomTree(s.p, s.rng, QPointF(80, 230), 120, rgba(0xf6, 0xc4, 0xd4), rgba(0x4a, 0x36, 0x30));
    blossomTree(s.p, s.rng, QPointF(270, 236), 80, rgba(0xf4, 0xb8, 0xcc), rgba(0x4a, 0x36, 0x30));
    blossoms(s.p, s.rng, s.all(), 40, rgba(0xfa, 0xd8, 0xe4), 1.6);
    return s.finish();
}

QImage pagodaDusk()
{
    Scene s(NarrowCardSize, 1414);
    s.sky({{0, rgba(0x2a, 0x24, 0x54)}, {0.6, rgba(0xa0, 0x58, 0x6c)}, {1, rgba(0xf0, 0xa8, 0x6a)}},
          210);
    sun(s.p, QPointF(70, 190), 14, rgba(0xff, 0xd8, 0x9a));
    pagoda(s.p, QPointF(150, 212), 96, 196, 5, rgba(0x1c, 0x16, 0x20), rgba(0x10, 0x0c, 0x14));
    s.ground(rgba(0x16, 0x12, 0x1a), rgba(0x08, 0x06, 0x0a), 210);
    pineTree(s.p, QPointF(40, 226), 70, rgba(0x14, 0x1c, 0x16));
    pineTree(s.p, QPointF(232, 222), 54, rgba(0x14, 0x1c, 0x16));
    return s.finish();
}

QImage summerOffice()
{
    Scene s(CardSize, 1515);
    s.sky({{0, rgba(0x2c, 0x74, 0xc4)}, {1, rgba(0xa4, 0xd0, 0xf0)}}, 210);
    clouds(s.p, s.rng, QRectF(20, 30, 260, 60), rgba(255, 255, 255, 220), 4);
    Rng windows(15);
    building(s.p, windows, QRectF(150, 40, 70, 175), rgba(0x4c, 0x6e, 0x94), rgba(0xc8, 0xe4, 0xff),
             0.85, 7);
    building(s.p, windows, QRectF(90, 110, 56, 105), rgba(0x6a, 0x80, 0x98), rgba(0xe0, 0xf0, 0xff),
             0.7, 7);
    building(s.p, windows, QRectF(226, 90, 50, 125), rgba(0x5a, 0x70, 0x8c), rgba(0xd0, 0xe8, 0xff),
             0.7, 7);
    s.ground(rgba(0x6c, 0xa0, 0x54), rgba(0x3c, 0x64, 0x34), 212);
    for (double x = 30; x < 290; x += 34)
        roundTree(s.p, QPointF(x, 236), 34, rgba(0x3c, 0x7c, 0x3c), rgba(0x4a, 0x3a, 0x2a));
    return s.finish();
}

QImage autumnMinka()
{
    Scene s(CardSize, 1616);
    s.sky({{0, rgba(0x5a, 0x7c, 0xb0)}, {1, rgba(0xf0, 0xc8, 0x96)}}, 170);
    mountains(s.p, s.rng, QRectF(0, 90, s.w(), 80), rgba(0xa0, 0x5a, 0x3a), 0.6, 3);
    mountains(s.p, s.rng, QRectF(0, 120, s.w(), 60), rgba(0x7a, 0x3c, 0x2a), 0.6, 4);
    s.ground(rgba(0x9a, 0x7a, 0x44), rgba(0x5a, 0x44, 0x28), 176);
    // A farmhouse with a steep thatched roof.
    gableHouse(s.p, QRectF(100, 150, 110, 50), 58, rgba(0xe8, 0xdc, 0xc4), rgba(0x8a, 0x6a, 0x3c),
               rgba(0x3a, 0x2c, 0x1c));
    roundTree(s.p, QPointF(250, 206), 60, rgba(0xd0, 0x50, 0x28), rgba(0x4a, 0x30, 0x20));
    roundTree(s.p, QPointF(50, 210), 50, rgba(0xe0, 0x90, 0x30), rgba(0x4a, 0x30, 0x20));
    leaves(s.p, s.rng, s.all(), 26,
           {rgba(0xe0, 0x48, 0x20), rgba(0xf0, 0x9c, 0x28), rgba(0xc8, 0x30, 0x20)}, 6);
    return s.finish();
}

QImage winterApartments()
{
    Scene s(CardSize, 1717);
    s.sky({{0, rgba(0x0c, 0x14, 0x2c)}, {1, rgba(0x34, 0x44, 0x6c)}}, 200);
    Rng windows(17);
    building(s.p, windows, QRectF(40, 90, 70, 115), rgba(0x2a, 0x30, 0x44), rgba(0xff, 0xd8, 0x90),
             0.5, 8);
    building(s.p, windows, QRectF(120, 60, 80, 145), rgba(0x24, 0x2a, 0x3c), rgba(0xff, 0xe0, 0xa0),
             0.55, 8);
    building(s.p, windows, QRectF(210, 100, 60, 105), rgba(0x2c, 0x32, 0x48),
             rgba(0xff, 0xd0, 0x88), 0.45, 8);
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(rgba(0xe8, 0xee, 0xf8));
    for (const QRectF& roof :
         {QRectF(40, 87, 70, 4), QRectF(120, 57, 80, 4), QRectF(210, 97, 60, 4)})
        s.p.drawRoundedRect(roof, 2, 2);
    s.ground(rgba(0xd8, 0xe0, 0xee), rgba(0x90, 0x9c, 0xb8), 204);
    snow(s.p, s.rng, s.all(), 160, 1.6);
    return s.finish();
}

QImage bridgeDusk()
{
    Scene s(CardSize, 1818);
    s.sky({{0, rgba(0x1c, 0x24, 0x4c)}, {0.7, rgba(0x8a, 0x5c, 0x7a)}, {1, rgba(0xf0, 0xa0, 0x6c)}},
          170);
    sun(s.p, QPointF(150, 168), 12, rgba(0xff, 0xd4, 0x90));
    water(s.p, s.rng, QRectF(0, 170, s.w(), 80), rgba(0x6a, 0x4a, 0x64), rgba(0x10, 0x12, 0x24),
          rgba(0xff, 0xc8, 0x90));
    suspensionBridge(s.p, QRectF(-10, 60, 320, 150), rgba(0x18, 0x16, 0x24));
    return s.finish();
}

QImage domeHall()
{
    Scene s(CardSize, 1919);
    s.sky({{0, rgba(0x44, 0x84, 0xc8)}, {1, rgba(0xd8, 0xe8, 0xf4)}}, 200);
    clouds(s.p, s.rng, QRectF(30, 30, 240, 40), rgba(255, 255, 255, 200), 3);
    const QColor stone(0xe4, 0xdc, 0xcc);
    const QColor shade(0xb0, 0xa8, 0x98);
    s.p.setPen(QPen(shade.darker(130), 0.8));
    s.p.setBrush(stone);
    s.p.drawRect(QRectF(70, 140, 160, 60));
    s.p.drawRect(QRectF(110, 112, 80, 28));
    QPainterPath dome;
    dome.moveTo(110, 112);
    dome.cubicTo(110, 60, 190, 60, 190, 112);
    dome.closeSubpath();
    QLinearGradient g(QPointF(110, 0), QPointF(190, 0));
    g.setColorAt(0, rgba(0x9c, 0xc4, 0xb4));
    g.setColorAt(1, rgba(0x4c, 0x7c, 0x6c));
    s.p.setBrush(g);
    s.p.drawPath(dome);
    s.p.setBrush(stone);
    s.p.drawRect(QRectF(147, 58, 6, 12));
    s.p.setBrush(shade);
    for (double x = 78; x < 226; x += 14)
        s.p.drawRect(QRectF(x, 150, 5, 50));
    s.p.drawRect(QRectF(64, 132, 172, 8));
    s.ground(rgba(0xb4, 0xb0, 0xa4), rgba(0x70, 0x6c, 0x64), 200);
    return s.finish();
}

QImage factoryMorning()
{
    Scene s(CardSize, 2020);
    s.sky({{0, rgba(0x8c, 0xb4, 0xdc)}, {1, rgba(0xf4, 0xe0, 0xc4)}}, 190);
    const QColor wall(0x5c, 0x6c, 0x80);
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(wall);
    // Sawtooth roof lights.
    QPainterPath roof;
    roof.moveTo(40, 190);
    for (int k = 0; k < 6; ++k) {
        roof.lineTo(40 + k * 36, 140);
        roof.lineTo(40 + k * 36, 120);
        roof.lineTo(76 + k * 36, 140);
    }
    roof.lineTo(256, 190);
    roof.closeSubpath();
    s.p.drawPath(roof);
    s.p.setBrush(rgba(0xc8, 0xe0, 0xf0, 200));
    for (int k = 0; k < 6; ++k)
        s.p.drawRect(QRectF(41 + k * 36, 122, 2, 18));
    for (double x : {70.0, 200.0}) {
        s.p.setBrush(rgba(0x7c, 0x5c, 0x50));
        s.p.drawRect(QRectF(x, 50, 10, 90));
        s.p.setBrush(rgba(0xf4, 0xf4, 0xf4));
        s.p.drawRect(QRectF(x, 60, 10, 4));
        clouds(s.p, s.rng, QRectF(x - 10, 24, 30, 16), rgba(255, 255, 255, 150), 1);
    }
    s.p.setBrush(rgba(0xd8, 0xe4, 0xf0, 160));
    for (double x = 52; x < 250; x += 22)
        s.p.drawRect(QRectF(x, 156, 12, 14));
    s.ground(rgba(0x90, 0x98, 0x88), rgba(0x58, 0x5c, 0x54), 190);
    return s.finish();
}

QImage lighthouseCoast()
{
    Scene s(CardSize, 2121);
    s.sky({{0, rgba(0x2c, 0x6c, 0xb4)}, {1, rgba(0xb8, 0xdc, 0xf0)}}, 160);
    clouds(s.p, s.rng, QRectF(40, 30, 160, 40), rgba(255, 255, 255, 210), 3);
    water(s.p, s.rng, QRectF(0, 160, s.w(), 90), rgba(0x3c, 0x7c, 0xb4), rgba(0x14, 0x34, 0x5c),
          rgba(255, 255, 255));
    QPainterPath cliff;
    cliff.moveTo(150, 250);
    cliff.lineTo(170, 170);
    cliff.lineTo(220, 150);
    cliff.lineTo(300, 148);
    cliff.lineTo(300, 250);
    cliff.closeSubpath();
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(rgba(0x5a, 0x54, 0x4c));
    s.p.drawPath(cliff);
    s.p.setBrush(rgba(0x5c, 0x8c, 0x4c));
    s.p.drawRect(QRectF(220, 146, 80, 5));
    QPainterPath tower;
    tower.moveTo(240, 148);
    tower.lineTo(246, 70);
    tower.lineTo(262, 70);
    tower.lineTo(268, 148);
    tower.closeSubpath();
    s.p.setBrush(rgba(0xf4, 0xf4, 0xf0));
    s.p.drawPath(tower);
    s.p.setBrush(rgba(0xc8, 0x3c, 0x34));
    s.p.drawRect(QRectF(244, 96, 20, 10));
    s.p.drawRect(QRectF(242, 122, 24, 10));
    s.p.setBrush(rgba(0x2c, 0x2c, 0x34));
    s.p.drawRect(QRectF(243, 56, 22, 14));
    radialGlow(s.p, QPointF(254, 62), 18, rgba(0xff, 0xf0, 0xb0, 160));
    return s.finish();
}

QImage schoolClockTower()
{
    Scene s(CardSize, 2222);
    s.sky({{0, rgba(0x5c, 0x94, 0xd4)}, {1, rgba(0xe4, 0xf0, 0xf8)}}, 200);
    const QColor wall(0xe8, 0xe0, 0xd0);
    s.p.setPen(QPen(rgba(0x80, 0x78, 0x6c), 0.8));
    s.p.setBrush(wall);
    s.p.drawRect(QRectF(40, 120, 220, 80));
    s.p.drawRect(QRectF(130, 70, 40, 50));
    s.p.setBrush(rgba(0x6c, 0x7c, 0x8c));
    QPainterPath cap;
    cap.moveTo(126, 70);
    cap.lineTo(150, 46);
    cap.lineTo(174, 70);
    cap.closeSubpath();
    s.p.drawPath(cap);
    s.p.setBrush(Qt::white);
    s.p.drawEllipse(QPointF(150, 88), 10, 10);
    s.p.setPen(QPen(rgba(0x30, 0x30, 0x30), 1.2));
    s.p.drawLine(QPointF(150, 88), QPointF(150, 81));
    s.p.drawLine(QPointF(150, 88), QPointF(155, 90));
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(rgba(0x8c, 0xb4, 0xd4));
    for (int row = 0; row < 3; ++row)
        for (double x = 50; x < 252; x += 18)
            if (!(x > 128 && x < 172 && row == 2))
                s.p.drawRect(QRectF(x, 128 + row * 22, 10, 13));
    s.ground(rgba(0xc8, 0xb4, 0x8c), rgba(0x8c, 0x7c, 0x60), 200);
    blossomTree(s.p, s.rng, QPointF(30, 232), 70, rgba(0xf6, 0xc8, 0xd6), rgba(0x4a, 0x36, 0x30));
    blossomTree(s.p, s.rng, QPointF(275, 236), 64, rgba(0xf6, 0xc8, 0xd6), rgba(0x4a, 0x36, 0x30));
    return s.finish();
}

QImage civicEvening()
{
    Scene s(CardSize, 2323);
    s.sky({{0, rgba(0x14, 0x1c, 0x3c)}, {0.7, rgba(0x4c, 0x4c, 0x7c)}, {1, rgba(0xc8, 0x8c, 0x7c)}},
          180);
    Rng windows(23);
    building(s.p, windows, QRectF(30, 110, 240, 70), rgba(0x2c, 0x30, 0x44), rgba(0xff, 0xe4, 0xb0),
             0.8, 9);
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(rgba(0x3c, 0x44, 0x5c));
    s.p.drawRect(QRectF(20, 104, 260, 8));
    s.p.setBrush(rgba(0xe8, 0xe8, 0xf0, 60));
    s.p.drawRect(QRectF(120, 130, 60, 50));
    s.ground(rgba(0x4c, 0x4c, 0x5c), rgba(0x1c, 0x1c, 0x24), 180);
    // Lamps along the plaza.
    for (double x = 40; x < 280; x += 40) {
        s.p.setBrush(rgba(0x10, 0x10, 0x14));
        s.p.drawRect(QRectF(x, 186, 1.5, 26));
        radialGlow(s.p, QPointF(x + 0.75, 186), 10, rgba(0xff, 0xe0, 0xa0, 200));
    }
    return s.finish();
}

QImage mountainTown()
{
    Scene s(CardSize, 2424);
    s.sky({{0, rgba(0x3c, 0x78, 0xc0)}, {1, rgba(0xd0, 0xe4, 0xf4)}}, 190);
    QPainterPath peak;
    peak.moveTo(20, 190);
    peak.cubicTo(90, 150, 120, 60, 150, 52);
    peak.cubicTo(180, 60, 210, 150, 280, 190);
    peak.closeSubpath();
    QLinearGradient g(QPointF(0, 52), QPointF(0, 190));
    g.setColorAt(0, rgba(0x6c, 0x84, 0xb4));
    g.setColorAt(1, rgba(0x4c, 0x64, 0x94));
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(g);
    s.p.drawPath(peak);
    QPainterPath cap;
    cap.moveTo(120, 84);
    cap.cubicTo(132, 64, 140, 54, 150, 52);
    cap.cubicTo(160, 54, 168, 64, 180, 84);
    cap.lineTo(170, 80);
    cap.lineTo(160, 90);
    cap.lineTo(150, 82);
    cap.lineTo(140, 92);
    cap.lineTo(130, 80);
    cap.closeSubpath();
    s.p.setBrush(rgba(0xf8, 0xfa, 0xff));
    s.p.drawPath(cap);
    water(s.p, s.rng, QRectF(0, 200, s.w(), 50), rgba(0x5c, 0x84, 0xb8), rgba(0x2c, 0x44, 0x6c),
          rgba(255, 255, 255));
    skyline(s.p, s.rng, 10, 290, 202, 6, 22, rgba(0x3c, 0x44, 0x54), rgba(0xf0, 0xf0, 0xd0), 0.2);
    return s.finish();
}

QImage riversideStorehouses()
{
    Scene s(CardSize, 2525);
    s.sky({{0, rgba(0x64, 0x8c, 0xc0)}, {1, rgba(0xe8, 0xe4, 0xd8)}}, 150);
    for (int k = 0; k < 4; ++k) {
        const double x = 20 + k * 68;
        const QRectF body(x, 98 + (k % 2) * 6, 56, 56 - (k % 2) * 6);
        s.p.setPen(QPen(rgba(0x60, 0x5c, 0x58), 0.6));
        s.p.setBrush(rgba(0xf4, 0xf0, 0xe8));
        s.p.drawRect(body);
        s.p.setBrush(rgba(0x2c, 0x2c, 0x30));
        s.p.drawRect(QRectF(body.left(), body.bottom() - 16, body.width(), 16));
        for (double ty = body.bottom() - 14; ty < body.bottom(); ty += 5)
            for (double tx = body.left() + 2; tx < body.right() - 2; tx += 7) {
                s.p.setPen(QPen(rgba(0xd8, 0xd8, 0xd8), 0.6));
                s.p.drawLine(QPointF(tx, ty), QPointF(tx + 4, ty + 4));
                s.p.drawLine(QPointF(tx + 4, ty), QPointF(tx, ty + 4));
            }
        QPainterPath roof;
        roof.moveTo(body.left() - 5, body.top() + 2);
        roof.lineTo(body.center().x(), body.top() - 18);
        roof.lineTo(body.right() + 5, body.top() + 2);
        roof.closeSubpath();
        s.p.setPen(Qt::NoPen);
        s.p.setBrush(rgba(0x24, 0x24, 0x2c));
        s.p.drawPath(roof);
        s.p.setBrush(rgba(0x2c, 0x2c, 0x30));
        s.p.drawRect(QRectF(body.center().x() - 5, body.top() + 10, 10, 10));
    }
    s.p.setBrush(rgba(0x6c, 0x6c, 0x64));
    s.p.drawRect(QRectF(0, 154, s.w(), 12));
    water(s.p, s.rng, QRectF(0, 166, s.w(), 84), rgba(0x5c, 0x80, 0x8c), rgba(0x24, 0x3c, 0x48),
          rgba(255, 255, 255));
    // A willow leaning over the water.
    s.p.setPen(QPen(rgba(0x3c, 0x30, 0x28), 3));
    s.p.drawLine(QPointF(282, 166), QPointF(274, 96));
    for (int k = 0; k < 14; ++k) {
        const QPointF from(274 + s.rng.range(-14, 10), 96 + s.rng.range(-8, 6));
        QPainterPath strand;
        strand.moveTo(from);
        strand.quadTo(from + QPointF(-10, 8),
                      from + QPointF(-12 + s.rng.range(-4, 4), s.rng.range(40, 64)));
        s.p.setPen(QPen(rgba(0x6c, 0xa4, 0x4c, 200), 1.2));
        s.p.setBrush(Qt::NoBrush);
        s.p.drawPath(strand);
    }
    return s.finish();
}

QImage skyscraperFrame()
{
    Scene s(NarrowCardSize, 2626);
    s.sky({{0, rgba(0x30, 0x5c, 0x9c)}, {1, rgba(0xe8, 0xc8, 0xa4)}}, 222);
    const QColor steel(0x2c, 0x30, 0x3c);
    const double left = 90, right = 190, top = 70, base = 222;
    Rng windows(26);
    building(s.p, windows, QRectF(left, 150, right - left, base - 150), rgba(0x4c, 0x60, 0x7c),
             rgba(0xc8, 0xe0, 0xf8), 0.9, 7);
    s.p.setPen(QPen(steel, 2));
    for (double x = left; x <= right + 0.1; x += 20)
        s.p.drawLine(QPointF(x, 150), QPointF(x, top));
    for (double y = 150; y >= top; y -= 16)
        s.p.drawLine(QPointF(left, y), QPointF(right, y));
    s.p.setPen(QPen(steel, 0.8));
    for (double y = 150; y > top; y -= 32)
        s.p.drawLine(QPointF(left, y), QPointF(left + 20, y - 16));
    towerCrane(s.p, QPointF(210, base), 200, 130, steel);
    s.ground(rgba(0x3c, 0x3c, 0x44), rgba(0x1c, 0x1c, 0x20), 222);
    return s.finish();
}

QImage blueprintStair()
{
    Scene s(CardSize, 2727);
    blueprintPaper(s.p, s.size, 10);
    stairSection(s.p, QRectF(70, 50, 160, 150), BlueprintLine);
    return s.finish();
}

QImage blueprintPlan()
{
    Scene s(CardSize, 2828);
    blueprintPaper(s.p, s.size, 10);
    floorPlan(s.p, QRectF(50, 44, 200, 170), BlueprintLine);
    return s.finish();
}

QImage riceFields()
{
    Scene s(CardSize, 2929);
    s.sky({{0, rgba(0x3c, 0x88, 0xd0)}, {1, rgba(0xd8, 0xec, 0xf8)}}, 130);
    clouds(s.p, s.rng, QRectF(20, 20, 260, 50), rgba(255, 255, 255, 230), 4);
    mountains(s.p, s.rng, QRectF(0, 80, s.w(), 50), rgba(0x4c, 0x7c, 0x5c), 0.5, 4);
    for (int band = 0; band < 6; ++band) {
        const double y = 130 + band * band * 3.6 + band * 2;
        const QColor c = band % 2 ? rgba(0x7c, 0xb4, 0x4c) : rgba(0x64, 0xa0, 0x3c);
        s.p.setPen(Qt::NoPen);
        s.p.setBrush(c);
        s.p.drawRect(QRectF(0, y, s.w(), s.h() - y));
        s.p.setPen(QPen(rgba(0x4c, 0x7c, 0x30), 0.6));
        for (double x = 4; x < s.w(); x += 6 + band * 2)
            s.p.drawLine(QPointF(x, y + 2), QPointF(x, y + 4 + band));
    }
    gableHouse(s.p, QRectF(190, 112, 60, 26), 22, rgba(0xe8, 0xdc, 0xc4), rgba(0x5c, 0x54, 0x58),
               rgba(0x3c, 0x34, 0x30));
    roundTree(s.p, QPointF(270, 138), 30, rgba(0x2c, 0x5c, 0x2c), rgba(0x3c, 0x30, 0x24));
    return s.finish();
}

QImage rainyShrine()
{
    Scene s(CardSize, 3030);
    s.sky({{0, rgba(0x7c, 0x88, 0x98)}, {1, rgba(0xc4, 0xcc, 0xd4)}}, 190);
    // A shrine gate.
    const QColor vermilion(0xc8, 0x44, 0x30);
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(vermilion);
    s.p.drawRect(QRectF(112, 80, 8, 112));
    s.p.drawRect(QRectF(180, 80, 8, 112));
    s.p.drawRect(QRectF(100, 92, 100, 6));
    QPainterPath kasagi;
    kasagi.moveTo(88, 70);
    kasagi.quadTo(150, 80, 212, 70);
    kasagi.lineTo(208, 78);
    kasagi.quadTo(150, 86, 92, 78);
    kasagi.closeSubpath();
    s.p.setBrush(rgba(0x2c, 0x24, 0x24));
    s.p.drawPath(kasagi);
    s.ground(rgba(0x6c, 0x74, 0x6c), rgba(0x3c, 0x44, 0x3c), 190);
    for (const QPointF& at :
         {QPointF(40, 200), QPointF(70, 214), QPointF(240, 204), QPointF(268, 218)}) {
        roundTree(s.p, at + QPointF(0, 20), 40, rgba(0x3c, 0x6c, 0x44), rgba(0x3c, 0x6c, 0x44));
        for (int k = 0; k < 3; ++k) {
            const QPointF c = at + QPointF(-10 + k * 10, -10 + (k % 2) * 6);
            for (int f = 0; f < 7; ++f)
                flower(s.p, c + QPointF(s.rng.range(-5, 5), s.rng.range(-5, 5)), 2.6, 4,
                       (k % 2) ? rgba(0x8c, 0x7c, 0xd8) : rgba(0x6c, 0x9c, 0xe0),
                       rgba(0xe0, 0xe8, 0xff));
        }
    }
    rain(s.p, s.rng, s.all(), 160, rgba(255, 255, 255, 90));
    return s.finish();
}

QImage harbourCranes()
{
    Scene s(CardSize, 3131);
    s.sky({{0, rgba(0x1c, 0x2c, 0x54)}, {1, rgba(0xe0, 0x9c, 0x74)}}, 170);
    const QColor steel(0x1c, 0x1e, 0x2c);
    s.p.setPen(QPen(steel, 2));
    for (double x : {50.0, 150.0}) {
        s.p.drawLine(QPointF(x, 170), QPointF(x, 80));
        s.p.drawLine(QPointF(x + 30, 170), QPointF(x + 30, 80));
        s.p.drawLine(QPointF(x - 30, 84), QPointF(x + 90, 84));
        s.p.drawLine(QPointF(x + 15, 84), QPointF(x + 15, 60));
        s.p.setPen(QPen(steel, 0.8));
        s.p.drawLine(QPointF(x + 15, 60), QPointF(x - 30, 84));
        s.p.drawLine(QPointF(x + 15, 60), QPointF(x + 90, 84));
        s.p.drawLine(QPointF(x, 130), QPointF(x + 30, 110));
        s.p.setPen(QPen(steel, 2));
    }
    s.p.setPen(Qt::NoPen);
    const QColor boxes[] = {rgba(0x8c, 0x3c, 0x34), rgba(0x3c, 0x5c, 0x8c), rgba(0x5c, 0x7c, 0x4c),
                            rgba(0x9c, 0x7c, 0x3c)};
    for (int k = 0; k < 12; ++k) {
        s.p.setBrush(boxes[k % 4].darker(140));
        s.p.drawRect(QRectF(200 + (k % 4) * 22, 160 - (k / 4) * 9, 21, 8));
    }
    s.p.setBrush(steel);
    s.p.drawRect(QRectF(0, 168, s.w(), 6));
    water(s.p, s.rng, QRectF(0, 174, s.w(), 76), rgba(0x6c, 0x5c, 0x6c), rgba(0x10, 0x14, 0x24),
          rgba(0xff, 0xc0, 0x90));
    QPainterPath hull;
    hull.moveTo(30, 190);
    hull.lineTo(180, 190);
    hull.lineTo(170, 204);
    hull.lineTo(40, 204);
    hull.closeSubpath();
    s.p.setBrush(steel);
    s.p.drawPath(hull);
    s.p.drawRect(QRectF(140, 178, 24, 12));
    return s.finish();
}

QImage viaductTrain()
{
    Scene s(CardSize, 3232);
    s.sky(
        {{0, rgba(0x24, 0x2c, 0x5c)}, {0.75, rgba(0xb0, 0x6c, 0x7c)}, {1, rgba(0xf0, 0xb4, 0x7c)}},
        200);
    const QColor stone(0x2c, 0x26, 0x30);
    QPainterPath viaduct;
    viaduct.addRect(QRectF(0, 130, s.w(), 14));
    for (double x = -10; x < s.w(); x += 50) {
        QPainterPath pier;
        pier.moveTo(x, 144);
        pier.lineTo(x + 50, 144);
        pier.lineTo(x + 50, 200);
        pier.lineTo(x + 42, 200);
        pier.arcTo(QRectF(x + 8, 156, 34, 60), 0, 180);
        pier.lineTo(x + 8, 200);
        pier.lineTo(x, 200);
        pier.closeSubpath();
        viaduct.addPath(pier);
    }
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(stone);
    s.p.drawPath(viaduct);
    // The train.
    s.p.setBrush(rgba(0x18, 0x1a, 0x24));
    QPainterPath train;
    train.moveTo(40, 130);
    train.lineTo(40, 112);
    train.lineTo(230, 112);
    train.quadTo(256, 114, 262, 130);
    train.closeSubpath();
    s.p.drawPath(train);
    s.p.setBrush(rgba(0xff, 0xe0, 0xa0, 220));
    for (double x = 48; x < 226; x += 12)
        s.p.drawRect(QRectF(x, 117, 7, 5));
    s.ground(rgba(0x20, 0x1c, 0x24), rgba(0x0c, 0x0a, 0x10), 200);
    return s.finish();
}

QImage observatoryNight()
{
    Scene s(CardSize, 3333);
    s.sky({{0, rgba(0x04, 0x06, 0x14)}, {1, rgba(0x14, 0x1c, 0x3c)}}, 250);
    // The Milky Way.
    s.p.save();
    s.p.translate(150, 100);
    s.p.rotate(-28);
    QLinearGradient band(QPointF(0, -30), QPointF(0, 30));
    band.setColorAt(0, rgba(0xb0, 0xb8, 0xe0, 0));
    band.setColorAt(0.5, rgba(0xb0, 0xb8, 0xe0, 60));
    band.setColorAt(1, rgba(0xb0, 0xb8, 0xe0, 0));
    s.p.fillRect(QRectF(-220, -30, 440, 60), band);
    s.p.restore();
    stars(s.p, s.rng, QRectF(0, 0, s.w(), 190), 260, rgba(255, 255, 255));
    QPainterPath hill;
    hill.moveTo(0, 250);
    hill.lineTo(0, 200);
    hill.quadTo(150, 160, 300, 196);
    hill.lineTo(300, 250);
    hill.closeSubpath();
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(rgba(0x08, 0x0a, 0x12));
    s.p.drawPath(hill);
    s.p.setBrush(rgba(0xc4, 0xc8, 0xd4));
    s.p.drawRect(QRectF(130, 160, 44, 22));
    s.p.drawChord(QRectF(128, 138, 48, 44), 0, 180 * 16);
    s.p.setBrush(rgba(0x20, 0x24, 0x34));
    s.p.drawRect(QRectF(149, 139, 6, 21));
    s.p.setBrush(rgba(0xff, 0xd8, 0x90, 200));
    s.p.drawRect(QRectF(146, 170, 12, 12));
    return s.finish();
}

} // namespace lc::art::detail
