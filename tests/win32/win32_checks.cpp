// Checks of the Win32 layer that need neither Qt nor a user: the mapping of
// error codes, the code page's bytes, the roots the volume queries get, the
// list handed to the shell, and lookups of real entries in a temporary folder.
#include "platform/win32/win32_codepage.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace lc;

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const char* group, const char* name)
{
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL %s: %s\n", group, name);
    }
}

std::wstring withListEnd(const wchar_t* path)
{
    std::wstring list = path;
    list.append(2, L'\0');
    return list;
}

void errorCodes()
{
    using FileError::Target;
    struct Case
    {
        const char* name;
        unsigned long code;
        Target target;
        int number;
    };
    const Case cases[] = {
        {"success", ERROR_SUCCESS, Target::File, 0},
        {"file not found, file", ERROR_FILE_NOT_FOUND, Target::File, 53},
        {"file not found, path", ERROR_FILE_NOT_FOUND, Target::Path, 76},
        {"path not found", ERROR_PATH_NOT_FOUND, Target::File, 76},
        {"not a directory", ERROR_DIRECTORY, Target::Path, 76},
        {"access denied", ERROR_ACCESS_DENIED, Target::File, 70},
        {"write protect", ERROR_WRITE_PROTECT, Target::File, 72},
        {"file too large", ERROR_FILE_TOO_LARGE, Target::File, 77},
        {"disk full", ERROR_DISK_FULL, Target::File, 61},
        {"quota", 1295, Target::File, 61},
        {"crc", ERROR_CRC, Target::File, 57},
        {"not ready", ERROR_NOT_READY, Target::Path, 71},
        {"no medium", ERROR_NO_MEDIA_IN_DRIVE, Target::Path, 71},
        {"invalid drive", ERROR_INVALID_DRIVE, Target::Path, 68},
        {"server gone", ERROR_BAD_NETPATH, Target::Path, 68},
        {"bad name", ERROR_INVALID_NAME, Target::File, 64},
        {"too long", ERROR_FILENAME_EXCED_RANGE, Target::File, 64},
        {"sharing", ERROR_SHARING_VIOLATION, Target::File, 55},
        {"too many open", ERROR_TOO_MANY_OPEN_FILES, Target::File, 52},
        {"anything else", ERROR_INVALID_PARAMETER, Target::File, 75},
        {"beyond every code", 0xFFFFFFFFul, Target::File, 75},
    };
    for (const Case& c : cases)
        check(win32::fileErrorOf(c.code, c.target) == c.number, "error code", c.name);
}

void codePage()
{
    // Both ways.
    struct Pair
    {
        const char* name;
        std::wstring text;
        std::string bytes;
    };
    const Pair pairs[] = {
        {"ascii", L"AZ09 \\~", "AZ09 \\~"},
        {"square metre", L"\u33A1", "\x87\x75"},
        {"full-width hyphen-minus", L"\uFF0D", "\x81\x7C"},
        {"full-width tilde", L"\uFF5E", "\x81\x60"},
        {"half-width katakana", L"\uFF87", "\xC7"},
        {"IBM extension", L"\u9AD9", "\xFB\xFC"},
        {"mixed", L"a\u3042b",
         "a\x82\xA0"
         "b"},
        {"embedded NUL", std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Pair& p : pairs) {
        check(win32::toCodePage932(p.text) == p.bytes, "to code page", p.name);
        check(win32::fromCodePage932(p.bytes) == p.text, "from code page", p.name);
    }

    // Text the code page cannot hold: one "?" per character.
    const Pair unheld[] = {
        {"beyond the BMP", L"a\U0001F600b", "a?b"},
        {"lone high surrogate", std::wstring(L"a\xD800") + L"b", "a?b"},
        {"lone low surrogate at the end", std::wstring(L"a\xDC00"), "a?"},
        {"empty", L"", ""},
    };
    for (const Pair& p : unheld)
        check(win32::toCodePage932(p.text) == p.bytes, "to code page", p.name);

    // Bytes that do not decode: U+FFFD for the lead byte, then the next byte.
    const Pair broken[] = {
        {"bad trail byte", L"\uFFFD ", "\x81\x20"},
        {"lead byte at the end", L"\u3042\uFFFD", "\x82\xA0\x82"},
        {"bad pair between good ones", L"a\uFFFD b",
         "a\x81\x20"
         "b"},
        {"empty", L"", ""},
    };
    for (const Pair& p : broken)
        check(win32::fromCodePage932(p.bytes) == p.text, "from code page", p.name);
}

void volumeRoots()
{
    struct Case
    {
        const char* name;
        const wchar_t* path;
        const wchar_t* root;
    };
    const Case cases[] = {
        {"path on a drive", L"C:\\data\\kojigai", L"C:\\"},
        {"bare drive", L"d:", L"d:\\"},
        {"drive root", L"E:\\", L"E:\\"},
        {"path on a share", L"\\\\srv\\share\\data\\x", L"\\\\srv\\share\\"},
        {"share itself", L"\\\\srv\\share", L"\\\\srv\\share\\"},
        {"share with slashes", L"//srv/share/data", L"\\\\srv\\share\\"},
        {"empty", L"", L""},
    };
    for (const Case& c : cases)
        check(win32::volumeRootOf(c.path) == c.root, "volume root", c.name);
}

void shellLists()
{
    struct Case
    {
        const char* name;
        std::wstring path;
        std::wstring list; // empty: refused
    };
    const Case cases[] = {
        {"directory", L"C:\\data\\proj", withListEnd(L"C:\\data\\proj")},
        {"slashes and a trailing one", L"C:/data/proj/", withListEnd(L"C:\\data\\proj")},
        {"on a share", L"\\\\srv\\share\\proj", withListEnd(L"\\\\srv\\share\\proj")},
        {"drive root", L"C:\\", L""},
        {"bare drive", L"C:", L""},
        {"share root", L"\\\\srv\\share\\", L""},
        {"relative", L"data\\proj", L""},
        {"rooted without a drive", L"\\data\\proj", L""},
        {"wildcard", L"C:\\data\\*", L""},
        {"question mark", L"C:\\data\\pro?", L""},
        {"long-path prefix", L"\\\\?\\C:\\data\\proj", L""},
        {"parent step", L"C:\\data\\proj\\..", L""},
        {"NUL inside", std::wstring(L"C:\\data\0\\proj", 13), L""},
        {"empty", L"", L""},
    };
    for (const Case& c : cases)
        check(win32::shellPathList(c.path) == c.list, "shell list", c.name);
    check(win32::moveToRecycleBin(L"C:\\data\\*", true, L"") == win32::RecycleResult::BadPath,
          "recycle bin", "a pattern is refused before the shell sees it");
}

// Lookups of real entries in a folder of its own under the temporary folder.
void realEntries()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    check(length > 0 && length <= MAX_PATH, "real entries", "temporary folder");
    if (length == 0 || length > MAX_PATH)
        return;
    const std::wstring dir =
        std::wstring(temp) + L"win32_checks_" + std::to_wstring(GetCurrentProcessId());
    const std::wstring file = dir + L"\\WOMSET";
    const std::wstring missing = dir + L"\\gone";
    if (!CreateDirectoryW(dir.c_str(), nullptr)) {
        check(false, "real entries", "create the folder");
        return;
    }
    const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    check(h != INVALID_HANDLE_VALUE, "real entries", "create a file");
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);

    using FileError::Target;
    check(win32::lookUpDirectory(dir) == ERROR_SUCCESS, "directory", "a directory");
    check(win32::lookUpDirectory(dir + L"\\") == ERROR_SUCCESS, "directory", "trailing backslash");
    check(win32::fileErrorOf(win32::lookUpDirectory(file), Target::Path) == 76, "directory",
          "a file is no directory");
    check(win32::fileErrorOf(win32::lookUpDirectory(missing), Target::Path) == 76, "directory",
          "nothing there");
    check(win32::fileErrorOf(win32::lookUpDirectory(missing + L"\\deeper"), Target::Path) == 76,
          "directory", "below nothing");

    const win32::StartedProcess none = win32::startProcess(missing + L".exe", dir);
    check(none.processId == 0 && none.error == ERROR_FILE_NOT_FOUND, "start", "missing program");
    const win32::StartedProcess folder = win32::startProcess(dir, dir);
    check(folder.processId == 0 && folder.error == ERROR_FILE_NOT_FOUND, "start",
          "a folder is no program");

    const std::vector<std::wstring> roots = win32::logicalDriveRoots();
    check(!roots.empty(), "drives", "at least one drive");
    check(std::all_of(roots.begin(), roots.end(),
                      [](const std::wstring& r) { return r.size() == 3 && r.substr(1) == L":\\"; }),
          "drives", "every root is X:\\");
    // A letter no drive has.
    for (wchar_t letter = L'Z'; letter >= L'D'; --letter) {
        const std::wstring root = std::wstring(1, letter) + L":\\";
        if (std::find(roots.begin(), roots.end(), root) == roots.end()) {
            check(win32::driveType(root + L"data") == DRIVE_NO_ROOT_DIR, "drives",
                  "a letter without a drive");
            check(win32::volumeLabel(root).empty(), "drives", "no label without a drive");
            break;
        }
    }
    const unsigned tempType = win32::driveType(dir);
    check(tempType != DRIVE_UNKNOWN && tempType != DRIVE_NO_ROOT_DIR, "drives",
          "the temporary folder lies on a drive");

    DeleteFileW(file.c_str());
    RemoveDirectoryW(dir.c_str());
}

} // namespace

int main()
{
    errorCodes();
    codePage();
    volumeRoots();
    shellLists();
    realEntries();
    std::printf("win32: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
