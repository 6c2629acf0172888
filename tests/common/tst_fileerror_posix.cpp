#include "common/fileerror.h"
#include "common/recordfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <QFile>

#include <cerrno>
#include <unistd.h>

using namespace lc;

// The system's failure codes mapped onto the error numbers whose messages match
// the condition.
class TestFileErrorPosix : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void systemCodes_data();
    void systemCodes();
    void realFailures();
};

void TestFileErrorPosix::systemCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("path");
    QTest::addColumn<int>("number");
    QTest::newRow("none") << 0 << false << 0;
    QTest::newRow("ENOENT file") << ENOENT << false << 53;
    QTest::newRow("ENOENT path") << ENOENT << true << 76;
    QTest::newRow("ENOTDIR") << ENOTDIR << false << 76;
    QTest::newRow("EACCES") << EACCES << false << 70;
    QTest::newRow("EROFS") << EROFS << false << 72;
    QTest::newRow("EISDIR") << EISDIR << false << 73;
    QTest::newRow("EFBIG") << EFBIG << false << 77;
    QTest::newRow("ENOSPC") << ENOSPC << false << 61;
    QTest::newRow("EDQUOT") << EDQUOT << false << 61;
    QTest::newRow("EIO") << EIO << false << 57;
    QTest::newRow("ENXIO") << ENXIO << false << 68;
    QTest::newRow("ENOTCONN (server gone)") << ENOTCONN << false << 68;
    QTest::newRow("ENOMEDIUM") << ENOMEDIUM << true << 71;
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << false << 64;
    QTest::newRow("EBUSY") << EBUSY << false << 55;
}

void TestFileErrorPosix::systemCodes()
{
    QFETCH(int, code);
    QFETCH(bool, path);
    QFETCH(int, number);
    QCOMPARE(
        FileError::fromSystemCode(code, path ? FileError::Target::Path : FileError::Target::File),
        number);
}

void TestFileErrorPosix::realFailures()
{
    QTemporaryDir dir;
    // Writing into a folder that does not exist: the path is missing.
    QCOMPARE(saveFileContents(dir.filePath(QStringLiteral("gone/WOMSET")), "x"), 76);
    // A folder standing where the file should be written.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("WKVSET")));
    QCOMPARE(saveFileContents(dir.filePath(QStringLiteral("WKVSET")), "x"), 73);
    QByteArray bytes;
    QCOMPARE(readFileContents(dir.filePath(QStringLiteral("WKVSET")), bytes), 73);
    // A file that may not be changed, and a folder that may not be written (not
    // for root, who may write anyway).
    if (::geteuid() != 0) {
        const QString kojigai = dir.filePath(QStringLiteral("kojigai"));
        QCOMPARE(saveFileContents(kojigai, "x"), 0);
        QVERIFY(QFile::setPermissions(kojigai, QFileDevice::ReadOwner));
        QCOMPARE(saveFileContents(kojigai, "y"), 70);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
        const QString locked = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QCOMPARE(saveFileContents(locked + QStringLiteral("/clock.pra"), "x"), 70);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

QTEST_GUILESS_MAIN(TestFileErrorPosix)
#include "tst_fileerror_posix.moc"
