#include "commandbutton.h"

#include <QEvent>
#include <QMouseEvent>

namespace lc {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

void CommandButton::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseMoved();
    QPushButton::mouseMoveEvent(event);
    // The movement is the button's own: the window under it does not see it too.
    event->accept();
}

bool CommandButton::event(QEvent* e)
{
    // A disabled button still reports the pointer, as the menu needs it.
    if (e->type() == QEvent::MouseMove && !isEnabled()) {
        Q_EMIT mouseMoved();
        e->accept();
        return true;
    }
    return QPushButton::event(e);
}

} // namespace lc
