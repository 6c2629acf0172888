#pragma once

class QWidget;

namespace lc {

// Places a visible window topmost or not topmost without hiding, moving or
// activating it.
void setTopmost(QWidget* window, bool on);
// Brings one of the launcher's own windows to the front and activates it.
void bringToFront(QWidget* window);

} // namespace lc
