#include "modelcatalogue.h"

#include "mediafiles.h"
#include "wordentry.h"

#include <QFile>

namespace {

// What a typed name and a model's text or name are compared by.
QString folded(const QString& text) {
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_C).trimmed().toLower())
        if (c.isLetterOrNumber() || c.isSpace())
            plain.append(c);
    return plain.simplified();
}

// The phrases the pack's generator speaks, in the order of their files, from the same table.
std::vector<ModelEntry> packPhrases() {
    std::vector<ModelEntry> phrases;
    QFile table(QStringLiteral(":/wordmodels/phrases.tsv"));
    if (!table.open(QIODevice::ReadOnly))
        return phrases;
    int numbers[2] = {0, 0};
    for (const QByteArray& line : table.readAll().split('\n')) {
        if (line.startsWith('#') || !line.contains('\t'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        const int kind = fields[0] == "praise" ? FeedbackPraise : FeedbackError;
        if (numbers[kind] >= FeedbackPhraseCount(kind))
            continue;
        ModelEntry entry;
        entry.name = FeedbackPhraseName(kind, numbers[kind]++);
        entry.text = QString::fromUtf8(fields[1]).trimmed();
        entry.phraseKind = kind;
        phrases.push_back(entry);
    }
    return phrases;
}

} // namespace

ModelCatalogue::ModelCatalogue(const std::vector<WordEntry>& words) : m_phrases(packPhrases()) {
    m_words.reserve(words.size());
    for (const WordEntry& word : words)
        m_words.push_back({word.Key, word.plainWord(), word.SoundCode, -1});
}

const ModelEntry* ModelCatalogue::Find(const QString& name) const {
    for (const auto* list : {&m_words, &m_phrases})
        for (const ModelEntry& entry : *list)
            if (entry.name == name)
                return &entry;
    return nullptr;
}

QString ModelCatalogue::Match(const QString& stem) const {
    const QString typed = folded(stem);
    if (typed.isEmpty())
        return {};
    for (const auto* list : {&m_words, &m_phrases})
        for (const ModelEntry& entry : *list)
            if (folded(entry.text) == typed)
                return entry.name;
    for (const auto* list : {&m_words, &m_phrases})
        for (const ModelEntry& entry : *list)
            if (entry.name.toLower() == typed)
                return entry.name;
    return {};
}
