#include "clockprefsio.h"

#include "clock/omclock.h"
#include "clockprefs.h"
#include "common/appcontext.h"

namespace lc {

void ReadClockPrefsAtStartUp(AppContext& context, OmClock& clock, ClockPrefs& prefs)
{
    Q_UNUSED(prefs);
    clock.Move(10950, 120);
    clock.setHeight(855);
    clock.setWidth(855);
    clock.setJihouFile(context.installDir.file(QStringLiteral("default.wav")));
}

} // namespace lc
