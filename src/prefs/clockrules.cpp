#include "clockrules.h"

#include "clockprefs.h"
#include "common/bytetext.h"
#include "common/codepage.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace lc::ClockRules {

double sizeForStep(int step)
{
    return (step / 5.0 + 1.0) * SizeUnit;
}

int stepForSize(double size)
{
    if (!std::isfinite(size))
        return 0;
    const double step = (size / SizeUnit - 1.0) * 5.0;
    return int(std::clamp(std::round(step), 0.0, double(MaxSizeStep)));
}

QPointF keptInClient(double left, double top, double width, double height, double clientWidth,
                     double clientHeight)
{
    const double maxLeft = std::max(0.0, clientWidth - width);
    const double maxTop = std::max(0.0, clientHeight - height);
    return {std::clamp(left, 0.0, maxLeft), std::clamp(top, 0.0, maxTop)};
}

ClockPrefs keptInRange(const ClockPrefs& prefs)
{
    ClockPrefs p = prefs;
    auto bound = [](qint16 v, int lo, int hi) { return qint16(std::clamp(int(v), lo, hi)); };
    p.width = bound(p.width, MinSize, MaxSize);
    p.height = bound(p.height, MinSize, MaxSize);
    const QPointF at = keptInClient(p.left, p.top, p.width, p.height);
    p.left = qint16(at.x());
    p.top = qint16(at.y());
    p.mascotSize = bound(p.mascotSize, 0, MaxMascotSize);
    for (quint32* c : {&p.minuteHandColor, &p.hourHandColor, &p.secondHandColor, &p.dialColor,
                       &p.frameColor, &p.mascotColor})
        *c &= 0x00FFFFFFu;
    for (qint16* w : {&p.minuteHandWidth, &p.hourHandWidth, &p.secondHandWidth, &p.frameWidth})
        *w = bound(*w, MinLineWidth, MaxLineWidth);
    p.jihouMinute = bound(p.jihouMinute, 0, MaxMinute);
    return p;
}

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t'))
            ++i;
    };
    skipBlanks();
    double sign = 1.0;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+')) {
        if (text.at(i) == u'-')
            sign = -1.0;
        ++i;
    }
    double value = 0.0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u' ' || c == u'\t')
            continue;
        if (c < u'0' || c > u'9')
            break;
        value = value * 10.0 + (c.unicode() - u'0');
    }
    if (i < n && text.at(i) == u'.') {
        double scale = 0.1;
        for (++i; i < n; ++i) {
            const QChar c = text.at(i);
            if (c == u' ' || c == u'\t')
                continue;
            if (c < u'0' || c > u'9')
                break;
            value += (c.unicode() - u'0') * scale;
            scale /= 10.0;
        }
    }
    return sign * value;
}

MinuteBox minuteBoxRules(const QString& typed)
{
    QString text = typed;
    // A third character clears the box.
    if (text.size() > 2)
        text.clear();
    // "05" becomes "5".
    if (text.size() == 2 && text.startsWith(u'0'))
        text = text.mid(1);
    const double value = leadingNumber(text);
    // Above 59 clears the box; so does a negative minute, which no hour has.
    if (value > MaxMinute || value < 0)
        return {QString(), 0};
    // Halves go to the even neighbour, as the box always rounded.
    return {trimBlanks(text), qint16(std::nearbyint(value))};
}

bool isStorableJihouFile(const QString& path)
{
    return ByteLen(path) <= ClockPrefs::JihouFileBytes && fitsCodePage(path);
}

} // namespace lc::ClockRules
