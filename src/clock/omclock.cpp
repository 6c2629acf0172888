#include "omclock.h"

#include "common/twips.h"
#include "platform/platform.h"
#include "widgets/panel3d.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace lc {

OmClock::OmClock(Platform* platform, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_now([] { return QTime::currentTime(); })
{
    setObjectName(QStringLiteral("OmClock1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    applyGeometry();
    connect(&m_timer, &QTimer::timeout, this, &OmClock::tick);
    m_timer.start(1000);
}

OmClock::~OmClock() = default;

#define LC_CLOCK_SETTER(Name, member, Type)                                                        \
    void OmClock::set##Name(Type value)                                                            \
    {                                                                                              \
        member = value;                                                                            \
        update();                                                                                  \
    }

LC_CLOCK_SETTER(DialText, m_dialText, const QString&)
LC_CLOCK_SETTER(MinuteHandColor, m_minuteHandColor, quint32)
LC_CLOCK_SETTER(HourHandColor, m_hourHandColor, quint32)
LC_CLOCK_SETTER(SecondHandColor, m_secondHandColor, quint32)
LC_CLOCK_SETTER(DialColor, m_dialColor, quint32)
LC_CLOCK_SETTER(FrameColor, m_frameColor, quint32)
LC_CLOCK_SETTER(MascotColor, m_mascotColor, quint32)
LC_CLOCK_SETTER(MascotSize, m_mascotSize, qint16)
LC_CLOCK_SETTER(MinuteHandWidth, m_minuteHandWidth, qint16)
LC_CLOCK_SETTER(HourHandWidth, m_hourHandWidth, qint16)
LC_CLOCK_SETTER(SecondHandWidth, m_secondHandWidth, qint16)
LC_CLOCK_SETTER(FrameWidth, m_frameWidth, qint16)
LC_CLOCK_SETTER(JihouOn, m_jihouOn, bool)
LC_CLOCK_SETTER(JihouFile, m_jihouFile, const QString&)
LC_CLOCK_SETTER(JihouMinute, m_jihouMinute, qint16)
#undef LC_CLOCK_SETTER

void OmClock::setLeft(double twips)
{
    m_left = twips;
    applyGeometry();
}

void OmClock::setTop(double twips)
{
    m_top = twips;
    applyGeometry();
}

void OmClock::setWidth(double twips)
{
    m_width = twips;
    applyGeometry();
}

void OmClock::setHeight(double twips)
{
    m_height = twips;
    applyGeometry();
}

void OmClock::Move(double left, double top)
{
    m_left = left;
    m_top = top;
    applyGeometry();
}

void OmClock::applyGeometry()
{
    setGeometry(twips::rect(m_left, m_top, std::max(0.0, m_width), std::max(0.0, m_height)));
    update();
}

void OmClock::PlayJihou()
{
    if (m_platform)
        m_platform->playSound(m_jihouFile);
}

void OmClock::setTimeSource(std::function<QTime()> now)
{
    m_now = std::move(now);
    update();
}

void OmClock::tick()
{
    checkTimeSignal();
    update();
}

void OmClock::checkTimeSignal()
{
    const QTime t = m_now();
    if (!m_jihouOn || t.minute() != m_jihouMinute) {
        if (t.minute() != m_jihouMinute)
            m_lastSignalHour = -1;
        return;
    }
    if (m_lastSignalHour == t.hour())
        return;
    m_lastSignalHour = t.hour();
    PlayJihou();
}

void OmClock::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double side = std::min(r.width(), r.height());
    const QPointF c = r.center();
    const double radius = side / 2.0;
    p.setPen(QPen(colorFromBgr(m_frameColor), m_frameWidth));
    p.setBrush(colorFromBgr(m_dialColor));
    p.drawEllipse(c, radius - m_frameWidth / 2.0, radius - m_frameWidth / 2.0);
    const QTime t = m_now();
    auto hand = [&](double angleDeg, double length, quint32 color, int width) {
        const double a = qDegreesToRadians(angleDeg - 90.0);
        p.setPen(QPen(colorFromBgr(color), width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(std::cos(a), std::sin(a)) * length);
    };
    hand((t.hour() % 12 + t.minute() / 60.0) * 30.0, radius * 0.5, m_hourHandColor, m_hourHandWidth);
    hand((t.minute() + t.second() / 60.0) * 6.0, radius * 0.78, m_minuteHandColor, m_minuteHandWidth);
    hand(t.second() * 6.0, radius * 0.85, m_secondHandColor, m_secondHandWidth);
}

void OmClock::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void OmClock::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
    }
}

void OmClock::mouseMoveEvent(QMouseEvent* event)
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
    Q_EMIT mouseMoved(button, shift, twips::fromPx(event->position().x()), twips::fromPx(event->position().y()));
}

} // namespace lc
