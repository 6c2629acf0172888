#include "projectpaths.h"


namespace lc::projectpaths {
namespace {

// The path without one trailing separator; a root ("/", "C:\") keeps it only
// on POSIX.
QString stripped(const QString& path, PathStyle style)
{
    if (!endsWithSeparator(path, style))
        return path;
    if (style == PathStyle::Posix && path == QStringLiteral("/"))
        return path;
    return path.chopped(1);
}

QString normalSeparators(const QString& path, PathStyle style)
{
    if (style != PathStyle::Windows)
        return path;
    QString p = path;
    p.replace(u'/', u'\\');
    return p;
}

} // namespace

QChar separator(PathStyle style)
{
    return style == PathStyle::Windows ? u'\\' : u'/';
}

bool isSeparator(QChar c, PathStyle style)
{
    return c == u'/' || (style == PathStyle::Windows && c == u'\\');
}

bool endsWithSeparator(const QString& path, PathStyle style)
{
    return !path.isEmpty() && isSeparator(path.back(), style);
}

Qt::CaseSensitivity caseSensitivity(PathStyle style)
{
    return style == PathStyle::Windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

bool samePath(const QString& a, const QString& b, PathStyle style)
{
    return stripped(normalSeparators(a, style), style)
               .compare(stripped(normalSeparators(b, style), style), caseSensitivity(style)) == 0;
}

bool isInside(const QString& path, const QString& dir, PathStyle style)
{
    const QString p = stripped(normalSeparators(path, style), style);
    const QString d = stripped(normalSeparators(dir, style), style);
    if (d.isEmpty() || p.isEmpty())
        return false;
    if (p.compare(d, caseSensitivity(style)) == 0)
        return true;
    const QString prefix = endsWithSeparator(d, style) ? d : d + separator(style);
    return p.startsWith(prefix, caseSensitivity(style));
}

QString treeKey(const QString& path, PathStyle style)
{
    const QString key = stripped(normalSeparators(path, style), style);
    return style == PathStyle::Windows ? key.toUpper() : key;
}

QString join(const QString& dir, const QString& name, PathStyle style)
{
    if (dir.isEmpty())
        return name;
    if (endsWithSeparator(dir, style))
        return dir + name;
    return dir + separator(style) + name;
}

QString parentOf(const QString& path, PathStyle style)
{
    const QString p = stripped(normalSeparators(path, style), style);
    qsizetype cut = -1;
    for (qsizetype i = p.size() - 1; i >= 0; --i) {
        if (isSeparator(p.at(i), style)) {
            cut = i;
            break;
        }
    }
    if (cut < 0)
        return {};
    if (style == PathStyle::Posix && cut == 0)
        return p.size() > 1 ? QStringLiteral("/") : QString();
    return p.left(cut);
}

QString lastComponent(const QString& path, PathStyle style)
{
    const QString p = stripped(normalSeparators(path, style), style);
    for (qsizetype i = p.size() - 1; i >= 0; --i) {
        if (isSeparator(p.at(i), style))
            return p.mid(i + 1);
    }
    return p;
}

bool isBareDrive(const QString& path, PathStyle style)
{
    if (style != PathStyle::Windows || path.size() != 2 || path.at(1) != u':')
        return false;
    const QChar c = path.at(0);
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isDriveRootIn(const QString& path, const QStringList& roots, PathStyle style)
{
    if (style == PathStyle::Windows) {
        QString p = normalSeparators(path, style);
        if (p.size() == 2)
            p += u'\\';
        if (p.size() != 3)
            return false;
        for (const QString& root : roots) {
            if (normalSeparators(root, style).compare(p, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }
    if (path.isEmpty())
        return false;
    const QString p = stripped(path, style);
    for (const QString& root : roots) {
        if (stripped(root, style) == p)
            return true;
    }
    return false;
}

QString driveKeyOf(const QString& path, const QStringList& driveKeys, PathStyle style)
{
    if (style == PathStyle::Windows) {
        const QString p = normalSeparators(path, style);
        const qsizetype cut = p.indexOf(u'\\');
        const QString drive = treeKey(cut < 0 ? p : p.left(cut), style);
        for (const QString& key : driveKeys) {
            if (key.compare(drive, Qt::CaseInsensitive) == 0)
                return key;
        }
        return {};
    }
    QString best;
    for (const QString& key : driveKeys) {
        if (isInside(path, key, style) && key.size() > best.size())
            best = key;
    }
    return best;
}

QStringList walkPrefixes(const QString& path, const QString& driveKey, PathStyle style)
{
    const QString key = treeKey(path, style);
    if (driveKey.isEmpty() || !isInside(key, driveKey, style))
        return {};
    QStringList prefixes{driveKey};
    const QString rest = key.mid(driveKey.size());
    QString current = driveKey;
    for (const QString& part : rest.split(separator(style), Qt::SkipEmptyParts)) {
        current = join(current, part, style);
        prefixes.append(current);
    }
    return prefixes;
}

QString folderDisplayName(const QString& name)
{
    if (name.isEmpty() || name != name.toUpper())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

bool isValidFolderName(const QString& name, PathStyle style)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == u'/')
            return false;
        if (style == PathStyle::Windows && QStringView(u"\\:*?\"<>|").contains(c))
            return false;
    }
    if (style == PathStyle::Windows && (name.endsWith(u'.') || name.endsWith(u' ')))
        return false;
    return true;
}

QString newFolderName(int n)
{
    const QString base = QStringLiteral("新しいフォルダ");
    return n <= 1 ? base : base + u'(' + QString::number(n) + u')';
}

} // namespace lc::projectpaths
