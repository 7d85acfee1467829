#include "pixelbuffer.h"

#include "jpegdecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

PixelBuffer::PixelBuffer(QSize size) {
    if (size.isEmpty() || qint64(size.width()) * size.height() > kJpegMaxPixels)
        return;
    m_data = static_cast<unsigned char*>(
        std::malloc(std::size_t(size.width()) * std::size_t(size.height()) * 4));
    if (m_data)
        m_size = size;
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, {})) {}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
    if (this != &other) {
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, {});
    }
    return *this;
}

PixelBuffer::~PixelBuffer() {
    std::free(m_data);
}

void PixelBuffer::fillBlack() {
    auto* pixels = reinterpret_cast<std::uint32_t*>(m_data);
    std::fill_n(pixels, std::size_t(m_size.width()) * std::size_t(m_size.height()), 0xFF000000u);
}

QImage PixelBuffer::toImage() && {
    if (isNull())
        return {};
    QImage image(
        m_data, m_size.width(), m_size.height(), stride(), QImage::Format_RGB32,
        [](void* data) { std::free(data); }, m_data);
    // A null image took nothing: the memory is still this buffer's.
    if (!image.isNull()) {
        m_data = nullptr;
        m_size = {};
    }
    return image;
}

unsigned char* PixelBuffer::allocate(void* context, int width, int height, std::ptrdiff_t* stride) {
    auto* buffer = static_cast<PixelBuffer*>(context);
    *buffer = PixelBuffer(QSize(width, height));
    *stride = buffer->stride();
    return buffer->isNull() ? nullptr : buffer->row(0);
}
