#include "pathrules.h"

#include <QStringList>

namespace lc::paths {
namespace {

QChar separator(PathStyle style)
{
    return style == PathStyle::Windows ? u'\\' : u'/';
}

bool hasControlCharacter(const QString& path)
{
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

} // namespace

QString withoutTrailingSeparator(const QString& path, PathStyle style)
{
    const QChar sep = separator(style);
    if (!path.endsWith(sep))
        return path;
    if (style == PathStyle::Posix && path == QStringLiteral("/"))
        return path;
    return path.chopped(1);
}

QString withTrailingSeparator(const QString& path, PathStyle style)
{
    const QChar sep = separator(style);
    if (path.isEmpty() || path.endsWith(sep))
        return path;
    return path + sep;
}

bool isFullPath(const QString& path, PathStyle style)
{
    if (path.isEmpty() || hasControlCharacter(path))
        return false;
    if (style == PathStyle::Posix)
        return path.startsWith(u'/');
    if (path.startsWith(QStringLiteral("\\\\")))
        return path.size() > 2;
    const QChar letter = path.at(0);
    const bool isLetter = (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
    return isLetter && path.size() >= 2 && path.at(1) == u':';
}

QString windowsDriveRoot(const QString& drive)
{
    if (drive.isEmpty())
        return {};
    return drive.left(1).toUpper() + QStringLiteral(":\\");
}

QString windowsDriveLetter(const QString& drive)
{
    return drive.left(1).toUpper();
}

QString nativeDirectory(const QString& qtPath, PathStyle style)
{
    if (style == PathStyle::Posix) {
        if (qtPath.size() > 1 && qtPath.endsWith(u'/'))
            return qtPath.chopped(1);
        return qtPath;
    }
    QString p = qtPath;
    p.replace(u'/', u'\\');
    // "C:\" keeps its backslash, as the system reports the root directory.
    if (p.size() > 3 && p.endsWith(u'\\'))
        p.chop(1);
    if (p.size() == 2 && p.at(1) == u':')
        p += u'\\';
    return p;
}

QString wrapAtSeparators(const QString& text, int maxWidth,
                         const std::function<int(const QString&)>& widthOf)
{
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
        if (widthOf(line) <= maxWidth) {
            lines.append(line);
            continue;
        }
        QString current;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line.at(i) != u'/' && line.at(i) != u'\\')
                continue;
            const QString piece = line.mid(start, i + 1 - start);
            start = i + 1;
            if (!current.isEmpty() && widthOf(current + piece) > maxWidth) {
                lines.append(current);
                current.clear();
            }
            // A name wider than a line on its own is broken where it reaches the edge.
            for (qsizetype c = 0; c < piece.size();) {
                const qsizetype n = piece.at(c).isHighSurrogate() && c + 1 < piece.size() ? 2 : 1;
                const QString next = piece.mid(c, n);
                if (!current.isEmpty() && widthOf(current + next) > maxWidth) {
                    lines.append(current);
                    current.clear();
                }
                current += next;
                c += n;
            }
        }
        lines.append(current);
    }
    return lines.join(u'\n');
}

} // namespace lc::paths
