#include "clockprefs.h"

#include "common/bytetext.h"
#include "common/codepage.h"

#include <QtEndian>

namespace lc {

namespace {

class FieldReader
{
public:
    explicit FieldReader(QByteArrayView bytes)
        : m_bytes(bytes.first(qMin(bytes.size(), qsizetype(ClockPrefs::Size))))
    {
    }

    bool covers(int offset, int size) const { return offset + size <= m_bytes.size(); }

    void int16(int offset, qint16& out) const
    {
        if (covers(offset, 2))
            out = qFromLittleEndian<qint16>(m_bytes.data() + offset);
    }
    void int32(int offset, qint32& out) const
    {
        if (covers(offset, 4))
            out = qFromLittleEndian<qint32>(m_bytes.data() + offset);
    }
    void colour(int offset, quint32& out) const
    {
        if (covers(offset, 4))
            out = qFromLittleEndian<quint32>(m_bytes.data() + offset);
    }
    // A 16-bit value kept in a 32-bit field: narrowed back to 16 bits.
    void narrowed(int offset, qint16& out) const
    {
        if (covers(offset, 4))
            out = qint16(qFromLittleEndian<qint32>(m_bytes.data() + offset));
    }
    void text(int offset, int size, QString& out) const
    {
        if (!covers(offset, size))
            return;
        QByteArrayView field = m_bytes.sliced(offset, size);
        const qsizetype nul = field.indexOf('\0');
        if (nul >= 0)
            field = field.first(nul);
        out = fromCodePage(field);
        // A double-byte character cut by the field's end (a file written by a
        // program that cut at the byte) is dropped, not shown as a substitute.
        const QChar substitute(0xFFFD);
        if (out.endsWith(substitute) && !field.isEmpty()) {
            const QString whole = fromCodePage(field.first(field.size() - 1));
            if (!whole.endsWith(substitute))
                out = whole;
        }
    }

private:
    QByteArrayView m_bytes;
};

void putInt16(QByteArray& record, int offset, qint16 value)
{
    qToLittleEndian<qint16>(value, record.data() + offset);
}

void putInt32(QByteArray& record, int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, record.data() + offset);
}

void putText(QByteArray& record, int offset, int size, const QString& text)
{
    record.replace(offset, size, fixedField(text, size));
}

} // namespace

ClockPrefs ClockPrefs::defaults(const QString& defaultJihouFile)
{
    ClockPrefs p;
    p.left = 10950;
    p.top = 120;
    p.width = 855;
    p.height = 855;
    p.mascotSize = 7;
    p.minuteHandColor = 0xFFFFFF;
    p.hourHandColor = 0xFFFFFF;
    p.secondHandColor = 0x0000FF;
    p.dialColor = 0;
    p.frameColor = 0;
    p.mascotColor = 0xC0C0C0;
    p.minuteHandWidth = 2;
    p.hourHandWidth = 3;
    p.secondHandWidth = 1;
    p.frameWidth = 1;
    p.jihouOff = 0;
    p.jihouFile = defaultJihouFile;
    p.jihouMinute = 0;
    return p;
}

void ClockPrefs::readRecord(QByteArrayView bytes)
{
    const FieldReader r(bytes);
    r.int16(LeftAt, left);
    r.int16(TopAt, top);
    r.int16(WidthAt, width);
    r.int16(HeightAt, height);
    r.text(DialTextAt, DialTextBytes, dialText);
    r.int16(MascotSizeAt, mascotSize);
    r.colour(MinuteHandColorAt, minuteHandColor);
    r.colour(HourHandColorAt, hourHandColor);
    r.colour(SecondHandColorAt, secondHandColor);
    r.colour(DialColorAt, dialColor);
    r.colour(FrameColorAt, frameColor);
    r.colour(MascotColorAt, mascotColor);
    r.int32(Reserved1At, reserved1);
    r.narrowed(MinuteHandWidthAt, minuteHandWidth);
    r.narrowed(HourHandWidthAt, hourHandWidth);
    r.narrowed(SecondHandWidthAt, secondHandWidth);
    r.narrowed(FrameWidthAt, frameWidth);
    r.int32(Reserved2At, reserved2);
    r.int16(JihouOffAt, jihouOff);
    QString file = jihouFile;
    r.text(JihouFileAt, JihouFileBytes, file);
    jihouFile = trimTrailingBlanks(file);
    r.int16(JihouMinuteAt, jihouMinute);
}

QByteArray ClockPrefs::toRecord() const
{
    QByteArray record(Size, '\0');
    putInt16(record, LeftAt, left);
    putInt16(record, TopAt, top);
    putInt16(record, WidthAt, width);
    putInt16(record, HeightAt, height);
    putText(record, DialTextAt, DialTextBytes, dialText);
    putInt16(record, MascotSizeAt, mascotSize);
    putInt32(record, MinuteHandColorAt, qint32(minuteHandColor));
    putInt32(record, HourHandColorAt, qint32(hourHandColor));
    putInt32(record, SecondHandColorAt, qint32(secondHandColor));
    putInt32(record, DialColorAt, qint32(dialColor));
    putInt32(record, FrameColorAt, qint32(frameColor));
    putInt32(record, MascotColorAt, qint32(mascotColor));
    putInt32(record, Reserved1At, reserved1);
    // Sign-extended from 16 bits.
    putInt32(record, MinuteHandWidthAt, qint32(minuteHandWidth));
    putInt32(record, HourHandWidthAt, qint32(hourHandWidth));
    putInt32(record, SecondHandWidthAt, qint32(secondHandWidth));
    putInt32(record, FrameWidthAt, qint32(frameWidth));
    putInt32(record, Reserved2At, reserved2);
    putInt16(record, JihouOffAt, jihouOff);
    putText(record, JihouFileAt, JihouFileBytes, jihouFile);
    putInt16(record, JihouMinuteAt, jihouMinute);
    return record;
}

} // namespace lc
