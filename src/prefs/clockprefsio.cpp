#include "clockprefsio.h"

#include "clock/analogclock.h"
#include "clockprefs.h"
#include "clockrules.h"
#include "common/appcontext.h"
#include "common/diskerror.h"
#include "common/fileerror.h"
#include "common/recordfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace lc {

namespace {

QString prefsPath(const AppContext& context)
{
    return context.installDir.file(QStringLiteral("clock.pra"));
}

QString defaultJihouFile(const AppContext& context)
{
    return context.installDir.file(QStringLiteral("default.wav"));
}

qint16 wholeTwips(double twips)
{
    if (!std::isfinite(twips))
        return 0;
    return qint16(std::clamp(std::round(twips), -32768.0, 32767.0));
}

} // namespace

void SetClockDefaults(AppContext& context, AnalogClock& clock)
{
    clock.setLeft(10950);
    clock.setTop(120);
    clock.setHeight(855);
    clock.setWidth(855);
    clock.setDialText(QString());
    clock.setMinuteHandColor(0xFFFFFF);
    clock.setHourHandColor(0xFFFFFF);
    clock.setSecondHandColor(0x0000FF);
    clock.setDialColor(0);
    clock.setFrameColor(0);
    clock.setMascotColor(0xC0C0C0);
    clock.setMascotSize(7);
    clock.setMinuteHandWidth(2);
    clock.setHourHandWidth(3);
    clock.setSecondHandWidth(1);
    clock.setFrameWidth(1);
    clock.setJihouFile(defaultJihouFile(context));
    clock.setJihouOn(true);
    clock.setJihouMinute(0);
}

void ApplyClockPrefs(const ClockPrefs& stored, AnalogClock& clock)
{
    const ClockPrefs p = ClockRules::keptInRange(stored);
    clock.setLeft(p.left);
    clock.setTop(p.top);
    clock.setHeight(p.height);
    clock.setWidth(p.width);
    clock.setDialText(p.dialText);
    clock.setMinuteHandColor(p.minuteHandColor);
    clock.setHourHandColor(p.hourHandColor);
    clock.setSecondHandColor(p.secondHandColor);
    clock.setDialColor(p.dialColor);
    clock.setFrameColor(p.frameColor);
    clock.setMascotColor(p.mascotColor);
    clock.setMascotSize(p.mascotSize);
    clock.setMinuteHandWidth(p.minuteHandWidth);
    clock.setHourHandWidth(p.hourHandWidth);
    clock.setSecondHandWidth(p.secondHandWidth);
    clock.setFrameWidth(p.frameWidth);
    clock.setJihouOn(!p.timeSignalOff());
    if (!p.jihouFile.isEmpty())
        clock.setJihouFile(p.jihouFile);
    clock.setJihouMinute(p.jihouMinute);
}

void ReadClockPrefsAtStartUp(AppContext& context, AnalogClock& clock, ClockPrefs& prefs)
{
    SetClockDefaults(context, clock);
    const QString path = prefsPath(context);
    if (!QFileInfo(path).isFile())
        return;
    QByteArray bytes;
    if (readFileContents(path, bytes, ClockPrefs::Size) != FileError::None || bytes.isEmpty())
        return;
    // Fields the file does not cover keep the values the clock has without it.
    ClockPrefs read = ClockPrefs::defaults(clock.JihouFile());
    read.readRecord(bytes);
    prefs = read;
    ApplyClockPrefs(prefs, clock);
}

ClockPrefs CollectClockPrefs(const AnalogClock& clock, bool jihouBoxTicked, const ClockPrefs& kept)
{
    ClockPrefs p = kept;
    p.minuteHandColor = clock.MinuteHandColor();
    p.hourHandColor = clock.HourHandColor();
    p.secondHandColor = clock.SecondHandColor();
    p.dialColor = clock.DialColor();
    p.frameColor = clock.FrameColor();
    p.mascotColor = clock.MascotColor();
    p.minuteHandWidth = clock.MinuteHandWidth();
    p.hourHandWidth = clock.HourHandWidth();
    p.secondHandWidth = clock.SecondHandWidth();
    p.frameWidth = clock.FrameWidth();
    p.jihouOff = jihouBoxTicked ? 1 : 0;
    // The record cuts both texts to their fields and pads them with blanks. The
    // file holds the path in the system's own form, as the other programs read it.
    p.jihouFile = QDir::toNativeSeparators(clock.JihouFile());
    p.jihouMinute = clock.JihouMinute();
    p.left = wholeTwips(clock.Left());
    p.top = wholeTwips(clock.Top());
    p.height = wholeTwips(clock.Height());
    p.width = wholeTwips(clock.Width());
    p.dialText = clock.DialText();
    p.mascotSize = clock.MascotSize();
    return p;
}

int SaveClockPrefs(AppContext& context, const AnalogClock& clock, bool jihouBoxTicked,
                   ClockPrefs& prefs)
{
    const ClockPrefs collected = CollectClockPrefs(clock, jihouBoxTicked, prefs);
    const QByteArray record = collected.toRecord();
    const QString path = prefsPath(context);
    for (;;) {
        const int error = saveFileContents(path, record);
        if (error == FileError::None) {
            // What the file now holds, as the next start-up will read it.
            ClockPrefs written = collected;
            written.readRecord(record);
            prefs = written;
            return FileError::None;
        }
        if (DiskErrorMessage(context, error, context.installDir.path()) != 4)
            return error;
    }
}

} // namespace lc
