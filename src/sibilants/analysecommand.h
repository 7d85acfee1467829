#pragma once

#include "scaleends.h"
#include "sibilantanalysis.h"

#include <QString>
#include <cstdio>

// wiklotek --analyse FILE.wav: one line per frication segment of the file, in order, five
// fields separated by tabs:
//     start_ms  end_ms  cog_hz  peak_hz  verdict
// whole numbers, the verdict "s", "ś" or "sz" (UTF-8); nothing when the file has no frication.
// Judged on the children's default scale (ScaleEnds::ChildDefaults).
class AnalyseCommand {
public:
    static constexpr int ExitUnreadable = 2;

    // Prints the lines on out (an error line on err) and returns the exit status: 0, or
    // ExitUnreadable when the file is missing, no regular file or no WAVE file WaveReader
    // reads.
    static int Run(const QString& path, std::FILE* out, std::FILE* err);
    // The lines for an analysis, each ending in "\n".
    static QString Lines(const SibilantAnalysis& analysis);
};
