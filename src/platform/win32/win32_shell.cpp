#include "win32_shell.h"

#include "win32_drives.h"
#include "win32_errormode.h"

#include <windows.h>

#include <shellapi.h>

namespace lc::win32 {
namespace {

bool isLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool hasDotStep(const std::wstring& path)
{
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        const std::wstring_view step(path.data() + start, end - start);
        if (step == L"." || step == L"..")
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

std::wstring shellPathList(const std::wstring& fullPath)
{
    std::wstring path = fullPath;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    if (path.find_first_of(std::wstring_view(L"*?\0", 3)) != std::wstring::npos)
        return {};
    while (path.size() > 1 && path.back() == L'\\')
        path.pop_back();
    const bool onDrive =
        path.size() >= 3 && isLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
    const bool onShare =
        path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
    if (!onDrive && !onShare)
        return {};
    if (volumeRootOf(path) == path + L'\\' || hasDotStep(path))
        return {};
    path.push_back(L'\0');
    path.push_back(L'\0');
    return path;
}

RecycleResult moveToRecycleBin(const std::wstring& fullPath, bool silent,
                               const std::wstring& progressTitle)
{
    const std::wstring from = shellPathList(fullPath);
    if (from.empty())
        return RecycleResult::BadPath;
    const std::wstring path(from.c_str()); // the entry, without the list's NULs

    SHFILEOPSTRUCTW op{};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.pTo = nullptr;
    op.fFlags = FILEOP_FLAGS(silent ? FOF_ALLOWUNDO | FOF_NOCONFIRMATION : FOF_ALLOWUNDO);
    op.fAnyOperationsAborted = FALSE;
    op.hNameMappings = nullptr;
    op.lpszProgressTitle = silent ? L"" : progressTitle.c_str();

    QuietMediaErrors quiet;
    // The result is one of the shell's own codes, not a Win32 error; a declined
    // confirmation shows as an aborted operation.
    const int result = SHFileOperationW(&op);
    // Whatever the shell said, the entry must be gone, a directory as well as a
    // file; an entry that merely cannot be looked up is not.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const DWORD error = GetLastError();
    const bool gone = attributes == INVALID_FILE_ATTRIBUTES &&
                      (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    if (result != 0 || op.fAnyOperationsAborted || !gone)
        return RecycleResult::Failed;
    return RecycleResult::Gone;
}

} // namespace lc::win32
