#include "sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace lc {

namespace {
using PlayWave = QObject* (*)(const QString&);
} // namespace

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer()
{
    delete m_playing.data();
}

// The sound module (Qt Multimedia) is loaded at the first sound, not at start-up:
// the launcher idles all day between two signals. Once loaded it stays, as Qt
// Multimedia keeps its audio threads; each sound is dropped when it has played.
void SoundPlayer::play(const QString& wavePath)
{
    if (!QFileInfo(wavePath).isFile())
        return;
    if (!m_module) {
        m_module = std::make_unique<QLibrary>(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/launcher_sound"));
        m_module->load();
    }
    const auto playWave = reinterpret_cast<PlayWave>(m_module->resolve("lcPlayWave"));
    if (!playWave)
        return; // no module beside the program: silent, as without an audio device
    delete m_playing.data();
    m_playing = playWave(wavePath);
}

} // namespace lc
