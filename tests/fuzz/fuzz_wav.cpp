// Word sounds, music and recordings: any bytes give the sound at the device's format within the
// size limit, or nothing.
#include "scratchfolder.h"
#include "wavesamples.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    const QString path = scratch.Write(QStringLiteral("Nagranie0.wav"), data, size);
    const std::optional<std::vector<short>> samples = loadWaveSamples(path);
    Require(!samples || samples->size() * sizeof(short) <= 64u * 1024 * 1024,
            "decoded sound over the limit");
    return 0;
}
