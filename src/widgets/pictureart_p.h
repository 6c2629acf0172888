#pragma once

// Drawing helpers shared by the painters of the built-in pictures.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <initializer_list>
#include <utility>

namespace lc::art::detail {

// A small deterministic generator (xorshift), the same on every platform.
class Rng
{
public:
    explicit Rng(quint32 seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    quint32 next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // In [0, 1).
    double unit() { return double(next() % 1000000u) / 1000000.0; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int pick(int lo, int hi) { return lo + int(next() % quint32(hi - lo + 1)); }
    bool chance(double p) { return unit() < p; }

private:
    quint32 m_state;
};

using Stops = std::initializer_list<std::pair<double, QColor>>;

QImage canvas(QSize size, bool transparent = false);
void verticalGradient(QPainter& p, const QRectF& r, Stops stops);
void radialGlow(QPainter& p, QPointF centre, double radius, QColor colour);
// Darkens towards black at the borders, so a picture shown at its natural size
// melts into the black window.
void fadeEdges(QPainter& p, QSize size, double margin);
void vignette(QPainter& p, QSize size, double strength);
void gridPaper(QPainter& p, const QRectF& r, QColor minor, QColor major, double step,
               int majorEvery);
void stars(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour);
void clouds(QPainter& p, Rng& rng, const QRectF& r, QColor colour, int count);
void mountains(QPainter& p, Rng& rng, const QRectF& r, QColor colour, double roughness, int peaks);
// Buildings standing on baseY between x0 and x1; lit windows with probability lit.
void skyline(QPainter& p, Rng& rng, double x0, double x1, double baseY, double minH, double maxH,
             QColor body, QColor window, double lit);
void building(QPainter& p, Rng& rng, const QRectF& r, QColor body, QColor window, double lit,
              double cell = 6);
// A facade as a line drawing: floors, windows, a ground floor entrance and
// dimension lines.
void elevation(QPainter& p, const QRectF& r, QColor line, int floors, int bays, bool dimensions);
void dimensionLine(QPainter& p, QPointF a, QPointF b, double offset, QColor colour);
void gableHouse(QPainter& p, const QRectF& body, double roofHeight, QColor wall, QColor roof,
                QColor line);
void gableHouseOutline(QPainter& p, const QRectF& body, double roofHeight, QColor line,
                       bool section);
void pagoda(QPainter& p, QPointF base, double width, double height, int storeys, QColor body,
            QColor roof);
void roundTree(QPainter& p, QPointF base, double size, QColor leaves, QColor trunk);
void pineTree(QPainter& p, QPointF base, double size, QColor leaves);
void blossomTree(QPainter& p, Rng& rng, QPointF base, double size, QColor blossom, QColor trunk);
void blossoms(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour, double size);
void leaves(QPainter& p, Rng& rng, const QRectF& r, int count,
            std::initializer_list<QColor> colours, double size);
void snow(QPainter& p, Rng& rng, const QRectF& r, int count, double maxSize);
void rain(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour);
void water(QPainter& p, Rng& rng, const QRectF& r, QColor top, QColor bottom, QColor glint);
void towerCrane(QPainter& p, QPointF base, double height, double jib, QColor colour);
void suspensionBridge(QPainter& p, const QRectF& r, QColor colour);
void floorPlan(QPainter& p, const QRectF& r, QColor line);
void stairSection(QPainter& p, const QRectF& r, QColor line);
void maple(QPainter& p, QPointF centre, double size, double angle, QColor colour);
void flower(QPainter& p, QPointF centre, double size, int petals, QColor petal, QColor heart);
void sun(QPainter& p, QPointF centre, double radius, QColor colour);
void moon(QPainter& p, QPointF centre, double radius, QColor colour);

inline QColor rgba(int r, int g, int b, int a = 255)
{
    return QColor(r, g, b, a);
}

// Pictures 13 to 33, shown one and a half times this size right of the slot panels.
inline constexpr QSize CardSize(300, 250);
inline constexpr QSize NarrowCardSize(260, 250);
inline const QColor BlueprintLine(0xdc, 0xea, 0xf8, 225);

// Blueprint paper with its grid over the whole image.
void blueprintPaper(QPainter& p, QSize size, double step = 12);

// The scenes of pictures 13 to 33 (pictureart_scenes.cpp).
QImage springPagoda();
QImage pagodaDusk();
QImage summerOffice();
QImage autumnMinka();
QImage winterApartments();
QImage bridgeDusk();
QImage domeHall();
QImage factoryMorning();
QImage lighthouseCoast();
QImage schoolClockTower();
QImage civicEvening();
QImage mountainTown();
QImage riversideStorehouses();
QImage skyscraperFrame();
QImage blueprintStair();
QImage blueprintPlan();
QImage riceFields();
QImage rainyShrine();
QImage harbourCranes();
QImage viaductTrain();
QImage observatoryNight();

} // namespace lc::art::detail
