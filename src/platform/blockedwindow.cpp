#include "session.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

namespace lc {

namespace {

bool isTransientDescendant(const QWindow* window, const QWindow* ancestor)
{
    for (const QWindow* w = window->transientParent(); w; w = w->transientParent()) {
        if (w == ancestor)
            return true;
    }
    return false;
}

} // namespace

QWindow* blockedWindowWithId(quintptr id)
{
    const QWindow* modal = QGuiApplication::modalWindow();
    if (!modal)
        return nullptr;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->handle() || window->winId() != WId(id))
            continue;
        if (window == modal || isTransientDescendant(window, modal))
            return nullptr;
        // A window-modal window blocks only the windows it stands in front of.
        if (modal->modality() == Qt::WindowModal && !isTransientDescendant(modal, window))
            return nullptr;
        return window;
    }
    return nullptr;
}

void BlockedCloseRequests::reportIfBlocked(quintptr id)
{
    QWindow* window = blockedWindowWithId(id);
    if (!window)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, target = QPointer<QWindow>(window)] {
            if (target)
                Q_EMIT requested(target);
        },
        Qt::QueuedConnection);
}

} // namespace lc
