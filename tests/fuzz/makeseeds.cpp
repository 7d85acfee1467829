// Writes the starting corpora of the binary formats' fuzz targets, a few small files of each
// kind the program meets: fuzz_seeds <folder> makes <folder>/<target>/<file>. The text formats'
// seeds are kept as files beside this one.
#include "../platform/wavebuilder.h"
#include "recordingfile.h"
#include "statfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

QString g_root;

void save(const QString& target, const QString& name, const QByteArray& bytes) {
    const QString folder = g_root + u'/' + target;
    QFile file(folder + u'/' + name);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

// A small picture of gradients, so that every colour channel varies.
std::vector<unsigned char> samples(int width, int height, int components) {
    std::vector<unsigned char> s;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                s.push_back((unsigned char)(x * 16 + y * 5 + c * 60));
            }
        }
    }
    return s;
}

QByteArray jpeg(J_COLOR_SPACE inSpace, int components, J_COLOR_SPACE fileSpace, bool progressive,
                bool adobe) {
    constexpr int kSize = 16;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = kSize;
    cinfo.image_height = kSize;
    cinfo.input_components = components;
    cinfo.in_color_space = inSpace;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, fileSpace);
    jpeg_set_quality(&cinfo, 50, TRUE);
    cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
    if (progressive) {
        jpeg_simple_progression(&cinfo);
    }
    const std::vector<unsigned char> pixels = samples(kSize, kSize, components);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(pixels.data() +
                                         std::size_t(cinfo.next_scanline) * kSize * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

QByteArray encoded(QImage::Format format, const char* kind) {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 36, y * 50, (x + y) * 20));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(format).save(&buffer, kind);
    return bytes;
}

QByteArray statistics(int records) {
    char header[StatFile::HeaderSize];
    StatFile::EncodeHeader(1, SystemTime{2024, 9, 0, 1, 8, 30, 0, 0}, header);
    QByteArray bytes(header, StatFile::HeaderSize);
    for (int r = 0; r < records; ++r) {
        char record[StatFile::RecordSize] = {};
        StatFile::Put32(record, 1 + r % 4);
        for (int i = 4; i < StatFile::RecordSize; ++i) {
            record[i] = char(i * 3 + r);
        }
        bytes.append(record, StatFile::RecordSize);
    }
    return bytes;
}

QByteArray tone(int count, int channels) {
    std::vector<qint16> values;
    for (int i = 0; i < count * channels; ++i) {
        values.push_back(qint16((i % 50) * 600 - 15000));
    }
    return s16(values);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);

    save("fuzz_jpeg", "rgb.xji", jpeg(JCS_RGB, 3, JCS_YCbCr, false, false));
    save("fuzz_jpeg", "progressive.xji", jpeg(JCS_RGB, 3, JCS_YCbCr, true, false));
    save("fuzz_jpeg", "grey.xji", jpeg(JCS_GRAYSCALE, 1, JCS_GRAYSCALE, false, false));
    save("fuzz_jpeg", "cmyk.xji", jpeg(JCS_CMYK, 4, JCS_CMYK, false, true));
    save("fuzz_jpeg", "ycck.xji", jpeg(JCS_CMYK, 4, JCS_YCCK, false, true));

    save("fuzz_bmp", "mono.xbi", encoded(QImage::Format_Mono, "BMP"));
    save("fuzz_bmp", "indexed.xbi", encoded(QImage::Format_Indexed8, "BMP"));
    save("fuzz_bmp", "rgb24.xbi", encoded(QImage::Format_RGB888, "BMP"));
    save("fuzz_bmp", "argb32.xbi", encoded(QImage::Format_ARGB32, "BMP"));

    save("fuzz_png", "rgb.png", encoded(QImage::Format_RGB32, "PNG"));
    save("fuzz_png", "grey.png", encoded(QImage::Format_Grayscale8, "PNG"));
    save("fuzz_png", "indexed.png", encoded(QImage::Format_Indexed8, "PNG"));
    save("fuzz_png", "argb32.png", encoded(QImage::Format_ARGB32, "PNG"));

    save("fuzz_wav", "native.pw", waveFile(22050, 1, 16, tone(200, 1)));
    save("fuzz_wav", "cd.wav", waveFile(44100, 2, 16, tone(100, 2)));
    save("fuzz_wav", "phone.wav", waveFile(8000, 1, 8, QByteArray(120, '\x70')));
    save("fuzz_wav", "Nagranie0.wav", RecordingFile::EmptyWave());

    save("fuzz_statistics", "header.stt", statistics(0));
    save("fuzz_statistics", "records.stt", statistics(3));
    save("fuzz_statistics", "cut.stt", statistics(2).chopped(7));
    return 0;
}
