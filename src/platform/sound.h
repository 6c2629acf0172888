#pragma once

#include <QString>

#include <memory>

namespace lc {

// Plays wave files once, without waiting; stays silent without an audio device.
// Qt Multimedia on POSIX, the system's own wave player on Windows.
class SoundPlayer
{
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;
    void play(const QString& wavePath);

private:
    struct Device;
    std::unique_ptr<Device> m_device;
};

} // namespace lc
