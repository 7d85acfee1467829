#include "mediafiles.h"

#include "cblad.h"
#include "eventpump.h"
#include "imageloader.h"
#include "randomgenerator.h"
#include "soundplayer.h"

#include <QFileInfo>

void LoadJpegBitmap(QImage& bitmap, const QString& path) {
    bitmap = loadJpegFile(path);
}

void LoadBitmapFile(QImage& bitmap, const QString& path) {
    bitmap = loadBmpFile(path);
}

QImage LoadOptionalJpeg(const QString& path) {
    if (!QFileInfo::exists(path))
        return QImage();
    try {
        return loadJpegFile(path);
    } catch (const ImageLoadError&) {
        return QImage();
    }
}

QImage LoadRequiredPicture(const QString& path) {
    try {
        return path.endsWith(QLatin1String(".xbi")) ? loadBmpFile(path) : loadJpegFile(path);
    } catch (const ImageLoadError&) {
        throw CBlad(1);
    }
}

bool PlayWordSound(SoundPlayer& player, const QString& key) {
    const QString path = QStringLiteral("Data/Smd/") + key + QStringLiteral(".pw");
    if (!QFileInfo::exists(path))
        return false;
    player.playSync(path);
    return true;
}

QString FeedbackSoundPath(int kind, int number) {
    const QString prefix = kind == FeedbackPraise ? QStringLiteral("Data/Intf/Smd/g")
                                                  : QStringLiteral("Data/Intf/Smd/b");
    return prefix + QStringLiteral("%1.pw").arg(number, 2, 10, QLatin1Char('0'));
}

bool PlayFeedbackSound(SoundPlayer& player, RandomGenerator& random, int kind) {
    int count;
    if (kind == FeedbackPraise)
        count = 47;
    else if (kind == FeedbackError)
        count = 40;
    else
        return false;
    const QString path = FeedbackSoundPath(kind, random.below(count));
    if (!QFileInfo::exists(path))
        return false;
    player.playSync(path);
    Sleep(500);
    return true;
}
