#include "mediafiles.h"

#include "cblad.h"
#include "eventpump.h"
#include "imageloader.h"
#include "ownvoice.h"
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
    // A damaged own recording is not played (playSync refuses it) and the pack's word is.
    const QString own = OwnVoice::WordFile(key);
    if (!own.isEmpty() && QFileInfo::exists(own) && player.playSync(own))
        return true;
    const QString path = QStringLiteral("Data/Smd/") + key + QStringLiteral(".pw");
    if (!QFileInfo::exists(path))
        return false;
    player.playSync(path);
    return true;
}

int FeedbackPhraseCount(int kind) {
    if (kind == FeedbackPraise)
        return 47;
    if (kind == FeedbackError)
        return 40;
    return 0;
}

QString FeedbackPhraseName(int kind, int number) {
    return (kind == FeedbackPraise ? QStringLiteral("g") : QStringLiteral("b")) +
           QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString FeedbackSoundPath(int kind, int number) {
    return QStringLiteral("Data/Intf/Smd/") + FeedbackPhraseName(kind, number) +
           QStringLiteral(".pw");
}

bool PlayFeedbackSound(SoundPlayer& player, RandomGenerator& random, int kind) {
    const int count = FeedbackPhraseCount(kind);
    if (count == 0)
        return false;
    const std::vector<int> own = OwnVoice::RecordedPhrases(kind);
    bool played = false;
    if (!own.empty())
        played = player.playSync(OwnVoice::PhraseFile(kind, own[random.below(int(own.size()))]));
    if (!played) {
        const QString path = FeedbackSoundPath(kind, random.below(count));
        if (!QFileInfo::exists(path))
            return false;
        player.playSync(path);
    }
    Sleep(500);
    return true;
}
