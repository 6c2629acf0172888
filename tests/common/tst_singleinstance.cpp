#include "common/instancerequests.h"
#include "common/singleinstance.h"
#include "fakeplatform.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace lc;
using Outcome = SingleInstance::Outcome;

class TestSingleInstance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void secondStartIsRefused_data();
    void secondStartIsRefused();
    void otherInstallationsAreIndependent();
    void lockOfAnEndedProcessIsTakenOver();
    void damagedLockIsTakenOver();
    void lockOfAnotherComputerNamesIt();
    void installationThatCannotHoldTheLock();
    void laterStartReachesTheRunningOne();

private:
    static void writeLock(const QString& path, const QByteArray& contents);
};

void TestSingleInstance::writeLock(const QString& path, const QByteArray& contents)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contents);
}

void TestSingleInstance::secondStartIsRefused_data()
{
    QTest::addColumn<bool>("otherSession");
    QTest::addColumn<bool>("sameUserLockDir");
    QTest::addColumn<Outcome>("expected");
    QTest::newRow("this session") << false << true << Outcome::HeldInThisSession;
    // Started without the user's runtime directory (sudo -u, cron, a login
    // without a session manager): the installation is held all the same.
    QTest::newRow("this session, other runtime directory") << false << false << Outcome::HeldInThisSession;
    QTest::newRow("another user or session") << true << false << Outcome::HeldElsewhere;
}

void TestSingleInstance::secondStartIsRefused()
{
    QFETCH(bool, otherSession);
    QFETCH(bool, sameUserLockDir);
    QFETCH(Outcome, expected);
    QTemporaryDir install;
    QTemporaryDir userLocks;
    QTemporaryDir otherUserLocks;
    test::FakePlatform platform;
    platform.runningTasks << QCoreApplication::applicationPid();
    if (otherSession)
        platform.otherSessionTasks << QCoreApplication::applicationPid();

    auto first = std::make_unique<SingleInstance>(install.path(), userLocks.path());
    QCOMPARE(first->acquire(platform), Outcome::Acquired);
    QCOMPARE(first->lockPath(), install.filePath(QStringLiteral("launcher.lock")));
    SingleInstance second(install.path() + QStringLiteral("/"),
                          sameUserLockDir ? userLocks.path() : otherUserLocks.path());
    QCOMPARE(second.acquire(platform), expected);
    QCOMPARE(second.holderPid(), QCoreApplication::applicationPid());
    if (expected == Outcome::HeldElsewhere)
        QVERIFY(second.refusalText(expected).contains(QDir::toNativeSeparators(install.path())));
    first.reset();
    QCOMPARE(second.acquire(platform), Outcome::Acquired);
}

void TestSingleInstance::otherInstallationsAreIndependent()
{
    QTemporaryDir a;
    QTemporaryDir b;
    test::FakePlatform platform;
    SingleInstance first(a.path());
    SingleInstance second(b.path());
    QCOMPARE(first.acquire(platform), Outcome::Acquired);
    QCOMPARE(second.acquire(platform), Outcome::Acquired);
}

void TestSingleInstance::lockOfAnEndedProcessIsTakenOver()
{
    QTemporaryDir install;
    test::FakePlatform platform;
    SingleInstance probe(install.path());
    const QString lockPath = install.filePath(QStringLiteral("launcher.lock"));
    // A lock left by a process that no longer runs: this test program, started
    // once more only to list its tests.
    QProcess ended;
    ended.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
    QVERIFY(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    // Its lock as the system's lock files are written (the host's name in the
    // form the system takes), with the ended program's process id.
    QByteArray contents;
    {
        QLockFile own(lockPath);
        QVERIFY(own.tryLock(0));
        QFile held(lockPath);
        QVERIFY(held.open(QIODevice::ReadOnly));
        contents = held.readAll();
    }
    writeLock(lockPath, QByteArray::number(endedPid) + contents.mid(contents.indexOf('\n')));
    QCOMPARE(probe.acquire(platform), Outcome::Acquired);
    QCOMPARE(probe.lockPath(), lockPath);
}

void TestSingleInstance::damagedLockIsTakenOver()
{
    QTemporaryDir install;
    test::FakePlatform platform;
    writeLock(install.filePath(QStringLiteral("launcher.lock")), QByteArray("\x81\x40 garbage", 10));
    SingleInstance instance(install.path());
    QCOMPARE(instance.acquire(platform), Outcome::Acquired);
    QCOMPARE(instance.lockPath(), install.filePath(QStringLiteral("launcher.lock")));
}

void TestSingleInstance::lockOfAnotherComputerNamesIt()
{
    // A folder on a shared drive: the process of another computer cannot be
    // looked at, so its lock holds until that launcher ends.
    QTemporaryDir install;
    test::FakePlatform platform;
    const QString lockPath = install.filePath(QStringLiteral("launcher.lock"));
    writeLock(lockPath, "4242\nlauncher\nOFFICE-PC-07\n");
    SingleInstance instance(install.path());
    QCOMPARE(instance.acquire(platform), Outcome::HeldElsewhere);
    QCOMPARE(instance.holderHost(), QStringLiteral("OFFICE-PC-07"));
    const QString text = instance.refusalText(Outcome::HeldElsewhere);
    QVERIFY2(text.contains(QStringLiteral("OFFICE-PC-07")), qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(lockPath)), qPrintable(text));
    QVERIFY(QFile::exists(lockPath));
}

void TestSingleInstance::installationThatCannotHoldTheLock()
{
    // A directory where no file can be made (as a read-only installation): the
    // user's own lock takes the place of the installation's.
    QTemporaryDir root;
    writeLock(root.filePath(QStringLiteral("file")), "");
    const QString install = root.filePath(QStringLiteral("file/suite"));
    QTemporaryDir userLocks;
    test::FakePlatform platform;
    platform.runningTasks << QCoreApplication::applicationPid();
    SingleInstance first(install, userLocks.path());
    QCOMPARE(first.acquire(platform), Outcome::Acquired);
    QVERIFY(first.lockPath().startsWith(userLocks.path() + QStringLiteral("/")));
    SingleInstance second(install, userLocks.path());
    QCOMPARE(second.acquire(platform), Outcome::HeldInThisSession);
    QCOMPARE(second.holderPid(), QCoreApplication::applicationPid());

    // Nowhere at all: told, not taken for a running launcher.
    SingleInstance nowhere(install, root.filePath(QStringLiteral("file/locks")));
    QCOMPARE(nowhere.acquire(platform), Outcome::NoLock);
    QCOMPARE(nowhere.holderPid(), 0);
    QVERIFY(nowhere.refusalText(Outcome::NoLock).contains(QStringLiteral("作成できません")));
}

void TestSingleInstance::laterStartReachesTheRunningOne()
{
    QTemporaryDir install;
    test::FakePlatform platform;
    platform.runningTasks << QCoreApplication::applicationPid();
    SingleInstance running(install.path());
    QCOMPARE(running.acquire(platform), Outcome::Acquired);
    // Nobody listens yet: a later start is not answered.
    QVERIFY(!InstanceRequests(running.lockPath()).ask(0));

    InstanceRequests listening(running.lockPath());
    QVERIFY(listening.listen());
    QSignalSpy requested(&listening, &InstanceRequests::requested);
    // What a later start leaves (ask() waits for the answer in its own process).
    SingleInstance later(install.path());
    QCOMPARE(later.acquire(platform), Outcome::HeldInThisSession);
    QFile request(InstanceRequests(later.lockPath()).requestPath());
    QVERIFY(request.open(QIODevice::WriteOnly));
    request.close();
    QTRY_COMPARE(requested.size(), 1);
    QVERIFY(!request.exists()); // taken: the later start sees its answer
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
