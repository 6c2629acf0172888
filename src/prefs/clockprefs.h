#pragma once

#include <QByteArray>

namespace lc {

// The clock and time-signal preferences: one record of 169 bytes in clock.pra.
struct ClockPrefs
{
    static constexpr int Size = 169;
    QByteArray record = QByteArray(Size, '\0');
};

} // namespace lc
