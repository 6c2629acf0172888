#include "praset.h"

#include "clock/omclock.h"
#include "clockprefs.h"
#include "common/appcontext.h"

namespace lc {

PraSet::PraSet(AppContext& context, OmClock& clock, ClockPrefs& prefs, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), m_context(context), m_clock(clock), m_prefs(prefs)
{
    setObjectName(QStringLiteral("pra_set"));
    setWindowTitle(QStringLiteral("パラメータ設定"));
}

} // namespace lc
