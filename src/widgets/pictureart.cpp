#include "pictureart.h"

#include "pictureart_p.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace lc::art {

using namespace detail;

namespace {

// The window area the stretched backgrounds cover (11900 x 8200 twips).
constexpr QSize FullSize(793, 547);

const QColor BlueprintTop(0x13, 0x3d, 0x70);
const QColor BlueprintBottom(0x0a, 0x22, 0x45);
const QColor GridMinor(255, 255, 255, 22);
const QColor GridMajor(255, 255, 255, 48);

// A dark band on the left where the slot panels stand, so the picture's own
// subject lies to their right.
void leftShade(QPainter& p, QSize size, double solid, double fade)
{
    QLinearGradient g(QPointF(0, 0), QPointF(solid + fade, 0));
    g.setColorAt(0, rgba(0, 0, 0, 245));
    g.setColorAt(solid / (solid + fade), rgba(0, 0, 0, 228));
    g.setColorAt(1, rgba(0, 0, 0, 0));
    p.fillRect(QRectF(0, 0, solid + fade, size.height()), g);
}

void northArrow(QPainter& p, QPointF centre, double size, QColor colour)
{
    p.setPen(QPen(colour, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, size, size);
    QPainterPath arrow;
    arrow.moveTo(centre + QPointF(0, -size * 1.3));
    arrow.lineTo(centre + QPointF(size * 0.35, size * 0.5));
    arrow.lineTo(centre);
    arrow.closeSubpath();
    p.setBrush(colour);
    p.drawPath(arrow);
    p.setBrush(Qt::NoBrush);
    QPainterPath other;
    other.moveTo(centre + QPointF(0, -size * 1.3));
    other.lineTo(centre + QPointF(-size * 0.35, size * 0.5));
    other.lineTo(centre);
    p.drawPath(other);
}

} // namespace

namespace detail {

void blueprintPaper(QPainter& p, QSize size, double step)
{
    const QRectF r(QPointF(0, 0), QSizeF(size));
    verticalGradient(p, r, {{0, BlueprintTop}, {1, BlueprintBottom}});
    gridPaper(p, r, GridMinor, GridMajor, step, 5);
}

} // namespace detail

namespace {

// ---------------------------------------------------------------------------
// Backgrounds over the whole window

QImage blueprintOffice()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    blueprintPaper(p, FullSize);
    elevation(p, QRectF(360, 128, 250, 318), BlueprintLine, 9, 6, true);
    // A lower wing and a section line across the site.
    elevation(p, QRectF(610, 318, 110, 128), rgba(0xdc, 0xea, 0xf8, 160), 2, 3, false);
    p.setPen(QPen(rgba(0xdc, 0xea, 0xf8, 120), 1, Qt::DashDotLine));
    p.drawLine(QPointF(330, 470), QPointF(780, 470));
    northArrow(p, QPointF(360, 500), 9, rgba(0xdc, 0xea, 0xf8, 170));
    vignette(p, FullSize, 0.7);
    leftShade(p, FullSize, 220, 110);
    return image;
}

QImage duskSkyline()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(101);
    const double horizon = 420;
    verticalGradient(p, QRectF(0, 0, FullSize.width(), horizon),
                     {{0, rgba(0x0a, 0x14, 0x30)},
                      {0.45, rgba(0x2a, 0x2c, 0x5a)},
                      {0.78, rgba(0x7a, 0x4b, 0x6c)},
                      {1, rgba(0xe3, 0x93, 0x5e)}});
    sun(p, QPointF(560, horizon - 6), 16, rgba(0xff, 0xc8, 0x7a));
    stars(p, rng, QRectF(0, 0, FullSize.width(), 160), 70, rgba(255, 255, 255));
    skyline(p, rng, 0, 800, horizon, 40, 110, rgba(0x2c, 0x2a, 0x48), rgba(0xff, 0xd2, 0x8a, 0), 0);
    skyline(p, rng, 0, 800, horizon, 30, 200, rgba(0x12, 0x13, 0x24), rgba(0xff, 0xd8, 0x90), 0.3);
    water(p, rng, QRectF(0, horizon, FullSize.width(), FullSize.height() - horizon),
          rgba(0x3a, 0x2c, 0x4a), rgba(0x06, 0x08, 0x14), rgba(0xff, 0xc0, 0x80));
    vignette(p, FullSize, 0.6);
    leftShade(p, FullSize, 200, 130);
    return image;
}

QImage nightCity()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(202);
    const QColor sky(0x0b, 0x14, 0x2c);
    verticalGradient(p, QRectF(QPointF(0, 0), QSizeF(FullSize)),
                     {{0, rgba(0x05, 0x08, 0x16)}, {0.7, sky}, {1, rgba(0x1e, 0x2c, 0x50)}});
    stars(p, rng, QRectF(0, 0, FullSize.width(), 300), 160, rgba(255, 255, 255));
    moon(p, QPointF(620, 110), 18, rgba(0xf4, 0xee, 0xd6));
    skyline(p, rng, 0, 800, 470, 60, 180, rgba(0x16, 0x20, 0x3c), rgba(0x8f, 0xb4, 0xe8), 0.12);
    skyline(p, rng, 0, 800, 500, 40, 250, rgba(0x08, 0x0b, 0x18), rgba(0xff, 0xd9, 0x8c), 0.35);
    p.fillRect(QRectF(0, 500, FullSize.width(), 47), rgba(0x05, 0x06, 0x0e));
    radialGlow(p, QPointF(520, 520), 260, rgba(0xff, 0xb0, 0x60, 28));
    leftShade(p, FullSize, 200, 120);
    return image;
}

QImage houseSection()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(FullSize));
    verticalGradient(p, all, {{0, rgba(0x24, 0x2a, 0x32)}, {1, rgba(0x15, 0x18, 0x1d)}});
    gridPaper(p, all, rgba(255, 255, 255, 14), rgba(255, 255, 255, 30), 10, 5);
    const QColor line(0x9f, 0xd6, 0xea, 230);
    gableHouseOutline(p, QRectF(380, 215, 300, 220), 110, line, true);
    // A detail bubble of the eave.
    p.setPen(QPen(rgba(0x9f, 0xd6, 0xea, 140), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(370, 225), 26, 26);
    p.drawLine(QPointF(352, 245), QPointF(330, 300));
    vignette(p, FullSize, 0.7);
    leftShade(p, FullSize, 210, 120);
    return image;
}

QImage sitePlan()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(404);
    const QRectF all(QPointF(0, 0), QSizeF(FullSize));
    verticalGradient(p, all, {{0, rgba(0x10, 0x2e, 0x2a)}, {1, rgba(0x0a, 0x1e, 0x1c)}});
    const QColor road(0x2c, 0x4a, 0x44);
    const QColor line(0xc8, 0xe8, 0xd8, 200);
    p.setPen(Qt::NoPen);
    p.setBrush(road);
    p.drawRect(QRectF(0, 300, FullSize.width(), 26));
    p.drawRect(QRectF(470, 0, 24, FullSize.height()));
    p.setPen(QPen(rgba(0xc8, 0xe8, 0xd8, 90), 1, Qt::DashLine));
    p.drawLine(QPointF(0, 313), QPointF(FullSize.width(), 313));
    p.drawLine(QPointF(482, 0), QPointF(482, FullSize.height()));
    // Plots with their buildings.
    const QRectF plots[] = {{300, 40, 150, 240},  {510, 40, 250, 110},  {510, 170, 120, 110},
                            {650, 170, 110, 110}, {300, 346, 150, 170}, {510, 346, 250, 170}};
    for (const QRectF& plot : plots) {
        p.setPen(QPen(line, 0.8, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(plot);
        const QRectF footprint = plot.adjusted(
            plot.width() * rng.range(0.12, 0.25), plot.height() * rng.range(0.12, 0.25),
            -plot.width() * rng.range(0.12, 0.3), -plot.height() * rng.range(0.15, 0.3));
        p.setPen(QPen(line, 1.4));
        p.setBrush(rgba(0xc8, 0xe8, 0xd8, 40));
        p.drawRect(footprint);
        p.setPen(QPen(rgba(0xc8, 0xe8, 0xd8, 90), 0.6));
        p.drawLine(footprint.topLeft(), footprint.bottomRight());
        p.drawLine(footprint.topRight(), footprint.bottomLeft());
    }
    for (int i = 0; i < 40; ++i) {
        const QPointF at(rng.range(300, 780), rng.range(20, 530));
        bool onBuilding = false;
        for (const QRectF& plot : plots)
            onBuilding |= plot.adjusted(20, 20, -20, -20).contains(at);
        if (onBuilding || std::abs(at.y() - 313) < 22 || std::abs(at.x() - 482) < 22)
            continue;
        const double s = rng.range(4, 8);
        p.setPen(QPen(rgba(0x9c, 0xd8, 0x9c, 170), 0.8));
        p.setBrush(rgba(0x5a, 0xa0, 0x6a, 90));
        p.drawEllipse(at, s, s);
    }
    northArrow(p, QPointF(735, 240), 10, line);
    vignette(p, FullSize, 0.6);
    leftShade(p, FullSize, 210, 110);
    return image;
}

QImage isometricCity()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(505);
    const QRectF all(QPointF(0, 0), QSizeF(FullSize));
    verticalGradient(p, all, {{0, rgba(0x0b, 0x24, 0x2e)}, {1, rgba(0x06, 0x14, 0x1c)}});
    const double cx = 540, cy = 300, u = 18;
    auto iso = [&](double x, double y, double z) {
        return QPointF(cx + (x - y) * u * 0.866, cy + (x + y) * u * 0.5 - z * u);
    };
    // Ground grid.
    p.setPen(QPen(rgba(0x7f, 0xd4, 0xe0, 40), 0.8));
    for (int i = -8; i <= 8; ++i) {
        p.drawLine(iso(i, -8, 0), iso(i, 8, 0));
        p.drawLine(iso(-8, i, 0), iso(8, i, 0));
    }
    struct Block
    {
        double x, y, w, d, h;
    };
    std::vector<Block> blocks;
    for (int gx = -6; gx <= 5; gx += 3)
        for (int gy = -6; gy <= 5; gy += 3)
            blocks.push_back({double(gx), double(gy), rng.range(1.6, 2.4), rng.range(1.6, 2.4),
                              rng.range(1, 9)});
    std::sort(blocks.begin(), blocks.end(),
              [](const Block& a, const Block& b) { return a.x + a.y < b.x + b.y; });
    for (const Block& b : blocks) {
        const QPointF top[4] = {iso(b.x, b.y, b.h), iso(b.x + b.w, b.y, b.h),
                                iso(b.x + b.w, b.y + b.d, b.h), iso(b.x, b.y + b.d, b.h)};
        const QPointF left[4] = {iso(b.x, b.y + b.d, b.h), iso(b.x + b.w, b.y + b.d, b.h),
                                 iso(b.x + b.w, b.y + b.d, 0), iso(b.x, b.y + b.d, 0)};
        const QPointF right[4] = {iso(b.x + b.w, b.y, b.h), iso(b.x + b.w, b.y + b.d, b.h),
                                  iso(b.x + b.w, b.y + b.d, 0), iso(b.x + b.w, b.y, 0)};
        p.setPen(QPen(rgba(0x9f, 0xe6, 0xf0, 200), 1.0));
        p.setBrush(rgba(0x1d, 0x4e, 0x5c, 230));
        p.drawPolygon(left, 4);
        p.setBrush(rgba(0x14, 0x3a, 0x46, 230));
        p.drawPolygon(right, 4);
        p.setBrush(rgba(0x2c, 0x6a, 0x78, 230));
        p.drawPolygon(top, 4);
        p.setPen(QPen(rgba(0x9f, 0xe6, 0xf0, 70), 0.6));
        for (double z = 1; z < b.h; z += 1) {
            p.drawLine(iso(b.x, b.y + b.d, z), iso(b.x + b.w, b.y + b.d, z));
            p.drawLine(iso(b.x + b.w, b.y, z), iso(b.x + b.w, b.y + b.d, z));
        }
    }
    vignette(p, FullSize, 0.7);
    leftShade(p, FullSize, 210, 120);
    return image;
}

QImage sunriseCranes()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double horizon = 440;
    verticalGradient(p, QRectF(0, 0, FullSize.width(), horizon),
                     {{0, rgba(0x0c, 0x1a, 0x38)},
                      {0.5, rgba(0x34, 0x4a, 0x78)},
                      {0.82, rgba(0xd8, 0x98, 0x62)},
                      {1, rgba(0xf4, 0xd0, 0x8c)}});
    sun(p, QPointF(600, horizon), 28, rgba(0xff, 0xe0, 0xa0));
    const QColor silhouette(0x14, 0x16, 0x22);
    // A frame under construction: columns and floor beams.
    p.setPen(QPen(silhouette, 3));
    const double left = 420, right = 600, top = 250;
    for (double x = left; x <= right + 0.1; x += 30)
        p.drawLine(QPointF(x, horizon), QPointF(x, top + (x > 540 ? 40 : 0)));
    for (double y = horizon - 24; y >= top; y -= 24)
        p.drawLine(QPointF(left, y), QPointF(y < top + 40 ? 540 : right, y));
    p.setPen(QPen(silhouette, 1));
    for (double y = horizon - 24; y >= top + 24; y -= 48)
        p.drawLine(QPointF(left, y), QPointF(left + 30, y - 24));
    towerCrane(p, QPointF(380, horizon), 300, 200, silhouette);
    towerCrane(p, QPointF(680, horizon), 230, 110, silhouette);
    p.fillRect(QRectF(0, horizon, FullSize.width(), FullSize.height() - horizon), silhouette);
    vignette(p, FullSize, 0.5);
    leftShade(p, FullSize, 210, 120);
    return image;
}

QImage perspectiveTower()
{
    QImage image = canvas(FullSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(FullSize));
    verticalGradient(p, all, {{0, rgba(0x20, 0x24, 0x2a)}, {1, rgba(0x12, 0x14, 0x18)}});
    const double horizon = 360;
    const QPointF vl(-260, horizon), vr(1180, horizon);
    const QColor construction(0xb8, 0xc4, 0xd0, 40);
    const QColor line(0xe4, 0xea, 0xf0, 220);
    p.setPen(QPen(construction, 0.8));
    p.drawLine(QPointF(0, horizon), QPointF(FullSize.width(), horizon));
    for (int i = 0; i < 14; ++i) {
        p.drawLine(vl, QPointF(FullSize.width(), i * 42.0));
        p.drawLine(vr, QPointF(0, i * 42.0));
    }
    // A tower in two-point perspective: its near edge at x = 520.
    const double nx = 520, topY = 70, baseY = 500;
    auto along = [](QPointF from, QPointF vanish, double t) { return from + (vanish - from) * t; };
    const QPointF nearTop(nx, topY), nearBase(nx, baseY);
    const QPointF leftTop = along(nearTop, vl, 0.16), leftBase = along(nearBase, vl, 0.16);
    const QPointF rightTop = along(nearTop, vr, 0.2), rightBase = along(nearBase, vr, 0.2);
    p.setPen(QPen(line, 1.4));
    p.setBrush(rgba(0x3a, 0x44, 0x50, 160));
    const QPointF leftFace[4] = {nearTop, leftTop, leftBase, nearBase};
    p.drawPolygon(leftFace, 4);
    p.setBrush(rgba(0x2a, 0x32, 0x3c, 160));
    const QPointF rightFace[4] = {nearTop, rightTop, rightBase, nearBase};
    p.drawPolygon(rightFace, 4);
    p.setPen(QPen(rgba(0xe4, 0xea, 0xf0, 110), 0.7));
    for (int f = 1; f < 16; ++f) {
        const double t = double(f) / 16;
        const QPointF n(nx, topY + (baseY - topY) * t);
        const QPointF l = leftTop + (leftBase - leftTop) * t;
        const QPointF r = rightTop + (rightBase - rightTop) * t;
        p.drawLine(n, l);
        p.drawLine(n, r);
    }
    for (int c = 1; c < 6; ++c) {
        const double t = 0.16 * c / 6;
        p.drawLine(along(nearTop, vl, t), along(nearBase, vl, t));
        const double s = 0.2 * c / 6;
        p.drawLine(along(nearTop, vr, s), along(nearBase, vr, s));
    }
    vignette(p, FullSize, 0.6);
    leftShade(p, FullSize, 210, 120);
    return image;
}

// ---------------------------------------------------------------------------
// Backgrounds at their natural size

QImage towerElevation()
{
    const QSize size(360, 440);
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    blueprintPaper(p, size, 10);
    elevation(p, QRectF(120, 60, 130, 330), BlueprintLine, 15, 4, true);
    p.setPen(QPen(BlueprintLine, 1.2));
    p.drawLine(QPointF(185, 60), QPointF(185, 28));
    p.drawLine(QPointF(160, 60), QPointF(172, 42));
    p.drawLine(QPointF(172, 42), QPointF(198, 42));
    p.drawLine(QPointF(198, 42), QPointF(210, 60));
    elevation(p, QRectF(60, 300, 60, 90), rgba(0xdc, 0xea, 0xf8, 150), 3, 2, false);
    fadeEdges(p, size, 36);
    return image;
}

QImage houseElevation()
{
    const QSize size(420, 500);
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(1111);
    const QRectF all(QPointF(0, 0), QSizeF(size));
    verticalGradient(p, all, {{0, rgba(0x24, 0x1e, 0x18)}, {1, rgba(0x16, 0x12, 0x0e)}});
    gridPaper(p, all, rgba(0xf0, 0xd8, 0xa8, 14), rgba(0xf0, 0xd8, 0xa8, 30), 10, 5);
    const QColor line(0xee, 0xd4, 0xa0, 230);
    gableHouseOutline(p, QRectF(110, 200, 210, 170), 95, line, false);
    // Trees in outline beside the house.
    p.setPen(QPen(rgba(0xee, 0xd4, 0xa0, 150), 1));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& at : {QPointF(70, 330), QPointF(360, 320)}) {
        p.drawEllipse(at, 26, 34);
        p.drawLine(at + QPointF(0, 34), at + QPointF(0, 50));
    }
    Q_UNUSED(rng);
    fadeEdges(p, size, 40);
    return image;
}

QImage standardPanorama()
{
    const QSize size(744, 472);
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(1212);
    const double horizon = 392;
    verticalGradient(p, QRectF(0, 0, size.width(), horizon),
                     {{0, rgba(0x06, 0x0e, 0x22)},
                      {0.55, rgba(0x16, 0x2e, 0x5a)},
                      {0.85, rgba(0x3c, 0x5c, 0x8c)},
                      {1, rgba(0x9a, 0x8e, 0x9a)}});
    stars(p, rng, QRectF(260, 0, size.width() - 260, 180), 90, rgba(255, 255, 255));
    gridPaper(p, QRectF(0, 0, size.width(), horizon), rgba(255, 255, 255, 10),
              rgba(255, 255, 255, 22), 12, 5);
    skyline(p, rng, 250, 744, horizon, 30, 90, rgba(0x24, 0x34, 0x58), rgba(0, 0, 0, 0), 0);
    skyline(p, rng, 240, 744, horizon, 30, 170, rgba(0x0e, 0x14, 0x26), rgba(0xff, 0xd8, 0x96),
            0.28);
    // The suite's own subject: a tower drawn over the city as on a drawing board.
    p.fillRect(QRectF(470, 96, 110, 296), rgba(0x0c, 0x18, 0x34, 215));
    elevation(p, QRectF(470, 96, 110, 296), rgba(0xd4, 0xe6, 0xff, 210), 12, 4, true);
    water(p, rng, QRectF(0, horizon, size.width(), size.height() - horizon), rgba(0x1c, 0x26, 0x40),
          rgba(0x04, 0x06, 0x0e), rgba(0xff, 0xd0, 0x90));
    leftShade(p, size, 265, 110);
    fadeEdges(p, size, 30);
    return image;
}

} // namespace

QList<int> backgroundNumbers()
{
    QList<int> numbers;
    for (int n = 0; n <= 33; ++n) {
        if (n != 8 && n != 9)
            numbers.append(n);
    }
    return numbers;
}

QSize backgroundSize(int number)
{
    if (number >= 0 && number <= 7)
        return FullSize;
    switch (number) {
    case 10:
        return {360, 440};
    case 11:
        return {420, 500};
    case 12:
        return {744, 472};
    case 14:
    case 26:
        return NarrowCardSize;
    default:
        break;
    }
    return number >= 13 && number <= 33 ? CardSize : QSize();
}

QImage background(int number)
{
    switch (number) {
    case 0:
        return blueprintOffice();
    case 1:
        return duskSkyline();
    case 2:
        return nightCity();
    case 3:
        return houseSection();
    case 4:
        return sitePlan();
    case 5:
        return isometricCity();
    case 6:
        return sunriseCranes();
    case 7:
        return perspectiveTower();
    case 10:
        return towerElevation();
    case 11:
        return houseElevation();
    case 12:
        return standardPanorama();
    case 13:
        return springPagoda();
    case 14:
        return pagodaDusk();
    case 15:
        return summerOffice();
    case 16:
        return autumnMinka();
    case 17:
        return winterApartments();
    case 18:
        return bridgeDusk();
    case 19:
        return domeHall();
    case 20:
        return factoryMorning();
    case 21:
        return lighthouseCoast();
    case 22:
        return schoolClockTower();
    case 23:
        return civicEvening();
    case 24:
        return mountainTown();
    case 25:
        return riversideStorehouses();
    case 26:
        return skyscraperFrame();
    case 27:
        return blueprintStair();
    case 28:
        return blueprintPlan();
    case 29:
        return riceFields();
    case 30:
        return rainyShrine();
    case 31:
        return harbourCranes();
    case 32:
        return viaductTrain();
    case 33:
        return observatoryNight();
    default:
        break;
    }
    return {};
}

} // namespace lc::art
