#include "platform/volumerules.h"
#include "project/recyclebin.h"
#include "project/projectpaths.h"

#include <QTest>

using namespace lc;
namespace pp = lc::projectpaths;

Q_DECLARE_METATYPE(lc::PathStyle)
Q_DECLARE_METATYPE(lc::DeletionRefusal)

// The path rules of both systems, checked wherever the tests run.
class TestProjectPaths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void treeKey_data();
    void treeKey();
    void joinAndParent_data();
    void joinAndParent();
    void walkPrefixes_data();
    void walkPrefixes();
    void driveRoots_data();
    void driveRoots();
    void samePathAndInside_data();
    void samePathAndInside();
    void folderNames_data();
    void folderNames();
    void deletionRefusal_data();
    void deletionRefusal();
    void userVolumes_data();
    void userVolumes();
};

void TestProjectPaths::treeKey_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::newRow("windows upper case") << PathStyle::Windows << "c:\\Data\\koji"
                                        << "C:\\DATA\\KOJI";
    QTest::newRow("windows root") << PathStyle::Windows << "d:\\"
                                  << "D:";
    QTest::newRow("windows bare drive") << PathStyle::Windows << "D:"
                                        << "D:";
    QTest::newRow("windows forward slashes") << PathStyle::Windows << "c:/a/b/"
                                             << "C:\\A\\B";
    QTest::newRow("windows kana kept") << PathStyle::Windows << "C:\\ﾃﾞｰﾀ\\工事"
                                       << "C:\\ﾃﾞｰﾀ\\工事";
    QTest::newRow("posix exact") << PathStyle::Posix << "/home/u/Data"
                                 << "/home/u/Data";
    QTest::newRow("posix trailing separator") << PathStyle::Posix << "/home/u/Data/"
                                              << "/home/u/Data";
    QTest::newRow("posix root stays") << PathStyle::Posix << "/"
                                      << "/";
    QTest::newRow("posix backslash is a character") << PathStyle::Posix << "/a\\b"
                                                    << "/a\\b";
}

void TestProjectPaths::treeKey()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, path);
    QFETCH(QString, key);
    QCOMPARE(pp::treeKey(path, style), key);
}

void TestProjectPaths::joinAndParent_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("joined");
    QTest::addColumn<QString>("parent");
    QTest::newRow("windows drive") << PathStyle::Windows << "C:"
                                   << "A"
                                   << "C:\\A"
                                   << "C:";
    QTest::newRow("windows root") << PathStyle::Windows << "C:\\"
                                  << "A"
                                  << "C:\\A"
                                  << "C:";
    QTest::newRow("windows deep") << PathStyle::Windows << "C:\\A"
                                  << "B"
                                  << "C:\\A\\B"
                                  << "C:\\A";
    QTest::newRow("posix root") << PathStyle::Posix << "/"
                                << "a"
                                << "/a"
                                << "/";
    QTest::newRow("posix deep") << PathStyle::Posix << "/a"
                                << "b"
                                << "/a/b"
                                << "/a";
}

void TestProjectPaths::joinAndParent()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, dir);
    QFETCH(QString, name);
    QFETCH(QString, joined);
    QFETCH(QString, parent);
    QCOMPARE(pp::join(dir, name, style), joined);
    QCOMPARE(pp::parentOf(joined, style), parent);
    QCOMPARE(pp::lastComponent(joined, style), name);
}

void TestProjectPaths::walkPrefixes_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QStringList>("drives");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("prefixes");
    QTest::newRow("windows") << PathStyle::Windows << QStringList{"A:", "C:"} << "c:\\data\\koji"
                             << QStringList{"C:", "C:\\DATA", "C:\\DATA\\KOJI"};
    QTest::newRow("windows drive only")
        << PathStyle::Windows << QStringList{"C:"} << "C:\\" << QStringList{"C:"};
    QTest::newRow("windows unknown drive")
        << PathStyle::Windows << QStringList{"C:"} << "Q:\\x" << QStringList{};
    QTest::newRow("posix root") << PathStyle::Posix << QStringList{"/", "/home/u"} << "/srv/p"
                                << QStringList{"/", "/srv", "/srv/p"};
    // The deepest mount point that holds the path is its drive.
    QTest::newRow("posix home") << PathStyle::Posix << QStringList{"/", "/home/u"} << "/home/u/p/q"
                                << QStringList{"/home/u", "/home/u/p", "/home/u/p/q"};
    QTest::newRow("posix similar name")
        << PathStyle::Posix << QStringList{"/", "/home/u"} << "/home/us/p"
        << QStringList{"/", "/home", "/home/us", "/home/us/p"};
    QTest::newRow("posix no drive")
        << PathStyle::Posix << QStringList{"/media/x"} << "/srv/p" << QStringList{};
}

void TestProjectPaths::walkPrefixes()
{
    QFETCH(PathStyle, style);
    QFETCH(QStringList, drives);
    QFETCH(QString, path);
    QFETCH(QStringList, prefixes);
    const QString drive = pp::driveKeyOf(pp::treeKey(path, style), drives, style);
    QCOMPARE(pp::walkPrefixes(path, drive, style), prefixes);
}

void TestProjectPaths::driveRoots_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("root");
    const QStringList roots{"A:\\", "C:\\", "D:\\"};
    QTest::newRow("with backslash") << PathStyle::Windows << "C:\\" << true;
    QTest::newRow("without backslash") << PathStyle::Windows << "d:" << true;
    QTest::newRow("lower case") << PathStyle::Windows << "a:\\" << true;
    QTest::newRow("not a drive of the system") << PathStyle::Windows << "Q:\\" << false;
    QTest::newRow("folder") << PathStyle::Windows << "C:\\A" << false;
    QTest::newRow("posix mount") << PathStyle::Posix << "/media/usb/" << true;
    QTest::newRow("posix root") << PathStyle::Posix << "/" << true;
    QTest::newRow("posix folder") << PathStyle::Posix << "/media" << false;
    QTest::newRow("empty") << PathStyle::Posix << "" << false;
}

void TestProjectPaths::driveRoots()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, path);
    QFETCH(bool, root);
    const QStringList roots = style == PathStyle::Windows ? QStringList{"A:\\", "C:\\", "D:\\"}
                                                          : QStringList{"/", "/media/usb"};
    QCOMPARE(pp::isDriveRootIn(path, roots, style), root);
}

void TestProjectPaths::samePathAndInside_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::addColumn<bool>("inside");
    QTest::newRow("windows case") << PathStyle::Windows << "c:\\data\\koji"
                                  << "C:\\DATA\\KOJI" << true << true;
    QTest::newRow("windows below") << PathStyle::Windows << "C:\\DATA\\KOJI\\X"
                                   << "c:\\data" << false << true;
    QTest::newRow("windows prefix only") << PathStyle::Windows << "C:\\DATA2"
                                         << "C:\\DATA" << false << false;
    QTest::newRow("posix case matters") << PathStyle::Posix << "/data/koji"
                                        << "/data/KOJI" << false << false;
    QTest::newRow("posix trailing separator") << PathStyle::Posix << "/data/koji/"
                                              << "/data/koji" << true << true;
    QTest::newRow("posix below root") << PathStyle::Posix << "/data"
                                      << "/" << false << true;
}

void TestProjectPaths::samePathAndInside()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QFETCH(bool, inside);
    QCOMPARE(pp::samePath(a, b, style), same);
    QCOMPARE(pp::isInside(a, b, style), inside);
}

void TestProjectPaths::folderNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("validWindows");
    QTest::addColumn<bool>("validPosix");
    QTest::newRow("capitals") << "DATA"
                              << "Data" << true << true;
    QTest::newRow("mixed") << "Data"
                           << "Data" << true << true;
    QTest::newRow("small") << "data"
                           << "data" << true << true;
    QTest::newRow("capitals and digits") << "WIN95_A"
                                         << "Win95_a" << true << true;
    QTest::newRow("japanese") << "工事"
                              << "工事" << true << true;
    QTest::newRow("full-width capitals") << "ＡＢ工事"
                                         << "Ａｂ工事" << true << true;
    QTest::newRow("colon") << "a:b"
                           << "a:b" << false << true;
    QTest::newRow("slash") << "a/b"
                           << "a/b" << false << false;
    QTest::newRow("trailing dot") << "abc."
                                  << "abc." << false << true;
    QTest::newRow("dot dot") << ".."
                             << ".." << false << false;
    QTest::newRow("empty") << ""
                           << "" << false << false;
}

void TestProjectPaths::folderNames()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QFETCH(bool, validWindows);
    QFETCH(bool, validPosix);
    QCOMPARE(pp::folderDisplayName(name), shown);
    QCOMPARE(pp::isValidFolderName(name, PathStyle::Windows), validWindows);
    QCOMPARE(pp::isValidFolderName(name, PathStyle::Posix), validPosix);
}

void TestProjectPaths::deletionRefusal_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<DeletionRefusal>("refusal");
    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    QTest::newRow("windows project") << W << "D:\\KOJI\\P1" << DeletionRefusal::None;
    QTest::newRow("windows drive root") << W << "D:\\" << DeletionRefusal::DriveRoot;
    QTest::newRow("windows bare drive") << W << "d:" << DeletionRefusal::DriveRoot;
    QTest::newRow("windows share") << W << "\\\\server\\share" << DeletionRefusal::DriveRoot;
    QTest::newRow("windows installation") << W << "c:\\mabora" << DeletionRefusal::InstallDir;
    QTest::newRow("windows above installation") << W << "C:\\" << DeletionRefusal::DriveRoot;
    QTest::newRow("windows holds master") << W << "D:\\KOJI" << DeletionRefusal::HoldsMasterDir;
    QTest::newRow("windows holds import") << W << "E:\\IN" << DeletionRefusal::HoldsImportDir;
    QTest::newRow("windows relative") << W << "KOJI" << DeletionRefusal::Unsafe;
    QTest::newRow("posix project") << P << "/srv/koji/p1" << DeletionRefusal::None;
    QTest::newRow("posix root") << P << "/" << DeletionRefusal::DriveRoot;
    QTest::newRow("posix mount") << P << "/media/usb" << DeletionRefusal::DriveRoot;
    QTest::newRow("posix installation") << P << "/opt/mabora" << DeletionRefusal::InstallDir;
    QTest::newRow("posix above installation") << P << "/opt" << DeletionRefusal::InstallDir;
    QTest::newRow("posix home") << P << "/home/u" << DeletionRefusal::Home;
    QTest::newRow("posix above home") << P << "/home" << DeletionRefusal::Home;
    QTest::newRow("posix inside home") << P << "/home/u/p" << DeletionRefusal::None;
    QTest::newRow("posix holds master") << P << "/srv/koji" << DeletionRefusal::HoldsMasterDir;
    QTest::newRow("posix dot dot") << P << "/srv/koji/.." << DeletionRefusal::Unsafe;
}

void TestProjectPaths::deletionRefusal()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, dir);
    QFETCH(DeletionRefusal, refusal);
    DeletionFacts facts;
    if (style == PathStyle::Windows) {
        facts = {"C:\\MABORA",
                 "C:\\Users\\u",
                 {"C:\\", "D:\\", "E:\\"},
                 "D:\\KOJI\\MASTER",
                 "E:\\IN\\X"};
    } else {
        facts = {"/opt/mabora", "/home/u", {"/", "/media/usb"}, "/srv/koji/master", "/srv/in"};
    }
    QCOMPARE(lc::deletionRefusal(dir, facts, style), refusal);
    QCOMPARE(deletionRefusalText(refusal).isEmpty(), refusal == DeletionRefusal::None);
}

void TestProjectPaths::userVolumes_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QByteArray>("fs");
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<bool>("shown");
    QTest::newRow("root overlay of a container")
        << "/" << QByteArray("overlay") << QByteArray("overlay") << true;
    QTest::newRow("home partition")
        << "/home" << QByteArray("ext4") << QByteArray("/dev/sda3") << true;
    QTest::newRow("usb stick") << "/media/u/STICK" << QByteArray("vfat") << QByteArray("/dev/sdb1")
                               << true;
    QTest::newRow("desktop media")
        << "/run/media/u/DVD" << QByteArray("iso9660") << QByteArray("/dev/sr0") << true;
    QTest::newRow("network share")
        << "/mnt/share" << QByteArray("cifs") << QByteArray("//srv/share") << true;
    QTest::newRow("nfs") << "/data" << QByteArray("nfs4") << QByteArray("srv:/data") << true;
    QTest::newRow("boot") << "/boot/efi" << QByteArray("vfat") << QByteArray("/dev/sda1") << false;
    QTest::newRow("run") << "/run/user/1000" << QByteArray("tmpfs") << QByteArray("tmpfs") << false;
    QTest::newRow("tmp") << "/tmp" << QByteArray("tmpfs") << QByteArray("tmpfs") << false;
    QTest::newRow("snap") << "/snap/core/1" << QByteArray("squashfs") << QByteArray("/dev/loop0")
                          << false;
    QTest::newRow("memory mount") << "/mnt/tools" << QByteArray("tmpfs") << QByteArray("none")
                                  << false;
    QTest::newRow("bind of nothing")
        << "/mnt/x" << QByteArray("ext4") << QByteArray("unknown") << false;
}

void TestProjectPaths::userVolumes()
{
    QFETCH(QString, root);
    QFETCH(QByteArray, fs);
    QFETCH(QByteArray, device);
    QFETCH(bool, shown);
    QCOMPARE(volumes::isUserVolume(root, fs, device), shown);
}

QTEST_GUILESS_MAIN(TestProjectPaths)
#include "tst_projectpaths.moc"
