#pragma once

#include "common/pathrules.h"

#include <QString>
#include <QStringList>

namespace lc {

class Platform;

// Moves a file or a whole directory tree to the recycle bin (the freedesktop
// trash on POSIX) so that the user can still restore it. path is taken up to a
// first NUL. silent keeps the system from asking for confirmation where it would
// (the Windows shell). 0 when the path is gone into the recycle bin, else a
// file-error number.
int sendToRecycleBin(Platform& platform, const QString& path, bool silent);
// The same as a yes-or-no answer: true when the entry is gone.
bool DeleteToRecycleBin(Platform& platform, const QString& path, bool silent);

// Why a project directory must not be moved to the recycle bin.
enum class DeletionRefusal {
    None,
    Unsafe,         // empty, not a full path, or not a directory name
    DriveRoot,      // a drive root (a mount point on POSIX)
    InstallDir,     // the installation directory, or a directory holding it
    Home,           // the user's home directory, or a directory holding it
    HoldsMasterDir, // the master directory lies in it
    HoldsImportDir, // the import directory lies in it
};

struct DeletionFacts
{
    QString installDir;
    QString homeDir;
    QStringList driveRoots;
    QString masterDir;
    QString importDir;
};

DeletionRefusal deletionRefusal(const QString& directory, const DeletionFacts& facts,
                                PathStyle style = nativePathStyle());

// The line of the refusal message that names the reason; a directory that may
// not be deleted may not be renamed either.
enum class RefusedAction { Delete, Rename };
QString deletionRefusalText(DeletionRefusal refusal, RefusedAction action = RefusedAction::Delete);

} // namespace lc
