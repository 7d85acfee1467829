#include "soundplayer.h"

#include "audiooutput.h"
#include "wavesamples.h"

SoundPlayer::SoundPlayer() : m_output(AudioOutput::shared()) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::PrepareDevice() {
    m_output->startOpening();
}

bool SoundPlayer::hasDevice() const {
    return m_output->hasDevice();
}

bool SoundPlayer::playSync(const QString& path) {
    std::optional<std::vector<short>> samples = loadWaveSamples(path);
    if (!samples) {
        return false;
    }
    if (!m_output->hasDevice()) {
        return true;
    }
    const unsigned id =
        m_output->play(std::make_shared<const std::vector<short>>(std::move(*samples)));
    m_output->waitUntilPlayed(id);
    return true;
}
