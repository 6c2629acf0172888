#pragma once

#include <cstdint>
#include <string>

namespace lc::win32 {

// Brings the top-level window of a process, or the visible top-level window
// with exactly the given title, to the front: restored when minimised, and the
// dialog it shows in front of it, if any. False when there is no such window or
// the system refused the foreground.
bool bringProcessToFront(unsigned long processId);
bool bringTitledWindowToFront(const std::wstring& title);
// Whether a visible top-level window has exactly the given title.
bool isTitledWindowShown(const std::wstring& title);

// The window a message asks to close (WM_CLOSE, or the system menu's close:
// the frame's close button, a taskbar's close), as its handle's value; 0 for
// every other message. message is a MSG*.
std::uintptr_t closeRequestTarget(const void* message);

} // namespace lc::win32
