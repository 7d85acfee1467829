// PNG interface pictures: any bytes give an RGB32 picture or a null one, and a header size or
// none, never a crash.
#include "imageloader.h"
#include "scratchfolder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    const QString path = scratch.Write(QStringLiteral("picture.png"), data, size);
    const QImage image = ImageDecode::png(path);
    static_cast<void>(ImageDecode::pngSize(path));
    Require(image.isNull() || image.format() == QImage::Format_RGB32, "not an RGB32 picture");
    return 0;
}
