#pragma once

#include "pathrules.h"

#include <QString>

namespace lc {

struct AppContext;

// The Japanese message for a file-system error under the title "ディスクエラ－".
// Returns 0 when no message was shown (error 0, or a drive type without
// messages), 3 for an unknown error number, else the button pressed (4 = Retry:
// the caller repeats the failing step).
//
// drive is a drive letter or a whole path. On Windows its first character names
// the drive; on POSIX the mount point of the path (Platform::driveOf) takes the
// drive's place, in the drive-type lookup and in the messages.
//
// access tells what failed: a refused access (70) asks for the right to write,
// or, for a read, says that the path cannot be read.
enum class DiskAccess { Write, Read };
int DiskErrorMessage(AppContext& context, int errorNumber, const QString& drive,
                     DiskAccess access = DiskAccess::Write);
int DiskErrorMessage(AppContext& context, int errorNumber, const QString& drive, PathStyle style,
                     DiskAccess access = DiskAccess::Write);

// The title of the disk messages.
inline const QString DiskErrorTitle = QStringLiteral("ディスクエラ－");

} // namespace lc
