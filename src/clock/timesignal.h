#pragma once

#include <QTime>

namespace lc {

// Decides when the hourly time signal sounds. The clock observes the time about
// once a second; the signal sounds when the time reaches minute `minute` of an
// hour, that is on the first observation inside that minute whose previous
// observation lay before the minute began. So it sounds once per hour, never
// twice within the minute, not for a minute the clock merely starts in or is set
// to while it runs, and still when a tick arrives late inside the minute. A time
// that goes backwards, or jumps ahead by hours, starts the observation afresh.
class TimeSignal
{
public:
    // Records an observation; true when the signal is to sound now.
    bool observe(QTime now, int minute, bool on);
    // Forgets the previous observation (a new time source).
    void reset() { m_last = QTime(); }

private:
    QTime m_last;
};

} // namespace lc
