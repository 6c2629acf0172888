#include "fuzzinstall.h"

#include "common/fileerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>

namespace lc::fuzz {

namespace {

bool below(const QString& path, QStringView root)
{
    return path == root || (path.startsWith(root) && path.at(root.size()) == u'/');
}

} // namespace

StartResult FuzzPlatform::startProgram(const QString&, const QString&)
{
    return {0, FileError::FileNotFound};
}

bool FuzzPlatform::bringTaskToFront(qint64)
{
    return false;
}

bool FuzzPlatform::bringWindowToFront(const QString&)
{
    return false;
}

QStringList FuzzPlatform::driveRoots()
{
    return {QStringLiteral("/"), QStringLiteral("/notready"), QStringLiteral("/denied")};
}

DriveType FuzzPlatform::driveType(const QString& root)
{
    return root == u"/notready" ? DriveType::Removable : DriveType::Fixed;
}

QString FuzzPlatform::volumeLabel(const QString&)
{
    return {};
}

QString FuzzPlatform::driveOf(const QString& path)
{
    for (const QStringView root : {u"/notready", u"/denied"}) {
        if (below(path, root))
            return root.toString();
    }
    return QStringLiteral("/");
}

int FuzzPlatform::checkDirectory(const QString& path)
{
    if (below(path, u"/notready"))
        return FileError::DiskNotReady;
    if (below(path, u"/denied"))
        return FileError::PathFileAccess;
    if (path.isEmpty())
        return FileError::PathNotFound;
    return QFileInfo(path).isDir() ? FileError::None : FileError::PathNotFound;
}

int FuzzPlatform::moveToRecycleBin(const QString&)
{
    return FileError::PathFileAccess;
}

void FuzzPlatform::playSound(const QString&) {}

int CancelMessages::show(const MessageRequest& request)
{
    ++shown;
    switch (request.buttons()) {
    case Msg::Ok:
        return Msg::ResultOk;
    case Msg::YesNo:
        return Msg::ResultNo;
    case Msg::AbortRetryIgnore:
        return Msg::ResultAbort;
    default:
        return Msg::ResultCancel;
    }
}

namespace {

// In the system's temporary directory; scripts/fuzz.sh points it at a memory file
// system, where the saves' sync to the disk costs nothing.
QString temporaryTemplate()
{
    return QDir::tempPath() + QStringLiteral("/launcher-fuzz-XXXXXX");
}

} // namespace

FuzzInstall::FuzzInstall() : m_dir(temporaryTemplate())
{
    if (!m_dir.isValid())
        fail("temporary installation directory", m_dir.errorString());
    freshContext();
}

AppContext& FuzzInstall::freshContext()
{
    context = AppContext{};
    context.installDir = InstallDir(m_dir.path());
    context.platform = &platform;
    context.messages = &messages;
    messages.shown = 0;
    return context;
}

void FuzzInstall::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fail("writing the input file", f.errorString());
}

QByteArray FuzzInstall::readFile(const QString& name) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void FuzzInstall::removeFile(const QString& name) const
{
    QFile::remove(path(name));
}

FuzzInstall& install()
{
    static FuzzInstall theInstall;
    return theInstall;
}

QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

void fail(const char* what, const QString& detail)
{
    const int code = errno;
    std::fprintf(stderr, "broken promise: %s %s (last system error %d: %s)\n", what, detail.toLocal8Bit().constData(),
                 code, std::strerror(code));
    std::abort();
}

} // namespace lc::fuzz
