#include "imageloader.h"

#include "jpegdecoder.h"
#include "picturepreload.h"
#include "regularfile.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <png.h>

namespace {

// Picture files of the program are well under a megabyte; a file far larger is not a picture
// of ours and is not read into memory.
constexpr qint64 kMaxPictureFileSize = 64 * 1024 * 1024;

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw ImageLoadError(
        QStringLiteral("Cannot load picture \"%1\": %2").arg(path, reason).toUtf8().toStdString());
}

// The file's bytes; a missing file, one that is no regular file (a FIFO, a device) and one far
// larger than ours fail alike.
std::optional<QByteArray> pictureBytes(const QString& path) {
    return RegularFile::Read(path, kMaxPictureFileSize);
}

QByteArray readPictureFile(const QString& path) {
    std::optional<QByteArray> bytes = pictureBytes(path);
    if (!bytes) {
        fail(path, QStringLiteral("missing, not a regular file, unreadable or too large"));
    }
    return std::move(*bytes);
}

const uchar* dataOf(const QByteArray& bytes) {
    return reinterpret_cast<const uchar*>(bytes.constData());
}

PixelBuffer decodedJpeg(const QByteArray& bytes, const QString& path) {
    PixelBuffer pixels;
    const JpegTarget target{&pixels, PixelBuffer::allocate};
    char message[256];
    if (!decodeJpeg(dataOf(bytes), std::size_t(bytes.size()), target, message, sizeof message)) {
        fail(path, QString::fromUtf8(message));
    }
    return pixels;
}

// The fields of a BMP's file header and Windows information header (40 bytes or more); none
// for another file or an old OS/2 header, which are left to Qt.
struct BmpHeader {
    quint32 pixelOffset;
    quint32 headerSize;
    qint64 width;
    qint64 height; // negative for rows stored from the top down
    quint16 planes;
    quint16 bitCount;
    quint32 compression;

    qint64 rows() const { return height < 0 ? -height : height; }
};

std::optional<BmpHeader> windowsBmpHeader(const QByteArray& bytes) {
    if (bytes.size() < 34 || !bytes.startsWith("BM")) {
        return std::nullopt;
    }
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    const BmpHeader header{qFromLittleEndian<quint32>(d + 10), qFromLittleEndian<quint32>(d + 14),
                           qFromLittleEndian<qint32>(d + 18),  qFromLittleEndian<qint32>(d + 22),
                           qFromLittleEndian<quint16>(d + 26), qFromLittleEndian<quint16>(d + 28),
                           qFromLittleEndian<quint32>(d + 30)};
    if (header.headerSize < 40) {
        return std::nullopt;
    }
    return header;
}

// Bytes the pixel rows of an uncompressed BMP need after its headers, or -1 when the header
// does not describe an uncompressed picture that can be checked this way.
qint64 uncompressedBmpEnd(const BmpHeader& h) {
    // BI_RGB and BI_BITFIELDS store plain rows padded to four bytes.
    if ((h.compression != 0 && h.compression != 3) || h.width <= 0 || h.bitCount == 0 ||
        h.bitCount > 32) {
        return -1;
    }
    const qint64 rowBytes = ((h.width * h.bitCount + 31) / 32) * 4;
    // Rows that could never fit in a file we read: the product itself may not fit in 64 bits.
    if (h.rows() > kMaxPictureFileSize / rowBytes) {
        return std::numeric_limits<qint64>::max();
    }
    return qint64(h.pixelOffset) + rowBytes * h.rows();
}

// The pack's BMP pictures are uncompressed 24-bit ones with a Windows header, read here row by
// row once their rows are found in the file. Anything else is left to Qt's reader: the first
// use of that reader looks at every image plugin installed, a few milliseconds of every start.
bool plainBmpHeader(const BmpHeader& h) {
    return h.planes == 1 && h.bitCount == 24 && h.compression == 0 && h.height != 0 &&
           qint64(h.pixelOffset) >= 14 + qint64(h.headerSize);
}

PixelBuffer plainBmp(const QByteArray& bytes, const BmpHeader& h) {
    const qint64 rowBytes = (h.width * 3 + 3) / 4 * 4;
    PixelBuffer image(QSize(int(h.width), int(h.rows())));
    if (image.isNull()) {
        return {};
    }
    const uchar* d = dataOf(bytes);
    // Stored from the bottom row up unless the height is negative.
    for (qint64 y = 0; y < h.rows(); ++y) {
        const uchar* in = d + h.pixelOffset + rowBytes * (h.height > 0 ? h.rows() - 1 - y : y);
        auto* out = reinterpret_cast<quint32*>(image.row(int(y)));
        for (qint64 x = 0; x < h.width; ++x, in += 3) {
            out[x] = 0xFF000000u | quint32(in[2]) << 16 | quint32(in[1]) << 8 | in[0];
        }
    }
    return image;
}

// A BMP with a Windows header whose rows are not all in the file fails: Qt's reader would keep
// the rows it got and leave the rest undefined. The pack's plain pictures come out decoded,
// any other kind as a null buffer, left to Qt's reader.
PixelBuffer decodedBmp(const QByteArray& bytes, const QString& path) {
    const std::optional<BmpHeader> header = windowsBmpHeader(bytes);
    if (!header) {
        return {};
    }
    const qint64 needed = uncompressedBmpEnd(*header);
    if (needed > bytes.size()) {
        fail(path, QStringLiteral("file is truncated"));
    }
    return needed >= 0 && plainBmpHeader(*header) ? plainBmp(bytes, *header) : PixelBuffer();
}

QImage qtBmp(const QByteArray& bytes) {
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// Chunks before the picture data after which libpng and Qt's reader may give other colours
// (transparency, gamma, colour spaces).
bool hasColourChunks(const QByteArray& bytes) {
    static const char* const kinds[] = {"tRNS", "gAMA", "cHRM", "sRGB", "iCCP", "sBIT"};
    qint64 at = 8;
    while (at + 8 <= bytes.size()) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
        const char* kind = bytes.constData() + at + 4;
        if (std::memcmp(kind, "IDAT", 4) == 0) {
            return false;
        }
        for (const char* colour : kinds) {
            if (std::memcmp(kind, colour, 4) == 0) {
                return true;
            }
        }
        at += 12 + qint64(length);
    }
    return false;
}

// The pack's PNG pictures are 8-bit RGB ones without transparency or colour-space chunks, read
// with libpng straight into the picture. Anything else is left to Qt's reader (a null buffer),
// whose handling of those chunks is the program's reference.
PixelBuffer plainPng(const QByteArray& bytes) {
    const uchar* d = dataOf(bytes);
    if (bytes.size() < 33 || png_sig_cmp(d, 0, 8) != 0 || d[24] != 8 || d[25] != 2 ||
        hasColourChunks(bytes)) {
        return {};
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, d, std::size_t(bytes.size()))) {
        return {};
    }
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    png.format = PNG_FORMAT_ARGB;
#else
    png.format = PNG_FORMAT_BGRA;
#endif
    PixelBuffer image;
    if (png.width <= 0x7FFFFFFFu && png.height <= 0x7FFFFFFFu) {
        image = PixelBuffer(QSize(int(png.width), int(png.height)));
    }
    // Without an alpha channel in the file every pixel comes out with 0xFF in the fourth byte.
    const bool read =
        !image.isNull() && png_image_finish_read(&png, nullptr, image.row(0),
                                                 png_int_32(image.stride()), nullptr) != 0;
    png_image_free(&png);
    return read ? std::move(image) : PixelBuffer();
}

// Qt's readers take the bytes, never the path: they would open a FIFO or a device themselves.
QImage qtPng(const QByteArray& bytes) {
    QBuffer device;
    device.setData(bytes);
    QImageReader reader(&device, "png");
    QImage image;
    if (!reader.read(&image)) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QSize qtHeaderSize(const QByteArray& bytes, const char* format) {
    QBuffer device;
    device.setData(bytes);
    QImageReader reader(&device, format);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead()) {
        return {};
    }
    return reader.size();
}

} // namespace

QImage ImageDecode::jpeg(const QString& path) {
    return decodedJpeg(readPictureFile(path), path).toImage();
}

QImage ImageDecode::bmp(const QString& path) {
    const QByteArray bytes = readPictureFile(path);
    if (PixelBuffer plain = decodedBmp(bytes, path); !plain.isNull()) {
        return std::move(plain).toImage();
    }
    QImage image = qtBmp(bytes);
    if (image.isNull()) {
        fail(path, QStringLiteral("not a readable BMP picture"));
    }
    return image;
}

QImage ImageDecode::png(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    if (!bytes) {
        return {};
    }
    if (PixelBuffer plain = plainPng(*bytes); !plain.isNull()) {
        return std::move(plain).toImage();
    }
    return qtPng(*bytes);
}

PixelBuffer ImageDecode::jpegPixels(const QString& path) {
    try {
        return decodedJpeg(readPictureFile(path), path);
    } catch (const ImageLoadError&) {
        return {};
    }
}

PixelBuffer ImageDecode::bmpPixels(const QString& path) {
    try {
        return decodedBmp(readPictureFile(path), path);
    } catch (const ImageLoadError&) {
        return {};
    }
}

PixelBuffer ImageDecode::pngPixels(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    return bytes ? plainPng(*bytes) : PixelBuffer();
}

QSize ImageDecode::jpegSize(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    int width = 0;
    int height = 0;
    if (!bytes || !readJpegSize(dataOf(*bytes), std::size_t(bytes->size()), &width, &height)) {
        return {};
    }
    return {width, height};
}

QSize ImageDecode::bmpSize(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    if (!bytes || bytes->isEmpty()) {
        return {};
    }
    const std::optional<BmpHeader> header = windowsBmpHeader(*bytes);
    const qint64 needed = header ? uncompressedBmpEnd(*header) : -1;
    if (needed < 0) {
        return qtHeaderSize(*bytes, "bmp");
    }
    if (needed > bytes->size()) {
        return {};
    }
    // The rows were found in the file, so their count fits.
    return {int(header->width), int(header->rows())};
}

QSize ImageDecode::pngSize(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    if (!bytes || bytes->isEmpty()) {
        return {};
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, dataOf(*bytes), std::size_t(bytes->size()))) {
        return {};
    }
    const QSize size(int(std::min<png_uint_32>(png.width, 0x7FFFFFFF)),
                     int(std::min<png_uint_32>(png.height, 0x7FFFFFFF)));
    png_image_free(&png);
    return size;
}

bool ImageDecode::jpegWhole(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    char message[256];
    return bytes && verifyJpeg(dataOf(*bytes), std::size_t(bytes->size()), message, sizeof message);
}

bool ImageDecode::bmpWhole(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    if (!bytes) {
        return false;
    }
    if (const std::optional<BmpHeader> header = windowsBmpHeader(*bytes)) {
        const qint64 needed = uncompressedBmpEnd(*header);
        if (needed > bytes->size()) {
            return false;
        }
        // Rows in the file are all the program's own reader needs.
        if (needed >= 0 && plainBmpHeader(*header)) {
            return true;
        }
    }
    return !qtBmp(*bytes).isNull();
}

bool ImageDecode::pngWhole(const QString& path) {
    const std::optional<QByteArray> bytes = pictureBytes(path);
    return bytes && (!plainPng(*bytes).isNull() || !qtPng(*bytes).isNull());
}

QImage loadJpegFile(const QString& path) {
    if (std::optional<QImage> ahead = PicturePreload::Take(path))
        return std::move(*ahead);
    return ImageDecode::jpeg(path);
}

QImage loadBmpFile(const QString& path) {
    if (std::optional<QImage> ahead = PicturePreload::Take(path))
        return std::move(*ahead);
    return ImageDecode::bmp(path);
}

QImage loadPngFile(const QString& path) {
    if (std::optional<QImage> ahead = PicturePreload::Take(path))
        return std::move(*ahead);
    return ImageDecode::png(path);
}
