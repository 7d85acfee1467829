#include "mirrorscalefile.h"

#include "regularfile.h"

#include <QSaveFile>

std::optional<ScaleEnds> MirrorScaleFile::Load(const QString& path) {
    // A few lines; anything larger is not ours.
    const std::optional<QByteArray> bytes = RegularFile::Read(path, 4096);
    if (!bytes)
        return std::nullopt;
    double s = 0, sz = 0;
    for (const QByteArray& line : bytes->split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split('=');
        if (parts.size() != 2)
            continue;
        bool ok = false;
        const double value = parts[1].trimmed().toDouble(&ok);
        // Frication lies between 1 and 16 kHz in any voice.
        if (!ok || value < 1000 || value > 16000)
            continue;
        if (parts[0].trimmed() == "s")
            s = value;
        else if (parts[0].trimmed() == "sz")
            sz = value;
    }
    if (s <= sz || sz == 0)
        return std::nullopt;
    return ScaleEnds(s, sz);
}

bool MirrorScaleFile::Save(const QString& path, const ScaleEnds& ends) {
    QSaveFile file(path);
    const QByteArray text = "# Wiklotek: the sibilant mirror's scale for this child, in Hz\ns=" +
                            QByteArray::number(qRound(ends.sHz())) +
                            "\nsz=" + QByteArray::number(qRound(ends.szHz())) + "\n";
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}
