#include "scratchvolume.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace lc::test {

namespace {

QString g_whyNot = QStringLiteral("ScratchVolume::prepare() was not called");
bool g_available = false;

QString systemError(const char* what)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

bool writeProcFile(const char* path, const QByteArray& content)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ::close(fd);
    return ok;
}

// Mounts made from here on stay inside this process and vanish with it.
bool privateMountNamespace()
{
    if (::unshare(CLONE_NEWNS) == 0)
        return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    // Without the right to mount: a user namespace in which this user is root.
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeProcFile("/proc/self/setgroups", "deny");
    if (!writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
        !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
        return false;
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

} // namespace

void ScratchVolume::prepare()
{
    if (!privateMountNamespace()) {
        g_whyNot = systemError("no mount namespace of its own (needs root or user namespaces)");
        return;
    }
    // One trial mount tells whether tmpfs may be mounted here.
    char dir[] = "/tmp/scratchvolume-XXXXXX";
    if (!::mkdtemp(dir)) {
        g_whyNot = systemError("mkdtemp");
        return;
    }
    if (::mount("tmpfs", dir, "tmpfs", MS_NOSUID | MS_NODEV, "size=16k") == 0) {
        ::umount2(dir, MNT_DETACH);
        g_available = true;
        g_whyNot.clear();
    } else {
        g_whyNot = systemError("mounting tmpfs");
    }
    ::rmdir(dir);
}

bool ScratchVolume::available()
{
    return g_available;
}

QString ScratchVolume::whyNot()
{
    return g_whyNot;
}

ScratchVolume::ScratchVolume(const QString& dir, qint64 sizeBytes) : m_dir(dir)
{
    if (!g_available) {
        m_error = g_whyNot;
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(sizeBytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
        m_error = systemError("mounting tmpfs");
        return;
    }
    m_mounted = true;
}

ScratchVolume::~ScratchVolume()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir).constData(), MNT_DETACH);
}

bool ScratchVolume::setReadOnly(bool readOnly)
{
    if (!m_mounted)
        return false;
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    if (::mount("tmpfs", QFile::encodeName(m_dir).constData(), "tmpfs", flags, nullptr) != 0) {
        m_error = systemError("remounting");
        return false;
    }
    return true;
}

bool ScratchVolume::fill(const QString& fillerName)
{
    if (!m_mounted)
        return false;
    const QByteArray path = QFile::encodeName(m_dir + u'/' + fillerName);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) {
        m_error = systemError("creating the filler");
        return false;
    }
    const QByteArray block(4096, 'x');
    bool full = false;
    for (qsizetype chunk = block.size(); chunk > 0 && !full;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(chunk));
        if (n < 0 && errno == ENOSPC) {
            // Fill what is left of the last page too.
            chunk /= 2;
            full = chunk == 0;
        } else if (n < 0) {
            m_error = systemError("filling");
            break;
        }
    }
    ::fsync(fd);
    ::close(fd);
    return full;
}

bool permissionsEnforced(const QString& dir)
{
    const QByteArray probe = QFile::encodeName(dir + QStringLiteral("/.probe"));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return errno == EACCES || errno == EPERM || errno == EROFS;
    ::close(fd);
    ::unlink(probe.constData());
    return false;
}

} // namespace lc::test
