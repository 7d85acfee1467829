#include "progresswords.h"

#include "cslowa.h"
#include "wordbits.h"
#include "wordentry.h"
#include "wordtable.h"

#include <QHash>

namespace {

const QHash<QString, ProgressWords::Word>& catalogue() {
    static const QHash<QString, ProgressWords::Word> words = [] {
        QHash<QString, ProgressWords::Word> all;
        for (const WordTable::Row& row : WordTable::rows()) {
            ProgressWords::Word word;
            word.key = QString::fromLatin1(row.key);
            word.written = WordEntry::PlainWord(QString::fromUtf8(row.segmentation));
            word.sound = std::uint16_t(row.code & WordBits::SoundMask);
            word.position = std::uint16_t(row.code & WordBits::PositionMask);
            word.known = true;
            all.insert(word.key, word);
        }
        return all;
    }();
    return words;
}

} // namespace

ProgressWords::Word ProgressWords::Of(const QString& key) {
    const auto found = catalogue().constFind(key);
    if (found != catalogue().constEnd())
        return *found;
    Word unknown;
    unknown.key = key;
    unknown.written = key;
    return unknown;
}

QString ProgressWords::SmallPicturePath(const QString& key) {
    return catalogue().contains(key) ? CSlowa::SmallPicturePath(key) : QString();
}
