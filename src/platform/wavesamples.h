#pragma once

#include <QString>
#include <optional>
#include <vector>

// Reads a WAVE file and returns its sound as 22050 Hz mono 16-bit samples, converted when the
// file has another format. Nothing when the file is missing or no regular file (a FIFO, a
// device), too large to be one of ours, not a WAVE file SDL understands, or of a sample rate
// outside 4000..384000 Hz, or when the sound would take more than 64 MB once converted. A file
// with a format chunk and no samples gives an empty list.
std::optional<std::vector<short>> loadWaveSamples(const QString& path);
