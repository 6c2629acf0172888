#pragma once

// The platform and message boxes of the benchmarks: the drives are one temporary
// directory, nothing is started, every box answers Cancel.

#include "common/messagebox.h"
#include "platform/platform.h"

#include <QFileInfo>

namespace lc::bench {

class BenchPlatform : public Platform
{
public:
    explicit BenchPlatform(QString root) : m_root(std::move(root)) {}
    StartResult startProgram(const QString&, const QString&) override { return {}; }
    bool bringTaskToFront(qint64) override { return false; }
    bool bringWindowToFront(const QString&) override { return false; }
    bool isTaskRunning(qint64) override { return false; }
    bool isWindowShown(const QString&) override { return false; }
    bool isTaskOfThisSession(qint64) override { return false; }
    QStringList driveRoots() override { return {m_root}; }
    DriveType driveType(const QString&) override { return DriveType::Fixed; }
    QString volumeLabel(const QString&) override { return {}; }
    QString driveOf(const QString&) override { return m_root; }
    int checkDirectory(const QString& path) override { return QFileInfo(path).isDir() ? 0 : 76; }
    int moveToRecycleBin(const QString&) override { return 75; }
    void playSound(const QString&) override {}

private:
    QString m_root;
};

class NoMessages : public MessageBoxService
{
public:
    using MessageBoxService::show;
    int show(const MessageRequest&) override { return Msg::ResultCancel; }
};

} // namespace lc::bench
