#include "wordlist.h"

#include "tsvtable.h"

#include <QSet>

bool WordList::load(const QString& path, QList<Word>* words, QString* error) {
    words->clear();
    QList<TsvTable::Row> rows;
    if (!TsvTable::read(path, 3, &rows, error))
        return false;
    QSet<QString> keys;
    for (const auto& row : rows) {
        Word w{row.fields[0], row.fields[1], row.fields[2], row.fields.value(3)};
        if (w.speech.isEmpty())
            w.speech = w.word;
        if (w.key.isEmpty() || w.word.isEmpty() || w.recipe.isEmpty() || keys.contains(w.key)) {
            if (error)
                *error = QString("%1:%2: empty field or repeated key \"%3\"")
                             .arg(path)
                             .arg(row.line)
                             .arg(w.key);
            words->clear();
            return false;
        }
        keys.insert(w.key);
        words->append(w);
    }
    return true;
}
