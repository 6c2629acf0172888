#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace lc {

// The clock and time-signal preferences: one record of 169 bytes in clock.pra.
// Numbers are little-endian ("Integer" 16-bit, "Long" 32-bit, both signed); the
// two texts are code-page bytes padded with blanks, without terminator. The line
// widths are 16-bit values kept in 32-bit fields. The reserved fields are never
// used and are written back as they were read.
struct ClockPrefs
{
    static constexpr int Size = 169;

    // Byte offsets of the fields within the record.
    enum Offset : int {
        LeftAt = 0,
        TopAt = 2,
        WidthAt = 4,
        HeightAt = 6,
        DialTextAt = 8,
        MascotSizeAt = 15,
        MinuteHandColorAt = 17,
        HourHandColorAt = 21,
        SecondHandColorAt = 25,
        DialColorAt = 29,
        FrameColorAt = 33,
        MascotColorAt = 37,
        Reserved1At = 41,
        MinuteHandWidthAt = 45,
        HourHandWidthAt = 49,
        SecondHandWidthAt = 53,
        FrameWidthAt = 57,
        Reserved2At = 61,
        JihouOffAt = 65,
        JihouFileAt = 67,
        JihouMinuteAt = 167,
    };
    static constexpr int DialTextBytes = 7;
    static constexpr int JihouFileBytes = 100;

    qint16 left = 0;
    qint16 top = 0;
    qint16 width = 0;
    qint16 height = 0;
    QString dialText; // as stored, trailing blanks included
    qint16 mascotSize = 0;
    quint32 minuteHandColor = 0;
    quint32 hourHandColor = 0;
    quint32 secondHandColor = 0;
    quint32 dialColor = 0;
    quint32 frameColor = 0;
    quint32 mascotColor = 0;
    qint32 reserved1 = 0;
    qint16 minuteHandWidth = 0;
    qint16 hourHandWidth = 0;
    qint16 secondHandWidth = 0;
    qint16 frameWidth = 0;
    qint32 reserved2 = 0;
    qint16 jihouOff = 0; // 1: the box "時報を鳴らさない" was ticked
    QString jihouFile;   // trailing blanks removed
    qint16 jihouMinute = 0;

    // The time signal is on only where the switch field is 0.
    bool timeSignalOff() const { return jihouOff != 0; }

    // The values the clock has when no record is read.
    static ClockPrefs defaults(const QString& defaultJihouFile);

    // Takes every field that bytes covers completely; the others keep their
    // values. Bytes beyond the record are ignored. A text ends at its first NUL.
    void readRecord(QByteArrayView bytes);
    // The record, always exactly Size bytes.
    QByteArray toRecord() const;

    bool operator==(const ClockPrefs&) const = default;
};

} // namespace lc
