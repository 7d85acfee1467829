#include "jpegwriter.h"

#include "jpegerrors.h"

#include <QSaveFile>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {

// Compresses into memory; the caller saves the bytes atomically.
bool compress(const QImage& source, bool gray, int quality, QByteArray* out, QString* error) {
    const QImage image = gray ? source.convertToFormat(QImage::Format_Grayscale8)
                              : source.convertToFormat(QImage::Format_RGB888);
    if (image.isNull() || image.width() == 0 || image.height() == 0) {
        if (error)
            *error = "empty picture";
        return false;
    }

    jpeg_compress_struct info{};
    JpegErrorManager manager{};
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = jpegErrorExit;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(manager.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        if (error)
            *error = QString::fromLocal8Bit(manager.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = gray ? 1 : 3;
    info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    *out = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return true;
}

bool save(const QByteArray& bytes, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace

bool JpegWriter::writeColour(const QImage& image, const QString& path, int quality,
                             QString* error) {
    QByteArray bytes;
    return compress(image, false, quality, &bytes, error) && save(bytes, path, error);
}

bool JpegWriter::writeGray(const QImage& image, const QString& path, int quality, QString* error) {
    QByteArray bytes;
    return compress(image, true, quality, &bytes, error) && save(bytes, path, error);
}
