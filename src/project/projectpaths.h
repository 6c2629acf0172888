#pragma once

#include "common/pathrules.h"

#include <QString>
#include <QStringList>

// Path rules of the folder tree, the project registry and the environment
// window. On Windows paths carry a drive letter and backslashes and letter case
// does not matter; on POSIX they are native paths where case matters and the
// mount point of a path stands where Windows names its drive. Each rule takes the
// style so both sets are checked on every platform.
namespace lc::projectpaths {

QChar separator(PathStyle style = nativePathStyle());
// Windows accepts both separators; POSIX only "/".
bool isSeparator(QChar c, PathStyle style = nativePathStyle());
bool endsWithSeparator(const QString& path, PathStyle style = nativePathStyle());

Qt::CaseSensitivity caseSensitivity(PathStyle style = nativePathStyle());
// The two paths name the same directory by the platform's rules for letter case
// (one trailing separator ignored).
bool samePath(const QString& a, const QString& b, PathStyle style = nativePathStyle());
// path is dir itself or lies below it.
bool isInside(const QString& path, const QString& dir, PathStyle style = nativePathStyle());

// The key under which the folder tree holds a path: the path without a trailing
// separator (a POSIX root "/" stays), in upper case on Windows, as it is on POSIX.
QString treeKey(const QString& path, PathStyle style = nativePathStyle());

// dir + separator + name, without doubling the separator after a root.
QString join(const QString& dir, const QString& name, PathStyle style = nativePathStyle());
// The path up to its last separator ("C:\A\B" -> "C:\A", "C:\A" -> "C:",
// "/a/b" -> "/a", "/a" -> "/"); empty when there is none.
QString parentOf(const QString& path, PathStyle style = nativePathStyle());
// The part after the last separator.
QString lastComponent(const QString& path, PathStyle style = nativePathStyle());

// Windows: a drive letter and a colon only ("D:"), which is shown with a
// backslash appended. Never on POSIX.
bool isBareDrive(const QString& path, PathStyle style = nativePathStyle());

// Whether path is one of the drive roots. Windows: a path of two characters gets
// a backslash appended; only a path of three characters can be a root; compared
// without regard to case. POSIX: the path, without a trailing separator, equals
// a mount point.
bool isDriveRootIn(const QString& path, const QStringList& roots,
                   PathStyle style = nativePathStyle());

// The key of the drive node that holds path: Windows the part before the first
// backslash ("C:"), POSIX the longest drive key that holds the path. Empty when
// no drive holds it.
QString driveKeyOf(const QString& path, const QStringList& driveKeys,
                   PathStyle style = nativePathStyle());

// The keys from the drive down to path: "C:", "C:\A", "C:\A\B" or "/home/u",
// "/home/u/p", "/home/u/p/q". Empty when path does not lie on driveKey.
QStringList walkPrefixes(const QString& path, const QString& driveKey,
                         PathStyle style = nativePathStyle());

// A folder name as the tree shows it: a name written entirely in capitals keeps
// its first character and the rest in small letters (WINDOWS -> Windows).
QString folderDisplayName(const QString& name);

// A name the file system can take for a new or renamed folder: not empty, not
// "." or "..", no separator, and on Windows none of \ / : * ? " < > | and no
// trailing dot or blank.
bool isValidFolderName(const QString& name, PathStyle style = nativePathStyle());

// The n-th candidate name of a new folder: "新しいフォルダ" for 1, then
// "新しいフォルダ(2)", "新しいフォルダ(3)", ...
QString newFolderName(int n);

} // namespace lc::projectpaths
