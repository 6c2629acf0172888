#pragma once

#include <string>

namespace lc::win32 {

enum class RecycleResult {
    Gone,    // the entry is in the recycle bin
    Failed,  // the shell failed, the user declined, or the entry is still there
    BadPath, // a path the shell must not be given (see shellPathList)
};

// The shell's list of one entry: the path with backslashes and without a
// trailing one, then two NULs. Empty for a path the shell must not be given:
// not a full path ("X:\..." or "\\server\share\..."), a drive or share root, a
// "." or ".." step, or a wildcard or NUL, which the shell would take as a
// pattern or as the end of the list.
std::wstring shellPathList(const std::wstring& fullPath);

// Moves a file or a whole directory tree to the recycle bin through the shell.
// silent keeps the shell from asking for confirmation; progressTitle is the
// title of the shell's progress window otherwise.
RecycleResult moveToRecycleBin(const std::wstring& fullPath, bool silent,
                               const std::wstring& progressTitle);

} // namespace lc::win32
