/* The installer's check that the launcher of the installation directory is not
 * running: replacing or removing its files under a running launcher would leave
 * a half-updated folder (Windows replaces a file in use only at the next restart).
 *
 *   waitclosed.exe <UILevel> "<installation directory>."
 *
 * Run by the MSI before it validates the installation. Without a user interface
 * (msiexec /qn, UILevel 2) it waits until the launcher has ended; with one it
 * asks the user to end it, Retry checks again, Cancel ends the installation
 * (exit status 1, the installer then stops before it has changed anything).
 * Plain Win32, no Qt: it runs before any of the program's files are in place. */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>
#include <stdlib.h>
#include <wchar.h>

/* A file that another process keeps open without sharing write access: the
 * launcher's lock file (QLockFile holds it so while the launcher runs) and a
 * program file that is running. */
static int heldOpen(const wchar_t* dir, const wchar_t* name)
{
    wchar_t path[MAX_PATH + 64];
    if (swprintf(path, sizeof path / sizeof path[0], L"%ls\\%ls", dir, name) < 0)
        return 0;
    HANDLE h = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return 0;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

static int launcherRuns(const wchar_t* dir)
{
    return heldOpen(dir, L"launcher.lock") || heldOpen(dir, L"launcher.exe");
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == NULL || argc < 3)
        return 0;
    const int uiLevel = _wtoi(argv[1]);
    const wchar_t* dir = argv[2];

    if (uiLevel <= 2) {
        while (launcherRuns(dir))
            Sleep(1000);
        return 0;
    }
    while (launcherRuns(dir)) {
        const int answer = MessageBoxW(NULL,
                                       L"メインメニュー（launcher.exe）が実行中です。\n"
                                       L"メインメニューを終了してから［再試行］を押してください。\n\n"
                                       L"［キャンセル］を押すと、セットアップを中止します。"
                                       L"フォルダーの中は変更されません。",
                                       L"Mabora メインメニュー セットアップ",
                                       MB_RETRYCANCEL | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
        if (answer != IDRETRY)
            return 1;
    }
    return 0;
}
