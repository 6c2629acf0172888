#pragma once

#include "common/appcontext.h"
#include "common/messagebox.h"
#include "platform/platform.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace lc::fuzz {

// A platform that starts nothing and raises nothing. Directories are looked up in
// the real file system, except below two made-up roots that stand for a drive
// without a medium (/notready: error 71) and an unreadable one (/denied: 75), so
// the readers' disk-error paths run too.
class FuzzPlatform : public Platform
{
public:
    StartResult startProgram(const QString& program, const QString& workingDir) override;
    bool bringTaskToFront(qint64 taskId) override;
    bool bringWindowToFront(const QString& title) override;
    bool isTaskRunning(qint64) override { return false; }
    bool isWindowShown(const QString&) override { return false; }
    bool isTaskOfThisSession(qint64) override { return false; }
    QStringList driveRoots() override;
    DriveType driveType(const QString& root) override;
    QString volumeLabel(const QString& root) override;
    QString driveOf(const QString& path) override;
    int checkDirectory(const QString& path) override;
    int moveToRecycleBin(const QString& path) override;
    void playSound(const QString& wavePath) override;
};

// Every message box answers Cancel, so no Retry loop can run forever.
class CancelMessages : public MessageBoxService
{
public:
    using MessageBoxService::show;
    int show(const MessageRequest& request) override;

    int shown = 0;
};

// An installation directory in a temporary folder, made once per fuzzing run,
// with the context the readers receive.
class FuzzInstall
{
public:
    FuzzInstall();

    QString dir() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.path() + u'/' + name; }
    // Replaces the file with bytes (and nothing else); aborts when it cannot.
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    void removeFile(const QString& name) const;

    // A fresh context on the directory: no working paths, no messages shown.
    AppContext& freshContext();

    FuzzPlatform platform;
    CancelMessages messages;
    AppContext context;

private:
    QTemporaryDir m_dir;
};

// The installation of this fuzzing run.
FuzzInstall& install();

QByteArray bytesOf(const uint8_t* data, size_t size);

// A broken promise of the code under test: reported like a crash.
[[noreturn]] void fail(const char* what, const QString& detail = {});

} // namespace lc::fuzz

#define FUZZ_CHECK(condition, ...)                                                                                  \
    do {                                                                                                            \
        if (!(condition))                                                                                           \
            ::lc::fuzz::fail(#condition __VA_OPT__(, ) __VA_ARGS__);                                                \
    } while (false)
