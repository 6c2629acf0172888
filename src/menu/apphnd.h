#pragma once

#include "menushared.h"

#include <QByteArray>
#include <QString>

namespace lc {

// app_hnd, written by a running sibling program: its first field names the task
// the menu brings to the front, as a task id or a window title.
TaskRef parseAppHnd(const QByteArray& bytes);

// Reads app_hnd; false when it cannot be read right now, or is still empty
// because its program has only just created it (the caller tries again).
bool readAppHnd(const QString& path, TaskRef& task);

} // namespace lc
