#pragma once

#include <QColor>
#include <QWidget>

namespace lc {

// A three-dimensional panel: a caption on a bevelled surface. It is the surface of
// the slot panels, bars, title panels and frames of the launcher's windows.
class Panel3D : public QWidget
{
    Q_OBJECT
public:
    enum Bevel { None = 0, Inset = 1, Raised = 2 };

    explicit Panel3D(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    QColor foreColor() const { return m_fore; }
    void setForeColor(const QColor& color);
    QColor backColor() const { return m_back; }
    void setBackColor(const QColor& color);

    Bevel bevelOuter() const { return m_outer; }
    void setBevelOuter(Bevel bevel);
    Bevel bevelInner() const { return m_inner; }
    void setBevelInner(Bevel bevel);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int px);

    Qt::Alignment alignment() const { return m_align; }
    void setAlignment(Qt::Alignment align);

    // The emphasis of a highlighted slot or a finished title: a brighter face and a
    // deeper bevel.
    bool emphasized() const { return m_emphasized; }
    void setEmphasized(bool on);

    // Paints the face in a gradient from the back colour (title panels).
    void setGradient(bool on);

    // Room kept free at the left of the caption, e.g. for an icon on the panel.
    void setTextIndent(int px);

    // A double click is one click: its second press neither presses the panel
    // nor clicks it again.
    void setDoubleClickIsOneClick(bool on) { m_doubleClickIsOneClick = on; }

Q_SIGNALS:
    void clicked();
    void pressed(Qt::MouseButton button);
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    QColor m_fore = Qt::black;
    QColor m_back = QColor(0xC0, 0xC0, 0xC0);
    Bevel m_outer = Raised;
    Bevel m_inner = None;
    int m_bevelWidth = 1;
    Qt::Alignment m_align = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_emphasized = false;
    bool m_gradient = false;
    bool m_pressed = false;
    bool m_doubleClickIsOneClick = false;
    int m_textIndent = 0;
};

// Colours of the design are 0x00BBGGRR values.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor& color);

} // namespace lc

namespace lc {
// The background colour of a window or control, as a 0x00BBGGRR value.
void setBackgroundColor(QWidget* widget, quint32 bgr);
quint32 backgroundColor(const QWidget* widget);
} // namespace lc
