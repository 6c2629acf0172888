#include "markers.h"

#include "fileerror.h"
#include "quotedfields.h"
#include "recordfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lc {

int Markers::rename(const QString& from, const QString& to) const
{
    const QString source = m_dir.file(from);
    if (!QFileInfo::exists(source))
        return FileError::FileNotFound;
    const QString target = m_dir.path() + u'/' + to;
    if (QFileInfo::exists(m_dir.file(to)))
        return FileError::PathFileAccess;
    FileError::clearSystemCode();
    QFile f(source);
    if (!f.rename(target))
        return FileError::fromDevice(f);
    return FileError::None;
}

int Markers::remove(const QString& marker) const
{
    const QString path = m_dir.file(marker);
    if (!QFileInfo::exists(path))
        return FileError::None;
    FileError::clearSystemCode();
    QFile f(path);
    if (!f.remove())
        return FileError::fromDevice(f);
    return FileError::None;
}

int Markers::write(const QString& marker, const QByteArray& content) const
{
    return saveFileContents(m_dir.file(marker), content);
}

int Markers::resetAtStartUp() const
{
    int error = FileError::None;
    if (!exists(Marker::Menu))
        error = write(Marker::Menu, writeQuotedRecord({QStringLiteral("om")}));
    remove(Marker::AppHnd);
    remove(Marker::App);
    remove(Marker::Sub);
    return error;
}

QString describeRenameFailure(const QString& from, const QString& to, int error)
{
    if (error == FileError::FileNotFound)
        return QStringLiteral("制御ファイル「%1」が見つからないため、「%2」に切り替えられません。").arg(from, to);
    if (FileError::isAccessError(error))
        return QStringLiteral("制御ファイル「%1」を「%2」に切り替えられません。\n（「%2」が既にあるか、書き込みできません）")
            .arg(from, to);
    return QStringLiteral("制御ファイル「%1」を「%2」に切り替えられません。（エラー %3）").arg(from, to).arg(error);
}

QString readOnlyInstallDirText(const QString& installDir)
{
    return QStringLiteral("インストール先のフォルダに書き込めません。\n") +
           QDir::toNativeSeparators(installDir) +
           QStringLiteral("\n\n制御ファイル「menu」を作成できないため、\n各システムを起動できません。");
}

} // namespace lc
