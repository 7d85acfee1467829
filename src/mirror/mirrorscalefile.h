#pragma once

#include "scaleends.h"

#include <QString>
#include <optional>

// A child's own scale for the mirror, set by calibration, in the child's folder as a small text
// file ("s=7400" and "sz=4700" in Hz). Written whole through a temporary file; a missing or
// damaged file means the children's defaults.
class MirrorScaleFile {
public:
    static QString FileName() { return QStringLiteral("lusterko.txt"); }

    static std::optional<ScaleEnds> Load(const QString& path);
    static bool Save(const QString& path, const ScaleEnds& ends);
};
