#pragma once

#include <QString>

namespace lc {

// The installation directory: the directory of the running program, where the
// sibling programs, the marker files and the launcher's own files lie. Names are
// found whatever their letter case; a name that does not exist yet resolves to
// the name as written, so files the launcher creates get the name of the design.
class InstallDir
{
public:
    InstallDir() = default;
    explicit InstallDir(QString path);

    const QString& path() const { return m_path; }

    // Full path of a file or folder named relative to the directory ("menu",
    // "bmp\\image12.jpg"); either separator may be used.
    QString file(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QString m_path;
};

// Resolves name inside dir, component by component, matching each component
// without regard to letter case where no exact match exists.
QString resolveCaseInsensitive(const QString& dir, const QString& name);

} // namespace lc
