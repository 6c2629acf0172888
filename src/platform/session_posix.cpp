#include "session.h"

#include "x11atom.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace lc {

namespace {

bool setSharedMemoryImagesOff = false;

// The programs started from the menu get the environment as the user had it.
void restoreSharedMemoryImages()
{
    if (setSharedMemoryImagesOff)
        qunsetenv("QT_XCB_NO_MITSHM");
}

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(restoreSharedMemoryImages)

bool prepareWindowingSystem(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    // Qt would take Wayland where it is installed; absolute placement and raising
    // another program's window need X11 (XWayland on a Wayland session). The
    // variable also reaches the programs started from the menu, so that their
    // windows can be raised as well.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable) {
        const QByteArray display = qgetenv("DISPLAY");
        // A Wayland session without XWayland: the menu runs on Wayland itself,
        // where a program may neither place its window nor raise another's.
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            std::fprintf(stderr,
                         "launcher: no X server can be reached (DISPLAY=%s); running on Wayland, "
                         "where the menu "
                         "cannot place its window at the top left or bring the programs it starts "
                         "to the front\n",
                         display.isEmpty() ? "unset" : display.constData());
            qputenv("QT_QPA_PLATFORM", "wayland");
            return true;
        }
        std::fprintf(stderr,
                     "launcher: no X server can be reached (DISPLAY=%s); the launcher needs X11, "
                     "or XWayland on a Wayland session\n",
                     display.isEmpty() ? "unset" : display.constData());
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The menu sits idle all day and repaints only its clock, once a second. With
    // shared-memory images every repaint waits for the X server to release the
    // image (a round trip that wakes both the event thread and the main thread);
    // the clock's few pixels are cheaper sent through the socket.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
        setSharedMemoryImagesOff = true;
    }
    return true;
}

struct SessionEnd::Private
{
    std::unique_ptr<QSocketNotifier> notifier;
};

SessionEnd::SessionEnd(QObject* parent) : QObject(parent), d(std::make_unique<Private>())
{
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    d->notifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(d->notifier.get(), &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        Q_EMIT requested();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

SessionEnd::~SessionEnd()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

// A window manager asks a window to close with the client message
// WM_PROTOCOLS / WM_DELETE_WINDOW.
struct BlockedCloseRequests::Private : QAbstractNativeEventFilter
{
    BlockedCloseRequests* owner = nullptr;
    xcb_atom_t protocols = XCB_ATOM_NONE;
    xcb_atom_t deleteWindow = XCB_ATOM_NONE;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t" || protocols == XCB_ATOM_NONE)
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->format != 32 || client->type != protocols ||
            client->data.data32[0] != deleteWindow)
            return false;
        owner->reportIfBlocked(client->window);
        return false; // Qt sees it as well, and drops it
    }
};

BlockedCloseRequests::BlockedCloseRequests(QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->owner = this;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    d->protocols = x11Atom(x11->connection(), "WM_PROTOCOLS");
    d->deleteWindow = x11Atom(x11->connection(), "WM_DELETE_WINDOW");
    qGuiApp->installNativeEventFilter(d.get());
}

BlockedCloseRequests::~BlockedCloseRequests()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(d.get());
}

} // namespace lc
