#include "sound.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace lc {

struct SoundPlayer::Device
{
    QSoundEffect effect;
};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& wavePath)
{
    if (!QFileInfo(wavePath).isFile() || QMediaDevices::audioOutputs().isEmpty())
        return;
    if (!m_device)
        m_device = std::make_unique<Device>();
    QSoundEffect& effect = m_device->effect;
    const QUrl url = QUrl::fromLocalFile(wavePath);
    effect.stop();
    if (effect.source() != url)
        effect.setSource(url);
    effect.play();
}

} // namespace lc
