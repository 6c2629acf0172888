#include "sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QObject>
#include <QPointer>

namespace lc {

namespace {
using PlayWave = QObject* (*)(const QString&);
} // namespace

struct SoundPlayer::Device
{
    // In a folder of its own beside the program: no library directory of the
    // system, whose libraries the dynamic linker caches.
    QLibrary module{QCoreApplication::applicationDirPath() + QStringLiteral("/sound/launcher_sound")};
    QPointer<QObject> playing;

    ~Device() { delete playing.data(); }
};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

// The sound module (Qt Multimedia) is loaded at the first sound, not at start-up:
// the launcher idles all day between two signals. Once loaded it stays, as Qt
// Multimedia keeps its audio threads; each sound is dropped when it has played.
void SoundPlayer::play(const QString& wavePath)
{
    if (!QFileInfo(wavePath).isFile())
        return;
    if (!m_device) {
        m_device = std::make_unique<Device>();
        m_device->module.load();
    }
    const auto playWave = reinterpret_cast<PlayWave>(m_device->module.resolve("lcPlayWave"));
    if (!playWave)
        return; // no module with the program: silent, as without an audio device
    delete m_device->playing.data();
    m_device->playing = playWave(wavePath);
}

} // namespace lc
