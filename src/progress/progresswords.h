#pragma once

#include <QString>
#include <cstdint>

// The catalogue's words as the reports name them: the written word from its segmentation, its
// target sound and position from its code, and the file of its small picture. A key the
// catalogue does not know (a log of another program's words) is shown as it is, without a
// picture.
class ProgressWords {
public:
    struct Word {
        QString key;
        QString written;
        std::uint16_t sound = 0;    // one WordBits sound bit, 0 when unknown
        std::uint16_t position = 0; // one WordBits position bit, 0 when unknown
        bool known = false;
    };

    static Word Of(const QString& key);
    // Relative to the program's folder, as the games load it; empty for an unknown word.
    static QString SmallPicturePath(const QString& key);
};
