#include "ownvoice.h"

#include "mediafiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {
QString& folder() {
    static QString value;
    return value;
}
} // namespace

void OwnVoice::SetFolder(const QString& path) {
    folder() = path;
}

QString OwnVoice::Folder() {
    return folder();
}

QString OwnVoice::WordFile(const QString& key) {
    if (folder().isEmpty() || key.isEmpty())
        return {};
    return folder() + QLatin1Char('/') + key + QStringLiteral(".pw");
}

QString OwnVoice::PhraseFile(int kind, int number) {
    if (folder().isEmpty())
        return {};
    return folder() + QLatin1Char('/') + FeedbackPhraseName(kind, number) + QStringLiteral(".pw");
}

std::vector<int> OwnVoice::RecordedPhrases(int kind) {
    std::vector<int> numbers;
    if (folder().isEmpty())
        return numbers;
    // One listing instead of a look-up per phrase: praise comes after every answer.
    const QString prefix = kind == FeedbackPraise ? QStringLiteral("g") : QStringLiteral("b");
    const QStringList names =
        QDir(folder()).entryList({prefix + QStringLiteral("??.pw")}, QDir::Files | QDir::Readable);
    const QSet<QString> present(names.begin(), names.end());
    for (int n = 0; n < FeedbackPhraseCount(kind); ++n)
        if (present.contains(FeedbackPhraseName(kind, n) + QStringLiteral(".pw")))
            numbers.push_back(n);
    return numbers;
}
