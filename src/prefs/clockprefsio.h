#pragma once

namespace lc {

struct AppContext;
struct ClockPrefs;
class OmClock;

// Start-up: gives the clock its defaults, then the values stored in clock.pra.
void ReadClockPrefsAtStartUp(AppContext& context, OmClock& clock, ClockPrefs& prefs);

} // namespace lc
