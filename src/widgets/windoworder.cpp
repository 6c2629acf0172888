#include "windoworder.h"

#include <QWidget>
#include <QWindow>

namespace lc {

void setTopmost(QWidget* window, bool on)
{
    if (!window)
        return;
    window = window->window();
    if (!window->windowHandle()) {
        // Not shown yet: the flag takes effect when the window is shown.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        return;
    }
    // Setting the flag on the widget would hide it; set it on the native window
    // and keep the widget's flags in step.
    window->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, on);
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    window->overrideWindowFlags(flags);
}

void bringToFront(QWidget* window)
{
    if (!window)
        return;
    window = window->window();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace lc
