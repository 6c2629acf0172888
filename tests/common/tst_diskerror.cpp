#include "common/diskerror.h"
#include "common/messagebox.h"
#include "testcontext.h"

#include <QTest>

#include <cstdlib>

using namespace lc;
using lc::test::TestContext;

Q_DECLARE_METATYPE(lc::DriveType)
Q_DECLARE_METATYPE(lc::PathStyle)

namespace {

// The title with its full-width hyphen-minus (U+FF0D), spelled independently of
// the code under test.
const QString Title = QStringLiteral("ディスクエラ\uFF0D");

QString notReady(const QString& drive)
{
    return QStringLiteral("ディスクを\uFF08") + drive +
           QStringLiteral("\uFF09ドライブに入れてドアを閉じて下さい。");
}

QString noSuchPath(const QString& path)
{
    return path + QStringLiteral("\n\n指定されたパスが存在しません。");
}

} // namespace

class TestDiskError : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void messages_data();
    void messages();
    void noMessage_data();
    void noMessage();
};

void TestDiskError::messages_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("root");
    QTest::addColumn<DriveType>("type");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("boxStyle");

    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    const QString a = QStringLiteral("A:\\");
    const QString d = QStringLiteral("D:\\");

    QTest::newRow("71 lower-case a, retry") << W << 71 << "a:\\zumen" << a << DriveType::Removable
                                            << 4 << notReady(QStringLiteral("A")) << 53;
    QTest::newRow("71 cancel") << W << 71 << "a" << a << DriveType::Removable << 2
                               << notReady(QStringLiteral("A")) << 53;
    QTest::newRow("52 same as 71")
        << W << 52 << "d:" << d << DriveType::Fixed << 4 << notReady(QStringLiteral("D")) << 53;
    QTest::newRow("53") << W << 53 << "d:\\x" << d << DriveType::Fixed << 1
                        << QStringLiteral("ファイルが見つかりません。") << 0;
    QTest::newRow("55 small o") << W << 55 << "d" << d << DriveType::Fixed << 1
                                << QStringLiteral("ファイルはすでに\u30A9\uFF0Dプンされています。")
                                << 0;
    QTest::newRow("57 ideographic space")
        << W << 57 << "d" << d << DriveType::Fixed << 4
        << QStringLiteral("内部ディスク\u3000エラ\uFF0Dが発生しました。") << 37;
    QTest::newRow("61 yes") << W << 61 << "d" << d << DriveType::Remote << 6
                            << QStringLiteral("ディスクが一杯です。処理を続けますか？") << 51;
    QTest::newRow("61 no") << W << 61 << "d" << d << DriveType::Remote << 7
                           << QStringLiteral("ディスクが一杯です。処理を続けますか？") << 51;
    QTest::newRow("64") << W << 64 << "d" << d << DriveType::Fixed << 1
                        << QStringLiteral("ファイル名が正しくありません。") << 0;
    QTest::newRow("68 stop") << W << 68 << "d" << d << DriveType::Fixed << 1
                             << QStringLiteral("デバイスが準備されていません。") << 16;
    QTest::newRow("76 whole path upper case")
        << W << 76 << "d:\\genba\\data" << d << DriveType::Fixed << 1
        << noSuchPath(QStringLiteral("D:\\GENBA\\DATA")) << 0;
    QTest::newRow("75 like 76") << W << 75 << "d:\\a" << d << DriveType::Remote << 1
                                << noSuchPath(QStringLiteral("D:\\A")) << 0;
    // A path the program made itself (Qt's form) is named as Windows names paths.
    QTest::newRow("76 forward slashes") << W << 76 << "d:/genba/data" << d << DriveType::Fixed << 1
                                        << noSuchPath(QStringLiteral("D:\\GENBA\\DATA")) << 0;

    // POSIX: the mount point stands for the drive, paths keep their case.
    QTest::newRow("posix 71 names the mount point") << P << 71 << "/media/usb/Zumen"
                                                    << "/media/usb" << DriveType::Removable << 4
                                                    << notReady(QStringLiteral("/media/usb")) << 53;
    QTest::newRow("posix 76 keeps the case")
        << P << 76 << "/home/Taro/Data"
        << "/" << DriveType::Fixed << 1 << noSuchPath(QStringLiteral("/home/Taro/Data")) << 0;
    // A path that exists but may not be written says so, and can be tried again.
    QTest::newRow("posix 70 permission, retry")
        << P << 70 << "/opt/launcher" << "/" << DriveType::Fixed << 4
        << QStringLiteral("/opt/launcher\n\nアクセスが拒否されました。\n書き込みの権限を確かめて下さい。") << 53;
    QTest::newRow("posix 70 on a read")
        << P << -70 << "/srv/other" << "/" << DriveType::Fixed << 2
        << QStringLiteral("/srv/other\n\nアクセスが拒否されたため、読み取れません。\n読み取りの権限を確かめて下さい。")
        << 53;
    QTest::newRow("72 write-protected")
        << W << 72 << "a:\\genba" << a << DriveType::Removable << 4
        << QStringLiteral("A:\\GENBA\n\nディスクが書き込み禁止になっています。") << 53;
}

void TestDiskError::messages()
{
    QFETCH(PathStyle, style);
    QFETCH(int, error);
    QFETCH(QString, drive);
    QFETCH(QString, root);
    QFETCH(DriveType, type);
    QFETCH(int, answer);
    QFETCH(QString, text);
    QFETCH(int, boxStyle);

    TestContext tc;
    tc.platform.roots = {QStringLiteral("/"), QStringLiteral("/media/usb"), QStringLiteral("A:\\"),
                         QStringLiteral("D:\\")};
    tc.platform.driveTypes[root] = type;
    tc.messages.answers.enqueue(answer);

    // A negative number stands for the error on a read.
    const DiskAccess access = error < 0 ? DiskAccess::Read : DiskAccess::Write;
    QCOMPARE(DiskErrorMessage(tc.context, std::abs(error), drive, style, access), answer);
    QCOMPARE(tc.messages.shown.size(), 1);
    const MessageRequest& box = tc.messages.shown.first();
    QCOMPARE(box.text, text);
    QCOMPARE(box.title, Title);
    QCOMPARE(box.style, boxStyle);
}

void TestDiskError::noMessage_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("drive");
    QTest::addColumn<DriveType>("type");
    QTest::addColumn<int>("result");

    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    QTest::newRow("cd-rom") << W << 71 << "e:\\" << DriveType::CdRom << 0;
    QTest::newRow("ram disk") << W << 76 << "e:\\x" << DriveType::RamDisk << 0;
    QTest::newRow("unknown type") << W << 71 << "e" << DriveType::Unknown << 0;
    QTest::newRow("no such drive") << W << 71 << "e" << DriveType::NoRootDir << 0;
    QTest::newRow("empty drive text") << W << 71 << "" << DriveType::Fixed << 0;
    QTest::newRow("error 0") << W << 0 << "c" << DriveType::Fixed << 0;
    QTest::newRow("error 5 not in the table") << W << 5 << "c" << DriveType::Fixed << 3;
    QTest::newRow("posix tmpfs") << P << 71 << "/e/x" << DriveType::RamDisk << 0;
    QTest::newRow("posix error 74") << P << 74 << "/e/x" << DriveType::Fixed << 3;
}

void TestDiskError::noMessage()
{
    QFETCH(PathStyle, style);
    QFETCH(int, error);
    QFETCH(QString, drive);
    QFETCH(DriveType, type);
    QFETCH(int, result);

    TestContext tc;
    tc.platform.roots = {QStringLiteral("/"), QStringLiteral("/e"), QStringLiteral("E:\\"),
                         QStringLiteral("C:\\")};
    for (const QString& root : tc.platform.roots)
        tc.platform.driveTypes[root] = type;
    QCOMPARE(DiskErrorMessage(tc.context, error, drive, style), result);
    QVERIFY(tc.messages.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestDiskError)
#include "tst_diskerror.moc"
