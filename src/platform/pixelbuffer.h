#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>

// An RGB32 picture in memory of its own, made without the toolkit: a worker may fill one
// before the application object exists, when even a QImage would read the toolkit's screens
// (for its default resolution) while the main thread adds them. The thread that takes the
// picture turns it into a QImage over the same memory, without a copy.
class PixelBuffer {
public:
    PixelBuffer() = default;
    // Unfilled memory for width x height pixels; null for an empty size, more than
    // kJpegMaxPixels pixels or no memory.
    explicit PixelBuffer(QSize size);
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    ~PixelBuffer();

    bool isNull() const { return m_data == nullptr; }
    QSize size() const { return m_size; }
    std::ptrdiff_t stride() const { return std::ptrdiff_t(m_size.width()) * 4; }
    unsigned char* row(int y) { return m_data + stride() * y; }
    // Every pixel opaque black, each page of the memory written once.
    void fillBlack();
    // The pixels as a QImage that frees the memory with its last copy; this buffer is then
    // null. On the thread that uses the picture.
    QImage toImage() &&;

    // For JpegTarget: makes the buffer `context` points at.
    static unsigned char* allocate(void* context, int width, int height, std::ptrdiff_t* stride);

private:
    unsigned char* m_data = nullptr;
    QSize m_size;
};
