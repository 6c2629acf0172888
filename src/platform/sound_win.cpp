#include "sound.h"
#include "win32/win32_sound.h"

#include <QDir>
#include <QFileInfo>

// On Windows the chime goes through the system's own wave player: no Qt
// Multimedia, and no audio device is opened between signals.
namespace lc {

struct SoundPlayer::Device
{
};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer()
{
    win32::stopWaveFile();
}

void SoundPlayer::play(const QString& wavePath)
{
    if (!QFileInfo(wavePath).isFile())
        return;
    win32::playWaveFile(QDir::toNativeSeparators(wavePath).toStdWString());
}

} // namespace lc
