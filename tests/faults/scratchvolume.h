#pragma once

#include <QString>

namespace lc::test {

// A small file system of its own mounted over a test's directory, which a test
// can make read-only or fill to the last byte: the faults of a real disk, not
// permissions that a privileged user passes through.
//
// Mounting needs the right to do so: root (in a mount namespace private to the
// test process) or an unprivileged user namespace. prepare() sets that up and
// must run before the first thread starts, at the top of main().
class ScratchVolume
{
public:
    static void prepare();
    // Whether volumes can be mounted here; whyNot() tells otherwise.
    static bool available();
    static QString whyNot();

    // Mounts a volume of sizeBytes over dir, which must be empty.
    ScratchVolume(const QString& dir, qint64 sizeBytes);
    ~ScratchVolume();
    ScratchVolume(const ScratchVolume&) = delete;
    ScratchVolume& operator=(const ScratchVolume&) = delete;

    bool isMounted() const { return m_mounted; }
    QString error() const { return m_error; }

    // Remounts the volume read-only (or writable again).
    bool setReadOnly(bool readOnly);
    // Fills the free space with the file fillerName, until a write fails for lack
    // of space; false when the volume did not fill up.
    bool fill(const QString& fillerName = QStringLiteral(".filler"));

private:
    QString m_dir;
    bool m_mounted = false;
    QString m_error;
};

// Whether the directory's permissions hold for this process: false for a
// privileged user, who writes into a directory of mode 0555 all the same.
bool permissionsEnforced(const QString& dir);

} // namespace lc::test
