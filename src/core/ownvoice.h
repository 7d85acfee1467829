#pragma once

#include <QString>
#include <vector>

// The therapist's own recordings of the words and of the praise and try-again phrases, kept in
// one folder of the user's files as "<key>.pw" and "g00.pw".."b39.pw", in the pack's WAVE
// format. Wherever the program speaks, an own recording is played in place of the pack's when
// one is there; the folder is set once a run knows its home and read at every sound, so a
// recording made or deleted a moment ago is heard at once.
class OwnVoice {
public:
    static void SetFolder(const QString& folder);
    static QString Folder();

    // The own recording of the word or phrase, whether or not it exists; empty without a folder.
    static QString WordFile(const QString& key);
    static QString PhraseFile(int kind, int number);
    // The numbers of the phrases of this kind recorded by the therapist, in order.
    static std::vector<int> RecordedPhrases(int kind);
};
