#pragma once

#include "installdir.h"

#include <QString>

namespace lc {

// The marker files of the launch protocol in the installation directory. The
// menu, the sibling programs and the other windows coordinate only through their
// existence and their renames.
namespace Marker {
inline const QString Menu = QStringLiteral("menu");
inline const QString App = QStringLiteral("app");
inline const QString Sub = QStringLiteral("sub");
inline const QString AppHnd = QStringLiteral("app_hnd");
inline const QString AppHndDat = QStringLiteral("app_hnd.dat");
} // namespace Marker

class Markers
{
public:
    explicit Markers(InstallDir dir) : m_dir(std::move(dir)) {}

    bool exists(const QString& marker) const { return m_dir.exists(marker); }
    // Renames marker from to to; fails (returns a file-error number) when from is
    // missing or to exists already.
    int rename(const QString& from, const QString& to) const;
    int remove(const QString& marker) const;
    // Writes a marker whose content is one quoted-field record.
    int write(const QString& marker, const QByteArray& content) const;

    // Start-up reset: create "menu" if it is missing, delete app_hnd, app and sub.
    // 0, or the error number when "menu" was missing and could not be made (an
    // installation directory that cannot be written).
    int resetAtStartUp() const;

private:
    InstallDir m_dir;
};

// A human-readable explanation of a failed marker rename, for the message box.
QString describeRenameFailure(const QString& from, const QString& to, int error);
// The start-up message for an installation directory in which "menu" cannot be made.
QString readOnlyInstallDirText(const QString& installDir);

} // namespace lc
