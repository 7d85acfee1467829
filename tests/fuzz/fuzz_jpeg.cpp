// ".xji" pictures: any bytes give a whole RGB32 picture within the size limit or an
// ImageLoadError, never a crash or a partial picture; a picture that decodes has the size its
// header gives.
#include "imageloader.h"
#include "jpegdecoder.h"
#include "scratchfolder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    const QString path = scratch.Write(QStringLiteral("picture.xji"), data, size);
    try {
        const QImage image = loadJpegFile(path);
        Require(!image.isNull() && image.format() == QImage::Format_RGB32, "not an RGB32 picture");
        Require(qint64(image.width()) * image.height() <= kJpegMaxPixels, "picture over the limit");
        Require(ImageDecode::jpegSize(path) == image.size(), "the header gives another size");
    } catch (const ImageLoadError&) {
    }
    return 0;
}
