#pragma once

#include <QString>
#include <QStringList>

// Spoken Polish through espeak-ng, cleaned up for the program: leading and trailing silence
// cut, loudness evened out, 22050 Hz mono 16-bit.
class SpeechSynth {
public:
    // A young female variant, a little slower than espeak's default pace and a little higher:
    // clear for children without sounding like a chipmunk.
    static QStringList defaultVoice() { return {"-v", "pl+f3", "-s", "130", "-p", "60"}; }

    explicit SpeechSynth(QStringList voiceArguments = defaultVoice(),
                         QString program = QStringLiteral("espeak-ng"));

    // Speaks text into a ".pw" file at path; false with error naming the text on failure.
    bool speak(const QString& text, const QString& path, QString* error) const;

    // Everything that changes the sound of a phrase, for the build manifest.
    QString settings() const;

private:
    QStringList voice_;
    QString program_;
};
