#pragma once

#include <QImage>
#include <QString>

class RandomGenerator;
class SoundPlayer;

// Picture and sound files of the data pack, as the windows and games load and play them. Paths
// are relative to the program's folder, which is the current directory while the program runs.

// Loads a JPEG (".xji") or BMP (".xbi") picture into bitmap; throws ImageLoadError on failure.
void LoadJpegBitmap(QImage& bitmap, const QString& path);
void LoadBitmapFile(QImage& bitmap, const QString& path);

// A JPEG picture the caller can do without: missing or unreadable gives an empty picture.
QImage LoadOptionalJpeg(const QString& path);
// A picture a window cannot do without (".xbi" files are BMP, all others JPEG): missing or
// unreadable raises error 1.
QImage LoadRequiredPicture(const QString& path);

// Plays the word to its end: the therapist's own recording when there is a playable one (see
// OwnVoice), otherwise "Data/Smd/<key>.pw"; false (and silence) when neither is there.
bool PlayWordSound(SoundPlayer& player, const QString& key);

enum FeedbackKind { FeedbackPraise = 0, FeedbackError = 1 };
// Plays a random praise (kind 0, "g00".."g46") or try-again (kind 1, "b00".."b39") phrase
// from "Data/Intf/Smd/", then pauses 500 ms. Once the therapist has recorded phrases of the
// kind, the choice is among those only. False when nothing was played.
bool PlayFeedbackSound(SoundPlayer& player, RandomGenerator& random, int kind);
// The pack's file of a feedback sound of this kind and number.
QString FeedbackSoundPath(int kind, int number);
// How many phrases of the kind there are (47 praise, 40 try-again; 0 for another kind).
int FeedbackPhraseCount(int kind);
// The stem of a phrase's file names: "g07", "b12".
QString FeedbackPhraseName(int kind, int number);
