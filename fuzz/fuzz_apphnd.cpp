// app_hnd as the menu's timer reads it: the first field names a task, as a task
// id or as a window title.
#include "fuzzinstall.h"

#include "menu/apphnd.h"

using namespace lc;
using namespace lc::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInstall& in = install();
    const QString name = QStringLiteral("app_hnd");
    const QByteArray bytes = bytesOf(data, size);
    in.writeFile(name, bytes);

    TaskRef task;
    // A file still empty (its program has only created it) is read at the next tick.
    const bool read = readAppHnd(in.path(name), task);
    FUZZ_CHECK(read == !bytes.trimmed().isEmpty());
    if (!read)
        return 0;
    const TaskRef parsed = parseAppHnd(bytes);
    FUZZ_CHECK(task.id == parsed.id && task.title == parsed.title);
    // A task is named either way, never both.
    FUZZ_CHECK(task.id == 0 || task.title.isEmpty());
    return 0;
}
