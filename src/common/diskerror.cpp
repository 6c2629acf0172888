#include "diskerror.h"

#include "appcontext.h"
#include "fileerror.h"
#include "messagebox.h"
#include "platform/platform.h"

namespace lc {

int DiskErrorMessage(AppContext& context, int errorNumber, const QString& drive,
                     DiskAccess access)
{
    return DiskErrorMessage(context, errorNumber, drive, nativePathStyle(), access);
}

int DiskErrorMessage(AppContext& context, int errorNumber, const QString& drive, PathStyle style,
                     DiskAccess access)
{
    if (errorNumber == FileError::None || drive.isEmpty() || !context.platform)
        return 0;

    // The drive as the messages name it: the letter on Windows, the mount point
    // on POSIX. Paths keep their letter case on POSIX, where case matters; on
    // Windows they are named in capitals with the system's separator.
    QString root;
    QString driveName;
    QString pathName;
    if (style == PathStyle::Windows) {
        root = paths::windowsDriveRoot(drive);
        driveName = paths::windowsDriveLetter(drive);
        pathName = drive.toUpper().replace(u'/', u'\\');
    } else {
        root = context.platform->driveOf(drive);
        driveName = root;
        pathName = drive;
    }

    const DriveType type = context.platform->driveType(root);
    if (type != DriveType::Removable && type != DriveType::Fixed && type != DriveType::Remote)
        return 0;

    QString text;
    int boxStyle = Msg::Ok;
    switch (errorNumber) {
    case FileError::BadFileNameOrNumber:
    case FileError::DiskNotReady:
        text = QStringLiteral("ディスクを（") + driveName +
               QStringLiteral("）ドライブに入れてドアを閉じて下さい。");
        boxStyle = Msg::RetryCancel + Msg::Exclamation; // 53
        break;
    case FileError::FileNotFound:
        text = QStringLiteral("ファイルが見つかりません。");
        boxStyle = Msg::Ok; // 0
        break;
    case FileError::FileAlreadyOpen:
        text = QStringLiteral("ファイルはすでにォ－プンされています。");
        boxStyle = Msg::Ok;
        break;
    case FileError::DeviceIO:
        text = QStringLiteral("内部ディスク　エラ－が発生しました。");
        boxStyle = Msg::RetryCancel + Msg::Question; // 37
        break;
    case FileError::DiskFull:
        text = QStringLiteral("ディスクが一杯です。処理を続けますか？");
        boxStyle = Msg::YesNoCancel + Msg::Exclamation; // 51
        break;
    case FileError::BadFileName:
        text = QStringLiteral("ファイル名が正しくありません。");
        boxStyle = Msg::Ok;
        break;
    case FileError::DeviceUnavailable:
        text = QStringLiteral("デバイスが準備されていません。");
        boxStyle = Msg::Ok + Msg::Critical; // 16
        break;
    // The refusals of a path that exists: the text names the cause, and a retry
    // helps once the user has mended it (a write-protect tab, a permission, a
    // folder in the way).
    case FileError::PermissionDenied:
        text = access == DiskAccess::Read
                   ? pathName + QStringLiteral("\n\nアクセスが拒否されたため、読み取れません。\n"
                                               "読み取りの権限を確かめて下さい。")
                   : pathName + QStringLiteral("\n\nアクセスが拒否されました。\n書き込みの権限を確かめて下さい。");
        boxStyle = Msg::RetryCancel + Msg::Exclamation;
        break;
    case FileError::WriteProtected:
        text = pathName + QStringLiteral("\n\nディスクが書き込み禁止になっています。");
        boxStyle = Msg::RetryCancel + Msg::Exclamation;
        break;
    case FileError::NotAFile:
        text = pathName + QStringLiteral("\n\n同じ名前のフォルダがあるため、ファイルを書き込めません。");
        boxStyle = Msg::RetryCancel + Msg::Exclamation;
        break;
    case FileError::FileTooLarge:
        text = pathName + QStringLiteral("\n\nファイルが大きすぎます。");
        boxStyle = Msg::Ok + Msg::Exclamation;
        break;
    case FileError::PathFileAccess:
    case FileError::PathNotFound:
        text = pathName + QStringLiteral("\n\n指定されたパスが存在しません。");
        boxStyle = Msg::Ok;
        break;
    default:
        return 3;
    }
    if (!context.messages)
        return 0;
    return context.messages->show(text, DiskErrorTitle, boxStyle);
}

} // namespace lc
