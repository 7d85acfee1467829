#include "speechsynth.h"

#include "wavefile.h"

#include <QProcess>
#include <QTemporaryDir>

SpeechSynth::SpeechSynth(QStringList voiceArguments, QString program)
    : voice_(std::move(voiceArguments)), program_(std::move(program)) {}

QString SpeechSynth::settings() const {
    return program_ + ' ' + voice_.join(' ') + " trim/norm 1";
}

bool SpeechSynth::speak(const QString& text, const QString& path, QString* error) const {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        *error = "no temporary folder for speech";
        return false;
    }
    const QString raw = dir.filePath("raw.wav");
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The text goes after "--" so that a phrase can never be taken for an option.
    process.start(program_, QStringList(voice_) << "-w" << raw << "--" << text);
    if (!process.waitForStarted(10000)) {
        *error = program_ + " did not start (is espeak-ng installed?)";
        return false;
    }
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = QString("%1 failed on \"%2\": %3")
                     .arg(program_, text, QString::fromLocal8Bit(process.readAll()).trimmed());
        return false;
    }
    WaveFile wave;
    QString readError;
    if (!wave.read(raw, &readError)) {
        *error = "speech for \"" + text + "\": " + readError;
        return false;
    }
    if (wave.sampleRate != WaveFile::SampleRate) {
        *error = QString("speech for \"%1\" came at %2 Hz").arg(text).arg(wave.sampleRate);
        return false;
    }
    wave.trimSilence(0.01, 40);
    if (wave.samples.empty()) {
        *error = "speech for \"" + text + "\" is silent";
        return false;
    }
    wave.normalise(0.891); // -1 dBFS
    return wave.write(path, error);
}
