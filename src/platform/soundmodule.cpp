// The part of the sound that needs Qt Multimedia, in a module of its own that the
// launcher loads only when a sound is first due: Qt Multimedia and its audio
// libraries (some twenty of them) stay out of the start-up and of an idle
// launcher's memory.

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

// Starts playing a wave file; the object returned is the sound, which deletes
// itself once it has played or failed to load (nullptr without an audio device).
extern "C" Q_DECL_EXPORT QObject* lcPlayWave(const QString& wavePath);

QObject* lcPlayWave(const QString& wavePath)
{
    if (QMediaDevices::audioOutputs().isEmpty())
        return nullptr;
    auto* effect = new QSoundEffect;
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    effect->setSource(QUrl::fromLocalFile(wavePath));
    effect->play();
    return effect;
}
