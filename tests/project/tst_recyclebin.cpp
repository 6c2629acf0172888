#include "common/fileerror.h"
#include "platform/systemplatform.h"
#include "project/recyclebin.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cctype>

using namespace lc;

// The freedesktop trash of the real platform layer, in a data directory of the
// test's own.
class TestRecycleBin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void directoryTreeGoesToTheTrash_data();
    void directoryTreeGoesToTheTrash();
    void recordNamesThePlaceInTheTrashFormat_data();
    void recordNamesThePlaceInTheTrashFormat();
    void fileGoesToTheTrash();
    void missingEntryIsAnError();
    void unusableDataDirectoryMovesNothing();
    void driveRootsAreTheVolumesOfAPerson();

private:
    void makeTree(const QString& dir);

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_dataHome;
    QString m_oldCwd;
    QByteArray m_oldDataHome;
    QByteArray m_oldHome;
    SystemPlatform m_platform;
};

void TestRecycleBin::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    m_dataHome = m_home->path() + QStringLiteral("/missing/share");
    m_oldDataHome = qgetenv("XDG_DATA_HOME");
    m_oldHome = qgetenv("HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome));
    qputenv("HOME", QFile::encodeName(m_home->path()));
    m_oldCwd = QDir::currentPath();
    QDir().mkpath(m_home->path() + QStringLiteral("/cwd"));
    QDir::setCurrent(m_home->path() + QStringLiteral("/cwd"));
}

void TestRecycleBin::cleanup()
{
    QDir::setCurrent(m_oldCwd);
    qputenv("XDG_DATA_HOME", m_oldDataHome);
    qputenv("HOME", m_oldHome);
    m_home.reset();
}

void TestRecycleBin::makeTree(const QString& dir)
{
    QVERIFY(QDir().mkpath(dir + QStringLiteral("/sub")));
    QFile f(dir + QStringLiteral("/sub/kojigai"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(3840, '\0'));
}

void TestRecycleBin::directoryTreeGoesToTheTrash_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("plain") << "";
    QTest::newRow("trailing separator") << "/";
    QTest::newRow("nul appended") << QString(QChar(0));
}

void TestRecycleBin::directoryTreeGoesToTheTrash()
{
    QFETCH(QString, suffix);
    const QString dir = m_home->path() + QStringLiteral("/projects/工事1");
    makeTree(dir);
    QVERIFY(DeleteToRecycleBin(m_platform, dir + suffix, true));
    QVERIFY(!QFileInfo::exists(dir));
    // Whole, with the record that lets the user restore it to its own name.
    QVERIFY(QFileInfo(m_dataHome + QStringLiteral("/Trash/files/工事1/sub/kojigai")).isFile());
    QFile info(m_dataHome + QStringLiteral("/Trash/info/工事1.trashinfo"));
    QVERIFY(info.open(QIODevice::ReadOnly));
    const QByteArray record = info.readAll();
    QVERIFY2(record.contains("Path=" + QUrl::toPercentEncoding(dir, "/") + '\n'),
             record.constData());
    // Nothing strewn into the current directory.
    QCOMPARE(QDir(QDir::currentPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{});
}

void TestRecycleBin::recordNamesThePlaceInTheTrashFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("percent") << QStringLiteral("50%工事");
    QTest::newRow("blank") << QStringLiteral("工事データ 壱");
    QTest::newRow("escape look-alike") << QStringLiteral("%41%2F");
}

// A desktop restores an entry to the percent-decoded Path= of its record; the
// record is written as GLib, the desktops' own trash, writes it.
void TestRecycleBin::recordNamesThePlaceInTheTrashFormat()
{
    QFETCH(QString, name);
    const QString dir = m_home->path() + QStringLiteral("/projects/") + name;
    makeTree(dir);
    QVERIFY(DeleteToRecycleBin(m_platform, dir, true));
    QFile info(m_dataHome + QStringLiteral("/Trash/info/") + name + QStringLiteral(".trashinfo"));
    QVERIFY(info.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = info.readAll().split('\n');
    QByteArray path;
    for (const QByteArray& line : lines)
        if (line.startsWith("Path="))
            path = line.mid(5);
    for (const char c : path)
        QVERIFY2(QByteArrayView("%/-._~").contains(c) || std::isalnum(uchar(c)), path.constData());
    QCOMPARE(QUrl::fromPercentEncoding(path), dir);

    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        return;
    const QString twin = m_home->path() + QStringLiteral("/gio/") + name;
    QVERIFY(QDir().mkpath(twin));
    QCOMPARE(QProcess::execute(gio, {QStringLiteral("trash"), twin}), 0);
    QDir gioInfo(m_dataHome + QStringLiteral("/Trash/info"));
    QStringList records = gioInfo.entryList({QStringLiteral("*.trashinfo")});
    records.removeOne(name + QStringLiteral(".trashinfo"));
    QCOMPARE(records.size(), 1);
    QFile gioRecord(gioInfo.filePath(records.first()));
    QVERIFY(gioRecord.open(QIODevice::ReadOnly));
    QVERIFY2(gioRecord.readAll().contains(
                 "Path=" + QFile::encodeName(m_home->path()).toPercentEncoding("/") + "/gio/" +
                 path.mid(path.lastIndexOf('/') + 1) + '\n'),
             path.constData());
}

void TestRecycleBin::fileGoesToTheTrash()
{
    const QString file = m_home->path() + QStringLiteral("/estimate.dat");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(sendToRecycleBin(m_platform, file, false), 0);
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(QFileInfo(m_dataHome + QStringLiteral("/Trash/files/estimate.dat")).isFile());
}

void TestRecycleBin::missingEntryIsAnError()
{
    QCOMPARE(sendToRecycleBin(m_platform, m_home->path() + QStringLiteral("/nothing"), true),
             int(FileError::PathNotFound));
    QCOMPARE(sendToRecycleBin(m_platform, QString(), true), int(FileError::BadFileName));
    QVERIFY(!QFileInfo::exists(m_dataHome + QStringLiteral("/Trash")));
}

void TestRecycleBin::unusableDataDirectoryMovesNothing()
{
    // The data directory is taken by a file: no trash can be made there, and
    // the project stays where it is.
    QFile blocker(m_home->path() + QStringLiteral("/missing"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString dir = m_home->path() + QStringLiteral("/projects/工事2");
    makeTree(dir);
    QVERIFY(!DeleteToRecycleBin(m_platform, dir, true));
    QVERIFY(QFileInfo(dir + QStringLiteral("/sub/kojigai")).isFile());
    QCOMPARE(QDir(QDir::currentPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{});
}

void TestRecycleBin::driveRootsAreTheVolumesOfAPerson()
{
    const QStringList roots = m_platform.driveRoots();
    QVERIFY(roots.contains(QStringLiteral("/")));
    QVERIFY(roots.contains(QDir::homePath()));
    for (const QString& root : roots) {
        QVERIFY2(QFileInfo(root).isDir(), qPrintable(root));
        for (const char* hidden : {"/proc", "/sys", "/run", "/dev"})
            QVERIFY2(!root.startsWith(QLatin1String(hidden)), qPrintable(root));
        QVERIFY(m_platform.driveType(root) != DriveType::NoRootDir);
    }
    QCOMPARE(m_platform.driveType(m_home->path() + QStringLiteral("/none")), DriveType::NoRootDir);
    QCOMPARE(m_platform.checkDirectory(m_home->path()), 0);
    QCOMPARE(m_platform.checkDirectory(m_home->path() + QStringLiteral("/none")),
             int(FileError::PathNotFound));
}

QTEST_MAIN(TestRecycleBin)
#include "tst_recyclebin.moc"
