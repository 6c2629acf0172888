#include "pictureart.h"

#include "pictureart_p.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace lc::art {

using namespace detail;

namespace {

// A seasonal picture box is 2565 x 495 twips.
constexpr QSize BannerSize(171, 33);

QColor rgba(int r, int g, int b, int a = 255)
{
    return QColor(r, g, b, a);
}

// A banner: a soft horizontal band with a fine double border.
struct Banner
{
    QImage image;
    QPainter p;
    Rng rng;

    Banner(quint32 seed, QColor left, QColor right)
        : image(canvas(BannerSize)), p(&image), rng(seed)
    {
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(QPointF(0, 0), QPointF(BannerSize.width(), BannerSize.height()));
        g.setColorAt(0, left);
        g.setColorAt(1, right);
        p.fillRect(QRectF(QPointF(0, 0), QSizeF(BannerSize)), g);
    }
    double w() const { return BannerSize.width(); }
    double h() const { return BannerSize.height(); }
    QImage finish(QColor border)
    {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(border, 1));
        p.drawRect(QRectF(0.5, 0.5, w() - 1, h() - 1));
        QColor inner = border;
        inner.setAlpha(110);
        p.setPen(QPen(inner, 1));
        p.drawRect(QRectF(2.5, 2.5, w() - 5, h() - 5));
        p.end();
        return image;
    }
};

void branch(QPainter& p, QPointF from, QPointF to, QColor colour, double width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(from);
    path.quadTo((from + to) / 2 + QPointF(0, -4), to);
    p.drawPath(path);
}

// January: plum blossoms on a gold ground, for the young people's day.
QImage comingOfAge()
{
    Banner b(202, rgba(0xfb, 0xf1, 0xd8), rgba(0xe8, 0xc8, 0x7c));
    b.p.setPen(QPen(rgba(0xc8, 0x9c, 0x3c, 120), 0.8));
    for (double x = -20; x < b.w(); x += 14)
        b.p.drawLine(QPointF(x, b.h()), QPointF(x + 20, 0));
    branch(b.p, QPointF(4, 28), QPointF(80, 10), rgba(0x4a, 0x30, 0x28), 2);
    branch(b.p, QPointF(40, 20), QPointF(64, 28), rgba(0x4a, 0x30, 0x28), 1.2);
    branch(b.p, QPointF(100, 26), QPointF(166, 8), rgba(0x4a, 0x30, 0x28), 1.6);
    for (const QPointF& at : {QPointF(24, 20), QPointF(52, 13), QPointF(74, 11), QPointF(60, 26),
                              QPointF(118, 21), QPointF(142, 14), QPointF(160, 10)})
        flower(b.p, at, 4.2, 5, rgba(0xd8, 0x34, 0x50), rgba(0xf8, 0xd8, 0x60));
    for (const QPointF& at : {QPointF(36, 17), QPointF(88, 8), QPointF(130, 19)})
        flower(b.p, at, 2.6, 5, rgba(0xf4, 0xa0, 0xb0), rgba(0xf8, 0xe0, 0x80));
    return b.finish(rgba(0xa8, 0x7c, 0x2c));
}

// May: carnations.
QImage carnations()
{
    Banner b(1010, rgba(0xfc, 0xe4, 0xec), rgba(0xf4, 0xc4, 0xd4));
    for (int k = 0; k < 7; ++k) {
        const double x = 14 + k * 24;
        const double top = 9 + (k % 2) * 3;
        b.p.setPen(QPen(rgba(0x4c, 0x8c, 0x4c), 1.2));
        b.p.drawLine(QPointF(x, top + 4), QPointF(x + (k % 3 - 1) * 2, 32));
        b.p.setBrush(rgba(0x6c, 0xa4, 0x5c));
        b.p.setPen(Qt::NoPen);
        b.p.drawEllipse(QPointF(x - 3, 24), 3, 1.2);
        const QColor petal = k % 3 == 1 ? rgba(0xf0, 0x88, 0xa8) : rgba(0xd0, 0x28, 0x40);
        for (int f = 0; f < 6; ++f) {
            b.p.setBrush(f % 2 ? petal : petal.lighter(115));
            b.p.drawEllipse(QPointF(x - 4 + f * 1.6, top + (f % 2)), 3.2, 3.6);
        }
        b.p.setBrush(rgba(0x5c, 0x94, 0x4c));
        b.p.drawRect(QRectF(x - 2, top + 3, 4, 3));
    }
    return b.finish(rgba(0xc0, 0x5c, 0x7c));
}

// June: hydrangeas in the rain.
QImage hydrangeas()
{
    Banner b(1111, rgba(0xdc, 0xe4, 0xf0), rgba(0xb4, 0xc4, 0xdc));
    rain(b.p, b.rng, QRectF(0, 0, b.w(), b.h()), 60, rgba(0x60, 0x78, 0xa0, 120));
    for (int k = 0; k < 5; ++k) {
        const QPointF c(20 + k * 33, 18 + (k % 2) * 3);
        b.p.setPen(Qt::NoPen);
        b.p.setBrush(rgba(0x4c, 0x7c, 0x4c));
        b.p.drawEllipse(c + QPointF(-9, 6), 6, 3);
        b.p.drawEllipse(c + QPointF(9, 7), 6, 3);
        const QColor petal = k % 2 ? rgba(0x8c, 0x70, 0xc8) : rgba(0x5c, 0x88, 0xd8);
        for (int f = 0; f < 16; ++f) {
            const double a = f * 2.4;
            const double r = 2 + (f % 4) * 1.6;
            flower(b.p, c + QPointF(std::cos(a) * r, std::sin(a) * r * 0.8), 2.2, 4,
                   f % 3 ? petal : petal.lighter(125), rgba(0xf0, 0xf0, 0xff));
        }
    }
    return b.finish(rgba(0x5c, 0x6c, 0x9c));
}

// October: bunting over a running track, for the sports day.
QImage sportsDay()
{
    Banner b(1414, rgba(0x9c, 0xcc, 0xf0), rgba(0xd8, 0xec, 0xfa));
    b.p.setPen(Qt::NoPen);
    b.p.setBrush(rgba(0xc8, 0x64, 0x44));
    b.p.drawRect(QRectF(0, 24, b.w(), 9));
    b.p.setPen(QPen(rgba(255, 255, 255, 200), 0.8));
    for (double y : {26.5, 29.5})
        b.p.drawLine(QPointF(0, y), QPointF(b.w(), y));
    QPainterPath rope;
    rope.moveTo(0, 5);
    rope.quadTo(b.w() / 2, 16, b.w(), 5);
    b.p.setPen(QPen(rgba(0x5c, 0x5c, 0x6c), 0.8));
    b.p.setBrush(Qt::NoBrush);
    b.p.drawPath(rope);
    const QColor flags[] = {rgba(0xe0, 0x3c, 0x3c), rgba(0xf0, 0xc0, 0x30), rgba(0x3c, 0x9c, 0x4c),
                            rgba(0x3c, 0x6c, 0xd0), rgba(0xf4, 0xf4, 0xf4)};
    b.p.setPen(Qt::NoPen);
    for (int k = 0; k < 14; ++k) {
        const double t = (k + 0.5) / 14;
        const QPointF at = rope.pointAtPercent(t);
        QPainterPath flag;
        flag.moveTo(at + QPointF(-4.5, 0));
        flag.lineTo(at + QPointF(4.5, 0));
        flag.lineTo(at + QPointF(0, 9));
        flag.closeSubpath();
        b.p.setBrush(flags[k % 5]);
        b.p.drawPath(flag);
    }
    return b.finish(rgba(0x4c, 0x7c, 0xac));
}

// November: celebration sweets and autumn leaves, for the children of three,
// five and seven.
QImage shichiGoSan()
{
    Banner b(1616, rgba(0xfa, 0xec, 0xd4), rgba(0xf0, 0xc4, 0x90));
    leaves(b.p, b.rng, QRectF(4, 4, b.w() - 8, b.h() - 8), 16,
           {rgba(0xd8, 0x48, 0x24), rgba(0xe8, 0x98, 0x2c), rgba(0xb8, 0x34, 0x24)}, 5);
    for (int k = 0; k < 3; ++k) {
        const double x = 60 + k * 26;
        b.p.save();
        b.p.translate(x, 17);
        b.p.rotate(-14 + k * 14);
        b.p.setPen(Qt::NoPen);
        b.p.setBrush(Qt::white);
        b.p.drawRoundedRect(QRectF(-2.2, -13, 4.4, 26), 2, 2);
        b.p.setPen(QPen(rgba(0xd0, 0x2c, 0x3c), 1.2));
        for (double y = -12; y < 13; y += 3.4)
            b.p.drawLine(QPointF(-2.2, y), QPointF(2.2, y + 2));
        b.p.restore();
    }
    return b.finish(rgba(0xb0, 0x5c, 0x2c));
}

// New Year: the first sunrise, a pine and bamboo.
QImage newYear()
{
    Banner b(101, rgba(0xfc, 0xf6, 0xe4), rgba(0xf0, 0xdc, 0xa8));
    sun(b.p, QPointF(86, 30), 11, rgba(0xe0, 0x30, 0x30));
    mountains(b.p, b.rng, QRectF(0, 20, b.w(), 13), rgba(0x5c, 0x6c, 0x8c), 0.4, 5);
    for (double x : {18.0, 150.0}) {
        for (int k = 0; k < 3; ++k) {
            const double bx = x - 4 + k * 4;
            const double top = 6 + (k == 1 ? 0 : 4);
            b.p.setPen(Qt::NoPen);
            b.p.setBrush(rgba(0x4c, 0x9c, 0x4c));
            b.p.drawRect(QRectF(bx - 1.5, top, 3, 30 - top));
            b.p.setBrush(rgba(0x3c, 0x7c, 0x3c));
            QPainterPath cut;
            cut.moveTo(bx - 1.5, top + 1.5);
            cut.lineTo(bx + 1.5, top);
            cut.lineTo(bx + 1.5, top + 3);
            cut.lineTo(bx - 1.5, top + 4.5);
            b.p.drawPath(cut);
        }
        pineTree(b.p, QPointF(x + (x < 80 ? 12 : -12), 31), 20, rgba(0x2c, 0x6c, 0x3c));
        b.p.setBrush(rgba(0xc8, 0xa4, 0x64));
        b.p.drawRect(QRectF(x - 7, 24, 14, 7));
    }
    return b.finish(rgba(0xb0, 0x8c, 0x3c));
}

// Setsubun: a measure of roasted beans and plum blossoms on indigo.
QImage beanThrowing()
{
    Banner b(203, rgba(0x24, 0x2c, 0x58), rgba(0x3c, 0x4c, 0x84));
    QPainterPath masu;
    masu.moveTo(70, 12);
    masu.lineTo(100, 12);
    masu.lineTo(97, 30);
    masu.lineTo(73, 30);
    masu.closeSubpath();
    b.p.setPen(QPen(rgba(0x8c, 0x6c, 0x3c), 0.8));
    b.p.setBrush(rgba(0xd8, 0xb8, 0x80));
    b.p.drawPath(masu);
    b.p.setPen(Qt::NoPen);
    for (int k = 0; k < 34; ++k) {
        const QPointF at = k < 14 ? QPointF(b.rng.range(72, 98), b.rng.range(8, 13))
                                  : QPointF(b.rng.range(20, 150), b.rng.range(18, 30));
        if (k >= 14 && at.x() > 66 && at.x() < 104)
            continue;
        b.p.setBrush(rgba(0xe8, 0xcc, 0x90));
        b.p.drawEllipse(at, 1.8, 1.5);
    }
    for (const QPointF& at : {QPointF(16, 10), QPointF(34, 8), QPointF(138, 9), QPointF(156, 12)})
        flower(b.p, at, 3.6, 5, rgba(0xf0, 0x7c, 0x9c), rgba(0xf8, 0xe0, 0x80));
    return b.finish(rgba(0xc8, 0xb4, 0x7c));
}

// The dolls' festival: a pair of dolls under peach blossoms.
QImage dollsFestival()
{
    Banner b(303, rgba(0xfc, 0xe8, 0xee), rgba(0xf4, 0xd0, 0xdc));
    b.p.setPen(Qt::NoPen);
    b.p.setBrush(rgba(0xc8, 0x3c, 0x44));
    b.p.drawRect(QRectF(0, 28, b.w(), 5));
    auto doll = [&](double x, QColor robe, QColor sash) {
        QPainterPath body;
        body.moveTo(x, 11);
        body.lineTo(x + 11, 28);
        body.lineTo(x - 11, 28);
        body.closeSubpath();
        b.p.setBrush(robe);
        b.p.drawPath(body);
        b.p.setBrush(sash);
        b.p.drawRect(QRectF(x - 5, 18, 10, 2.5));
        b.p.setBrush(rgba(0xfc, 0xf4, 0xec));
        b.p.drawEllipse(QPointF(x, 9), 3.6, 3.8);
        b.p.setBrush(rgba(0x20, 0x1c, 0x20));
        b.p.drawChord(QRectF(x - 3.8, 4.8, 7.6, 7.6), 0, 180 * 16);
    };
    doll(74, rgba(0x2c, 0x3c, 0x7c), rgba(0xe0, 0xb4, 0x40));
    doll(98, rgba(0xc8, 0x34, 0x4c), rgba(0xf0, 0xd0, 0x60));
    for (const QPointF& at : {QPointF(14, 10), QPointF(28, 18), QPointF(40, 8), QPointF(132, 10),
                              QPointF(146, 19), QPointF(160, 9)})
        flower(b.p, at, 3.6, 5, rgba(0xf4, 0x9c, 0xb8), rgba(0xfc, 0xe4, 0x90));
    return b.finish(rgba(0xc0, 0x5c, 0x7c));
}

// Children's day: carp streamers in the wind.
QImage carpStreamers()
{
    Banner b(505, rgba(0x7c, 0xbc, 0xf0), rgba(0xc8, 0xe4, 0xfa));
    clouds(b.p, b.rng, QRectF(100, 8, 60, 16), rgba(255, 255, 255, 200), 2);
    b.p.setPen(QPen(rgba(0x8c, 0x6c, 0x4c), 1.6));
    b.p.drawLine(QPointF(14, 4), QPointF(14, 33));
    const QColor carp[] = {rgba(0x30, 0x34, 0x44), rgba(0xd8, 0x3c, 0x3c), rgba(0x3c, 0x6c, 0xd0)};
    for (int k = 0; k < 3; ++k) {
        const double y = 7 + k * 8.5;
        const double len = 62 - k * 12;
        QPainterPath fish;
        fish.moveTo(15, y - 3);
        fish.cubicTo(15 + len * 0.4, y - 5, 15 + len * 0.7, y - 1, 15 + len, y - 4);
        fish.lineTo(15 + len - 5, y);
        fish.lineTo(15 + len, y + 4);
        fish.cubicTo(15 + len * 0.7, y + 2, 15 + len * 0.4, y + 5, 15, y + 3);
        fish.closeSubpath();
        b.p.setPen(Qt::NoPen);
        b.p.setBrush(carp[k]);
        b.p.drawPath(fish);
        b.p.setBrush(Qt::white);
        b.p.drawEllipse(QPointF(19, y), 1.8, 1.8);
        b.p.setBrush(Qt::black);
        b.p.drawEllipse(QPointF(19.3, y), 0.8, 0.8);
        b.p.setPen(QPen(carp[k].lighter(150), 0.6));
        for (double x = 26; x < 15 + len - 8; x += 5)
            b.p.drawArc(QRectF(x, y - 2.5, 5, 5), 90 * 16, 180 * 16);
    }
    return b.finish(rgba(0x3c, 0x6c, 0xa4));
}

// Tanabata: bamboo with paper strips under the river of stars.
QImage starFestival()
{
    Banner b(707, rgba(0x0c, 0x14, 0x34), rgba(0x1c, 0x2c, 0x5c));
    b.p.save();
    QLinearGradient band(QPointF(60, 0), QPointF(120, 33));
    band.setColorAt(0, rgba(0xc8, 0xd0, 0xf0, 0));
    band.setColorAt(0.5, rgba(0xc8, 0xd0, 0xf0, 70));
    band.setColorAt(1, rgba(0xc8, 0xd0, 0xf0, 0));
    b.p.fillRect(QRectF(0, 0, b.w(), b.h()), band);
    b.p.restore();
    stars(b.p, b.rng, QRectF(0, 0, b.w(), b.h()), 70, rgba(255, 255, 255));
    b.p.setPen(QPen(rgba(0x5c, 0x9c, 0x4c), 2));
    b.p.drawLine(QPointF(150, 33), QPointF(140, 2));
    b.p.setPen(QPen(rgba(0x5c, 0x9c, 0x4c), 1));
    for (int k = 0; k < 5; ++k) {
        const QPointF from(147 - k * 2, 30 - k * 6);
        b.p.drawLine(from, from + QPointF(-22 + k * 2, -3));
        b.p.setPen(Qt::NoPen);
        b.p.setBrush(rgba(0x6c, 0xac, 0x5c));
        b.p.drawEllipse(from + QPointF(-16 + k * 2, -3), 4, 1.4);
        b.p.setPen(QPen(rgba(0x5c, 0x9c, 0x4c), 1));
    }
    const QColor strips[] = {rgba(0xf0, 0x5c, 0x6c), rgba(0xf8, 0xd0, 0x4c), rgba(0x6c, 0xc0, 0xf0),
                             rgba(0xb0, 0x8c, 0xe8), rgba(0x8c, 0xd8, 0x7c)};
    b.p.setPen(Qt::NoPen);
    for (int k = 0; k < 6; ++k) {
        b.p.setBrush(strips[k % 5]);
        b.p.drawRect(QRectF(126 + (k % 3) * 6, 6 + k * 4.2, 2.6, 7));
    }
    return b.finish(rgba(0x8c, 0x9c, 0xd0));
}

// Christmas: a fir with lights and falling snow.
QImage christmas()
{
    Banner b(1225, rgba(0x10, 0x34, 0x2c), rgba(0x1c, 0x24, 0x48));
    snow(b.p, b.rng, QRectF(0, 0, b.w(), b.h()), 60, 1.2);
    for (double x : {40.0, 86.0, 132.0}) {
        const double size = x == 86.0 ? 30 : 24;
        pineTree(b.p, QPointF(x, 32), size, rgba(0x2c, 0x8c, 0x4c));
        const QColor lights[] = {rgba(0xf8, 0xd0, 0x4c), rgba(0xf0, 0x4c, 0x4c),
                                 rgba(0x6c, 0xc8, 0xf8)};
        b.p.setPen(Qt::NoPen);
        for (int k = 0; k < 7; ++k) {
            b.p.setBrush(lights[k % 3]);
            const double y = 32 - size * (0.2 + 0.1 * k);
            const double half = size * 0.36 * (1 - 0.11 * k);
            b.p.drawEllipse(QPointF(x + ((k % 2) ? half * 0.5 : -half * 0.5), y), 1.2, 1.2);
        }
        b.p.setBrush(rgba(0xf8, 0xe0, 0x60));
        b.p.drawEllipse(QPointF(x, 32 - size * 0.98), 1.8, 1.8);
    }
    return b.finish(rgba(0xc8, 0xa4, 0x4c));
}

} // namespace

QStringList seasonalNames()
{
    return {QStringLiteral("view02"),   QStringLiteral("view10"), QStringLiteral("view11"),
            QStringLiteral("view14"),   QStringLiteral("view16"), QStringLiteral("shogatsu"),
            QStringLiteral("setsubun"), QStringLiteral("hina"),   QStringLiteral("kodomo"),
            QStringLiteral("tanabata"), QStringLiteral("xmas")};
}

QSize seasonalSize()
{
    return BannerSize;
}

QImage seasonal(const QString& name)
{
    if (name == u"view02")
        return comingOfAge();
    if (name == u"view10")
        return carnations();
    if (name == u"view11")
        return hydrangeas();
    if (name == u"view14")
        return sportsDay();
    if (name == u"view16")
        return shichiGoSan();
    if (name == u"shogatsu")
        return newYear();
    if (name == u"setsubun")
        return beanThrowing();
    if (name == u"hina")
        return dollsFestival();
    if (name == u"kodomo")
        return carpStreamers();
    if (name == u"tanabata")
        return starFestival();
    if (name == u"xmas")
        return christmas();
    return {};
}

} // namespace lc::art
