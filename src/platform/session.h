#pragma once

#include <QObject>

#include <memory>

class QWindow;

namespace lc {

// Before the QApplication: picks the windowing system the launcher needs (it
// places its window at 0,0, keeps windows on top and raises the programs it
// started): X11, or XWayland on a Wayland session. A Wayland session without
// XWayland gets Wayland itself, with one line on stderr on what does not work
// there. Returns false, after one line on stderr, when no display can be
// reached. A platform the user chose is left alone.
bool prepareWindowingSystem(int argc, char** argv);

// A request of the system to end the launcher (on POSIX SIGTERM, SIGINT and
// SIGHUP at logout), delivered through the event loop. One per process.
class SessionEnd : public QObject
{
    Q_OBJECT
public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

Q_SIGNALS:
    void requested();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// A request of the window system to close a window that a modal window blocks
// (the close button of its frame, a taskbar's close): Qt drops it, and the user
// would see nothing happen. Delivered through the event loop. One per process.
class BlockedCloseRequests : public QObject
{
    Q_OBJECT
public:
    explicit BlockedCloseRequests(QObject* parent = nullptr);
    ~BlockedCloseRequests() override;

Q_SIGNALS:
    void requested(QWindow* window);

private:
    // Emits requested() from the event loop when the window with this native
    // id is blocked by a modal window.
    void reportIfBlocked(quintptr id);

    struct Private;
    std::unique_ptr<Private> d;
};

// The top-level window with this native id that a modal window now blocks, or
// null.
QWindow* blockedWindowWithId(quintptr id);

} // namespace lc
