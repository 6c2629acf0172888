#pragma once

namespace lc {

struct AppContext;

// Loads the three working paths from WOMSET into context.drivePath and repairs
// paths that no longer lead anywhere (rewriting the settings files if any had to
// be replaced). Leaves the installation directory the current directory.
void LoadDrivePaths(AppContext& context);

// Writes the three working paths to WOMSET and refreshes its five copies; 0 or a
// file-error number.
int SaveDrivePaths(AppContext& context);

} // namespace lc
