#include "common/quotedfields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList AllMarkers{"menu", "app", "sub", "app_hnd", "app_hnd.dat"};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestStandin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void script_data();
    void script();
};

// In the expected texts "<pid>" stands for the stand-in's process id and
// "<cwd>" for the directory it was started in.
void TestStandin::script_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QByteArray>("appHnd");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("names itself by pid and hands the menu back")
        << "korvan21.exe" << QStringList{"app"}
        << QStringList{"create_app_hnd_pid", "log made", "close"} << QStringList{"menu", "app_hnd"}
        << QByteArray("<pid>\r\n") << QStringList{"started pid=<pid> cwd=<cwd>", "made"};
    QTest::newRow("names itself by its window title")
        << "Pevrin21.exe" << QStringList{"app"} << QStringList{"create_app_hnd_title", "close"}
        << QStringList{"menu", "app_hnd"} << QByteArray("\"Pevrin21.exe\"\r\n")
        << QStringList{"started pid=<pid> cwd=<cwd>"};
    QTest::newRow("a second app_hnd replaces the first")
        << "zandor21.exe" << QStringList{"app"}
        << QStringList{"create_app_hnd_title", "sleep 1", "create_app_hnd_pid", "close"}
        << QStringList{"menu", "app_hnd"} << QByteArray("<pid>\r\n")
        << QStringList{"started pid=<pid> cwd=<cwd>"};
    QTest::newRow("deletes app_hnd")
        << "Mirelda.exe" << QStringList{"app", "app_hnd"}
        << QStringList{"delete_app_hnd", "# a comment", "", "close"} << QStringList{"menu"}
        << QByteArray() << QStringList{"started pid=<pid> cwd=<cwd>"};
    QTest::newRow("menu already there stays, app too")
        << "Tasparin.exe" << QStringList{"app", "menu"} << QStringList{"close"}
        << QStringList{"menu", "app"} << QByteArray() << QStringList{"started pid=<pid> cwd=<cwd>"};
    QTest::newRow("no marker: none made")
        << "trevik21.exe" << QStringList{} << QStringList{"close"} << QStringList{} << QByteArray()
        << QStringList{"started pid=<pid> cwd=<cwd>"};
    QTest::newRow("sub is left alone")
        << "brisko21.exe" << QStringList{"sub"} << QStringList{"close"} << QStringList{"sub"}
        << QByteArray() << QStringList{"started pid=<pid> cwd=<cwd>"};
    QTest::newRow("bad lines are logged, the rest runs")
        << "halvex21.exe" << QStringList{"app"}
        << QStringList{"frobnicate now", "sleep soon", "log still here", "close", "log never"}
        << QStringList{"menu"} << QByteArray()
        << QStringList{"started pid=<pid> cwd=<cwd>", "error unknown command: frobnicate now",
                       "error bad sleep: sleep soon", "still here"};
}

void TestStandin::script()
{
    QFETCH(QString, name);
    QFETCH(QStringList, before);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, after);
    QFETCH(QByteArray, appHnd);
    QFETCH(QStringList, log);

    QTemporaryDir install;
    QVERIFY(install.isValid());
    const QString program = install.filePath(name);
    QVERIFY(QFile::copy(QStringLiteral(LC_STANDIN_PROGRAM), program));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner));
    for (const QString& marker : before)
        writeFile(install.filePath(marker), lc::writeQuotedRecord({QStringLiteral("om")}));
    writeFile(install.filePath(name + ".script"), commands.join(u'\n').toUtf8() + '\n');

    // Started from another directory: the markers still go beside the program.
    QTemporaryDir elsewhere;
    QProcess process;
    process.setWorkingDirectory(elsewhere.path());
    process.start(program, {});
    QVERIFY(process.waitForStarted());
    const QString pid = QString::number(process.processId());
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    QStringList present;
    for (const QString& marker : AllMarkers)
        if (QFileInfo::exists(install.filePath(marker)))
            present.append(marker);
    QStringList expected;
    for (const QString& marker : AllMarkers)
        if (after.contains(marker))
            expected.append(marker);
    QCOMPARE(present, expected);
    if (!appHnd.isEmpty())
        QCOMPARE(readFile(install.filePath("app_hnd")),
                 QByteArray(appHnd).replace("<pid>", pid.toLatin1()));
    if (after.contains("menu") && before.contains("menu"))
        QCOMPARE(readFile(install.filePath("menu")), QByteArray("\"om\"\r\n"));

    const QString cwd = QFileInfo(elsewhere.path()).canonicalFilePath();
    QStringList expectedLog;
    for (QString line : log)
        expectedLog.append(line.replace("<pid>", pid).replace("<cwd>", cwd));
    const QString logText = QString::fromUtf8(readFile(install.filePath(name + ".log")));
    QCOMPARE(logText.split(u'\n', Qt::SkipEmptyParts), expectedLog);
}

QTEST_GUILESS_MAIN(TestStandin)
#include "tst_standin.moc"
