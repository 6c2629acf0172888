#pragma once

#include "common/installdir.h"

namespace lc {

class Platform;

// Whether the program that holds the marker "app" can still give it back: the
// task started last still runs, or app_hnd names a task that runs or a window
// that is shown (a program that handed over to another one). A program that
// ended without giving the marker back would otherwise keep the menu busy.
bool startedProgramRuns(Platform& platform, const InstallDir& dir, qint64 startedTask);

} // namespace lc
