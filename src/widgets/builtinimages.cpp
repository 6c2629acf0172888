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

QPixmap slotIcon(int index)
{
    const int s = twips::toPx(495) - twips::toPx(60);
    QPixmap pm = canvas(s, s);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor tones[] = {QColor(0x2f, 0x6d, 0xb5), QColor(0x3a, 0x8f, 0x5c), QColor(0xb5, 0x7a, 0x2f),
                                   QColor(0x8a, 0x4f, 0xa8), QColor(0xb5, 0x3f, 0x3f), QColor(0x4f, 0x7f, 0x8f),
                                   QColor(0x6f, 0x6f, 0x6f)};
    const QColor tone = tones[qBound(0, index, 6)];
    QLinearGradient g(0, 0, 0, s);
    g.setColorAt(0, tone.lighter(140));
    g.setColorAt(1, tone.darker(120));
    p.setBrush(g);
    p.setPen(QPen(tone.darker(160), 1));
    p.drawRoundedRect(QRectF(1, 1, s - 2, s - 2), 4, 4);
    // A small building outline on each icon.
    p.setPen(QPen(Qt::white, 1.6));
    p.setBrush(Qt::NoBrush);
    const double m = s * 0.22;
    QPainterPath house;
    house.moveTo(m, s - m);
    house.lineTo(m, s * 0.45);
    house.lineTo(s / 2.0, m);
    house.lineTo(s - m, s * 0.45);
    house.lineTo(s - m, s - m);
    house.closeSubpath();
    p.drawPath(house);
    p.drawLine(QPointF(s / 2.0, s - m), QPointF(s / 2.0, s * 0.6));
    return pm;
}

QPixmap titleIcon()
{
    const int s = twips::toPx(495) - twips::toPx(60);
    QPixmap pm = canvas(s, s);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1c, 0x3f, 0x74));
    p.setPen(QPen(QColor(0xd8, 0xe4, 0xf4), 1.2));
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    p.setPen(QPen(Qt::white, 1.4));
    for (int i = 0; i < 3; ++i) {
        const double x = s * (0.28 + 0.16 * i);
        const double top = s * (0.58 - 0.13 * i);
        p.drawRect(QRectF(x, top, s * 0.12, s * 0.72 - top));
    }
    return pm;
}

QPixmap cornerPicture()
{
    const QSize size = twips::size(1980, 690);
    QPixmap pm = canvas(size.width(), size.height());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), 0);
    g.setColorAt(0, QColor(0x10, 0x24, 0x48));
    g.setColorAt(1, QColor(0x2c, 0x55, 0x8c));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x9c, 0xb8, 0xdc), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 6, 6);
    // Skyline.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xe4, 0xf4, 200));
    const int h = size.height();
    const int widths[] = {10, 14, 8, 16, 12, 9, 15, 11};
    const int heights[] = {18, 30, 22, 36, 26, 16, 32, 20};
    int x = 8;
    for (int i = 0; i < 8 && x < size.width() - 8; ++i) {
        p.drawRect(QRect(x, h - 6 - heights[i], widths[i], heights[i]));
        x += widths[i] + 3;
    }
    return pm;
}

QPixmap overlay()
{
    const QSize size = twips::size(1335, 1650);
    QPixmap pm = canvas(size.width(), size.height());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.setBrush(QColor(0x1c, 0x3f, 0x74, 120));
    const double w = size.width();
    const double h = size.height();
    p.drawRect(QRectF(w * 0.2, h * 0.2, w * 0.6, h * 0.75));
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(w * (0.27 + col * 0.17), h * (0.27 + row * 0.13), w * 0.1, h * 0.07));
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
    const QRect target(QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), fitted);
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
