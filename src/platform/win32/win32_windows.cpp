#include "win32_windows.h"

#include <windows.h>

namespace lc::win32 {
namespace {

struct ProcessWindows
{
    DWORD processId = 0;
    HWND unowned = nullptr; // the process's main window
    HWND owned = nullptr;   // else a window owned by a hidden one of the process
};

BOOL CALLBACK collectProcessWindow(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<ProcessWindows*>(param);
    DWORD processId = 0;
    if (GetWindowThreadProcessId(window, &processId) == 0 || processId != found->processId ||
        !IsWindowVisible(window))
        return TRUE;
    if (GetWindow(window, GW_OWNER) == nullptr) {
        found->unowned = window;
        return FALSE;
    }
    if (!found->owned)
        found->owned = window;
    return TRUE;
}

bool toFront(HWND window)
{
    if (!window)
        return false;
    // A window of another thread: ShowWindowAsync does not wait for a program
    // that has stopped answering.
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
    // A modal dialog of the window is what the user must see and answer.
    HWND front = GetLastActivePopup(window);
    if (!front || !IsWindowVisible(front))
        front = window;
    return SetForegroundWindow(front) != FALSE;
}

} // namespace

bool bringProcessToFront(unsigned long processId)
{
    if (processId == 0)
        return false;
    ProcessWindows found;
    found.processId = processId;
    EnumWindows(collectProcessWindow, reinterpret_cast<LPARAM>(&found));
    return toFront(found.unowned ? found.unowned : found.owned);
}

namespace {

// The first visible top-level window of exactly this title. FindWindowEx reads
// the titles without sending messages to their windows; hidden windows of the
// same title (a program's own hidden owner window) are passed over.
HWND visibleTitledWindow(const std::wstring& title)
{
    // An empty title would match every window without one.
    if (title.empty())
        return nullptr;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, title.c_str())) != nullptr) {
        if (IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

} // namespace

bool bringTitledWindowToFront(const std::wstring& title)
{
    HWND window = visibleTitledWindow(title);
    return window != nullptr && toFront(window);
}

bool isTitledWindowShown(const std::wstring& title)
{
    return visibleTitledWindow(title) != nullptr;
}

std::uintptr_t closeRequestTarget(const void* message)
{
    const auto* msg = static_cast<const MSG*>(message);
    const bool close = msg->message == WM_CLOSE ||
                       (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_CLOSE);
    return close ? reinterpret_cast<std::uintptr_t>(msg->hwnd) : 0;
}

} // namespace lc::win32
