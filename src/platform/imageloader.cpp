#include "imageloader.h"

#include "jpegdecoder.h"
#include "picturepreload.h"

#include <QFile>
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
// row; the caller has found their rows in the file. Anything else is left to Qt's reader (a
// null image): the first use of that reader looks at every image plugin installed, a few
// milliseconds of every start.
QImage plainBmp(const QByteArray& bytes, const BmpHeader& h) {
    if (h.planes != 1 || h.bitCount != 24 || h.compression != 0 || h.height == 0 ||
        qint64(h.pixelOffset) < 14 + qint64(h.headerSize)) {
        return {};
    }
    const qint64 rowBytes = (h.width * 3 + 3) / 4 * 4;
    QImage image(int(h.width), int(h.rows()), QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    // Stored from the bottom row up unless the height is negative.
    for (qint64 y = 0; y < h.rows(); ++y) {
        const uchar* in = d + h.pixelOffset + rowBytes * (h.height > 0 ? h.rows() - 1 - y : y);
        auto* out = reinterpret_cast<quint32*>(image.scanLine(int(y)));
        for (qint64 x = 0; x < h.width; ++x, in += 3) {
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
    // The same bytes, not copied: valid while the file is.
    QByteArray bytes() const {
        return QByteArray::fromRawData(reinterpret_cast<const char*>(m_data), qsizetype(size()));
    }

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
    if (const std::optional<BmpHeader> header = windowsBmpHeader(bytes)) {
        // Qt's reader keeps the rows it got from a truncated file and leaves the rest undefined.
        const qint64 needed = uncompressedBmpEnd(*header);
        if (needed > bytes.size()) {
            fail(path, QStringLiteral("file is truncated"));
        }
        if (needed >= 0) {
            if (QImage plain = plainBmp(bytes, *header); !plain.isNull()) {
                return plain;
            }
        }
    }
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) {
        fail(path, QStringLiteral("not a readable BMP picture"));
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ImageDecode::png(const QString& path) {
    {
        const MappedFile file(path);
        if (QImage plain = plainPng(file.bytes()); !plain.isNull()) {
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
    const std::optional<BmpHeader> header = windowsBmpHeader(file.bytes());
    const qint64 needed = header ? uncompressedBmpEnd(*header) : -1;
    if (needed < 0) {
        return qtHeaderSize(path, "bmp");
    }
    if (needed > qint64(file.size())) {
        return {};
    }
    // The rows were found in the file, so their count fits.
    return {int(header->width), int(header->rows())};
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
