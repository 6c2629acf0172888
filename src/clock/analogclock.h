#pragma once

#include "timesignal.h"

#include <QPixmap>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lc {

class Platform;

// The analog clock of the main window, with an hourly time signal. Every property
// reads back the last value written; values outside their range are kept as
// written and only drawn clamped (widths 1..10, mascot size 0..20, at most 7
// characters of dial text). Colours are 0x00BBGGRR values; position and size are
// in twips within the parent window. The clock wakes once a second, on the second,
// and repaints only when the shown second changes.
class AnalogClock : public QWidget
{
    Q_OBJECT
public:
    explicit AnalogClock(Platform* platform, QWidget* parent = nullptr);
    ~AnalogClock() override;

    QString DialText() const { return m_dialText; }
    void setDialText(const QString& text);

    quint32 MinuteHandColor() const { return m_minuteHandColor; }
    void setMinuteHandColor(quint32 bgr);
    quint32 HourHandColor() const { return m_hourHandColor; }
    void setHourHandColor(quint32 bgr);
    quint32 SecondHandColor() const { return m_secondHandColor; }
    void setSecondHandColor(quint32 bgr);
    quint32 DialColor() const { return m_dialColor; }
    void setDialColor(quint32 bgr);
    quint32 FrameColor() const { return m_frameColor; }
    void setFrameColor(quint32 bgr);
    quint32 MascotColor() const { return m_mascotColor; }
    void setMascotColor(quint32 bgr);

    qint16 MascotSize() const { return m_mascotSize; }
    void setMascotSize(qint16 size);
    qint16 MinuteHandWidth() const { return m_minuteHandWidth; }
    void setMinuteHandWidth(qint16 width);
    qint16 HourHandWidth() const { return m_hourHandWidth; }
    void setHourHandWidth(qint16 width);
    qint16 SecondHandWidth() const { return m_secondHandWidth; }
    void setSecondHandWidth(qint16 width);
    qint16 FrameWidth() const { return m_frameWidth; }
    void setFrameWidth(qint16 width);

    bool JihouOn() const { return m_jihouOn; }
    void setJihouOn(bool on);
    QString JihouFile() const { return m_jihouFile; }
    void setJihouFile(const QString& path);
    qint16 JihouMinute() const { return m_jihouMinute; }
    void setJihouMinute(qint16 minute);

    // Position and size in twips within the parent.
    double Left() const { return m_left; }
    void setLeft(double twips);
    double Top() const { return m_top; }
    void setTop(double twips);
    double Width() const { return m_width; }
    void setWidth(double twips);
    double Height() const { return m_height; }
    void setHeight(double twips);
    // Changes only the position.
    void Move(double left, double top);

    // Plays JihouFile at once.
    void PlayJihou();

    // The time the clock shows and the signal follows (the system clock unless set).
    void setTimeSource(std::function<QTime()> now);
    // Checks the time signal once, as the clock's own timer does every second.
    void checkTimeSignal();

Q_SIGNALS:
    // A click on the clock.
    void clicked();
    // The pointer moves over the clock: button, shift, x, y (in twips).
    void mouseMoved(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void applyGeometry();
    void tick();
    void scheduleTick();
    void invalidateFace();
    void paintFace(qreal devicePixelRatio);

    Platform* m_platform;
    std::function<QTime()> m_now;
    QTimer m_timer;
    TimeSignal m_signal;
    bool m_pressed = false;
    // The dial, frame, ticks, text and mascot, drawn once per change; the hands are
    // drawn over it at every paint.
    QPixmap m_face;
    bool m_faceValid = false;
    QTime m_paintedTime;

    QString m_dialText;
    quint32 m_minuteHandColor = 0xFFFFFF;
    quint32 m_hourHandColor = 0xFFFFFF;
    quint32 m_secondHandColor = 255;
    quint32 m_dialColor = 0;
    quint32 m_frameColor = 0;
    quint32 m_mascotColor = 12632256;
    qint16 m_mascotSize = 7;
    qint16 m_minuteHandWidth = 2;
    qint16 m_hourHandWidth = 3;
    qint16 m_secondHandWidth = 1;
    qint16 m_frameWidth = 1;
    bool m_jihouOn = true;
    QString m_jihouFile;
    qint16 m_jihouMinute = 0;
    double m_left = 10950;
    double m_top = 120;
    double m_width = 855;
    double m_height = 855;
};

} // namespace lc
