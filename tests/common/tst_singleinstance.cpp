#include "common/instancerequests.h"
#include "common/singleinstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace lc;

class TestSingleInstance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void secondInstanceIsRefused();
    void otherInstallationsAreIndependent();
    void lockOfAnEndedProcessIsTakenOver();
    void lockThatCannotBeMadeIsToldFromAHeldOne();
    void laterStartReachesTheRunningOne();
};

void TestSingleInstance::secondInstanceIsRefused()
{
    QTemporaryDir locks;
    auto first = std::make_unique<SingleInstance>("/opt/suite", locks.path());
    QVERIFY(first->acquire());
    SingleInstance second("/opt/suite/", locks.path());
    QVERIFY(!second.acquire());
    QCOMPARE(second.holderPid(), QCoreApplication::applicationPid());
    first.reset();
    QVERIFY(second.acquire());
}

void TestSingleInstance::otherInstallationsAreIndependent()
{
    QTemporaryDir locks;
    SingleInstance a("/opt/suite", locks.path());
    SingleInstance b("/opt/suite2", locks.path());
    QVERIFY(a.acquire());
    QVERIFY(b.acquire());
}

void TestSingleInstance::lockOfAnEndedProcessIsTakenOver()
{
    QTemporaryDir locks;
    SingleInstance probe("/opt/suite", locks.path());
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
        QLockFile own(probe.lockPath());
        QVERIFY(own.tryLock(0));
        QFile held(probe.lockPath());
        QVERIFY(held.open(QIODevice::ReadOnly));
        contents = held.readAll();
    }
    contents = QByteArray::number(endedPid) + contents.mid(contents.indexOf('\n'));
    QFile f(probe.lockPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contents);
    f.close();
    QVERIFY(probe.acquire());
}

void TestSingleInstance::lockThatCannotBeMadeIsToldFromAHeldOne()
{
    // A held lock means another launcher runs; a lock that cannot be made must
    // be reported, not taken for one.
    QTemporaryDir locks;
    SingleInstance first("/opt/suite", locks.path());
    QVERIFY(first.acquire());
    SingleInstance second("/opt/suite", locks.path());
    QVERIFY(!second.acquire());
    QCOMPARE(second.error(), QLockFile::LockFailedError);

    SingleInstance nowhere("/opt/suite", locks.filePath("missing/folder"));
    QVERIFY(!nowhere.acquire());
    QVERIFY(nowhere.error() != QLockFile::LockFailedError);
    QVERIFY(nowhere.error() != QLockFile::NoError);
    QCOMPARE(nowhere.holderPid(), 0);
}

void TestSingleInstance::laterStartReachesTheRunningOne()
{
    QTemporaryDir locks;
    SingleInstance running("/opt/suite", locks.path());
    QVERIFY(running.acquire());
    // Nobody listens yet: a later start is not answered.
    QVERIFY(!InstanceRequests(running.lockPath()).ask(0));

    InstanceRequests listening(running.lockPath());
    QVERIFY(listening.listen());
    QSignalSpy requested(&listening, &InstanceRequests::requested);
    // What a later start leaves (ask() waits for the answer in its own process).
    SingleInstance later("/opt/suite", locks.path());
    QVERIFY(!later.acquire());
    QFile request(InstanceRequests(later.lockPath()).requestPath());
    QVERIFY(request.open(QIODevice::WriteOnly));
    request.close();
    QTRY_COMPARE(requested.size(), 1);
    QVERIFY(!request.exists()); // taken: the later start sees its answer
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
