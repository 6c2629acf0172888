#include "builtinimages.h"

#include "common/twips.h"
#include "pictureart.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace lc {
namespace {

QPixmap canvas(int w, int h)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

// Icons fill their 495-twip picture controls.
int iconSize()
{
    return twips::toPx(495);
}

QPen linePen(const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// A rounded tile in the suite's blueprint manner: a gradient of the tone, a
// faint grid and a light rim.
void tile(QPainter& p, double s, const QColor& tone)
{
    const QRectF r(1, 1, s - 2, s - 2);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, tone.lighter(135));
    g.setColorAt(1, tone.darker(135));
    p.setPen(QPen(tone.darker(170), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, s * 0.16, s * 0.16);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r.adjusted(1, 1, -1, -1), s * 0.14, s * 0.14);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(255, 255, 255, 34), 1));
    for (double x = 4.5; x < s; x += s / 6.0)
        p.drawLine(QPointF(x, 0), QPointF(x, s));
    for (double y = 4.5; y < s; y += s / 6.0)
        p.drawLine(QPointF(0, y), QPointF(s, y));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), s * 0.14, s * 0.14);
}

// The pictograms of the slots, drawn in white on their tiles.
void pictogram(QPainter& p, double s, int index)
{
    const QColor ink(255, 255, 255, 235);
    p.setPen(linePen(ink, 1.6));
    p.setBrush(Qt::NoBrush);
    const double m = s * 0.22;
    switch (index) {
    case 0: { // a house
        QPainterPath house;
        house.moveTo(m, s - m);
        house.lineTo(m, s * 0.48);
        house.lineTo(s / 2.0, m);
        house.lineTo(s - m, s * 0.48);
        house.lineTo(s - m, s - m);
        house.closeSubpath();
        p.drawPath(house);
        p.drawRect(QRectF(s * 0.44, s * 0.6, s * 0.12, s - m - s * 0.6));
        break;
    }
    case 1: { // an office building
        const QRectF b(s * 0.3, m, s * 0.4, s - 2 * m);
        p.drawRect(b);
        p.setPen(linePen(ink, 1.0));
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 2; ++col)
                p.drawPoint(QPointF(b.left() + b.width() * (0.3 + 0.4 * col),
                                    b.top() + b.height() * (0.15 + 0.2 * row)));
        p.drawLine(QPointF(m * 0.7, s - m), QPointF(s - m * 0.7, s - m));
        break;
    }
    case 2: { // a set square and a scale
        QPainterPath square;
        square.moveTo(m, s - m);
        square.lineTo(m, m);
        square.lineTo(s - m, s - m);
        square.closeSubpath();
        p.drawPath(square);
        QPainterPath hole;
        hole.moveTo(m + s * 0.1, s - m - s * 0.08);
        hole.lineTo(m + s * 0.1, m + s * 0.24);
        hole.lineTo(s - m - s * 0.26, s - m - s * 0.08);
        hole.closeSubpath();
        p.setPen(linePen(ink, 1.0));
        p.drawPath(hole);
        break;
    }
    case 3: { // an estimate sheet
        const QRectF sheet(s * 0.28, m * 0.9, s * 0.44, s - 1.8 * m);
        p.drawRect(sheet);
        p.setPen(linePen(ink, 1.0));
        for (int row = 1; row < 5; ++row) {
            const double y = sheet.top() + sheet.height() * row / 5.0;
            p.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3, y));
        }
        p.drawLine(QPointF(sheet.left() + sheet.width() * 0.62, sheet.top() + 3),
                   QPointF(sheet.left() + sheet.width() * 0.62, sheet.bottom() - 3));
        break;
    }
    case 4: { // a tower crane
        const double x = s * 0.36;
        p.drawLine(QPointF(x, s - m), QPointF(x, m));
        p.drawLine(QPointF(m * 0.8, m + 2), QPointF(s - m * 0.8, m + 2));
        p.setPen(linePen(ink, 1.0));
        p.drawLine(QPointF(x, m - 3), QPointF(s - m, m + 2));
        p.drawLine(QPointF(s * 0.66, m + 2), QPointF(s * 0.66, s * 0.55));
        p.drawRect(QRectF(s * 0.6, s * 0.55, s * 0.12, s * 0.08));
        p.drawLine(QPointF(m * 0.7, s - m), QPointF(s - m * 0.7, s - m));
        break;
    }
    case 5: { // four tools
        const double c = s * 0.16;
        for (int k = 0; k < 4; ++k) {
            const QPointF at(s * (0.34 + 0.32 * (k % 2)), s * (0.34 + 0.32 * (k / 2)));
            p.drawRoundedRect(QRectF(at.x() - c * 0.8, at.y() - c * 0.8, c * 1.6, c * 1.6), 2, 2);
        }
        break;
    }
    default: { // a folder with a gear: the working paths
        QPainterPath folder;
        folder.moveTo(m * 0.8, s * 0.3);
        folder.lineTo(s * 0.42, s * 0.3);
        folder.lineTo(s * 0.48, s * 0.38);
        folder.lineTo(s - m * 0.8, s * 0.38);
        folder.lineTo(s - m * 0.8, s - m);
        folder.lineTo(m * 0.8, s - m);
        folder.closeSubpath();
        p.drawPath(folder);
        p.setPen(linePen(ink, 1.0));
        p.drawEllipse(QPointF(s * 0.5, s * 0.58), s * 0.1, s * 0.1);
        break;
    }
    }
}

QPixmap slotIcon(int index)
{
    const int s = iconSize();
    QPixmap pm = canvas(s, s);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor tones[] = {QColor(0x2f, 0x6d, 0xb5), QColor(0x2f, 0x84, 0x6c),
                                   QColor(0xa8, 0x74, 0x30), QColor(0x6c, 0x58, 0xa8),
                                   QColor(0xb0, 0x4c, 0x3c), QColor(0x3c, 0x78, 0x8c),
                                   QColor(0x60, 0x68, 0x74)};
    tile(p, s, tones[qBound(0, index, 6)]);
    pictogram(p, s, qBound(0, index, 6));
    return pm;
}

QPixmap titleIcon()
{
    const int s = iconSize();
    QPixmap pm = canvas(s, s);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, s, QColor(0x1c, 0x44, 0x80));
    // A small skyline under a drafting arc.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    const double base = s * 0.78;
    const double widths[] = {0.14, 0.12, 0.18, 0.12};
    const double heights[] = {0.3, 0.46, 0.38, 0.24};
    double x = s * 0.2;
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(x, base - s * heights[i], s * widths[i] - 1, s * heights[i]));
        x += s * widths[i];
    }
    p.setPen(linePen(QColor(255, 255, 255, 160), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.16, s * 0.16, s * 0.68, s * 0.68), 30 * 16, 120 * 16);
    p.drawLine(QPointF(s * 0.16, base + 0.5), QPointF(s * 0.84, base + 0.5));
    return pm;
}

QPixmap cornerPicture()
{
    const QSize size = twips::size(1980, 690);
    const double w = size.width();
    const double h = size.height();
    QPixmap pm = canvas(size.width(), size.height());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x0c, 0x1c, 0x3c));
    sky.setColorAt(0.7, QColor(0x24, 0x40, 0x74));
    sky.setColorAt(1, QColor(0x5c, 0x6c, 0x94));
    p.setPen(QPen(QColor(0x9c, 0xb8, 0xdc), 1));
    p.setBrush(sky);
    p.drawRoundedRect(r, 6, 6);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r.adjusted(1, 1, -1, -1), 5, 5);
    p.setClipPath(clip);
    // Grid paper and a skyline, the pictures' own motifs.
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    for (double gx = 6.5; gx < w; gx += 8)
        p.drawLine(QPointF(gx, 0), QPointF(gx, h));
    for (double gy = 6.5; gy < h; gy += 8)
        p.drawLine(QPointF(0, gy), QPointF(w, gy));
    const double base = h - 7;
    const double blocks[][2] = {{10, 14}, {9, 22}, {14, 17}, {8, 30},  {12, 20}, {10, 26},
                                {15, 15}, {9, 33}, {12, 19}, {10, 24}, {14, 16}, {10, 21}};
    double x = 4;
    int lit = 0;
    for (const auto& block : blocks) {
        if (x >= w - 4)
            break;
        const QRectF b(x, base - block[1], std::min(block[0], w - 4 - x), block[1]);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x0a, 0x10, 0x20));
        p.drawRect(b);
        p.setBrush(QColor(0xff, 0xd8, 0x90, 210));
        for (double wy = b.top() + 3; wy < b.bottom() - 3; wy += 4)
            for (double wx = b.left() + 2; wx < b.right() - 2; wx += 3)
                if (++lit % 3 == 0)
                    p.drawRect(QRectF(wx, wy, 1.2, 1.6));
        x += block[0] + 1;
    }
    p.fillRect(QRectF(0, base, w, h - base), QColor(0x08, 0x0c, 0x18));
    p.setPen(QPen(QColor(0x9c, 0xb8, 0xdc, 160), 1));
    p.drawLine(QPointF(0, base + 0.5), QPointF(w, base + 0.5));
    p.restore();
    return pm;
}

QPixmap overlay()
{
    const QSize size = twips::size(1335, 1650);
    const double w = size.width();
    const double h = size.height();
    QPixmap pm = canvas(size.width(), size.height());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A drawing sheet pinned over the background: a tower elevation with its
    // dimension line and a north arrow.
    const QRectF sheet(4, 4, w - 8, h - 8);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(QColor(0x0c, 0x2a, 0x54, 150));
    p.drawRoundedRect(sheet, 4, 4);
    const QColor ink(0xe4, 0xee, 0xfa, 230);
    const QRectF tower(w * 0.3, h * 0.2, w * 0.36, h * 0.66);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(tower);
    p.setPen(QPen(ink, 0.8));
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(tower.left() + tower.width() * (0.12 + col * 0.3),
                              tower.top() + tower.height() * (0.06 + row * 0.12),
                              tower.width() * 0.16, tower.height() * 0.06));
    p.drawRect(QRectF(tower.center().x() - tower.width() * 0.12,
                      tower.bottom() - tower.height() * 0.1, tower.width() * 0.24,
                      tower.height() * 0.1));
    p.drawLine(QPointF(w * 0.16, tower.bottom()), QPointF(w * 0.84, tower.bottom()));
    const double dx = tower.right() + w * 0.1;
    p.drawLine(QPointF(dx, tower.top()), QPointF(dx, tower.bottom()));
    p.drawLine(QPointF(dx - 3, tower.top() + 3), QPointF(dx + 3, tower.top() - 3));
    p.drawLine(QPointF(dx - 3, tower.bottom() + 3), QPointF(dx + 3, tower.bottom() - 3));
    const QPointF north(w * 0.2, h * 0.13);
    QPainterPath arrow;
    arrow.moveTo(north + QPointF(0, -7));
    arrow.lineTo(north + QPointF(3, 4));
    arrow.lineTo(north);
    arrow.closeSubpath();
    p.setBrush(ink);
    p.drawPath(arrow);
    return pm;
}

QImage paintThumbnail(int number)
{
    const QSize size = twips::size(1095, 735);
    const QImage full = art::background(number);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (full.isNull())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The picture as the window shows it, kept in proportion.
    const QSize fitted = full.size().scaled(size, Qt::KeepAspectRatio);
    const QRect target(
        QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), fitted);
    p.drawImage(target, full.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(QRect(0, 0, size.width() - 1, size.height() - 1));
    return image;
}

QPixmap thumbnail(int number)
{
    // Painting a background takes a moment; each thumbnail is painted once.
    static QHash<int, QImage> painted;
    auto it = painted.find(number);
    if (it == painted.end())
        it = painted.insert(number, paintThumbnail(number));
    return QPixmap::fromImage(*it);
}

} // namespace

QPixmap builtinImage(BuiltinImage image, int index)
{
    switch (image) {
    case BuiltinImage::TitleIcon:
        return titleIcon();
    case BuiltinImage::CornerPicture:
        return cornerPicture();
    case BuiltinImage::Overlay:
        return overlay();
    case BuiltinImage::SlotIcon:
        return slotIcon(index);
    case BuiltinImage::Thumbnail:
        return thumbnail(index);
    }
    return {};
}

} // namespace lc
