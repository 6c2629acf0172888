#include "sound.h"

#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace lc {

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& wavePath)
{
    if (!QFileInfo(wavePath).isFile() || QMediaDevices::audioOutputs().isEmpty())
        return;
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    const QUrl url = QUrl::fromLocalFile(wavePath);
    m_effect->stop();
    if (m_effect->source() != url)
        m_effect->setSource(url);
    m_effect->play();
}

} // namespace lc
