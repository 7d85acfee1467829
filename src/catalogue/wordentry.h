#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>

// One practice word. Entries in the candidate list and the selection are copies of the
// catalogue's entries; only selection entries ever carry pictures (a null QImage is an empty
// picture).
struct WordEntry {
    QString Key;                // ASCII stem of the word's media file names
    std::uint16_t SoundCode{0}; // one sound bit, one position bit, and the drawn mark
    QImage SmallPicture;
    QImage BigPicture;
    QString SoundPath;    // "Data/Smd/<Key>.pw"
    QString Segmentation; // graphemes each followed by a comma, the target marked with '_'

    bool isDrawn() const;
    void setDrawn(bool drawn);

    // The graphemes in order, the underscore removed: "a,b,e,_c,a," gives a, b, e, c, a.
    QStringList graphemes() const { return Graphemes(Segmentation); }
    // Index of the marked grapheme, -1 when none is marked.
    int targetIndex() const { return TargetIndex(Segmentation); }
    // The marked grapheme without its underscore ("cz" for "_cz"), empty when none.
    QString targetSound() const { return TargetSound(Segmentation); }
    // The written word: the graphemes joined ("abecadło").
    QString plainWord() const { return PlainWord(Segmentation); }

    static QStringList Graphemes(const QString& segmentation);
    static int TargetIndex(const QString& segmentation);
    static QString TargetSound(const QString& segmentation);
    static QString PlainWord(const QString& segmentation);
};
