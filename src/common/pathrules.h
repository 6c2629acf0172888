#pragma once

#include <QString>

#include <functional>

// Rules for the working paths as the settings files store them and the disk
// messages name them. The files were written on Windows (drive letter, colon,
// backslashes); on POSIX the paths are native paths and the mount point of a
// path stands where Windows names its drive. Both rule sets are plain functions
// so that each can be checked on every platform.
namespace lc {

enum class PathStyle { Windows, Posix };

// The style of the system the launcher runs on.
PathStyle nativePathStyle();

namespace paths {

// A stored path as it is read back: one trailing separator removed. On Windows
// a root "X:\" becomes the bare drive "X:"; on POSIX the root "/" stays.
QString withoutTrailingSeparator(const QString& path, PathStyle style = nativePathStyle());

// The display form of a directory: one trailing separator ("X:" -> "X:\",
// "/data" -> "/data/"); a path that ends in one already is unchanged.
QString withTrailingSeparator(const QString& path, PathStyle style = nativePathStyle());

// A full path of the style: drive letter and colon or "\\server" on Windows, a
// leading "/" on POSIX. Control characters never belong to a path.
bool isFullPath(const QString& path, PathStyle style = nativePathStyle());

// Windows: the root whose drive type the disk messages ask for, formed from the
// first character of drive ("d:\data" -> "D:\"); empty for an empty text.
QString windowsDriveRoot(const QString& drive);

// Windows: the drive letter a disk message shows, the first character of drive
// in upper case.
QString windowsDriveLetter(const QString& drive);

// A directory in the form the system reports it (native separators, no trailing
// separator except at a root), from a path in Qt's form.
QString nativeDirectory(const QString& qtPath, PathStyle style = nativePathStyle());

// The text with every line wider than maxWidth broken after path separators
// ("/" or "\\"), each part as long as fits, so that a long path shows whole
// with its end readable. A name wider than a line on its own is broken where it
// reaches the edge. widthOf measures a piece of text.
QString wrapAtSeparators(const QString& text, int maxWidth,
                         const std::function<int(const QString&)>& widthOf);

} // namespace paths
} // namespace lc
