#pragma once

#include "maskshape.h"

#include <QList>
#include <QRectF>
#include <QSize>
#include <QString>

// Where the word media go and how big they are. The sizes fit the layouts of both screen
// variants: the 76 x 95 small picture fills a Memory card (board pitch 85 x 105) and a falling
// card; the Memory big picture stands beside the board and inside the falling game's ring, so
// its shape is an oval; the labelling and completing picture stands above the letter slots.
class PackLayout {
public:
    struct BigKind {
        QString suffix; // "_ms", "_mb", "_ups", "_upb"
        QSize size;
        MaskShape::Kind shape;
        int radius;
    };

    static QSize smallSize() { return {76, 95}; }
    static QList<BigKind> bigKinds();
    static MaskShape maskFor(const BigKind& kind);
    // Where the object of a big picture is drawn: about the mask's shape (anything beyond the
    // mask is whitened afterwards).
    static QRectF bigArea(const MaskShape& mask);
    static QRectF smallArea();

    static QString smallPath(const QString& key) { return "Sio/s" + key + ".xji"; }
    static QString bigPath(const QString& key, const QString& suffix) {
        return "Bio/" + key + suffix + ".xji";
    }
    static QString maskPath(const QString& suffix) { return "Bio/_matr" + suffix + ".xji"; }
    static QString soundPath(const QString& key) { return "Smd/" + key + ".pw"; }
    static QString praisePath(int n) {
        return QString("Intf/Smd/g%1.pw").arg(n, 2, 10, QChar('0'));
    }
    static QString retryPath(int n) { return QString("Intf/Smd/b%1.pw").arg(n, 2, 10, QChar('0')); }
    static QString musicPath() { return "Intf/Smd/music.wav"; }
    // The animals a child's profile shows, numbered from 1, and the list naming them.
    static QString animalPicturePath(int n) {
        return QString("Dzieci/zwierze%1.png").arg(n, 2, 10, QChar('0'));
    }
    static QString animalListPath() { return "Dzieci/zwierzeta.txt"; }
    // The sibilant mirror's pictures: the ends of its scale and its reward.
    static QString mirrorPicturePath(const QString& name) { return "Lusterko/" + name + ".png"; }
    // Both kinds are pictures on a coloured disc of this size.
    static int badgePictureSize() { return 256; }
    static int animalPictureSize() { return badgePictureSize(); }

    static constexpr int PraiseCount = 47;
    static constexpr int RetryCount = 40;
    static constexpr int AnimalCount = 12;
    static constexpr int MirrorPictureCount = 4;
};
