#include "imageloader.h"

#include "jpegdecoder.h"
#include "picturepreload.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <limits>

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
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) {
        fail(path, QStringLiteral("not a readable BMP picture"));
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ImageDecode::png(const QString& path) {
    QImage image;
    QImageReader reader(path, "png");
    if (!reader.read(&image))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
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
