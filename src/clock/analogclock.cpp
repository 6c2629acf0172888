#include "analogclock.h"

#include "common/twips.h"
#include "mascot.h"
#include "platform/platform.h"
#include "widgets/fonts.h"
#include "widgets/panel3d.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace lc {

namespace {

constexpr int MaxDialTextChars = 7;

template <typename T> bool assign(T& member, const T& value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

double lineWidth(qint16 width)
{
    return std::clamp<int>(width, 1, 10);
}

// The ellipse the dial fills, inside the frame, and points on it by clock angle
// (degrees clockwise from twelve) and fraction of the radius.
struct Dial
{
    QPointF centre;
    double rx = 0;
    double ry = 0;

    double radius() const { return std::min(rx, ry); }
    QPointF at(double degrees, double fraction) const
    {
        const double a = qDegreesToRadians(degrees);
        return centre + QPointF(std::sin(a) * rx * fraction, -std::cos(a) * ry * fraction);
    }
};

double frameWidthFor(const QSizeF& size, qint16 width)
{
    return std::min(lineWidth(width), std::min(size.width(), size.height()) / 4.0);
}

Dial dialFor(const QSizeF& size, double frameWidth)
{
    Dial d;
    d.centre = QPointF(size.width() / 2.0, size.height() / 2.0);
    d.rx = std::max(0.0, size.width() / 2.0 - frameWidth);
    d.ry = std::max(0.0, size.height() / 2.0 - frameWidth);
    return d;
}

// Ticks and dial text stand out from whatever colour the dial has.
QColor markingColor(const QColor& dial)
{
    return qGray(dial.rgb()) < 140 ? QColor(236, 236, 236) : QColor(34, 34, 34);
}

} // namespace

AnalogClock::AnalogClock(Platform* platform, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_now([] { return QTime::currentTime(); })
{
    setObjectName(QStringLiteral("OmClock1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    applyGeometry();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &AnalogClock::tick);
    m_signal.observe(m_now(), m_jihouMinute, m_jihouOn);
    scheduleTick();
}

AnalogClock::~AnalogClock() = default;

void AnalogClock::setDialText(const QString& text)
{
    if (assign(m_dialText, text))
        invalidateFace();
}

void AnalogClock::setMinuteHandColor(quint32 bgr)
{
    if (assign(m_minuteHandColor, bgr))
        update();
}

void AnalogClock::setHourHandColor(quint32 bgr)
{
    if (assign(m_hourHandColor, bgr))
        update();
}

void AnalogClock::setSecondHandColor(quint32 bgr)
{
    if (assign(m_secondHandColor, bgr))
        update();
}

void AnalogClock::setDialColor(quint32 bgr)
{
    if (assign(m_dialColor, bgr))
        invalidateFace();
}

void AnalogClock::setFrameColor(quint32 bgr)
{
    if (assign(m_frameColor, bgr))
        invalidateFace();
}

void AnalogClock::setMascotColor(quint32 bgr)
{
    if (assign(m_mascotColor, bgr))
        invalidateFace();
}

void AnalogClock::setMascotSize(qint16 size)
{
    if (assign(m_mascotSize, size))
        invalidateFace();
}

void AnalogClock::setMinuteHandWidth(qint16 width)
{
    if (assign(m_minuteHandWidth, width))
        update();
}

void AnalogClock::setHourHandWidth(qint16 width)
{
    if (assign(m_hourHandWidth, width))
        update();
}

void AnalogClock::setSecondHandWidth(qint16 width)
{
    if (assign(m_secondHandWidth, width))
        update();
}

void AnalogClock::setFrameWidth(qint16 width)
{
    if (assign(m_frameWidth, width))
        invalidateFace();
}

void AnalogClock::setJihouOn(bool on)
{
    m_jihouOn = on;
}

void AnalogClock::setJihouFile(const QString& path)
{
    m_jihouFile = path;
}

void AnalogClock::setJihouMinute(qint16 minute)
{
    m_jihouMinute = minute;
}

void AnalogClock::setLeft(double twips)
{
    m_left = twips;
    applyGeometry();
}

void AnalogClock::setTop(double twips)
{
    m_top = twips;
    applyGeometry();
}

void AnalogClock::setWidth(double twips)
{
    m_width = twips;
    applyGeometry();
}

void AnalogClock::setHeight(double twips)
{
    m_height = twips;
    applyGeometry();
}

void AnalogClock::Move(double left, double top)
{
    m_left = left;
    m_top = top;
    applyGeometry();
}

void AnalogClock::applyGeometry()
{
    const QRect r = twips::rect(m_left, m_top, std::max(0.0, m_width), std::max(0.0, m_height));
    if (r.size() != size())
        invalidateFace();
    setGeometry(r);
}

void AnalogClock::PlayJihou()
{
    if (m_platform)
        m_platform->playSound(m_jihouFile);
}

void AnalogClock::setTimeSource(std::function<QTime()> now)
{
    m_now = std::move(now);
    m_signal.reset();
    m_signal.observe(m_now(), m_jihouMinute, m_jihouOn);
    update();
}

void AnalogClock::checkTimeSignal()
{
    if (m_signal.observe(m_now(), m_jihouMinute, m_jihouOn))
        PlayJihou();
}

void AnalogClock::scheduleTick()
{
    // Wake just after the next full second of the system clock.
    m_timer.start(1000 - QTime::currentTime().msec() + 2);
}

void AnalogClock::tick()
{
    checkTimeSignal();
    if (isVisible()) {
        const QTime t = m_now();
        if (!m_paintedTime.isValid() || t.hour() != m_paintedTime.hour() ||
            t.minute() != m_paintedTime.minute() || t.second() != m_paintedTime.second())
            update();
    }
    scheduleTick();
}

void AnalogClock::invalidateFace()
{
    m_faceValid = false;
    update();
}

void AnalogClock::paintFace(qreal devicePixelRatio)
{
    const QSize px = (QSizeF(size()) * devicePixelRatio).toSize();
    m_face = QPixmap(px);
    m_face.setDevicePixelRatio(devicePixelRatio);
    m_face.fill(Qt::transparent);
    m_faceValid = true;
    if (px.isEmpty())
        return;

    QPainter p(&m_face);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF s = size();
    const double fw = frameWidthFor(s, m_frameWidth);
    const Dial dial = dialFor(s, fw);
    const QColor dialColor = colorFromBgr(m_dialColor);
    const QColor marking = markingColor(dialColor);
    const double r = dial.radius();

    // Dial and frame: the frame's stroke lies wholly inside the widget.
    p.setPen(QPen(colorFromBgr(m_frameColor), fw));
    p.setBrush(dialColor);
    p.drawEllipse(QRectF(QPointF(0, 0), s).adjusted(fw / 2, fw / 2, -fw / 2, -fw / 2));

    // Hour ticks, the quarters longer and bolder; minute ticks once there is room.
    const double tickWidth = std::max(1.0, r / 26.0);
    for (int i = 0; i < 60; ++i) {
        const double angle = i * 6.0;
        if (i % 5 == 0) {
            const bool quarter = i % 15 == 0;
            p.setPen(
                QPen(marking, quarter ? tickWidth * 1.7 : tickWidth, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(dial.at(angle, quarter ? 0.72 : 0.79), dial.at(angle, 0.93));
        } else if (r >= 45.0) {
            p.setPen(QPen(marking, std::max(0.6, r / 70.0), Qt::SolidLine, Qt::FlatCap));
            p.drawLine(dial.at(angle, 0.87), dial.at(angle, 0.93));
        }
    }

    // The mascot stands in the upper half, its feet just above the centre; it
    // grows quickly at first so that the small sizes stay recognisable, and at
    // size 20 its hat reaches the twelve.
    const int mascotSize = std::clamp<int>(m_mascotSize, 0, 20);
    if (mascotSize > 0) {
        const double height = r * 0.62 * std::sqrt(mascotSize / 20.0);
        drawMascot(p, dial.centre - QPointF(0, 0.10 * r), height, colorFromBgr(m_mascotColor),
                   dialColor);
    }

    // The dial text in the lower half, shrunk to fit its width.
    // A stored text comes padded with blanks; only those are dropped, so that a
    // text the user indents keeps its place.
    QString text = m_dialText.left(MaxDialTextChars);
    while (text.endsWith(u' '))
        text.chop(1);
    if (!text.trimmed().isEmpty() && r >= 6.0) {
        QFont font = designFont(Fonts::PGothic, 9);
        font.setPixelSize(std::max(5, int(std::lround(r * 0.24))));
        const double room = dial.rx * 1.25;
        const double wide = QFontMetricsF(font).horizontalAdvance(text);
        if (wide > room)
            font.setPixelSize(std::max(5, int(font.pixelSize() * room / wide)));
        p.setFont(font);
        p.setPen(marking);
        const QRectF box(dial.centre.x() - dial.rx, dial.centre.y() + 0.28 * dial.ry, 2 * dial.rx,
                         0.32 * dial.ry);
        p.drawText(box, Qt::AlignCenter, text);
    }
}

void AnalogClock::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    const qreal dpr = devicePixelRatioF();
    if (!m_faceValid || m_face.devicePixelRatio() != dpr)
        paintFace(dpr);

    QPainter p(this);
    p.drawPixmap(0, 0, m_face);
    p.setRenderHint(QPainter::Antialiasing);

    const QTime t = m_now();
    m_paintedTime = t;
    const Dial dial = dialFor(size(), frameWidthFor(size(), m_frameWidth));
    auto hand = [&](double degrees, double length, double tail, quint32 color, qint16 width) {
        p.setPen(QPen(colorFromBgr(color), lineWidth(width), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(dial.at(degrees + 180.0, tail), dial.at(degrees, length));
    };
    const double hours = t.hour() % 12 + t.minute() / 60.0 + t.second() / 3600.0;
    const double minutes = t.minute() + t.second() / 60.0;
    hand(hours * 30.0, 0.50, 0.0, m_hourHandColor, m_hourHandWidth);
    hand(minutes * 6.0, 0.76, 0.0, m_minuteHandColor, m_minuteHandWidth);
    hand(t.second() * 6.0, 0.86, 0.18, m_secondHandColor, m_secondHandWidth);

    // The hub over the hands' roots.
    p.setPen(Qt::NoPen);
    p.setBrush(colorFromBgr(m_hourHandColor));
    const double hub =
        std::max(lineWidth(m_hourHandWidth), lineWidth(m_minuteHandWidth)) / 2.0 + 1.0;
    p.drawEllipse(dial.centre, hub, hub);
    p.setBrush(colorFromBgr(m_secondHandColor));
    const double pin = lineWidth(m_secondHandWidth) / 2.0 + 0.8;
    p.drawEllipse(dial.centre, pin, pin);
}

void AnalogClock::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void AnalogClock::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
    }
}

void AnalogClock::mouseMoveEvent(QMouseEvent* event)
{
    int button = 0;
    if (event->buttons() & Qt::LeftButton)
        button |= 1;
    if (event->buttons() & Qt::RightButton)
        button |= 2;
    if (event->buttons() & Qt::MiddleButton)
        button |= 4;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (event->modifiers() & Qt::AltModifier)
        shift |= 4;
    Q_EMIT mouseMoved(button, shift, twips::fromPx(event->position().x()),
                      twips::fromPx(event->position().y()));
}

} // namespace lc
