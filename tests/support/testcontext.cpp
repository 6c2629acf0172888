#include "testcontext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lc::test {

TestContext::TestContext(QDate today) : date(today)
{
    context.installDir = InstallDir(m_dir.path());
    context.platform = &platform;
    context.messages = &messages;
    context.dialogs = &dialogs;
    context.today = [this] { return date; };
}

void TestContext::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString p = path(name);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TestContext::readFile(const QString& name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TestContext::exists(const QString& name) const
{
    return QFileInfo::exists(path(name));
}

void TestContext::installProgram(const QString& name) const
{
    writeFile(name, QByteArrayLiteral("#!/bin/sh\nexit 0\n"));
    QFile::setPermissions(path(name), QFile::permissions(path(name)) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

} // namespace lc::test
