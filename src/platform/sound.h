#pragma once

#include <QString>

#include <memory>

class QSoundEffect;

namespace lc {

// Plays wave files through Qt Multimedia; stays silent without an audio device.
class SoundPlayer
{
public:
    SoundPlayer();
    ~SoundPlayer();
    void play(const QString& wavePath);

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace lc
