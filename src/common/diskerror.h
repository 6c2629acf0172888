#pragma once

#include <QString>

namespace lc {

struct AppContext;

// The Japanese message for a file-system error under the title "ディスクエラ－".
// Returns 0 when no message was shown (error 0, or a drive type without
// messages), 3 for an unknown error number, else the button pressed (4 = Retry:
// the caller repeats the failing step).
int DiskErrorMessage(AppContext& context, int errorNumber, const QString& drive);

} // namespace lc
