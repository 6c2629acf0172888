#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/fileerror.h"
#include "project/folder.h"
#include "project/kojiregistry.h"
#include "testcontext.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace lc;
using lc::test::TestContext;

namespace {

// An overview file whose record 5 holds name (30 records, as the overview window
// creates them).
void writeOverview(const QString& dir, const QString& name,
                   const QString& file = QStringLiteral("kojigai"))
{
    QDir().mkpath(dir);
    QByteArray bytes(128 * 30, '\0');
    if (!name.isNull())
        bytes.replace(4 * 128, 128, fixedField(name, 128));
    QFile f(dir + u'/' + file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray registryRecord(const QString& name, const QString& dir)
{
    return fixedField(name, 128) + fixedField(dir, 128);
}

void writeRegistry(TestContext& t, const QList<QByteArray>& records)
{
    QByteArray bytes;
    for (const QByteArray& r : records)
        bytes += r;
    bytes.append(25600 - bytes.size(), ' ');
    t.writeFile(QStringLiteral("omkojinm"), bytes);
}

QStringList names(const QStringList& items)
{
    QStringList out;
    for (const QString& item : items)
        out.append(ByteLeft(item, 3) + kojiItemName(item));
    return out;
}

} // namespace

class TestKojiRegistry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyOrMissingFileGivesEmptyListAndBlankFile_data();
    void emptyOrMissingFileGivesEmptyListAndBlankFile();
    void vanishedDirectoriesAreDroppedAndTheRestRenumbered();
    void currentDirectoryShowsItsOverviewName_data();
    void currentDirectoryShowsItsOverviewName();
    void unreadableDriveKeepsItsEntry();
    void damagedRecordsAreSkipped();
    void untouchedEntriesAreWrittenBackByteForByte();
    void readKojiNameCutsAtWholeCharacters_data();
    void readKojiNameCutsAtWholeCharacters();
    void readKojiNameDeletesAnEmptyOverviewFile();
    void itemFieldsByBytePosition();
    void directoryComparisonFollowsThePlatform();
    void saveWritesExactlyTheRecordsAndReportsFailure();
};

void TestKojiRegistry::emptyOrMissingFileGivesEmptyListAndBlankFile_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << false;
    QTest::newRow("empty") << true;
}

void TestKojiRegistry::emptyOrMissingFileGivesEmptyListAndBlankFile()
{
    QFETCH(bool, present);
    TestContext t;
    if (present)
        t.writeFile(QStringLiteral("omkojinm"), {});
    t.context.drivePath[2] = t.dir();
    const KojiLoadResult result = loadKojiItems(t.context);
    QCOMPARE(result.error, 0);
    QVERIFY(result.items.isEmpty());
    QCOMPARE(t.readFile(QStringLiteral("omkojinm")), QByteArray(25600, ' '));
}

void TestKojiRegistry::vanishedDirectoriesAreDroppedAndTheRestRenumbered()
{
    TestContext t;
    const QString a = t.path("a"), b = t.path("b"), c = t.path("c");
    QDir().mkpath(a);
    QDir().mkpath(c);
    // b has vanished; record 2 is free between entries.
    writeRegistry(t, {registryRecord("工事Ａ", a), QByteArray(256, ' '),
                      registryRecord("工事Ｂ", b), registryRecord("工事Ｃ", c)});
    t.context.drivePath[2] = t.dir();

    const KojiLoadResult result = loadKojiItems(t.context);
    QCOMPARE(names(result.items), (QStringList{"01 工事Ａ", "02 工事Ｃ"}));
    QCOMPARE(saveKojiItems(t.context.installDir, result.items), 0);

    const QByteArray saved = t.readFile(QStringLiteral("omkojinm"));
    QCOMPARE(saved.size(), 25600);
    QCOMPARE(saved.left(256), registryRecord("工事Ａ", a));
    QCOMPARE(saved.mid(256, 256), registryRecord("工事Ｃ", c));
    QCOMPARE(saved.mid(512), QByteArray(25600 - 512, ' '));
}

void TestKojiRegistry::currentDirectoryShowsItsOverviewName_data()
{
    QTest::addColumn<QString>("overviewName"); // null: no overview file
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("renamed in the overview")
        << "新しい名称" << QStringList{"01 新しい名称", "02 他の工事"};
    QTest::newRow("no name in the overview") << "" << QStringList{"01 他の工事"};
    QTest::newRow("no overview file") << QString() << QStringList{"01 他の工事"};
}

void TestKojiRegistry::currentDirectoryShowsItsOverviewName()
{
    QFETCH(QString, overviewName);
    QFETCH(QStringList, expected);
    TestContext t;
    const QString current = t.path("current"), other = t.path("other");
    QDir().mkpath(current);
    QDir().mkpath(other);
    if (!overviewName.isNull())
        writeOverview(current, overviewName);
    writeRegistry(t, {registryRecord("古い名称", current), registryRecord("他の工事", other)});
    t.context.drivePath[2] = current;
    QCOMPARE(names(loadKojiItems(t.context).items), expected);
}

void TestKojiRegistry::unreadableDriveKeepsItsEntry()
{
    TestContext t;
    const QString onStick = QStringLiteral("/media/stick/koji");
    writeRegistry(t, {registryRecord("外部の工事", onStick)});
    t.platform.directoryCheck = [&](const QString& path) {
        return path == onStick ? FileError::DiskNotReady : FileError::PathNotFound;
    };
    t.context.drivePath[2] = t.dir();
    const KojiLoadResult result = loadKojiItems(t.context);
    QCOMPARE(names(result.items), QStringList{"01 外部の工事"});
    QVERIFY(t.messages.shown.isEmpty()); // loading asks nothing
}

void TestKojiRegistry::damagedRecordsAreSkipped()
{
    TestContext t;
    const QString dir = t.path("p");
    QDir().mkpath(dir);
    QByteArray nulFirst = registryRecord("消えた", dir);
    nulFirst[0] = '\0';
    // A short file: the last record ends early and reads as NUL.
    QByteArray bytes = registryRecord("", dir) + nulFirst + registryRecord("残る", dir) +
                       registryRecord("途中", dir).left(40);
    t.writeFile(QStringLiteral("omkojinm"), bytes);
    t.context.drivePath[2] = t.dir();
    QCOMPARE(names(loadKojiItems(t.context).items), QStringList{"01 残る"});
    QCOMPARE(t.readFile(QStringLiteral("omkojinm")), bytes); // loading writes nothing
}

void TestKojiRegistry::untouchedEntriesAreWrittenBackByteForByte()
{
    TestContext t;
    const QString dir = t.path("p");
    QDir().mkpath(dir);
    // Single bytes of Windows' table, a double-byte code without a character, and
    // a NUL inside the name: none of them may come back as "?".
    QByteArray odd = registryRecord("", dir);
    odd.replace(0, 9, QByteArray("A\xA0\xFD\xFE\xFF\x85\x40\0Z", 9));
    const QByteArray plain = registryRecord("ビル新築工事", dir);
    writeRegistry(t, {odd, plain});
    const QByteArray before = t.readFile(QStringLiteral("omkojinm"));
    t.context.drivePath[2] = t.dir();
    const KojiLoadResult loaded = loadKojiItems(t.context);
    QCOMPARE(loaded.items.size(), 2);
    QCOMPARE(saveKojiItems(t.context.installDir, loaded.items, loaded.records), 0);
    QCOMPARE(t.readFile(QStringLiteral("omkojinm")), before);
    // An entry that was changed is written as it now reads.
    QStringList moved = loaded.items;
    moved[1] = kojiItemWithDirectory(moved[1], t.path("q"));
    QCOMPARE(saveKojiItems(t.context.installDir, moved, loaded.records), 0);
    const QByteArray after = t.readFile(QStringLiteral("omkojinm"));
    QCOMPARE(after.left(256), odd);
    QCOMPARE(after.mid(256, 256), registryRecord("ビル新築工事", t.path("q")));
}

void TestKojiRegistry::readKojiNameCutsAtWholeCharacters_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("expected");
    const QString kanji31 = QString(31, QChar(0x5DE5)); // 工 x 31 = 62 bytes
    QTest::newRow("fits") << "  ビル新築工事  " << 60 << "ビル新築工事";
    QTest::newRow("double-byte cut to 60") << kanji31 << 60 << QString(30, QChar(0x5DE5));
    QTest::newRow("odd byte before a double-byte character")
        << "A" + kanji31 << 60 << "A" + QString(29, QChar(0x5DE5));
    QTest::newRow("panel width 36") << "ABC" + kanji31 << 36 << "ABC" + QString(16, QChar(0x5DE5));
    QTest::newRow("half-width kana are one byte")
        << QString(40, QChar(0xFF8C)) << 36 << QString(36, QChar(0xFF8C));
    QTest::newRow("blank") << "   " << 60 << "";
}

void TestKojiRegistry::readKojiNameCutsAtWholeCharacters()
{
    QFETCH(QString, stored);
    QFETCH(int, maxBytes);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    writeOverview(dir.path(), stored);
    QCOMPARE(ReadKojiName(dir.path() + u'/', QStringLiteral("kojigai"), maxBytes), expected);
}

void TestKojiRegistry::readKojiNameDeletesAnEmptyOverviewFile()
{
    QTemporaryDir dir;
    QFile f(dir.path() + QStringLiteral("/Rkojigai"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(ReadKojiName(dir.path(), QStringLiteral("Rkojigai"), 36), QString());
    QVERIFY(!QFile::exists(f.fileName()));
    // A missing file is not created.
    QCOMPARE(ReadKojiName(dir.path(), QStringLiteral("kojigai"), 36), QString());
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/kojigai")));
}

void TestKojiRegistry::itemFieldsByBytePosition()
{
    const QString name = QStringLiteral("（仮称）港北ﾋﾞﾙ新築工事");
    const QString dir = QStringLiteral("/srv/工事/2026");
    const QString item = kojiItem(7, kojiRecord(name, dir));
    QCOMPARE(ByteLen(item), 259);
    QCOMPARE(ByteLeft(item, 3), QStringLiteral("07 "));
    QCOMPARE(kojiItemName(item), name);
    QCOMPARE(kojiItemDirectory(item), dir);
    QCOMPARE(toCodePage(kojiItemRecord(item)), registryRecord(name, dir));
    QCOMPARE(kojiFileContents({item}).left(256), registryRecord(name, dir));
}

void TestKojiRegistry::directoryComparisonFollowsThePlatform()
{
    const QStringList items = {kojiItem(1, kojiRecord("Ａ", "C:\\KOJI\\A")),
                               kojiItem(2, kojiRecord("Ｂ", "/koji/B"))};
    QCOMPARE(findKojiItem(items, QStringLiteral("c:\\koji\\a"), PathStyle::Windows), 0);
    QCOMPARE(findKojiItem(items, QStringLiteral("/koji/b"), PathStyle::Posix), -1);
    QCOMPARE(findKojiItem(items, QStringLiteral("/koji/B/"), PathStyle::Posix), 1);
}

void TestKojiRegistry::saveWritesExactlyTheRecordsAndReportsFailure()
{
    TestContext t;
    // An old file longer than the registry is replaced by exactly 100 records.
    t.writeFile(QStringLiteral("omkojinm"), QByteArray(30000, 'x'));
    const QStringList items = {kojiItem(1, kojiRecord("Ａ", "/a")), QStringLiteral("   ")};
    QCOMPARE(saveKojiItems(t.context.installDir, items), 0);
    const QByteArray saved = t.readFile(QStringLiteral("omkojinm"));
    QCOMPARE(saved.size(), 25600);
    QCOMPARE(saved.mid(256), QByteArray(25600 - 256, ' '));

    // A registry that cannot be written reports it.
    t.writeFile(QStringLiteral("plainfile"), "x");
    QVERIFY(saveKojiItems(InstallDir(t.path("plainfile")), items) != 0);
    QCOMPARE(t.readFile(QStringLiteral("omkojinm")), saved);
}

QTEST_GUILESS_MAIN(TestKojiRegistry)
#include "tst_kojiregistry.moc"
