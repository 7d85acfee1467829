#include "wordentry.h"

#include "wordbits.h"

namespace {
const QChar kMark = u'_';

// The comma-terminated pieces; a missing final comma still yields the last piece.
QStringList rawGraphemes(const QString& segmentation) {
    return segmentation.split(u',', Qt::SkipEmptyParts);
}
} // namespace

bool WordEntry::isDrawn() const {
    return (SoundCode & WordBits::Drawn) != 0;
}

void WordEntry::setDrawn(bool drawn) {
    if (drawn)
        SoundCode |= WordBits::Drawn;
    else
        SoundCode &= static_cast<std::uint16_t>(~WordBits::Drawn);
}

QStringList WordEntry::Graphemes(const QString& segmentation) {
    QStringList parts = rawGraphemes(segmentation);
    for (QString& part : parts) {
        if (part.startsWith(kMark))
            part.remove(0, 1);
    }
    return parts;
}

int WordEntry::TargetIndex(const QString& segmentation) {
    const QStringList parts = rawGraphemes(segmentation);
    for (int i = 0; i < parts.size(); ++i) {
        if (parts[i].startsWith(kMark))
            return i;
    }
    return -1;
}

QString WordEntry::TargetSound(const QString& segmentation) {
    const int index = TargetIndex(segmentation);
    return index < 0 ? QString() : Graphemes(segmentation).at(index);
}

QString WordEntry::PlainWord(const QString& segmentation) {
    return Graphemes(segmentation).join(QString());
}
