#include "volumerules.h"

#include <QStringList>

namespace lc::volumes {

bool isNetworkFileSystem(const QByteArray& fs)
{
    return fs.startsWith("nfs") || fs == "cifs" || fs == "smb3" || fs == "smbfs" ||
           fs == "fuse.sshfs" || fs == "9p" || fs == "afs" || fs == "ceph" || fs == "glusterfs" ||
           fs == "fuse.glusterfs" || fs.startsWith("fuse.rclone") || fs == "davfs" ||
           fs == "fuse.davfs2";
}

bool isUserVolume(const QString& root, const QByteArray& fs, const QByteArray& device)
{
    if (root == QStringLiteral("/"))
        return true;
    const bool underMedia = root.startsWith(QStringLiteral("/run/media/")) ||
                            root.startsWith(QStringLiteral("/media/")) ||
                            root.startsWith(QStringLiteral("/mnt/"));
    if (!underMedia) {
        static const QStringList system = {
            QStringLiteral("/proc"), QStringLiteral("/sys"),  QStringLiteral("/dev"),
            QStringLiteral("/run"),  QStringLiteral("/boot"), QStringLiteral("/snap"),
            QStringLiteral("/var"),  QStringLiteral("/tmp"),  QStringLiteral("/etc"),
            QStringLiteral("/usr"),  QStringLiteral("/opt"),  QStringLiteral("/efi"),
            QStringLiteral("/srv"),  QStringLiteral("/lib"),  QStringLiteral("/bin"),
            QStringLiteral("/sbin")};
        for (const QString& s : system) {
            if (root == s || root.startsWith(s + u'/'))
                return false;
        }
    }
    if (isNetworkFileSystem(fs))
        return true;
    static const QList<QByteArray> internal = {
        "overlay",         "squashfs",     "autofs",      "tracefs",  "cgroup",     "cgroup2",
        "devpts",          "mqueue",       "binfmt_misc", "fusectl",  "efivarfs",   "tmpfs",
        "ramfs",           "proc",         "sysfs",       "devtmpfs", "securityfs", "pstore",
        "debugfs",         "configfs",     "hugetlbfs",   "bpf",      "nsfs",       "fuse.portal",
        "fuse.gvfsd-fuse", "fuse.snapfuse"};
    if (internal.contains(fs))
        return false;
    // Disks, partitions and media are backed by a block device.
    return device.startsWith("/dev/");
}

DriveType driveTypeOf(const QByteArray& fs, bool removableDevice)
{
    if (isNetworkFileSystem(fs))
        return DriveType::Remote;
    if (fs == "iso9660" || fs == "udf")
        return DriveType::CdRom;
    if (fs == "tmpfs" || fs == "ramfs")
        return DriveType::RamDisk;
    if (removableDevice)
        return DriveType::Removable;
    return DriveType::Fixed;
}

} // namespace lc::volumes
