#include "timesignal.h"

namespace lc {

namespace {
constexpr int MsPerDay = 24 * 60 * 60 * 1000;
// A step forward longer than this is taken as a change of the system time, not
// as time that passed while the clock watched.
constexpr int MaxStepMs = 6 * 60 * 60 * 1000;
} // namespace

bool TimeSignal::observe(QTime now, int minute, bool on)
{
    if (!now.isValid())
        return false;
    const QTime last = m_last;
    m_last = now;
    if (!last.isValid())
        return false;
    // Forward distance from the last observation, across midnight as well.
    const int step = (last.msecsTo(now) + MsPerDay) % MsPerDay;
    if (step == 0 || step > MaxStepMs)
        return false;
    const int intoMinute = now.second() * 1000 + now.msec();
    return on && now.minute() == minute && step > intoMinute;
}

} // namespace lc
