#pragma once

#include "platform.h"

#include <QByteArray>
#include <QString>

// How the mounted volumes of a POSIX system become the drives a person expects
// under the computer node: plain rules over what the mount table says, so they
// can be checked anywhere.
namespace lc::volumes {

// A mount a person would call a drive: the root file system, disks and
// partitions (a /dev device), removable media and network mounts; not the
// system's own internals (/proc, /sys, /run, /boot, ...), container overlays,
// snap images or memory file systems.
bool isUserVolume(const QString& rootPath, const QByteArray& fileSystemType,
                  const QByteArray& device);

bool isNetworkFileSystem(const QByteArray& fileSystemType);

// The drive type of a volume: network, CD-ROM, RAM disk, removable (as the
// block device reports itself) or fixed.
DriveType driveTypeOf(const QByteArray& fileSystemType, bool removableDevice);

} // namespace lc::volumes
