#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QLibrary;

namespace lc {

// Plays wave files through Qt Multimedia; stays silent without an audio device.
class SoundPlayer
{
public:
    SoundPlayer();
    ~SoundPlayer();
    void play(const QString& wavePath);

private:
    std::unique_ptr<QLibrary> m_module;
    QPointer<QObject> m_playing;
};

} // namespace lc
