// ".xbi" pictures: any bytes give a whole RGB32 picture or an ImageLoadError, never a crash,
// and a header size or none. (Qt's reader, which takes the kinds the program does not read
// itself, makes pictures of some headers it gives no size for.)
#include "imageloader.h"
#include "scratchfolder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    const QString path = scratch.Write(QStringLiteral("picture.xbi"), data, size);
    static_cast<void>(ImageDecode::bmpSize(path));
    try {
        const QImage image = loadBmpFile(path);
        Require(!image.isNull() && image.format() == QImage::Format_RGB32, "not an RGB32 picture");
    } catch (const ImageLoadError&) {
    }
    return 0;
}
