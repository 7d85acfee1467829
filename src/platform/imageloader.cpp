#include "imageloader.h"

#include "jpegdecoder.h"
#include "picturepreload.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>
#include <png.h>

namespace {

// Picture files of the program are well under a megabyte; a file far larger is not a picture
// of ours and is not read into memory.
constexpr qint64 kMaxPictureFileSize = 64 * 1024 * 1024;

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw ImageLoadError(
        QStringLiteral("Cannot load picture \"%1\": %2").arg(path, reason).toUtf8().toStdString());
}

QByteArray readPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(path, file.errorString());
    }
    if (file.size() > kMaxPictureFileSize) {
        fail(path, QStringLiteral("file too large"));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fail(path, file.errorString());
    }
    return bytes;
}

unsigned char* allocateImage(void* context, int width, int height, std::ptrdiff_t* stride) {
    auto* image = static_cast<QImage*>(context);
    *image = QImage(width, height, QImage::Format_RGB32);
    if (image->isNull()) {
        return nullptr;
    }
    *stride = image->bytesPerLine();
    return image->bits();
}

// Bytes the pixel rows of an uncompressed BMP need after its headers, or -1 when the header
// does not describe an uncompressed picture that can be checked this way.
qint64 uncompressedBmpEnd(const QByteArray& bytes) {
    if (bytes.size() < 34 || !bytes.startsWith("BM")) {
        return -1;
    }
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(d + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(d + 14);
    if (headerSize < 40) {
        return -1; // old OS/2 header: left to Qt
    }
    const qint64 width = qFromLittleEndian<qint32>(d + 18);
    const qint64 height = qFromLittleEndian<qint32>(d + 22);
    const quint16 bitCount = qFromLittleEndian<quint16>(d + 28);
    const quint32 compression = qFromLittleEndian<quint32>(d + 30);
    // BI_RGB and BI_BITFIELDS store plain rows padded to four bytes.
    if ((compression != 0 && compression != 3) || width <= 0 || bitCount == 0 || bitCount > 32) {
        return -1;
    }
    const qint64 rowBytes = ((width * bitCount + 31) / 32) * 4;
    const qint64 rows = height < 0 ? -height : height;
    // Rows that could never fit in a file we read: the product itself may not fit in 64 bits.
    if (rows > kMaxPictureFileSize / rowBytes) {
        return std::numeric_limits<qint64>::max();
    }
    return qint64(pixelOffset) + rowBytes * rows;
}

// The pack's BMP pictures are uncompressed 24-bit ones with a Windows header, read here row by
// row. Anything else is left to Qt's reader (a null image): the first use of that reader looks
// at every image plugin installed, a few milliseconds of every start.
QImage plainBmp(const QByteArray& bytes) {
    if (bytes.size() < 54 || !bytes.startsWith("BM")) {
        return {};
    }
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(d + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(d + 14);
    const qint64 width = qFromLittleEndian<qint32>(d + 18);
    const qint64 height = qFromLittleEndian<qint32>(d + 22);
    const quint16 planes = qFromLittleEndian<quint16>(d + 26);
    const quint16 bitCount = qFromLittleEndian<quint16>(d + 28);
    const quint32 compression = qFromLittleEndian<quint32>(d + 30);
    if (headerSize < 40 || planes != 1 || bitCount != 24 || compression != 0 || width <= 0 ||
        height == 0 || qint64(pixelOffset) < 14 + qint64(headerSize) ||
        pixelOffset > quint32(bytes.size())) {
        return {};
    }
    const qint64 rowBytes = (width * 3 + 3) / 4 * 4;
    const qint64 rows = height < 0 ? -height : height;
    if (rows > (bytes.size() - qint64(pixelOffset)) / rowBytes) {
        return {};
    }
    QImage image(int(width), int(rows), QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    // Stored from the bottom row up unless the height is negative.
    for (qint64 y = 0; y < rows; ++y) {
        const uchar* in = d + pixelOffset + rowBytes * (height > 0 ? rows - 1 - y : y);
        auto* out = reinterpret_cast<quint32*>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x, in += 3) {
            out[x] = 0xFF000000u | quint32(in[2]) << 16 | quint32(in[1]) << 8 | in[0];
        }
    }
    return image;
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
// with libpng straight into the image. Anything else is left to Qt's reader (a null image),
// whose handling of those chunks is the program's reference.
QImage plainPng(const QByteArray& bytes) {
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
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
    QImage image;
    if (png.width <= 0x7FFFFFFFu && png.height <= 0x7FFFFFFFu &&
        qint64(png.width) * png.height <= kJpegMaxPixels) {
        image = QImage(int(png.width), int(png.height), QImage::Format_RGB32);
    }
    // Without an alpha channel in the file every pixel comes out with 0xFF in the fourth byte.
    const bool read =
        !image.isNull() && png_image_finish_read(&png, nullptr, image.bits(),
                                                 png_int_32(image.bytesPerLine()), nullptr) != 0;
    png_image_free(&png);
    return read ? image : QImage();
}

// The whole file in memory without a copy where it can be mapped.
class MappedFile {
public:
    explicit MappedFile(const QString& path) : m_file(path) {
        if (m_file.open(QIODevice::ReadOnly) && m_file.size() > 0 &&
            m_file.size() <= kMaxPictureFileSize) {
            m_data = m_file.map(0, m_file.size());
        }
    }
    const uchar* data() const { return m_data; }
    std::size_t size() const { return m_data ? std::size_t(m_file.size()) : 0; }

private:
    QFile m_file;
    uchar* m_data = nullptr;
};

// Qt's reader for the files the program's own readers leave to it.
QSize qtHeaderSize(const QString& path, const char* format) {
    QImageReader reader(path, format);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead()) {
        return {};
    }
    return reader.size();
}

} // namespace

QImage ImageDecode::jpeg(const QString& path) {
    const QByteArray bytes = readPictureFile(path);
    QImage image;
    const JpegTarget target{&image, allocateImage};
    char message[256];
    if (!decodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    std::size_t(bytes.size()), target, message, sizeof message)) {
        fail(path, QString::fromUtf8(message));
    }
    return image;
}

QImage ImageDecode::bmp(const QString& path) {
    QByteArray bytes = readPictureFile(path);
    // Qt's reader keeps the rows it got from a truncated file and leaves the rest undefined.
    const qint64 needed = uncompressedBmpEnd(bytes);
    if (needed > bytes.size()) {
        fail(path, QStringLiteral("file is truncated"));
    }
    if (QImage plain = plainBmp(bytes); !plain.isNull()) {
        return plain;
    }
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) {
        fail(path, QStringLiteral("not a readable BMP picture"));
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ImageDecode::png(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxPictureFileSize) {
        if (QImage plain = plainPng(file.readAll()); !plain.isNull()) {
            return plain;
        }
    }
    QImage image;
    QImageReader reader(path, "png");
    if (!reader.read(&image))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QSize ImageDecode::jpegSize(const QString& path) {
    const MappedFile file(path);
    int width = 0;
    int height = 0;
    if (!file.data() || !readJpegSize(file.data(), file.size(), &width, &height)) {
        return {};
    }
    return {width, height};
}

QSize ImageDecode::bmpSize(const QString& path) {
    const MappedFile file(path);
    if (!file.data()) {
        return {};
    }
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
    const qint64 needed = uncompressedBmpEnd(bytes);
    if (needed < 0) {
        return qtHeaderSize(path, "bmp");
    }
    if (needed > bytes.size()) {
        return {};
    }
    // The rows were found in the file, so their count fits.
    const qint64 height = qFromLittleEndian<qint32>(file.data() + 22);
    return {qFromLittleEndian<qint32>(file.data() + 18), int(height < 0 ? -height : height)};
}

QSize ImageDecode::pngSize(const QString& path) {
    const MappedFile file(path);
    if (!file.data()) {
        return {};
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) {
        return {};
    }
    const QSize size(int(std::min<png_uint_32>(png.width, 0x7FFFFFFF)),
                     int(std::min<png_uint_32>(png.height, 0x7FFFFFFF)));
    png_image_free(&png);
    return size;
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
