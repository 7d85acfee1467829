#pragma once

#include <QList>
#include <QString>

// The generator's word table (words.tsv): for every practice word its file key, the Polish
// word, how its picture is made and, where espeak-ng needs help, what it is told to say.
class WordList {
public:
    struct Word {
        QString key;
        QString word;
        QString recipe;
        QString speech; // the word itself unless the table gives a respelling
    };

    static bool load(const QString& path, QList<Word>* words, QString* error);
};
