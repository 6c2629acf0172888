#include "pictureart_p.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <vector>

namespace lc::art::detail {
namespace {

constexpr double Pi = 3.14159265358979323846;

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QPen thinPen(QColor colour, double width = 1.0)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

QImage canvas(QSize size, bool transparent)
{
    QImage image(size, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::black);
    return image;
}

void verticalGradient(QPainter& p, const QRectF& r, Stops stops)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    for (const auto& [at, colour] : stops)
        g.setColorAt(at, colour);
    p.fillRect(r, g);
}

void radialGlow(QPainter& p, QPointF centre, double radius, QColor colour)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    g.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void fadeEdges(QPainter& p, QSize size, double margin)
{
    const double w = size.width();
    const double h = size.height();
    const QColor opaque(0, 0, 0, 255);
    const QColor clear(0, 0, 0, 0);
    auto band = [&](QPointF from, QPointF to, const QRectF& r) {
        QLinearGradient g(from, to);
        g.setColorAt(0, opaque);
        g.setColorAt(0.15, withAlpha(opaque, 200));
        g.setColorAt(1, clear);
        p.fillRect(r, g);
    };
    band({0, 0}, {margin, 0}, QRectF(0, 0, margin, h));
    band({w, 0}, {w - margin, 0}, QRectF(w - margin, 0, margin, h));
    band({0, 0}, {0, margin}, QRectF(0, 0, w, margin));
    band({0, h}, {0, h - margin}, QRectF(0, h - margin, w, margin));
}

void vignette(QPainter& p, QSize size, double strength)
{
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    QRadialGradient g(c, std::hypot(c.x(), c.y()));
    g.setColorAt(0, QColor(0, 0, 0, 0));
    g.setColorAt(0.6, QColor(0, 0, 0, int(40 * strength)));
    g.setColorAt(1, QColor(0, 0, 0, int(200 * strength)));
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), g);
}

void gridPaper(QPainter& p, const QRectF& r, QColor minor, QColor major, double step,
               int majorEvery)
{
    p.save();
    p.setClipRect(r);
    const int cols = int(r.width() / step) + 1;
    const int rows = int(r.height() / step) + 1;
    for (int pass = 0; pass < 2; ++pass) {
        p.setPen(thinPen(pass == 0 ? minor : major, pass == 0 ? 1.0 : 1.2));
        for (int i = 0; i <= cols; ++i) {
            if ((i % majorEvery == 0) != (pass == 1))
                continue;
            const double x = std::floor(r.left() + i * step) + 0.5;
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        }
        for (int j = 0; j <= rows; ++j) {
            if ((j % majorEvery == 0) != (pass == 1))
                continue;
            const double y = std::floor(r.top() + j * step) + 0.5;
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        }
    }
    p.restore();
}

void stars(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.range(r.left(), r.right()), rng.range(r.top(), r.bottom()));
        const double size = rng.chance(0.1) ? rng.range(1.0, 1.8) : rng.range(0.4, 1.0);
        p.setBrush(withAlpha(colour, rng.pick(90, 255)));
        p.drawEllipse(at, size, size);
    }
}

void clouds(QPainter& p, Rng& rng, const QRectF& r, QColor colour, int count)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double cx = rng.range(r.left(), r.right());
        const double cy = rng.range(r.top(), r.bottom());
        const double w = rng.range(40, 110);
        const double h = w * rng.range(0.18, 0.3);
        QPainterPath cloud;
        cloud.setFillRule(Qt::WindingFill);
        const int puffs = rng.pick(4, 7);
        for (int k = 0; k < puffs; ++k) {
            const double px = cx - w / 2 + w * (k + 0.5) / puffs;
            const double ph =
                h * (0.6 + 0.4 * std::sin(Pi * (k + 0.5) / puffs)) * rng.range(0.8, 1.2);
            cloud.addEllipse(QPointF(px, cy - ph * 0.3), w / puffs * 0.9, ph);
        }
        cloud.addRoundedRect(QRectF(cx - w / 2, cy - h * 0.2, w, h * 0.7), h * 0.35, h * 0.35);
        QLinearGradient g(QPointF(cx, cy - h * 1.2), QPointF(cx, cy + h * 0.5));
        g.setColorAt(0, colour);
        g.setColorAt(1, withAlpha(colour.darker(115), colour.alpha() * 2 / 3));
        p.setBrush(g);
        p.drawPath(cloud.simplified());
    }
}

void mountains(QPainter& p, Rng& rng, const QRectF& r, QColor colour, double roughness, int peaks)
{
    QPainterPath path;
    path.moveTo(r.bottomLeft());
    const int steps = peaks * 8;
    std::vector<double> heights(size_t(peaks) + 1);
    for (double& h : heights)
        h = rng.range(0.35, 1.0);
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double seg = t * peaks;
        const int k = std::min(int(seg), peaks - 1);
        const double f = seg - k;
        const double smooth = (1 - std::cos(f * Pi)) / 2;
        double h = heights[size_t(k)] * (1 - smooth) + heights[size_t(k) + 1] * smooth;
        h += roughness * rng.range(-0.05, 0.05);
        path.lineTo(r.left() + t * r.width(), r.bottom() - h * r.height());
    }
    path.lineTo(r.bottomRight());
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void building(QPainter& p, Rng& rng, const QRectF& r, QColor body, QColor window, double lit,
              double cell)
{
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRect(r);
    // A lighter edge on one side gives the block some depth.
    p.setBrush(body.lighter(118));
    p.drawRect(QRectF(r.left(), r.top(), std::max(1.0, r.width() * 0.08), r.height()));
    if (window.alpha() == 0)
        return;
    const double ww = cell * 0.5;
    const double wh = cell * 0.6;
    for (double y = r.top() + cell * 0.8; y + wh < r.bottom() - cell * 0.5; y += cell * 1.15) {
        for (double x = r.left() + cell * 0.6; x + ww < r.right() - cell * 0.3; x += cell) {
            if (!rng.chance(lit))
                continue;
            QColor c = window;
            c.setAlpha(rng.pick(140, 255));
            p.setBrush(c);
            p.drawRect(QRectF(x, y, ww, wh));
        }
    }
}

void skyline(QPainter& p, Rng& rng, double x0, double x1, double baseY, double minH, double maxH,
             QColor body, QColor window, double lit)
{
    double x = x0;
    while (x < x1) {
        const double w = rng.range(18, 46);
        const double h = rng.range(minH, maxH);
        const QRectF r(x, baseY - h, std::min(w, x1 - x), h);
        building(p, rng, r, body, window, lit);
        if (rng.chance(0.2)) {
            // A mast or a stepped top on some towers.
            p.setBrush(body);
            p.drawRect(QRectF(r.center().x() - 1, r.top() - h * 0.12, 2, h * 0.12));
        } else if (rng.chance(0.3)) {
            p.setBrush(body);
            p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top() - 6, r.width() * 0.6, 6));
        }
        x += w + rng.range(-4, 3);
    }
}

void dimensionLine(QPainter& p, QPointF a, QPointF b, double offset, QColor colour)
{
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    if (len < 1)
        return;
    const QPointF n(-d.y() / len * offset, d.x() / len * offset);
    const QPointF a2 = a + n;
    const QPointF b2 = b + n;
    p.setPen(thinPen(colour, 0.8));
    p.drawLine(a + n * 0.2, a2 + n * 0.15);
    p.drawLine(b + n * 0.2, b2 + n * 0.15);
    p.drawLine(a2, b2);
    // Architectural ticks at both ends.
    const QPointF t = (d / len + n / std::abs(offset)) * 3.0;
    p.setPen(thinPen(colour, 1.2));
    p.drawLine(a2 - t, a2 + t);
    p.drawLine(b2 - t, b2 + t);
}

void elevation(QPainter& p, const QRectF& r, QColor line, int floors, int bays, bool dimensions)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(thinPen(line, 1.4));
    p.drawRect(r);
    const double fh = r.height() / (floors + 0.6);
    const double ground = r.bottom() - fh * 1.3;
    p.setPen(thinPen(line, 0.9));
    // Parapet and floor lines.
    p.drawLine(QPointF(r.left(), r.top() + fh * 0.3), QPointF(r.right(), r.top() + fh * 0.3));
    for (int f = 1; f < floors; ++f) {
        const double y = ground - f * (ground - r.top() - fh * 0.3) / floors;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    p.drawLine(QPointF(r.left(), ground), QPointF(r.right(), ground));
    const double bw = r.width() / bays;
    const double upperH = (ground - r.top() - fh * 0.3) / floors;
    QColor glass = line;
    glass.setAlpha(line.alpha() / 3);
    for (int f = 0; f < floors; ++f) {
        const double y = r.top() + fh * 0.3 + f * upperH;
        for (int b = 0; b < bays; ++b) {
            const QRectF w(r.left() + b * bw + bw * 0.18, y + upperH * 0.22, bw * 0.64,
                           upperH * 0.56);
            p.setPen(thinPen(line, 0.8));
            p.setBrush(glass);
            p.drawRect(w);
            p.drawLine(QPointF(w.center().x(), w.top()), QPointF(w.center().x(), w.bottom()));
        }
    }
    // Entrance.
    p.setBrush(Qt::NoBrush);
    p.setPen(thinPen(line, 1.0));
    const QRectF door(r.center().x() - bw * 0.6, ground + fh * 0.25, bw * 1.2,
                      r.bottom() - ground - fh * 0.25);
    p.drawRect(door);
    p.drawLine(QPointF(door.center().x(), door.top()), QPointF(door.center().x(), door.bottom()));
    p.drawLine(QPointF(r.left() - 10, r.bottom()), QPointF(r.right() + 10, r.bottom()));
    if (dimensions) {
        dimensionLine(p, r.bottomLeft() + QPointF(0, 6), r.bottomRight() + QPointF(0, 6), 10, line);
        dimensionLine(p, r.topRight(), r.bottomRight(), -12, line);
        dimensionLine(p, QPointF(r.right(), ground), QPointF(r.right(), r.bottom()), -22, line);
    }
}

void gableHouse(QPainter& p, const QRectF& body, double roofHeight, QColor wall, QColor roof,
                QColor line)
{
    p.setPen(thinPen(line, 1.0));
    p.setBrush(wall);
    p.drawRect(body);
    QPainterPath roofPath;
    const double eave = body.width() * 0.08;
    roofPath.moveTo(body.left() - eave, body.top());
    roofPath.lineTo(body.center().x(), body.top() - roofHeight);
    roofPath.lineTo(body.right() + eave, body.top());
    roofPath.closeSubpath();
    p.setBrush(roof);
    p.drawPath(roofPath);
    // Windows and door.
    QColor glass = wall.darker(160);
    p.setBrush(glass);
    const double ww = body.width() * 0.16;
    const double wh = body.height() * 0.28;
    p.drawRect(
        QRectF(body.left() + body.width() * 0.12, body.top() + body.height() * 0.22, ww, wh));
    p.drawRect(
        QRectF(body.right() - body.width() * 0.12 - ww, body.top() + body.height() * 0.22, ww, wh));
    p.setBrush(wall.darker(135));
    p.drawRect(QRectF(body.center().x() - ww * 0.5, body.bottom() - body.height() * 0.5, ww,
                      body.height() * 0.5));
}

void gableHouseOutline(QPainter& p, const QRectF& body, double roofHeight, QColor line,
                       bool section)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(thinPen(line, 1.4));
    const double eave = body.width() * 0.1;
    QPainterPath outline;
    outline.moveTo(body.left(), body.bottom());
    outline.lineTo(body.left(), body.top());
    outline.lineTo(body.left() - eave, body.top() + eave * 0.5);
    outline.moveTo(body.left() - eave, body.top() + eave * 0.5);
    outline.lineTo(body.center().x(), body.top() - roofHeight);
    outline.lineTo(body.right() + eave, body.top() + eave * 0.5);
    outline.moveTo(body.right(), body.top());
    outline.lineTo(body.right(), body.bottom());
    p.drawPath(outline);
    p.drawLine(QPointF(body.left() - 20, body.bottom()), QPointF(body.right() + 20, body.bottom()));
    p.setPen(thinPen(line, 0.9));
    const double mid = body.top() + body.height() * 0.48;
    p.drawLine(QPointF(body.left(), mid), QPointF(body.right(), mid));
    p.drawLine(QPointF(body.left(), body.top()), QPointF(body.right(), body.top()));
    if (section) {
        // Joists and a stair in the cut.
        for (int i = 1; i < 8; ++i) {
            const double x = body.left() + body.width() * i / 8.0;
            p.drawLine(QPointF(x, mid - 3), QPointF(x, mid));
        }
        const int steps = 9;
        const double sx = body.left() + body.width() * 0.58;
        const double sw = body.width() * 0.3;
        QPainterPath stair;
        stair.moveTo(sx, body.bottom());
        for (int s = 0; s < steps; ++s) {
            const double y = body.bottom() - (s + 1) * (body.bottom() - mid) / steps;
            stair.lineTo(sx + s * sw / steps, y);
            stair.lineTo(sx + (s + 1) * sw / steps, y);
        }
        p.drawPath(stair);
        // Hatching under the ground line.
        p.save();
        p.setClipRect(QRectF(body.left() - 20, body.bottom(), body.width() + 40, 10));
        for (double x = body.left() - 30; x < body.right() + 30; x += 5)
            p.drawLine(QPointF(x, body.bottom() + 10), QPointF(x + 10, body.bottom()));
        p.restore();
    } else {
        const double ww = body.width() * 0.14;
        for (int row = 0; row < 2; ++row) {
            const double top =
                row == 0 ? body.top() + body.height() * 0.12 : mid + body.height() * 0.1;
            for (int k = 0; k < 3; ++k) {
                const QRectF w(body.left() + body.width() * (0.12 + k * 0.3), top, ww,
                               body.height() * 0.26);
                if (row == 1 && k == 1)
                    continue;
                p.drawRect(w);
                p.drawLine(QPointF(w.left(), w.center().y()), QPointF(w.right(), w.center().y()));
            }
        }
        p.drawRect(QRectF(body.center().x() - ww * 0.55, body.bottom() - body.height() * 0.38,
                          ww * 1.1, body.height() * 0.38));
    }
    dimensionLine(p, body.bottomLeft() + QPointF(0, 14), body.bottomRight() + QPointF(0, 14), 8,
                  line);
    dimensionLine(p, QPointF(body.right() + eave, body.top() - roofHeight),
                  QPointF(body.right() + eave, body.bottom()), -14, line);
}

void pagoda(QPainter& p, QPointF base, double width, double height, int storeys, QColor body,
            QColor roof)
{
    const double sh = height * 0.86 / storeys;
    p.setPen(Qt::NoPen);
    for (int s = 0; s < storeys; ++s) {
        const double scale = 1.0 - s * 0.1;
        const double w = width * scale;
        const double y = base.y() - s * sh;
        p.setBrush(body);
        p.drawRect(QRectF(base.x() - w * 0.32, y - sh * 0.62, w * 0.64, sh * 0.62));
        QPainterPath eaves;
        eaves.moveTo(base.x() - w * 0.62, y - sh * 0.56);
        eaves.quadTo(base.x() - w * 0.4, y - sh * 0.7, base.x() - w * 0.3, y - sh * 0.95);
        eaves.lineTo(base.x() + w * 0.3, y - sh * 0.95);
        eaves.quadTo(base.x() + w * 0.4, y - sh * 0.7, base.x() + w * 0.62, y - sh * 0.56);
        eaves.closeSubpath();
        p.setBrush(roof);
        p.drawPath(eaves);
    }
    // Spire.
    p.setBrush(roof);
    const double top = base.y() - storeys * sh;
    p.drawRect(QRectF(base.x() - 1.2, top - height * 0.16, 2.4, height * 0.16 + sh * 0.1));
    for (int r = 0; r < 5; ++r)
        p.drawRect(QRectF(base.x() - 3, top - height * 0.04 - r * height * 0.022, 6, 1.2));
}

void roundTree(QPainter& p, QPointF base, double size, QColor leaves, QColor trunk)
{
    p.setPen(Qt::NoPen);
    p.setBrush(trunk);
    p.drawRect(QRectF(base.x() - size * 0.06, base.y() - size * 0.45, size * 0.12, size * 0.45));
    QRadialGradient g(base + QPointF(-size * 0.12, -size * 0.8), size * 0.6);
    g.setColorAt(0, leaves.lighter(130));
    g.setColorAt(1, leaves);
    p.setBrush(g);
    p.drawEllipse(base + QPointF(0, -size * 0.7), size * 0.38, size * 0.36);
}

void pineTree(QPainter& p, QPointF base, double size, QColor leaves)
{
    p.setPen(Qt::NoPen);
    p.setBrush(leaves.darker(170));
    p.drawRect(QRectF(base.x() - size * 0.04, base.y() - size * 0.2, size * 0.08, size * 0.2));
    p.setBrush(leaves);
    for (int k = 0; k < 3; ++k) {
        const double y = base.y() - size * (0.15 + k * 0.25);
        const double w = size * (0.42 - k * 0.1);
        QPainterPath tier;
        tier.moveTo(base.x() - w, y);
        tier.lineTo(base.x(), y - size * 0.4);
        tier.lineTo(base.x() + w, y);
        tier.closeSubpath();
        p.drawPath(tier);
    }
}

void blossoms(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour, double size)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.range(r.left(), r.right()), rng.range(r.top(), r.bottom()));
        QColor c = colour;
        c.setAlpha(rng.pick(150, 240));
        if (rng.chance(0.3))
            c = c.lighter(112);
        p.setBrush(c);
        const double s = size * rng.range(0.5, 1.0);
        p.drawEllipse(at, s, s * 0.85);
    }
}

void blossomTree(QPainter& p, Rng& rng, QPointF base, double size, QColor blossom, QColor trunk)
{
    QPen pen(trunk, size * 0.06);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const QPointF fork = base + QPointF(0, -size * 0.45);
    p.drawLine(base, fork);
    pen.setWidthF(size * 0.03);
    p.setPen(pen);
    const QPointF tips[] = {
        {-0.35, -0.75}, {0.3, -0.8}, {-0.1, -0.95}, {0.45, -0.6}, {-0.45, -0.55}};
    for (const QPointF& t : tips)
        p.drawLine(fork, base + t * size);
    blossoms(p, rng, QRectF(base.x() - size * 0.55, base.y() - size * 1.05, size * 1.1, size * 0.6),
             int(size * 2.2), blossom, size * 0.07);
}

void leaves(QPainter& p, Rng& rng, const QRectF& r, int count,
            std::initializer_list<QColor> colours, double size)
{
    const std::vector<QColor> palette(colours);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.range(r.left(), r.right()), rng.range(r.top(), r.bottom()));
        QColor c = palette[size_t(rng.pick(0, int(palette.size()) - 1))];
        c.setAlpha(rng.pick(170, 250));
        maple(p, at, size * rng.range(0.6, 1.0), rng.range(0, 360), c);
    }
}

void maple(QPainter& p, QPointF centre, double size, double angle, QColor colour)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    QPainterPath leaf;
    const int lobes = 5;
    for (int k = 0; k <= lobes * 2; ++k) {
        const double a = -Pi / 2 + (k - lobes) * Pi * 0.8 / lobes;
        const double rad = (k % 2 == 0) ? size : size * 0.42;
        const QPointF pt(std::cos(a) * rad, std::sin(a) * rad);
        if (k == 0)
            leaf.moveTo(pt);
        else
            leaf.lineTo(pt);
    }
    leaf.lineTo(0, size * 0.15);
    leaf.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(leaf);
    p.setPen(QPen(colour.darker(140), 0.6));
    p.drawLine(QPointF(0, 0), QPointF(0, size * 0.5));
    p.restore();
}

void snow(QPainter& p, Rng& rng, const QRectF& r, int count, double maxSize)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.range(r.left(), r.right()), rng.range(r.top(), r.bottom()));
        const double s = rng.range(0.4, maxSize);
        p.setBrush(QColor(255, 255, 255, rng.pick(120, 230)));
        p.drawEllipse(at, s, s);
    }
}

void rain(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour)
{
    p.setPen(QPen(colour, 0.8));
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.range(r.left(), r.right()), rng.range(r.top(), r.bottom()));
        const double len = rng.range(3, 7);
        p.drawLine(at, at + QPointF(-len * 0.3, len));
    }
}

void water(QPainter& p, Rng& rng, const QRectF& r, QColor top, QColor bottom, QColor glint)
{
    verticalGradient(p, r, {{0, top}, {1, bottom}});
    for (int i = 0; i < int(r.width() * r.height() / 260); ++i) {
        const double y = rng.range(r.top() + 1, r.bottom());
        const double x = rng.range(r.left(), r.right());
        const double len = rng.range(4, 18) * (0.4 + (y - r.top()) / r.height());
        QColor c = glint;
        c.setAlpha(rng.pick(30, 110));
        p.setPen(QPen(c, 1));
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
}

void towerCrane(QPainter& p, QPointF base, double height, double jib, QColor colour)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(thinPen(colour, 1.2));
    const double w = std::max(4.0, height * 0.045);
    const double top = base.y() - height;
    p.drawLine(QPointF(base.x() - w / 2, base.y()), QPointF(base.x() - w / 2, top));
    p.drawLine(QPointF(base.x() + w / 2, base.y()), QPointF(base.x() + w / 2, top));
    p.setPen(thinPen(colour, 0.7));
    for (double y = base.y(); y > top + w; y -= w) {
        p.drawLine(QPointF(base.x() - w / 2, y), QPointF(base.x() + w / 2, y - w));
        p.drawLine(QPointF(base.x() - w / 2, y - w), QPointF(base.x() + w / 2, y - w));
    }
    // Jib, counter-jib, tie bars and the hook.
    p.setPen(thinPen(colour, 1.2));
    const double jy = top;
    p.drawLine(QPointF(base.x() - jib * 0.3, jy), QPointF(base.x() + jib, jy));
    p.drawLine(QPointF(base.x() - jib * 0.3, jy + w * 0.6), QPointF(base.x() + jib, jy + w * 0.3));
    p.setPen(thinPen(colour, 0.7));
    for (double x = base.x() - jib * 0.3; x < base.x() + jib - w; x += w)
        p.drawLine(QPointF(x, jy), QPointF(x + w, jy + w * 0.45));
    const QPointF peak(base.x(), jy - height * 0.12);
    p.drawLine(peak, QPointF(base.x() + jib * 0.7, jy));
    p.drawLine(peak, QPointF(base.x() - jib * 0.3, jy));
    p.drawLine(QPointF(base.x() - w / 2, jy), peak);
    p.drawLine(QPointF(base.x() + w / 2, jy), peak);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(base.x() - jib * 0.3, jy, jib * 0.12, w * 1.2));
    p.setPen(thinPen(colour, 0.6));
    const double hx = base.x() + jib * 0.62;
    p.drawLine(QPointF(hx, jy + w * 0.4), QPointF(hx, jy + height * 0.35));
    p.drawRect(QRectF(hx - 2, jy + height * 0.35, 4, 3));
}

void suspensionBridge(QPainter& p, const QRectF& r, QColor colour)
{
    const double deck = r.top() + r.height() * 0.72;
    const double t1 = r.left() + r.width() * 0.22;
    const double t2 = r.left() + r.width() * 0.78;
    const double tw = r.width() * 0.018;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (double tx : {t1, t2}) {
        p.drawRect(QRectF(tx - tw, r.top(), tw * 0.7, r.bottom() - r.top()));
        p.drawRect(QRectF(tx + tw * 0.3, r.top(), tw * 0.7, r.bottom() - r.top()));
        for (double f : {0.05, 0.35, 0.62})
            p.drawRect(QRectF(tx - tw, r.top() + r.height() * f, tw * 2, tw * 0.6));
    }
    p.drawRect(QRectF(r.left(), deck, r.width(), r.height() * 0.035));
    p.setBrush(Qt::NoBrush);
    p.setPen(thinPen(colour, 1.3));
    QPainterPath cable;
    cable.moveTo(r.left(), deck - r.height() * 0.28);
    cable.quadTo(QPointF((r.left() + t1) / 2, deck - r.height() * 0.4), QPointF(t1, r.top() + 2));
    cable.quadTo(QPointF((t1 + t2) / 2, deck + r.height() * 0.12), QPointF(t2, r.top() + 2));
    cable.quadTo(QPointF((t2 + r.right()) / 2, deck - r.height() * 0.4),
                 QPointF(r.right(), deck - r.height() * 0.28));
    p.drawPath(cable);
    p.setPen(thinPen(colour, 0.6));
    for (double x = r.left() + 4; x < r.right(); x += r.width() / 48) {
        // The hanger meets the cable where the path passes over x.
        double y = deck;
        for (qreal t = 0; t <= 1.0; t += 0.002) {
            const QPointF pt = cable.pointAtPercent(t);
            if (pt.x() >= x) {
                y = pt.y();
                break;
            }
        }
        if (y < deck - 2)
            p.drawLine(QPointF(x, y), QPointF(x, deck));
    }
}

void floorPlan(QPainter& p, const QRectF& r, QColor line)
{
    p.setBrush(Qt::NoBrush);
    QPen wall(line, 3.0);
    wall.setJoinStyle(Qt::MiterJoin);
    p.setPen(wall);
    p.drawRect(r);
    const double w = r.width();
    const double h = r.height();
    QPen inner(line, 1.6);
    p.setPen(inner);
    p.drawLine(QPointF(r.left() + w * 0.45, r.top()),
               QPointF(r.left() + w * 0.45, r.top() + h * 0.55));
    p.drawLine(QPointF(r.left(), r.top() + h * 0.55),
               QPointF(r.left() + w * 0.3, r.top() + h * 0.55));
    p.drawLine(QPointF(r.left() + w * 0.42, r.top() + h * 0.55),
               QPointF(r.right(), r.top() + h * 0.55));
    p.drawLine(QPointF(r.left() + w * 0.72, r.top() + h * 0.55),
               QPointF(r.left() + w * 0.72, r.bottom()));
    // Door swings.
    p.setPen(QPen(line, 0.8));
    const double d = w * 0.1;
    p.drawArc(QRectF(r.left() + w * 0.3 - d, r.top() + h * 0.55 - d, 2 * d, 2 * d), 0, 90 * 16);
    p.drawLine(QPointF(r.left() + w * 0.3, r.top() + h * 0.55),
               QPointF(r.left() + w * 0.3, r.top() + h * 0.55 - d));
    p.drawArc(QRectF(r.left() + w * 0.72 - d, r.bottom() - h * 0.15 - d, 2 * d, 2 * d), 90 * 16,
              90 * 16);
    // Windows in the outer walls.
    p.setPen(QPen(line, 0.8));
    for (double f : {0.12, 0.6}) {
        const QRectF win(r.left() + w * f, r.top() - 2, w * 0.18, 4);
        p.drawRect(win);
        p.drawLine(QPointF(win.left(), win.center().y()), QPointF(win.right(), win.center().y()));
    }
    for (double f : {0.2, 0.7}) {
        const QRectF win(r.right() - 2, r.top() + h * f, 4, h * 0.14);
        p.drawRect(win);
    }
    // Stair, kitchen counter, tatami room.
    for (int i = 0; i < 8; ++i)
        p.drawLine(QPointF(r.left() + w * 0.75 + i * w * 0.028, r.top() + h * 0.6),
                   QPointF(r.left() + w * 0.75 + i * w * 0.028, r.bottom() - 2));
    p.drawRect(QRectF(r.left() + w * 0.5, r.top() + 4, w * 0.45, h * 0.08));
    const QRectF tatami(r.left() + 6, r.top() + h * 0.62, w * 0.6, h * 0.34);
    p.drawRect(tatami);
    p.drawLine(QPointF(tatami.left() + tatami.width() / 3, tatami.top()),
               QPointF(tatami.left() + tatami.width() / 3, tatami.bottom()));
    p.drawLine(QPointF(tatami.left() + tatami.width() / 3, tatami.center().y()),
               QPointF(tatami.right(), tatami.center().y()));
    p.drawLine(QPointF(tatami.left() + tatami.width() * 2 / 3, tatami.top()),
               QPointF(tatami.left() + tatami.width() * 2 / 3, tatami.center().y()));
    dimensionLine(p, r.topLeft(), r.topRight(), -12, line);
    dimensionLine(p, r.topLeft(), r.bottomLeft(), 12, line);
}

void stairSection(QPainter& p, const QRectF& r, QColor line)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 1.4));
    const int steps = 12;
    const double rise = r.height() / steps;
    const double run = r.width() / steps;
    QPainterPath stair;
    stair.moveTo(r.bottomLeft());
    for (int s = 0; s < steps; ++s) {
        stair.lineTo(r.left() + s * run, r.bottom() - (s + 1) * rise);
        stair.lineTo(r.left() + (s + 1) * run, r.bottom() - (s + 1) * rise);
    }
    p.drawPath(stair);
    // The slab under the stair, hatched.
    QPainterPath slab;
    slab.moveTo(r.left() + run * 1.5, r.bottom());
    slab.lineTo(r.right(), r.top() + rise * 1.5);
    slab.lineTo(r.right(), r.top() + rise * 2.6);
    slab.lineTo(r.left() + run * 2.8, r.bottom());
    slab.closeSubpath();
    p.setPen(QPen(line, 1.0));
    p.drawPath(slab);
    p.save();
    p.setClipPath(slab);
    p.setPen(QPen(line, 0.6));
    for (double x = r.left() - r.height(); x < r.right(); x += 6)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    p.restore();
    // Handrail.
    p.setPen(QPen(line, 1.0));
    p.drawLine(QPointF(r.left(), r.bottom() - rise * 6), QPointF(r.right(), r.top() - rise * 5));
    for (int s = 0; s < steps; s += 3) {
        const double x = r.left() + s * run + run / 2;
        const double yTread = r.bottom() - (s + 1) * rise;
        const double yRail =
            r.bottom() - rise * 6 - (x - r.left()) * (r.height() + rise) / r.width();
        p.drawLine(QPointF(x, yTread), QPointF(x, yRail));
    }
    dimensionLine(p, r.bottomLeft() + QPointF(0, 4), QPointF(r.right(), r.bottom() + 4), 10, line);
    dimensionLine(p, QPointF(r.right(), r.top()), QPointF(r.right(), r.bottom()), -14, line);
}

void flower(QPainter& p, QPointF centre, double size, int petals, QColor petal, QColor heart)
{
    p.setPen(Qt::NoPen);
    p.setBrush(petal);
    for (int k = 0; k < petals; ++k) {
        const double a = 2 * Pi * k / petals - Pi / 2;
        p.drawEllipse(centre + QPointF(std::cos(a), std::sin(a)) * size * 0.55, size * 0.45,
                      size * 0.45);
    }
    p.setBrush(heart);
    p.drawEllipse(centre, size * 0.25, size * 0.25);
}

void sun(QPainter& p, QPointF centre, double radius, QColor colour)
{
    radialGlow(p, centre, radius * 3.2, withAlpha(colour, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void moon(QPainter& p, QPointF centre, double radius, QColor colour)
{
    radialGlow(p, centre, radius * 3.0, withAlpha(colour, 60));
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    QPainterPath shadow;
    shadow.addEllipse(centre + QPointF(radius * 0.45, -radius * 0.2), radius * 0.85, radius * 0.85);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(disc.subtracted(shadow));
}

} // namespace lc::art::detail
