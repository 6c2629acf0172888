#include "faultinstall.h"

#include "common/bytetext.h"
#include "common/settingsfiles.h"
#include "prefs/clockprefs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace lc::test {

const QStringList AllPrograms = {QStringLiteral("korvan21.exe"), QStringLiteral("Mirelda.exe"),
                                 QStringLiteral("Tasparin.exe"), QStringLiteral("Pevrin21.exe"),
                                 QStringLiteral("zandor21.exe"), QStringLiteral("trevik21.exe"),
                                 QStringLiteral("halvex21.exe"), QStringLiteral("saldun21.exe"),
                                 QStringLiteral("brisko21.exe")};

namespace {

const QString Filler = QStringLiteral(".filler");
// Room for the installation and a little more; the rest is filled when the disk
// is to be full.
constexpr qint64 VolumeBytes = 1024 * 1024;

QByteArray fixedRecord(const QString& text, int width)
{
    return fixedField(text, width);
}

} // namespace

QByteArray settingsRecords(const QString& master, const QString& data, const QString& import)
{
    return fixedRecord(master, 128) + fixedRecord(data, 128) + fixedRecord(import, 128);
}

QByteArray overviewNaming(const QString& name)
{
    QByteArray bytes(30 * 128, '\0');
    bytes.replace(4 * 128, 128, fixedRecord(name, 128));
    return bytes;
}

QByteArray registryWith(const QString& name, const QString& dir)
{
    return fixedRecord(name, 128) + fixedRecord(dir, 128) + QByteArray(99 * 256, ' ');
}

FaultInstall::FaultInstall()
{
    volume = std::make_unique<ScratchVolume>(t.dir(), VolumeBytes);
    // The folder tree of the environment window lists this drive only.
    t.platform.roots = {t.dir()};
}

void FaultInstall::populateProgramsOnly()
{
    for (const QString& p : AllPrograms)
        t.installProgram(p);
}

void FaultInstall::populate()
{
    populateProgramsOnly();
    t.writeFile(QStringLiteral("menu"), "\"om\"\r\n");
    const QByteArray settings = settingsRecords(dir(), dataDir(), dir());
    t.writeFile(QStringLiteral("WOMSET"), settings);
    for (const QString& copy : SettingsFiles::Copies)
        t.writeFile(copy, settings);
    ClockPrefs prefs = ClockPrefs::defaults(t.path(QStringLiteral("default.wav")));
    prefs.dialText = QStringLiteral("OM");
    prefs.jihouMinute = 30;
    t.writeFile(QStringLiteral("clock.pra"), prefs.toRecord());
    t.writeFile(QStringLiteral("BackImg"), "12,\"OM\"\r\n");
    t.writeFile(QStringLiteral("omkojinm"), registryWith(QStringLiteral("別の工事"), otherDir()));
    t.writeFile(QStringLiteral("data/kojigai"), overviewNaming(QStringLiteral("港北ビル新築工事")));
    t.writeFile(QStringLiteral("other/kojigai"), overviewNaming(QStringLiteral("別の工事")));
}

bool FaultInstall::inject(Fault fault, QString& whyNot)
{
    m_fault = fault;
    if (volume->isMounted()) {
        const bool done = fault == Fault::ReadOnly ? volume->setReadOnly(true) : volume->fill(Filler);
        if (!done)
            whyNot = volume->error();
        return done;
    }
    if (fault == Fault::DiskFull) {
        whyNot = QStringLiteral("no scratch volume to fill: ") + ScratchVolume::whyNot();
        return false;
    }
    // Without a volume of its own: a directory the user may not write.
    QStringList dirs{dir()};
    QDirIterator it(dir(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        dirs.append(it.next());
    for (const QString& d : dirs)
        QFile::setPermissions(d, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                     QFile::ReadOther | QFile::ExeOther);
    m_chmodded = true;
    if (!permissionsEnforced(dir())) {
        lift();
        whyNot = QStringLiteral("this user writes into read-only directories and no scratch volume can be "
                                "mounted (") +
                 ScratchVolume::whyNot() + u')';
        return false;
    }
    return true;
}

void FaultInstall::lift()
{
    if (volume->isMounted()) {
        if (m_fault == Fault::ReadOnly)
            volume->setReadOnly(false);
        QFile::remove(t.path(Filler));
    }
    if (m_chmodded) {
        QDirIterator it(dir(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        QStringList dirs{dir()};
        while (it.hasNext())
            dirs.append(it.next());
        for (const QString& d : dirs)
            QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_chmodded = false;
    }
    m_fault.reset();
}

QMap<QString, QByteArray> FaultInstall::snapshot() const
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(dir());
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = base.relativeFilePath(path);
        if (name == Filler)
            continue;
        QFile f(path);
        files.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("(unreadable)"));
    }
    return files;
}

QString FaultInstall::difference(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& after)
{
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (!after.contains(it.key()))
            return QStringLiteral("%1 is gone").arg(it.key());
        if (after.value(it.key()) != it.value())
            return QStringLiteral("%1 changed: %2 bytes, was %3")
                .arg(it.key())
                .arg(after.value(it.key()).size())
                .arg(it.value().size());
    }
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (!before.contains(it.key()))
            return QStringLiteral("%1 appeared (%2 bytes)").arg(it.key()).arg(it.value().size());
    }
    return {};
}

void FaultInstall::answerCancel(int count)
{
    t.messages.answers.clear();
    for (int i = 0; i < count; ++i)
        t.messages.answers.enqueue(Msg::ResultCancel);
}

} // namespace lc::test
