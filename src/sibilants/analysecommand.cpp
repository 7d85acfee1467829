#include "analysecommand.h"

#include "wavereader.h"

#include <cmath>

int AnalyseCommand::Run(const QString& path, std::FILE* out, std::FILE* err) {
    const std::optional<WaveSound> sound = WaveReader::Read(path);
    if (!sound) {
        std::fprintf(err, "wiklotek: %s: not a readable WAVE file\n",
                     path.toLocal8Bit().constData());
        return ExitUnreadable;
    }
    const SibilantAnalysis analysis =
        SibilantAnalysis::Of(sound->samples, sound->sampleRate, ScaleEnds::ChildDefaults());
    const QByteArray text = Lines(analysis).toUtf8();
    if (std::fwrite(text.constData(), 1, std::size_t(text.size()), out) !=
            std::size_t(text.size()) ||
        std::fflush(out) != 0)
        return 1;
    return 0;
}

QString AnalyseCommand::Lines(const SibilantAnalysis& analysis) {
    QString text;
    for (const SibilantSegment& s : analysis.segments)
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                    .arg(std::lround(s.startMs))
                    .arg(std::lround(s.endMs))
                    .arg(std::lround(s.cogHz))
                    .arg(std::lround(s.peakHz))
                    .arg(ScaleEnds::Name(s.verdict));
    return text;
}
