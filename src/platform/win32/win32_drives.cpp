#include "win32_drives.h"

#include "win32_errormode.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

namespace lc::win32 {
namespace {

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

} // namespace

std::vector<std::wstring> logicalDriveRoots()
{
    std::vector<std::wstring> roots;
    std::wstring buffer(128, L'\0');
    // A drive added between two calls makes the list longer: ask again with the
    // length the system asked for.
    for (int tries = 0; tries < 4; ++tries) {
        const DWORD length = GetLogicalDriveStringsW(DWORD(buffer.size()), buffer.data());
        if (length == 0)
            return roots;
        if (length < buffer.size()) {
            const wchar_t* end = buffer.data() + length;
            for (const wchar_t* p = buffer.data(); p < end && *p; p += std::wcslen(p) + 1)
                roots.emplace_back(p);
            return roots;
        }
        buffer.assign(size_t(length) + 1, L'\0');
    }
    return roots;
}

std::wstring volumeRootOf(const std::wstring& path)
{
    if (path.empty())
        return {};
    if (path.size() >= 2 && path[1] == L':')
        return path.substr(0, 2) + L'\\';
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        // "\\server\share\...": the root ends after the share's name.
        size_t end = path.find_first_of(L"\\/", 2);
        if (end != std::wstring::npos)
            end = path.find_first_of(L"\\/", end + 1);
        std::wstring root = path.substr(0, end);
        for (wchar_t& c : root) {
            if (c == L'/')
                c = L'\\';
        }
        return root + L'\\';
    }
    return isSeparator(path.back()) ? path : path + L'\\';
}

unsigned driveType(const std::wstring& path)
{
    const std::wstring root = volumeRootOf(path);
    if (root.empty())
        return DRIVE_NO_ROOT_DIR;
    QuietMediaErrors quiet;
    return GetDriveTypeW(root.c_str());
}

std::wstring volumeLabel(const std::wstring& path)
{
    const std::wstring root = volumeRootOf(path);
    if (root.empty())
        return {};
    wchar_t name[MAX_PATH + 1] = {};
    QuietMediaErrors quiet;
    if (!GetVolumeInformationW(root.c_str(), name, DWORD(std::size(name)), nullptr, nullptr,
                               nullptr, nullptr, 0))
        return {};
    return name;
}

unsigned long lookUpDirectory(const std::wstring& path)
{
    if (path.empty())
        return ERROR_PATH_NOT_FOUND;
    QuietMediaErrors quiet;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error != ERROR_SUCCESS ? error : ERROR_PATH_NOT_FOUND;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_SUCCESS : ERROR_DIRECTORY;
}

} // namespace lc::win32
