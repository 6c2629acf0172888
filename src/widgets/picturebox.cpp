#include "picturebox.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace lc {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

bool PictureBox::loadPicture(const QString& path)
{
    const QPixmap picture = readPicture(path);
    if (picture.isNull()) {
        clearPicture();
        return false;
    }
    setPicture(picture);
    return true;
}

QPixmap PictureBox::readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    if (!m_stretch)
        fitNaturalSize();
    update();
}

void PictureBox::clearPicture()
{
    m_picture = QPixmap();
    update();
}

void PictureBox::setStretch(bool on)
{
    m_stretch = on;
    if (!on)
        fitNaturalSize();
    update();
}

void PictureBox::setBackColor(const QColor& color)
{
    m_back = color;
    update();
}

void PictureBox::fitNaturalSize()
{
    if (!m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_back.isValid())
        p.fillRect(rect(), m_back);
    if (m_picture.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch)
        p.drawPixmap(rect(), m_picture);
    else
        p.drawPixmap(QPoint(0, 0), m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT pressed(event->button());
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
    }
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

void PictureBox::mouseMoveEvent(QMouseEvent*)
{
    Q_EMIT mouseMoved();
}

} // namespace lc
