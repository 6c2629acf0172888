#pragma once

#include "platform.h"
#include "sound.h"

namespace lc {

// The platform layer of the machine the launcher runs on.
class SystemPlatform : public Platform
{
public:
    SystemPlatform();
    ~SystemPlatform() override;

    StartResult startProgram(const QString& program, const QString& workingDir) override;
    bool bringTaskToFront(qint64 taskId) override;
    bool bringWindowToFront(const QString& title) override;
    bool isTaskRunning(qint64 taskId) override;
    bool isWindowShown(const QString& title) override;
    bool isTaskOfThisSession(qint64 taskId) override;
    QStringList driveRoots() override;
    DriveType driveType(const QString& root) override;
    QString volumeLabel(const QString& root) override;
    QString driveOf(const QString& path) override;
    int checkDirectory(const QString& path) override;
    int moveToRecycleBin(const QString& path) override;
    int moveToRecycleBinAsking(const QString& path) override;
    void playSound(const QString& wavePath) override;

private:
    SoundPlayer m_sound;
};

} // namespace lc
