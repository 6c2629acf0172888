#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/fileerror.h"
#include "common/messagebox.h"
#include "common/settingsfiles.h"
#include "common/pathrules.h"
#include "testcontext.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

using namespace lc;
using lc::test::TestContext;
using lc::test::onWindows;

Q_DECLARE_METATYPE(lc::PathStyle)

namespace {

const QStringList AllFiles = {QStringLiteral("WOMSET"), QStringLiteral("WKVSET"),
                              QStringLiteral("WKPSET"), QStringLiteral("WMLSET"),
                              QStringLiteral("WPVSET"), QStringLiteral("WZDSET")};

QByteArray records(const QStringList& texts)
{
    QByteArray out;
    for (const QString& t : texts)
        out += fixedField(t, 128);
    return out;
}

// The suite's programs read and write the paths in the system's own form.
QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// An installation with three working directories beside it.
struct Install
{
    TestContext tc;
    QString master;
    QString data;
    QString import;

    Install()
    {
        master = makeDir(QStringLiteral("master"));
        data = makeDir(QStringLiteral("現場～データ"));
        import = makeDir(QStringLiteral("import"));
    }

    QString makeDir(const QString& name) const
    {
        const QString p = tc.path(QStringLiteral("work/") + name);
        QDir().mkpath(p);
        return native(p);
    }

    QString install() const { return native(tc.dir()); }
    QString slot(int k) { return tc.context.drivePath[k]; }
    void load() { LoadDrivePaths(tc.context); }

    // True when none of the five copies exists.
    bool noCopies() const
    {
        for (const QString& name : AllFiles.mid(1)) {
            if (tc.exists(name))
                return false;
        }
        return true;
    }

    // All six files hold exactly bytes.
    void verifyAllFiles(const QByteArray& bytes) const
    {
        for (const QString& name : AllFiles)
            QCOMPARE(tc.readFile(name), bytes);
    }
};

} // namespace

class TestDrivePaths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStart();
    void readingRule_data();
    void readingRule();
    void deletedDataDirectoryIsReplaced();
    void twoRecordFile();
    void twoRecordFileWithReplacedSlot();
    void fourthRecordKeptThroughSave();
    void allValidWritesNothing();
    void longPathsAreCutAtWholeCharacters();
    void saveWritesSlotsAsTheyStand();
    void saveReplacesLongerCopies();
    void diskNotReadyRetryThenCancel();
    void diskNotReadyRetrySucceeds();
    void otherLookupErrorsReplaceSilently_data();
    void otherLookupErrorsReplaceSilently();
    void saveFailureShownOnce();
    void unreadableFileKeepsPathsInMemory();
    void damagedFilesEndInUsablePaths();
    void pathRules_data();
    void pathRules();
    void fullPaths_data();
    void fullPaths();
    void longPathsWrapAtSeparators_data();
    void longPathsWrapAtSeparators();
};

void TestDrivePaths::firstStart()
{
    Install in;
    in.load();
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(in.slot(k), in.install());
    const QByteArray expected = records({in.install(), in.install(), in.install()});
    QCOMPARE(expected.size(), 384);
    in.verifyAllFiles(expected);
    QVERIFY(in.tc.messages.shown.isEmpty());
    QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(),
             QFileInfo(in.install()).canonicalFilePath());
}

void TestDrivePaths::readingRule_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("expected");

    // {/} is the system's separator, {root} its root directory.
    QTest::newRow("trailing separator and blanks")
        << QByteArray("  {work}{/}master{/}   ") << "{work}{/}master";
    QTest::newRow("only one separator removed")
        << QByteArray("{work}{/}master{/}{/}") << "{work}{/}master{/}";
    // On Windows the root "C:\" reads as the drive "C:", to which the suite's programs
    // add "\name" as to any other directory; "/" has no shorter form.
    QTest::newRow("root stays the root")
        << QByteArray("{root}") << (onWindows() ? QDir::rootPath().left(2) : QStringLiteral("{root}"));
    QTest::newRow("NUL padding") << (QByteArray("{work}{/}import") + QByteArray(40, '\0'))
                                 << "{work}{/}import";
    QTest::newRow("double-byte folder")
        << (QByteArray("{work}{/}") + toCodePage(u"現場～データ") + "{/}")
        << QStringLiteral("{work}{/}現場～データ");
}

void TestDrivePaths::readingRule()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, expected);
    Install in;
    const QString work = native(in.tc.path(QStringLiteral("work")));
    const QString root = native(QDir::rootPath());
    const QString separator = QDir::separator();
    record.replace("{work}", toCodePage(work));
    record.replace("{root}", toCodePage(root));
    record.replace("{/}", toCodePage(separator));
    expected.replace(QStringLiteral("{work}"), work);
    expected.replace(QStringLiteral("{root}"), root);
    expected.replace(QStringLiteral("{/}"), separator);
    QVERIFY(record.size() <= 128);
    const QByteArray file =
        record + QByteArray(128 - record.size(), ' ') + records({in.data, in.import});
    in.tc.writeFile(QStringLiteral("WOMSET"), file);

    in.load();
    QCOMPARE(in.slot(1), expected);
    QCOMPARE(in.slot(2), in.data);
    QCOMPARE(in.slot(3), in.import);
    // Nothing had to be replaced: nothing is written.
    QCOMPARE(in.tc.readFile(QStringLiteral("WOMSET")), file);
    QVERIFY(in.noCopies());
}

void TestDrivePaths::deletedDataDirectoryIsReplaced()
{
    Install in;
    in.tc.writeFile(QStringLiteral("WOMSET"), records({in.master, in.data, in.import}));
    QVERIFY(QDir(in.data).removeRecursively());
    in.load();
    QCOMPARE(in.slot(1), in.master);
    QCOMPARE(in.slot(2), in.install());
    QCOMPARE(in.slot(3), in.import);
    in.verifyAllFiles(records({in.master, in.install(), in.import}));
    QVERIFY(in.tc.messages.shown.isEmpty());
}

void TestDrivePaths::twoRecordFile()
{
    Install in;
    const QByteArray file = records({in.master, in.data});
    in.tc.writeFile(QStringLiteral("WOMSET"), file);
    in.load();
    QCOMPARE(in.slot(1), in.master);
    QCOMPARE(in.slot(2), in.data);
    QCOMPARE(in.slot(3), in.install());
    QCOMPARE(in.tc.readFile(QStringLiteral("WOMSET")), file);
    QVERIFY(in.noCopies());
}

void TestDrivePaths::twoRecordFileWithReplacedSlot()
{
    Install in;
    in.tc.writeFile(QStringLiteral("WOMSET"),
                    records({in.tc.path(QStringLiteral("gone")), in.data}));
    in.load();
    in.verifyAllFiles(records({in.install(), in.data, in.install()}));
}

void TestDrivePaths::fourthRecordKeptThroughSave()
{
    Install in;
    const QByteArray fourth = QByteArray("sibling's own record") + QByteArray(108, '\x01');
    in.tc.writeFile(QStringLiteral("WOMSET"),
                    records({in.master, in.tc.path(QStringLiteral("gone")), in.import}) + fourth);
    in.load();
    // The third record is read even though a fourth follows it.
    QCOMPARE(in.slot(3), in.import);
    QCOMPARE(in.slot(2), in.install());
    in.verifyAllFiles(records({in.master, in.install(), in.import}) + fourth);
}

void TestDrivePaths::allValidWritesNothing()
{
    Install in;
    const QByteArray file = records({in.master, in.data, in.import});
    in.tc.writeFile(QStringLiteral("WOMSET"), file);
    for (const QString& name : AllFiles.mid(1))
        in.tc.writeFile(name, name.toLatin1());
    in.load();
    QCOMPARE(in.tc.readFile(QStringLiteral("WOMSET")), file);
    for (const QString& name : AllFiles.mid(1))
        QCOMPARE(in.tc.readFile(name), name.toLatin1());
}

void TestDrivePaths::longPathsAreCutAtWholeCharacters()
{
    Install in;
    // 127 single bytes and then a double-byte character: byte 128 would be its
    // first half, so the record ends in a blank.
    const QString split = u'/' + QString(126, u'a') + QStringLiteral("建物");
    const QString ascii = u'/' + QString(299, u'b');
    in.tc.context.drivePath[1] = split;
    in.tc.context.drivePath[2] = ascii;
    in.tc.context.drivePath[3] = in.import;
    QCOMPARE(SaveDrivePaths(in.tc.context), 0);
    const QByteArray file = in.tc.readFile(QStringLiteral("WOMSET"));
    QCOMPARE(file.size(), 384);
    QCOMPARE(file.left(128), toCodePage(split).left(127) + ' ');
    QCOMPARE(file.mid(128, 128), toCodePage(ascii).left(128));
    QCOMPARE(fromCodePage(file.left(128)), split.left(127) + u' ');
}

void TestDrivePaths::saveWritesSlotsAsTheyStand()
{
    Install in;
    in.tc.context.drivePath[1] = QStringLiteral(" C:\\ ");
    in.tc.context.drivePath[2] = QString();
    in.tc.context.drivePath[3] = QStringLiteral("/x/");
    QCOMPARE(SaveDrivePaths(in.tc.context), 0);
    in.verifyAllFiles(records({QStringLiteral(" C:\\ "), QString(), QStringLiteral("/x/")}));
}

void TestDrivePaths::saveReplacesLongerCopies()
{
    Install in;
    in.tc.writeFile(QStringLiteral("WKPSET"), QByteArray(1000, 'z'));
    in.tc.context.drivePath[1] = in.master;
    in.tc.context.drivePath[2] = in.data;
    in.tc.context.drivePath[3] = in.import;
    QCOMPARE(SaveDrivePaths(in.tc.context), 0);
    in.verifyAllFiles(records({in.master, in.data, in.import}));
}

void TestDrivePaths::diskNotReadyRetryThenCancel()
{
    if (onWindows())
        QSKIP("Mount points of POSIX; drive letters are the disk messages' own test");
    Install in;
    const QString usb = QStringLiteral("/media/usb");
    const QString onUsb = usb + QStringLiteral("/genba");
    in.tc.platform.roots = {QStringLiteral("/"), usb};
    in.tc.platform.driveTypes[usb] = DriveType::Removable;
    int checks = 0;
    in.tc.platform.directoryCheck = [&](const QString& path) {
        if (path == onUsb) {
            ++checks;
            return int(FileError::DiskNotReady);
        }
        return QFileInfo(path).isDir() ? 0 : int(FileError::PathNotFound);
    };
    in.tc.writeFile(QStringLiteral("WOMSET"), records({in.master, onUsb, in.import}));
    in.tc.messages.answers << 4 << 2; // Retry, then Cancel

    in.load();
    QCOMPARE(checks, 2);
    QCOMPARE(in.tc.messages.shown.size(), 2);
    for (const auto& box : in.tc.messages.shown) {
        QCOMPARE(box.text,
                 QStringLiteral("ディスクを（/media/usb）ドライブに入れてドアを閉じて下さい。"));
        QCOMPARE(box.style, 53);
    }
    QCOMPARE(in.slot(2), in.install());
    in.verifyAllFiles(records({in.master, in.install(), in.import}));
}

void TestDrivePaths::diskNotReadyRetrySucceeds()
{
    if (onWindows())
        QSKIP("Mount points of POSIX; drive letters are the disk messages' own test");
    Install in;
    const QString usb = QStringLiteral("/media/usb");
    in.tc.platform.roots = {QStringLiteral("/"), usb};
    in.tc.platform.driveTypes[usb] = DriveType::Removable;
    int checks = 0;
    in.tc.platform.directoryCheck = [&](const QString& path) {
        if (path.startsWith(usb))
            return ++checks == 1 ? int(FileError::DiskNotReady) : 0;
        return QFileInfo(path).isDir() ? 0 : int(FileError::PathNotFound);
    };
    const QByteArray file = records({usb + QStringLiteral("/m"), in.data, in.import});
    in.tc.writeFile(QStringLiteral("WOMSET"), file);
    in.tc.messages.answers << 4;
    in.load();
    QCOMPARE(in.slot(1), usb + QStringLiteral("/m"));
    QCOMPARE(in.tc.messages.shown.size(), 1);
    QCOMPARE(in.tc.readFile(QStringLiteral("WOMSET")), file);
    QVERIFY(in.noCopies());
}

void TestDrivePaths::otherLookupErrorsReplaceSilently_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<DriveType>("type");
    QTest::newRow("device unavailable") << 68 << DriveType::Remote;
    QTest::newRow("device i/o") << 57 << DriveType::Fixed;
    QTest::newRow("access") << 75 << DriveType::Fixed;
    // Not ready on a drive type without messages: no box, the path is replaced.
    QTest::newRow("not ready on cd-rom") << 71 << DriveType::CdRom;
}

void TestDrivePaths::otherLookupErrorsReplaceSilently()
{
    QFETCH(int, error);
    QFETCH(DriveType, type);
    if (onWindows())
        QSKIP("Mount points of POSIX; drive letters are the disk messages' own test");
    Install in;
    in.tc.platform.roots = {QStringLiteral("/"), QStringLiteral("/mnt/x")};
    in.tc.platform.driveTypes[QStringLiteral("/mnt/x")] = type;
    in.tc.platform.directoryCheck = [&](const QString& path) {
        if (path.startsWith(QStringLiteral("/mnt/x")))
            return error;
        return QFileInfo(path).isDir() ? 0 : int(FileError::PathNotFound);
    };
    in.tc.writeFile(QStringLiteral("WOMSET"),
                    records({in.master, in.data, QStringLiteral("/mnt/x/in")}));
    in.load();
    QVERIFY(in.tc.messages.shown.isEmpty());
    QCOMPARE(in.slot(3), in.install());
    in.verifyAllFiles(records({in.master, in.data, in.install()}));
}

void TestDrivePaths::saveFailureShownOnce()
{
    Install in;
    // A folder stands where one of the copies belongs.
    QVERIFY(QDir(in.install()).mkdir(QStringLiteral("WKPSET")));
    in.tc.messages.answers.enqueue(Msg::ResultCancel);
    in.load();
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(in.slot(k), in.install());
    QCOMPARE(in.tc.messages.shown.size(), 1);
    // Windows shows the path in capitals, as its own messages do.
    const QString shownPath = onWindows() ? in.install().toUpper() : in.install();
    QCOMPARE(in.tc.messages.shown.first().text,
             shownPath + QStringLiteral("\n\n同じ名前のフォルダがあるため、ファイルを書き込めません。"));
    // The other files are written all the same.
    const QByteArray expected = records({in.install(), in.install(), in.install()});
    for (const QString& name : AllFiles) {
        if (name != u"WKPSET")
            QCOMPARE(in.tc.readFile(name), expected);
    }
    QCOMPARE(SaveDrivePaths(in.tc.context), 73);
}

void TestDrivePaths::unreadableFileKeepsPathsInMemory()
{
    Install in;
    QVERIFY(QDir(in.install()).mkdir(QStringLiteral("WOMSET")));
    in.tc.context.drivePath[1] = in.master;
    in.tc.context.drivePath[2] = in.data;
    in.tc.context.drivePath[3] = in.import;
    in.load();
    QCOMPARE(in.slot(1), in.master);
    QCOMPARE(in.slot(2), in.data);
    QCOMPARE(in.slot(3), in.import);
    QVERIFY(in.tc.messages.shown.isEmpty());

    // Nothing usable in memory either: the repaired paths stay in memory and the
    // failed save is shown once.
    in.tc.context.drivePath = DrivePaths{};
    in.tc.messages.answers.enqueue(Msg::ResultCancel);
    in.load();
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(in.slot(k), in.install());
    QCOMPARE(in.tc.messages.shown.size(), 1);
    QVERIFY(QFileInfo(in.tc.path(QStringLiteral("WOMSET"))).isDir());
}

void TestDrivePaths::damagedFilesEndInUsablePaths()
{
    QRandomGenerator rng(20261208);
    // Bytes that make paths, separators, blanks, NULs and broken double-byte
    // characters likely.
    const QByteArray alphabet("/ \0a.\x81\x5C\xFF\x82\xA0~", 11);
    Install in;
    for (int length = 0; length <= 400; ++length) {
        for (const QString& name : AllFiles)
            QFile::remove(in.tc.path(name));
        in.tc.context.drivePath = DrivePaths{};
        QByteArray bytes(length, '\0');
        for (int i = 0; i < length; ++i)
            bytes[i] =
                length % 2 ? char(rng.bounded(256)) : alphabet.at(rng.bounded(alphabet.size()));
        in.tc.writeFile(QStringLiteral("WOMSET"), bytes);
        in.load();
        for (int k = 1; k <= 3; ++k) {
            const QString p = in.slot(k);
            QVERIFY2(paths::isFullPath(p) && QFileInfo(p).isDir(),
                     qPrintable(QStringLiteral("length %1 slot %2: %3").arg(length).arg(k).arg(p)));
        }
        // What the first start left behind reads back as the same directories
        // and needs no further repair.
        const DrivePaths first = in.tc.context.drivePath;
        const QByteArray written = in.tc.readFile(QStringLiteral("WOMSET"));
        in.tc.context.drivePath = DrivePaths{};
        in.load();
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(QDir::cleanPath(in.slot(k)), QDir::cleanPath(first[k]));
        QCOMPARE(in.tc.readFile(QStringLiteral("WOMSET")), written);
        QVERIFY(in.tc.messages.shown.isEmpty());
    }
}

void TestDrivePaths::pathRules_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("shown");

    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    QTest::newRow("windows root becomes the bare drive") << W << "C:\\"
                                                         << "C:"
                                                         << "C:\\";
    QTest::newRow("windows folder") << W << "D:\\Mabora\\data\\"
                                    << "D:\\Mabora\\data"
                                    << "D:\\Mabora\\data\\";
    QTest::newRow("windows one backslash only") << W << "D:\\x\\\\"
                                                << "D:\\x\\"
                                                << "D:\\x\\\\";
    QTest::newRow("windows slash is no separator") << W << "D:/x/"
                                                   << "D:/x/"
                                                   << "D:/x/\\";
    QTest::newRow("posix root stays") << P << "/"
                                      << "/"
                                      << "/";
    QTest::newRow("posix folder") << P << "/srv/mabora/"
                                  << "/srv/mabora"
                                  << "/srv/mabora/";
    QTest::newRow("posix double slash") << P << "//"
                                        << "/"
                                        << "//";
    QTest::newRow("posix backslash is a character") << P << "/a\\"
                                                    << "/a\\"
                                                    << "/a\\/";
}

void TestDrivePaths::pathRules()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, stored);
    QFETCH(QString, read);
    QFETCH(QString, shown);
    QCOMPARE(paths::withoutTrailingSeparator(stored, style), read);
    QCOMPARE(paths::withTrailingSeparator(stored, style), shown);
}

void TestDrivePaths::fullPaths_data()
{
    QTest::addColumn<PathStyle>("style");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("full");
    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    QTest::newRow("bare drive") << W << "c:" << true;
    QTest::newRow("drive and folder") << W << "C:\\Mabora" << true;
    QTest::newRow("unc") << W << "\\\\server\\share" << true;
    QTest::newRow("relative") << W << "Mabora" << false;
    QTest::newRow("digit drive") << W << "1:\\" << false;
    QTest::newRow("control character") << W << QStringLiteral("C:\\a\tb") << false;
    QTest::newRow("posix absolute") << P << "/srv" << true;
    QTest::newRow("posix relative") << P << "srv" << false;
    QTest::newRow("posix windows path") << P << "C:\\Mabora" << false;
    QTest::newRow("posix empty") << P << "" << false;
}

void TestDrivePaths::fullPaths()
{
    QFETCH(PathStyle, style);
    QFETCH(QString, path);
    QFETCH(bool, full);
    QCOMPARE(paths::isFullPath(path, style), full);
}

void TestDrivePaths::longPathsWrapAtSeparators_data()
{
    // Widths in characters; lines of at most 12.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("wrapped");
    QTest::newRow("fits") << "/a/b\nshort" << "/a/b\nshort";
    QTest::newRow("broken after separators, as long as fits")
        << "ﾃﾞｨﾚｸﾄﾘ :/home/u/koji/p1/last\nおわり"
        << "ﾃﾞｨﾚｸﾄﾘ :/\nhome/u/koji/\np1/last\nおわり";
    QTest::newRow("windows separators") << "D:\\GENBA\\DATA\\SUB" << "D:\\GENBA\\\nDATA\\SUB";
    QTest::newRow("a name wider than a line breaks at the edge")
        << "/a/bbbbbbbbbbbbbbbb/c" << "/a/\nbbbbbbbbbbbb\nbbbb/c";
}

void TestDrivePaths::longPathsWrapAtSeparators()
{
    QFETCH(QString, text);
    QFETCH(QString, wrapped);
    const auto width = [](const QString& s) { return int(s.size()); };
    QCOMPARE(paths::wrapAtSeparators(text, 12, width), wrapped);
}

QTEST_GUILESS_MAIN(TestDrivePaths)
#include "tst_drivepaths.moc"
