#include "panel3d.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace lc {

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColor(const QColor& color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

Panel3D::Panel3D(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel3D::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void Panel3D::setForeColor(const QColor& color)
{
    m_fore = color;
    update();
}

void Panel3D::setBackColor(const QColor& color)
{
    m_back = color;
    update();
}

void Panel3D::setBevelOuter(Bevel bevel)
{
    m_outer = bevel;
    update();
}

void Panel3D::setBevelInner(Bevel bevel)
{
    m_inner = bevel;
    update();
}

void Panel3D::setBevelWidth(int px)
{
    m_bevelWidth = std::max(0, px);
    update();
}

void Panel3D::setAlignment(Qt::Alignment align)
{
    m_align = align;
    update();
}

void Panel3D::setEmphasized(bool on)
{
    if (on == m_emphasized)
        return;
    m_emphasized = on;
    update();
}

void Panel3D::setTextIndent(int px)
{
    m_textIndent = std::max(0, px);
    update();
}

void Panel3D::setGradient(bool on)
{
    m_gradient = on;
    update();
}

namespace {

void drawBevel(QPainter& p, QRect r, Panel3D::Bevel bevel, int width)
{
    if (bevel == Panel3D::None || width <= 0)
        return;
    const QColor light(255, 255, 255);
    const QColor dark(128, 128, 128);
    const QColor& topLeft = bevel == Panel3D::Raised ? light : dark;
    const QColor& bottomRight = bevel == Panel3D::Raised ? dark : light;
    for (int i = 0; i < width; ++i) {
        p.setPen(topLeft);
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        p.setPen(bottomRight);
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace

void Panel3D::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    QColor face = m_back;
    if (m_emphasized)
        face = m_back.lighter(112);
    if (m_gradient) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, face.lighter(125));
        g.setColorAt(1, face.darker(115));
        p.fillRect(r, g);
    } else {
        p.fillRect(r, face);
    }
    const int outer = m_emphasized ? m_bevelWidth + 1 : m_bevelWidth;
    const Bevel outerBevel = (m_pressed && m_outer == Raised) ? Inset : m_outer;
    drawBevel(p, r, outerBevel, outer);
    r.adjust(outer, outer, -outer, -outer);
    if (m_inner != None) {
        r.adjust(1, 1, -1, -1);
        drawBevel(p, r, m_inner, m_bevelWidth);
        r.adjust(m_bevelWidth, m_bevelWidth, -m_bevelWidth, -m_bevelWidth);
    }
    if (!m_caption.isEmpty()) {
        p.setPen(m_fore);
        p.setFont(font());
        p.drawText(r.adjusted(2 + m_textIndent, 0, -2, 0), int(m_align) | Qt::TextSingleLine, m_caption);
    }
}

void Panel3D::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT pressed(event->button());
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        update();
    }
}

void Panel3D::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    update();
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void Panel3D::mouseMoveEvent(QMouseEvent*)
{
    Q_EMIT mouseMoved();
}

void Panel3D::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_doubleClickIsOneClick) {
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace lc

namespace lc {

void setBackgroundColor(QWidget* widget, quint32 bgr)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colorFromBgr(bgr));
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
    widget->update();
}

quint32 backgroundColor(const QWidget* widget)
{
    return bgrFromColor(widget->palette().color(QPalette::Window));
}

} // namespace lc
