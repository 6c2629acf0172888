#pragma once

#include <QWidget>

namespace lc {

struct AppContext;
struct ClockPrefs;
class OmClock;

// The preferences window "パラメータ設定" that edits the running clock.
class PraSet : public QWidget
{
    Q_OBJECT
public:
    PraSet(AppContext& context, OmClock& clock, ClockPrefs& prefs, QWidget* mainWindow);

private:
    AppContext& m_context;
    OmClock& m_clock;
    ClockPrefs& m_prefs;
};

} // namespace lc
