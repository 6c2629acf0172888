#include "common/fileerror.h"
#include "common/recordfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

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
    QTest::newRow("EACCES") << EACCES << false << 75;
    QTest::newRow("EROFS") << EROFS << false << 75;
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
    QCOMPARE(saveFileContents(dir.filePath(QStringLiteral("WKVSET")), "x"), 75);
    QByteArray bytes;
    QCOMPARE(readFileContents(dir.filePath(QStringLiteral("WKVSET")), bytes), 75);
}

QTEST_GUILESS_MAIN(TestFileErrorPosix)
#include "tst_fileerror_posix.moc"
