#include "blackwhitejpeg.h"

#include "jpegerrors.h"

#include <QSaveFile>
#include <QtMath>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

constexpr double kDrive = 140.0; // signal amplitude around 128; the margin past 0 and 255 is 12
constexpr int kMaxCoefficient = 1023;

// cos((2x+1)u pi / 16), with the 1/sqrt(2) of u = 0 folded in.
const std::array<std::array<double, 8>, 8>& basis() {
    static const auto table = [] {
        std::array<std::array<double, 8>, 8> t{};
        for (int u = 0; u < 8; ++u)
            for (int x = 0; x < 8; ++x)
                t[u][x] = (u == 0 ? M_SQRT1_2 : 1.0) * std::cos((2 * x + 1) * u * M_PI / 16);
        return t;
    }();
    return table;
}

// The coefficients of one 8x8 block of +drive / -drive samples.
void transform(const double (&f)[8][8], JCOEF* out) {
    const auto& c = basis();
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    sum += f[y][x] * c[u][x] * c[v][y];
            const long value = std::lround(sum / 4);
            out[v * 8 + u] =
                static_cast<JCOEF>(qBound(-long(kMaxCoefficient), value, long(kMaxCoefficient)));
        }
}

// Runs the whole libjpeg session; only plain data lives across setjmp.
bool encodeGray(const unsigned char* white, int width, int height, unsigned char** buffer,
                unsigned long* size, char* message) {
    jpeg_compress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpegErrorExit;
    if (setjmp(errors.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    unsigned int ones[DCTSIZE2];
    for (unsigned int& q : ones)
        q = 1;
    jpeg_add_quant_table(&info, 0, ones, 100, TRUE);
    info.restart_interval = 1;
    info.optimize_coding = TRUE;

    const JDIMENSION blocksWide = (info.image_width + 7) / 8;
    const JDIMENSION blocksHigh = (info.image_height + 7) / 8;
    jvirt_barray_ptr arrays[1];
    arrays[0] = (*info.mem->request_virt_barray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 TRUE, blocksWide, blocksHigh, 1);
    (*info.mem->realize_virt_arrays)(reinterpret_cast<j_common_ptr>(&info));
    for (JDIMENSION by = 0; by < blocksHigh; ++by) {
        JBLOCKARRAY row = (*info.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&info),
                                                          arrays[0], by, 1, TRUE);
        for (JDIMENSION bx = 0; bx < blocksWide; ++bx) {
            double f[8][8];
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) {
                    // Padding repeats the last row and column, as a decoder expects.
                    const int px = qMin<int>(bx * 8 + x, width - 1);
                    const int py = qMin<int>(by * 8 + y, height - 1);
                    f[y][x] = white[py * width + px] ? kDrive : -kDrive;
                }
            transform(f, row[0][bx]);
        }
    }
    jpeg_write_coefficients(&info, arrays);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray BlackWhiteJpeg::encode(const QImage& mask, QString* error) {
    if (mask.isNull()) {
        if (error)
            *error = "empty mask";
        return {};
    }
    const QImage gray = mask.convertToFormat(QImage::Format_Grayscale8);
    const int width = gray.width(), height = gray.height();
    QByteArray white(width * height, 0);
    for (int y = 0; y < height; ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < width; ++x)
            white[y * width + x] = line[x] >= 128 ? 1 : 0;
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = encodeGray(reinterpret_cast<const unsigned char*>(white.constData()), width,
                               height, &buffer, &size, message);
    QByteArray bytes;
    if (ok && buffer)
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!ok && error)
        *error = QString::fromLocal8Bit(message);
    return bytes;
}

bool BlackWhiteJpeg::write(const QImage& mask, const QString& path, QString* error) {
    const QByteArray bytes = encode(mask, error);
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
