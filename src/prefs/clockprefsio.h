#pragma once

namespace lc {

struct AppContext;
struct ClockPrefs;
class AnalogClock;

// Start-up: gives the clock its defaults, then the values stored in clock.pra.
// A missing, empty or unreadable file leaves the defaults and prefs untouched; a
// short file gives the fields it covers. Stored values are brought into the
// clock's ranges before they reach it.
void ReadClockPrefsAtStartUp(AppContext& context, AnalogClock& clock, ClockPrefs& prefs);

// The start-up defaults of the clock, in their order.
void SetClockDefaults(AppContext& context, AnalogClock& clock);

// Hands every field of prefs to the clock, in the start-up order.
void ApplyClockPrefs(const ClockPrefs& prefs, AnalogClock& clock);

// The record that stores what the clock holds; the switch comes from the box
// "時報を鳴らさない" and the reserved fields from kept.
ClockPrefs CollectClockPrefs(const AnalogClock& clock, bool jihouBoxTicked, const ClockPrefs& kept);

// The save of "設定登録": writes what the clock holds to clock.pra, replacing the
// old file only once the new one is complete. A failure shows the disk message
// (Retry repeats the write). On success prefs holds what was written. Returns 0
// or the file-error number of the failure.
int SaveClockPrefs(AppContext& context, const AnalogClock& clock, bool jihouBoxTicked,
                   ClockPrefs& prefs);

} // namespace lc
