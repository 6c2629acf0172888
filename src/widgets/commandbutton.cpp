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
}

bool CommandButton::event(QEvent* e)
{
    // A disabled button still reports the pointer, as the menu needs it.
    if (e->type() == QEvent::MouseMove && !isEnabled())
        Q_EMIT mouseMoved();
    return QPushButton::event(e);
}

} // namespace lc
