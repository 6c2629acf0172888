#pragma once

#include <QString>
#include <QStringList>

namespace lc {

struct AppContext;

// The launcher's own settings file and its copies for the sibling programs, in
// the installation directory: records of 128 bytes, record k holding working
// path k.
namespace SettingsFiles {
inline const QString Own = QStringLiteral("WOMSET");
inline const QStringList Copies = {QStringLiteral("WKVSET"), QStringLiteral("WKPSET"),
                                   QStringLiteral("WMLSET"), QStringLiteral("WPVSET"),
                                   QStringLiteral("WZDSET")};
constexpr int RecordLength = 128;
} // namespace SettingsFiles

// Loads the three working paths from WOMSET into context.drivePath and repairs
// paths that no longer lead anywhere (rewriting the settings files if any had to
// be replaced). Leaves the installation directory the current directory.
void LoadDrivePaths(AppContext& context);

// Writes the three working paths to WOMSET and refreshes its five copies; 0 or a
// file-error number.
int SaveDrivePaths(AppContext& context);

} // namespace lc
