#include "session.h"

#include "win32/win32_windows.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>

namespace lc {

// One windowing system, and no signals to turn into a request.
bool prepareWindowingSystem(int, char**)
{
    return true;
}

struct SessionEnd::Private
{
};

SessionEnd::SessionEnd(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {}

SessionEnd::~SessionEnd() = default;

struct BlockedCloseRequests::Private : QAbstractNativeEventFilter
{
    BlockedCloseRequests* owner = nullptr;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        if (const quintptr id = win32::closeRequestTarget(message))
            owner->reportIfBlocked(id);
        return false; // Qt sees it as well, and drops it
    }
};

BlockedCloseRequests::BlockedCloseRequests(QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->owner = this;
    if (qGuiApp)
        qGuiApp->installNativeEventFilter(d.get());
}

BlockedCloseRequests::~BlockedCloseRequests()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(d.get());
}

} // namespace lc
