#include "cnagrywanie.h"

#include "audioinput.h"
#include "audiooutput.h"
#include "wavesamples.h"

#include <QFileInfo>
#include <QObject>
#include <QTimer>
#include <algorithm>

namespace {

constexpr std::int64_t kSamplesPerSecond = 22050;
// Recordings are a minute long; an hour keeps any limit far inside the WAVE size fields.
constexpr int kMaxLimitMs = 60 * 60 * 1000;

} // namespace

const QString CNagrywanie::MusicFile = QStringLiteral("Data/Intf/Smd/music.wav");

CNagrywanie::CNagrywanie(Handler playbackFinished, Handler recordingFinished)
    : m_playbackFinished(std::move(playbackFinished)),
      m_recordingFinished(std::move(recordingFinished)), m_output(AudioOutput::shared()),
      m_input(std::make_unique<AudioInput>()), m_context(std::make_unique<QObject>()) {}

void CNagrywanie::SetHandlers(Handler playbackFinished, Handler recordingFinished) {
    m_playbackFinished = std::move(playbackFinished);
    m_recordingFinished = std::move(recordingFinished);
}

CNagrywanie::~CNagrywanie() {
    CloseDevice();
}

bool CNagrywanie::OpenFile(const QString& path) {
    CloseDevice();
    if (path.isEmpty()) {
        return false;
    }
    if (!QFileInfo::exists(path) && !RecordingFile::CreateEmpty(path)) {
        return false;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        return false;
    }
    m_path = path;
    m_open = true;
    return true;
}

bool CNagrywanie::StartRecording(int limitMs) {
    if (!m_open) {
        return false;
    }
    if (m_recording) {
        return true;
    }
    if (m_playing) {
        Stop();
    }
    const std::int64_t limit =
        std::int64_t(std::clamp(limitMs, 0, kMaxLimitMs)) * kSamplesPerSecond / 1000;
    // The file must take the recording; it is emptied only when sound arrives.
    if (!QFileInfo(m_path).isWritable()) {
        m_open = false;
        return false;
    }
    // Without a microphone the earlier recording stays as it was.
    if (!m_input->start(limit, [this] { OnSamples(); })) {
        m_open = false;
        return false;
    }
    m_recording = true;
    m_heardNothing = false;
    m_silentLead.clear();
    QTimer::singleShot(m_noSoundTimeoutMs, m_context.get(),
                       [this, recording = ++m_recordingCount] { OnNoSoundTimeout(recording); });
    return true;
}

void CNagrywanie::OnNoSoundTimeout(unsigned recording) {
    if (!m_recording || recording != m_recordingCount || m_file.IsOpen())
        return;
    // Samples that came in the meantime are still sound.
    if (SaveCaptured() && m_file.IsOpen())
        return;
    m_input->stop();
    m_input->takeSamples();
    EndRecording();
}

bool CNagrywanie::StartPlayback() {
    if (m_playing) {
        return true;
    }
    if (!m_open) {
        return false;
    }
    if (m_recording) {
        Stop();
    }
    // A file that cannot be read plays as silence of no length, and so ends at once.
    std::optional<std::vector<short>> samples = loadWaveSamples(m_path);
    auto sound = std::make_shared<const std::vector<short>>(samples ? std::move(*samples)
                                                                    : std::vector<short>());
    m_voice = m_output->play(std::move(sound), [this] { OnPlaybackEnded(); });
    if (m_voice == 0) {
        m_open = false;
        return false;
    }
    m_playing = true;
    return true;
}

void CNagrywanie::Stop() {
    if (!m_open) {
        return;
    }
    if (m_voice != 0) {
        m_output->stop(m_voice);
        m_voice = 0;
    }
    m_playing = false;
    if (m_recording) {
        m_recording = false;
        m_input->stop();
        SaveCaptured();
        finishFile();
    }
}

void CNagrywanie::CloseDevice() {
    ++m_musicRequest;
    if (m_open) {
        Stop();
    }
    m_open = false;
    // A closed device plays nothing, also when the music never got a device to play on.
    m_playing = false;
}

void CNagrywanie::StartMusic() {
    if (!m_musicAllowed || m_recording || m_playing) {
        return;
    }
    if (!QFileInfo(MusicFile).isFile()) {
        m_open = false;
        m_playing = false;
        return;
    }
    // The music counts as playing even when it cannot be heard, so that it is not tried again
    // on every repaint; closing the device clears that.
    m_path = MusicFile;
    m_open = false;
    m_playing = true;
    // The first repaint of the menu starts the music: reading and converting the file (and
    // waiting for the sound library to load) comes after that repaint reached the screen.
    QTimer::singleShot(0, m_context.get(), [this, request = ++m_musicRequest] {
        // Stopped, or started anew, in the meantime.
        if (request != m_musicRequest || !m_playing || m_path != MusicFile || m_voice != 0)
            return;
        // Not asking whether there is a device: it may still be opening. The music waits for
        // it, or is dropped when there is none.
        std::optional<std::vector<short>> samples = loadWaveSamples(MusicFile);
        if (!samples)
            return;
        // No handler: the music plays once and counts as playing until the device is closed.
        m_voice = m_output->play(std::make_shared<const std::vector<short>>(std::move(*samples)));
        m_open = m_voice != 0;
    });
}

bool CNagrywanie::IsBusyOrSilent() const {
    return !m_musicAllowed || m_recording || m_playing;
}

void CNagrywanie::AllowMusic() {
    m_musicAllowed = true;
}

void CNagrywanie::ForbidMusic() {
    CloseDevice();
    m_musicAllowed = false;
}

void CNagrywanie::OnSamples() {
    if (!m_recording) {
        return; // a late call about a recording that was stopped
    }
    const bool saved = SaveCaptured();
    if (saved && !m_input->limitReached()) {
        return;
    }
    // The limit is reached, or the disk would not take the samples: the recording ends by
    // itself with what the file holds.
    m_input->stop();
    if (saved) {
        SaveCaptured();
    } else {
        m_input->takeSamples();
    }
    EndRecording();
}

bool CNagrywanie::SaveCaptured() {
    std::vector<short> samples = m_input->takeSamples();
    if (samples.empty())
        return true;
    // The first sound replaces the earlier recording of this place. A capture device that gives
    // only digital silence (a muted microphone, a sound server without a source) has given no
    // sound yet: what it gives waits here, and comes first in the file once sound follows.
    const bool first = !m_file.IsOpen();
    if (first) {
        const bool silent = std::all_of(samples.begin(), samples.end(), [](short v) {
            return v >= -SilenceLevel && v <= SilenceLevel;
        });
        if (silent) {
            m_silentLead.insert(m_silentLead.end(), samples.begin(), samples.end());
            return true;
        }
        samples.insert(samples.begin(), m_silentLead.begin(), m_silentLead.end());
        m_silentLead.clear();
        if (!m_file.Begin(m_path))
            return false;
    }
    const bool appended = m_file.Append(samples.data(), samples.size());
    if (first && m_firstSound) {
        const Handler handler = m_firstSound;
        handler();
    }
    return appended;
}

void CNagrywanie::finishFile() {
    m_heardNothing = !m_file.IsOpen();
    m_silentLead.clear();
    m_file.Finish();
}

void CNagrywanie::EndRecording() {
    m_recording = false;
    finishFile();
    // A copy: the handler usually stops and closes this recorder.
    const Handler handler = m_recordingFinished;
    if (handler) {
        handler();
    }
}

void CNagrywanie::OnPlaybackEnded() {
    if (!m_open || !m_playing) {
        return;
    }
    m_playing = false;
    m_voice = 0;
    const Handler handler = m_playbackFinished;
    if (handler) {
        handler();
    }
}
