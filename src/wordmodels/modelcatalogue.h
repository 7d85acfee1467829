#pragma once

#include <QString>
#include <cstdint>
#include <vector>

struct WordEntry;

// One model the therapist can record: a practice word or a praise or try-again phrase.
struct ModelEntry {
    QString name;                // the file's stem: the word's key, or "g00".."b39"
    QString text;                // the written word, or the phrase the pack says
    std::uint16_t soundCode = 0; // a word's sound and position bits; 0 for a phrase
    int phraseKind = -1;         // FeedbackPraise or FeedbackError for a phrase, else -1
    bool isPhrase() const { return phraseKind >= 0; }
};

// Every model there can be: the catalogue's words in its order, then the phrases of the pack in
// theirs, and which one a file's name stands for.
class ModelCatalogue {
public:
    explicit ModelCatalogue(const std::vector<WordEntry>& words);

    const std::vector<ModelEntry>& Words() const { return m_words; }
    const std::vector<ModelEntry>& Phrases() const { return m_phrases; }
    const ModelEntry* Find(const QString& name) const;

    // The model a file's stem names: the written word or phrase as typed (any case, Polish
    // letters composed or not, the phrase's punctuation left out), else the model's own name
    // (a key like "zaba", "g07"). Empty when it names none.
    QString Match(const QString& stem) const;

private:
    std::vector<ModelEntry> m_words;
    std::vector<ModelEntry> m_phrases;
};
