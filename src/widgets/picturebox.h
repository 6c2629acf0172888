#pragma once

#include <QPixmap>
#include <QWidget>

namespace lc {

// A picture control: shows a picture stretched over its area or at its natural
// size (the control then takes the picture's size). Without a picture it is
// transparent, or filled with its back colour when one is set.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Loads a JPEG or BMP file; false (and no picture) when it cannot be read.
    bool loadPicture(const QString& path);
    // Reads a JPEG or BMP file without showing it; null when it cannot be read.
    static QPixmap readPicture(const QString& path);
    void setPicture(const QPixmap& picture);
    void clearPicture();
    const QPixmap& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }

    bool stretch() const { return m_stretch; }
    // Switching stretching off gives the control the picture's natural size.
    void setStretch(bool on);

    void setBackColor(const QColor& color);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void pressed(Qt::MouseButton button);
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fitNaturalSize();

    QPixmap m_picture;
    QColor m_back;
    bool m_stretch = true;
    bool m_pressed = false;
};

} // namespace lc
