#pragma once

#include "recordingfile.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class AudioInput;
class AudioOutput;
class QObject;

// The voice recorder and player of the recordings tab, which also plays the main window's
// background music. It drives one "device" at a time: open on a sound file, then recording into
// it, playing it, or idle; open on the music file while the music plays.
//
// Recording takes 22050 Hz mono 16-bit samples from the capture device into the opened file up to
// a limit; playback and music go to the program's playback device. The two handlers run on the
// GUI thread, from its event loop, when a recording or playback ends by itself.
class CNagrywanie {
public:
    using Handler = std::function<void()>;

    // Relative to the current directory, which is the program's folder.
    static const QString MusicFile;

    CNagrywanie(Handler playbackFinished, Handler recordingFinished);
    ~CNagrywanie();
    CNagrywanie(const CNagrywanie&) = delete;
    CNagrywanie& operator=(const CNagrywanie&) = delete;

    // Replaces both handlers, for an owner window built after the recorder; empty handlers
    // detach it again before it goes.
    void SetHandlers(Handler playbackFinished, Handler recordingFinished);
    // Runs when a recording's first samples are in its file (the earlier sound is gone then).
    void SetOnFirstSound(Handler firstSound) { m_firstSound = std::move(firstSound); }

    // Closes the device and opens it on the file, which is created as an empty sound file when
    // it does not exist. False when the file can neither be found nor created.
    bool OpenFile(const QString& path);
    // Records into the opened file for at most limitMs milliseconds. The file's earlier sound is
    // replaced when the first samples arrive, not before: a microphone that sends nothing
    // leaves it as it was. False when the device is not open, the file cannot be written or
    // there is no capture device; the device then counts as closed.
    bool StartRecording(int limitMs);
    // Plays the opened file. False, and the device counts as closed, without a playback device.
    bool StartPlayback();
    // Stops a recording (keeping what was recorded) or a playback; no handler runs.
    void Stop();
    void CloseDevice();
    // Plays the music once, unless it is not allowed or the device is busy. The recorder counts
    // as playing at once; the file is read from the event loop, after the caller's repaint.
    void StartMusic();
    bool IsBusyOrSilent() const;
    void AllowMusic();
    void ForbidMusic();

    // How long a capture device may send nothing before the recording ends by itself, as
    // heard nothing (a microphone that is there but mute or taken by another program).
    static constexpr int NoSoundTimeoutMs = 2000;
    void SetNoSoundTimeout(int ms) { m_noSoundTimeoutMs = ms; }
    // Samples no louder than this are digital silence: until something louder comes, a capture
    // device counts as sending nothing.
    static constexpr short SilenceLevel = 2;
    // The last recording ended (by itself or stopped) without a single sample, or with nothing
    // but digital silence: the file was not touched.
    bool HeardNothing() const { return m_heardNothing; }

    bool IsOpen() const { return m_open; }
    bool IsRecording() const { return m_recording; }
    bool IsPlaying() const { return m_playing; }

private:
    void OnSamples();
    void OnPlaybackEnded();
    // Moves the captured samples into the file, which is begun with the first of them; false
    // when the file would not take them.
    bool SaveCaptured();
    void OnNoSoundTimeout(unsigned recording);
    // Closes the file and notes whether any sound reached it.
    void finishFile();
    void EndRecording();

    Handler m_playbackFinished;
    Handler m_recordingFinished;
    Handler m_firstSound;
    std::shared_ptr<AudioOutput> m_output;
    std::unique_ptr<AudioInput> m_input;
    RecordingFile m_file;
    std::vector<short> m_silentLead; // digital silence captured before any sound
    QString m_path;
    unsigned m_voice = 0;          // the sound playing on the output, 0 for none
    unsigned m_recordingCount = 0; // a late no-sound timeout about an earlier recording is dropped
    int m_noSoundTimeoutMs = NoSoundTimeoutMs;
    bool m_heardNothing = false;
    unsigned m_musicRequest = 0; // a pending music start goes ahead only while this is unchanged
    std::unique_ptr<QObject> m_context; // pending music starts die with the recorder
    bool m_musicAllowed = false;
    bool m_recording = false;
    bool m_playing = false;
    bool m_open = false;
};
