#include "recyclebin.h"

#include "common/fileerror.h"
#include "platform/platform.h"
#include "projectpaths.h"

#include <QFileInfo>

namespace lc {

int sendToRecycleBin(Platform& platform, const QString& path, bool silent)
{
    const qsizetype nul = path.indexOf(QChar(0));
    const QString target = nul < 0 ? path : path.left(nul);
    if (target.isEmpty())
        return FileError::BadFileName;
    const int error =
        silent ? platform.moveToRecycleBin(target) : platform.moveToRecycleBinAsking(target);
    if (error != FileError::None)
        return error;
    // Whatever the system said: the entry must be gone, file or directory.
    const QFileInfo info(target);
    if (info.exists() || info.isSymLink())
        return FileError::PathFileAccess;
    return FileError::None;
}

bool DeleteToRecycleBin(Platform& platform, const QString& path, bool silent)
{
    return sendToRecycleBin(platform, path, silent) == FileError::None;
}

DeletionRefusal deletionRefusal(const QString& directory, const DeletionFacts& facts,
                                PathStyle style)
{
    using namespace projectpaths;
    if (!paths::isFullPath(directory, style))
        return DeletionRefusal::Unsafe;
    if (isDriveRootIn(directory, facts.driveRoots, style) || isBareDrive(directory, style) ||
        parentOf(directory, style).isEmpty())
        return DeletionRefusal::DriveRoot;
    const QString name = lastComponent(directory, style);
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return DeletionRefusal::Unsafe;
    // A network share ("\\server\share") is a drive of its own.
    if (style == PathStyle::Windows && directory.startsWith(QStringLiteral("\\\\")) &&
        QString(directory).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts).size() <= 2)
        return DeletionRefusal::DriveRoot;
    if (!facts.installDir.isEmpty() && isInside(facts.installDir, directory, style))
        return DeletionRefusal::InstallDir;
    if (!facts.homeDir.isEmpty() && isInside(facts.homeDir, directory, style))
        return DeletionRefusal::Home;
    if (!facts.masterDir.isEmpty() && isInside(facts.masterDir, directory, style))
        return DeletionRefusal::HoldsMasterDir;
    if (!facts.importDir.isEmpty() && isInside(facts.importDir, directory, style))
        return DeletionRefusal::HoldsImportDir;
    return DeletionRefusal::None;
}

QString deletionRefusalText(DeletionRefusal refusal, RefusedAction action)
{
    const QString cannot = action == RefusedAction::Delete ? QStringLiteral("削除できません。")
                                                           : QStringLiteral("名前を変更できません。");
    switch (refusal) {
    case DeletionRefusal::None:
        return {};
    case DeletionRefusal::Unsafe:
        return QStringLiteral("ディレクトリの指定が正しくないため") + cannot;
    case DeletionRefusal::DriveRoot:
        return QStringLiteral("ドライブのルートディレクトリは") + cannot;
    case DeletionRefusal::InstallDir:
        return QStringLiteral("メインメニューのインストール先を含むため") + cannot;
    case DeletionRefusal::Home:
        return QStringLiteral("ユーザーのホームディレクトリを含むため") + cannot;
    case DeletionRefusal::HoldsMasterDir:
        return QStringLiteral("マスター用のディレクトリを含むため") + cannot;
    case DeletionRefusal::HoldsImportDir:
        return QStringLiteral("吸上用のディレクトリを含むため") + cannot;
    }
    return {};
}

} // namespace lc
