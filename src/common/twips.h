#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// Positions and sizes of the design are in twips (1/1440 inch). At 96 logical DPI
// one logical pixel is 15 twips; Qt scales logical pixels for the screen.
namespace lc::twips {

constexpr double PerPixel = 15.0;

inline int toPx(double twips)
{
    return int(std::lround(twips / PerPixel));
}
inline double fromPx(double px)
{
    return px * PerPixel;
}
inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}
inline QPoint point(double left, double top)
{
    return QPoint(toPx(left), toPx(top));
}
inline QSize size(double width, double height)
{
    return QSize(toPx(width), toPx(height));
}

} // namespace lc::twips
