#include "imageloader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

// Writes a JPEG with libjpeg from raw samples (components per pixel as in `inSpace`), at full
// quality without chroma subsampling so that flat colours come back within a few levels.
QByteArray encodeJpeg(int width, int height, J_COLOR_SPACE inSpace, int components,
                      const std::vector<unsigned char>& samples, J_COLOR_SPACE fileSpace,
                      bool adobeMarker) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = inSpace;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, fileSpace);
    cinfo.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&cinfo, 100, TRUE);
    for (int i = 0; i < cinfo.num_components; ++i) {
        cinfo.comp_info[i].h_samp_factor = 1;
        cinfo.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(samples.data() +
                                         std::size_t(cinfo.next_scanline) * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

// Left half one colour, right half another, as RGB samples.
std::vector<unsigned char> twoColourRgb(int width, int height, Rgb left, Rgb right) {
    std::vector<unsigned char> s;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb& c = x < width / 2 ? left : right;
            s.insert(s.end(), {(unsigned char)c.r, (unsigned char)c.g, (unsigned char)c.b});
        }
    }
    return s;
}

// A picture with detail everywhere, so that its compressed data is long.
QByteArray detailedJpeg(int width, int height) {
    std::vector<unsigned char> s;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s.insert(s.end(), {(unsigned char)(x * 7 + y), (unsigned char)(x * y),
                               (unsigned char)((x ^ y) * 13)});
        }
    }
    return encodeJpeg(width, height, JCS_RGB, 3, s, JCS_YCbCr, false);
}

class ImageLoader : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

void expectColour(const QImage& image, int x, int y, Rgb want, int tolerance) {
    const QRgb got = image.pixel(x, y);
    EXPECT_NEAR(qRed(got), want.r, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(qGreen(got), want.g, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(qBlue(got), want.b, tolerance) << "at " << x << "," << y;
}

// RGB32 promises 0xff in the top byte of every stored pixel, whatever pixel() reports.
void expectOpaqueStorage(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(row[x] >> 24, 0xFFu) << "at " << x << "," << y;
        }
    }
}

TEST_F(ImageLoader, RgbJpegDecodesToSizeAndColours) {
    // An odd size that is no multiple of the 8x8 blocks.
    const Rgb left{200, 30, 40}, right{20, 90, 230};
    const QString path =
        write("kot.xji",
              encodeJpeg(34, 19, JCS_RGB, 3, twoColourRgb(34, 19, left, right), JCS_YCbCr, false));
    const QImage image = loadJpegFile(path);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(34, 19));
    expectColour(image, 2, 2, left, 4);
    expectColour(image, 31, 17, right, 4);
    expectColour(image, 0, 18, left, 4);
    expectOpaqueStorage(image);
}

TEST_F(ImageLoader, GrayscaleJpegDecodesToGrey) {
    const std::vector<unsigned char> samples(24 * 8, 100);
    const QImage image = loadJpegFile(
        write("szary.xji", encodeJpeg(24, 8, JCS_GRAYSCALE, 1, samples, JCS_GRAYSCALE, false)));
    EXPECT_EQ(image.size(), QSize(24, 8));
    expectColour(image, 5, 5, {100, 100, 100}, 1);
    expectOpaqueStorage(image);
}

struct CmykCase {
    const char* name;
    J_COLOR_SPACE fileSpace;
    bool adobe;
};

void PrintTo(const CmykCase& c, std::ostream* os) {
    *os << c.name;
}

class CmykJpeg : public ImageLoader, public testing::WithParamInterface<CmykCase> {};

TEST_P(CmykJpeg, DecodesToTheRightColours) {
    // Inks: 10% cyan, 70% magenta, 90% yellow, 20% black: an orange-red. The right half has
    // no ink at all and must come out white.
    const int inks[4] = {26, 178, 230, 51};
    const Rgb orange{(255 - 26) * (255 - 51) / 255, (255 - 178) * (255 - 51) / 255,
                     (255 - 230) * (255 - 51) / 255};
    const CmykCase& c = GetParam();
    std::vector<unsigned char> samples;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            for (int i = 0; i < 4; ++i) {
                const int ink = x < 16 ? inks[i] : 0;
                // Adobe's files hold the inks inverted.
                samples.push_back((unsigned char)(c.adobe ? 255 - ink : ink));
            }
        }
    }
    const QImage image = loadJpegFile(
        write("cmyk.xji", encodeJpeg(32, 16, JCS_CMYK, 4, samples, c.fileSpace, c.adobe)));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(32, 16));
    expectColour(image, 4, 4, orange, 5);
    expectColour(image, 28, 12, {255, 255, 255}, 3);
    expectOpaqueStorage(image);
}

INSTANTIATE_TEST_SUITE_P(Files, CmykJpeg,
                         testing::Values(CmykCase{"AdobeCmyk", JCS_CMYK, true},
                                         CmykCase{"AdobeYcck", JCS_YCCK, true},
                                         CmykCase{"PlainCmyk", JCS_CMYK, false}),
                         [](const testing::TestParamInfo<CmykCase>& info) {
                             return info.param.name;
                         });

struct BadFileCase {
    const char* name;
    QByteArray (*make)();
};

void PrintTo(const BadFileCase& c, std::ostream* os) {
    *os << c.name;
}

class BadJpeg : public ImageLoader, public testing::WithParamInterface<BadFileCase> {};

TEST_P(BadJpeg, ThrowsWithThePath) {
    const QString path = write("źle.xji", GetParam().make());
    try {
        const QImage image = loadJpegFile(path);
        ADD_FAILURE() << "decoded to " << image.width() << "x" << image.height();
    } catch (const ImageLoadError& e) {
        EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos) << e.what();
    }
    EXPECT_FALSE(ImageDecode::jpegWhole(path)) << "verified as whole";
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadJpeg,
    testing::Values(BadFileCase{"ZeroBytes", [] { return QByteArray(); }},
                    BadFileCase{"Garbage",
                                [] {
                                    QByteArray b;
                                    for (int i = 0; i < 5000; ++i) {
                                        b.append(char((i * 2654435761u) >> 13));
                                    }
                                    return b;
                                }},
                    BadFileCase{
                        "GarbageAfterStartMarker",
                        [] { return QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(3000, '\x5A'); }},
                    BadFileCase{"TruncatedInTheMiddle",
                                [] {
                                    const QByteArray whole = detailedJpeg(64, 64);
                                    return whole.first(whole.size() / 2);
                                }},
                    BadFileCase{"MissingEndMarker",
                                [] {
                                    const QByteArray whole = detailedJpeg(64, 64);
                                    return whole.first(whole.size() - 2);
                                }},
                    BadFileCase{"HeaderOnly", [] { return detailedJpeg(64, 64).first(300); }}),
    [](const testing::TestParamInfo<BadFileCase>& info) { return info.param.name; });

TEST_F(ImageLoader, MissingFileOrDirectoryThrows) {
    EXPECT_THROW(loadJpegFile(dir.filePath("brak.xji")), ImageLoadError);
    EXPECT_THROW(loadJpegFile(dir.path()), ImageLoadError);
    EXPECT_THROW(loadBmpFile(dir.filePath("brak.xbi")), ImageLoadError);
    EXPECT_THROW(loadBmpFile(dir.path()), ImageLoadError);
}

QImage testPattern() {
    QImage image(21, 13, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 12, y * 19, (x + y) * 7));
        }
    }
    return image;
}

TEST_F(ImageLoader, BmpLoadsExactPixels) {
    const QString path = dir.filePath("mT_m1.xbi");
    ASSERT_TRUE(testPattern().save(path, "BMP"));
    const QImage image = loadBmpFile(path);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image, testPattern());
}

TEST_F(ImageLoader, BadBmpThrows) {
    const QString good = dir.filePath("good.xbi");
    ASSERT_TRUE(testPattern().save(good, "BMP"));
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    EXPECT_THROW(loadBmpFile(write("cut.xbi", whole.first(whole.size() - 10))), ImageLoadError);
    EXPECT_THROW(loadBmpFile(write("head.xbi", whole.first(20))), ImageLoadError);
    EXPECT_THROW(loadBmpFile(write("empty.xbi", QByteArray())), ImageLoadError);
    EXPECT_THROW(loadBmpFile(write("junk.xbi", QByteArray(500, '\x33'))), ImageLoadError);
    // A picture of another format under the BMP name is not taken for one.
    const QString png = dir.filePath("png.xbi");
    ASSERT_TRUE(testPattern().save(png, "PNG"));
    EXPECT_THROW(loadBmpFile(png), ImageLoadError);
}

struct BmpSize {
    const char* name;
    qint32 width;
    qint32 height;
    quint16 bitCount;
};

class HugeBmp : public testing::TestWithParam<BmpSize> {
protected:
    QTemporaryDir dir;
};

// A small file whose header declares a picture of gigapixels: its rows cannot be in the file.
TEST_P(HugeBmp, DeclaredSizeBeyondTheFileThrows) {
    const BmpSize& c = GetParam();
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("huge.xbi");
    ASSERT_TRUE(testPattern().save(path, "BMP"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    qToLittleEndian(c.width, bytes.data() + 18);
    qToLittleEndian(c.height, bytes.data() + 22);
    qToLittleEndian(c.bitCount, bytes.data() + 28);
    ASSERT_TRUE(f.seek(0));
    ASSERT_EQ(f.write(bytes), bytes.size());
    f.close();
    EXPECT_THROW(loadBmpFile(path), ImageLoadError);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HugeBmp,
    testing::Values(BmpSize{"WidestAndTallest", 0x7FFFFFFF, 0x7FFFFFFF, 32},
                    BmpSize{"WidestTopDown", 0x7FFFFFFF, qint32(0x80000000), 32},
                    BmpSize{"Tallest", 21, 0x7FFFFFFF, 24}, BmpSize{"Widest", 0x7FFFFFFF, 13, 1},
                    BmpSize{"JustTooTall", 21, 13 * 1024 * 1024, 32}),
    [](const testing::TestParamInfo<BmpSize>& info) { return info.param.name; });

} // namespace

namespace {

// PNG's chunk checksum (CRC-32 of the type and data).
quint32 chunkCrc(const QByteArray& typeAndData) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : typeAndData) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage patternIn(QImage::Format format) {
    QImage image(23, 11, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 11, y * 23, (x * y) % 256, 60 + x * 8));
    return image.convertToFormat(format);
}

// The same PNG with a gamma chunk right after its header.
QByteArray withGamma(const QByteArray& png) {
    QByteArray chunk("gAMA");
    chunk.append("\x00\x01\x86\xA0", 4); // 1.0
    QByteArray framed(4, '\0');
    qToBigEndian<quint32>(4, framed.data());
    framed += chunk;
    framed.append(4, '\0');
    qToBigEndian(chunkCrc(chunk), framed.data() + framed.size() - 4);
    return png.first(33) + framed + png.sliced(33);
}

// The same 24-bit BMP stored from the top row down, as a negative height says.
QByteArray topDown(const QByteArray& bmp) {
    QByteArray out = bmp;
    const auto* d = reinterpret_cast<const uchar*>(bmp.constData());
    const quint32 offset = qFromLittleEndian<quint32>(d + 10);
    const qint32 width = qFromLittleEndian<qint32>(d + 18);
    const qint32 height = qFromLittleEndian<qint32>(d + 22);
    const qint32 rowBytes = (width * 3 + 3) / 4 * 4;
    for (qint32 y = 0; y < height; ++y)
        std::memcpy(out.data() + offset + y * rowBytes,
                    bmp.constData() + offset + (height - 1 - y) * rowBytes, rowBytes);
    qToLittleEndian<qint32>(-height, out.data() + 22);
    return out;
}

struct ReferenceCase {
    const char* name;
    const char* format; // as Qt's reader names it
    QByteArray (*make)();
};

void PrintTo(const ReferenceCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadsAsQt : public ImageLoader, public testing::WithParamInterface<ReferenceCase> {};

// The program reads the pack's kinds of PNG and BMP itself; every file, of those kinds or
// not, gives the pixels that Qt's reader gives, and its header the size they have.
TEST_P(ReadsAsQt, PixelsAndHeaderSize) {
    const ReferenceCase& c = GetParam();
    const bool png = std::strcmp(c.format, "png") == 0;
    const QString path = write(png ? "p.png" : "p.xbi", c.make());
    QImage reference;
    QImageReader reader(path, c.format);
    QSize headerSize = reader.size();
    if (reader.read(&reference)) {
        reference = reference.convertToFormat(QImage::Format_RGB32);
        // Qt's header gives a picture stored from the top down a negative height.
        headerSize = reference.size();
    } else {
        reference = QImage();
    }
    if (png) {
        EXPECT_EQ(ImageDecode::png(path), reference);
        EXPECT_EQ(ImageDecode::pngSize(path), headerSize);
        EXPECT_EQ(ImageDecode::pngWhole(path), !reference.isNull());
    } else {
        EXPECT_EQ(ImageDecode::bmp(path), reference);
        EXPECT_EQ(ImageDecode::bmpSize(path), headerSize);
        EXPECT_EQ(ImageDecode::bmpWhole(path), !reference.isNull());
    }
    if (!reference.isNull())
        expectOpaqueStorage(png ? ImageDecode::png(path) : ImageDecode::bmp(path));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadsAsQt,
    testing::Values(
        ReferenceCase{"RgbPng", "png",
                      [] { return encoded(patternIn(QImage::Format_RGB32), "PNG"); }},
        ReferenceCase{"RgbPngWithGamma", "png",
                      [] { return withGamma(encoded(patternIn(QImage::Format_RGB32), "PNG")); }},
        ReferenceCase{"TransparentPng", "png",
                      [] { return encoded(patternIn(QImage::Format_ARGB32), "PNG"); }},
        ReferenceCase{"GreyPng", "png",
                      [] { return encoded(patternIn(QImage::Format_Grayscale8), "PNG"); }},
        ReferenceCase{"PalettePng", "png",
                      [] { return encoded(patternIn(QImage::Format_Indexed8), "PNG"); }},
        ReferenceCase{"PngCutInItsData", "png",
                      [] {
                          const QByteArray whole = encoded(patternIn(QImage::Format_RGB32), "PNG");
                          return whole.first(whole.size() - 30);
                      }},
        ReferenceCase{"BmpFromTheBottomUp", "bmp",
                      [] { return encoded(patternIn(QImage::Format_RGB32), "BMP"); }},
        ReferenceCase{"BmpFromTheTopDown", "bmp",
                      [] { return topDown(encoded(patternIn(QImage::Format_RGB32), "BMP")); }},
        ReferenceCase{"PaletteBmp", "bmp",
                      [] { return encoded(patternIn(QImage::Format_Indexed8), "BMP"); }}),
    [](const testing::TestParamInfo<ReferenceCase>& info) { return info.param.name; });

} // namespace
