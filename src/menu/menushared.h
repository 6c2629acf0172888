#pragma once

#include <QString>

#include <array>

namespace lc {

// A task to bring to the front: a task id, or a window title when the running
// program named one in app_hnd.
struct TaskRef
{
    qint64 id = 0;
    QString title;

    bool isZero() const { return id == 0 && title.isEmpty(); }
    static TaskRef fromField(const QString& field);
};

// State the main window owns and its sub-windows share.
struct MenuShared
{
    // AppTask(0): the task started last from a slot or tool (0 when none);
    // AppTask(1): the first field of app_hnd as last read.
    std::array<TaskRef, 2> AppTask;
    // The process started last from a slot or tool, kept while it may hold the
    // marker "app" (AppTask(0) is cleared when the menu brings windows forward).
    qint64 StartedTask = 0;

    int BackImageNo = 12;
    QString BackImageText = QStringLiteral("om");
    int SavedImageNo = 12;
    QString SavedImageText = QStringLiteral("om");
};

} // namespace lc
