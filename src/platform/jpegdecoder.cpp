#include "jpegdecoder.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

// Everything in this file that runs between setjmp and a possible longjmp is plain C data:
// a longjmp over a live C++ object with a destructor is undefined behaviour.

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failDecoding(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Level -1 is a corrupt-data warning; libjpeg would carry on and pad the picture with grey.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0) {
        failDecoding(cinfo);
    }
}

void setError(char* error, std::size_t errorSize, const char* text) {
    if (errorSize > 0) {
        std::snprintf(error, errorSize, "%s", text);
    }
}

bool giveUp(jpeg_decompress_struct* cinfo, char* error, std::size_t errorSize, const char* text) {
    setError(error, errorSize, text);
    jpeg_destroy_decompress(cinfo);
    return false;
}

inline std::uint32_t opaqueRgb(unsigned r, unsigned g, unsigned b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// One row of CMYK samples to RGB pixels. Adobe's writers store the inks inverted
// (255 = no ink); other writers store them as they are.
void cmykRowToRgb(const JSAMPLE* in, unsigned width, bool inverted, unsigned char* out) {
    for (unsigned x = 0; x < width; ++x, in += 4, out += 4) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        const std::uint32_t pixel =
            opaqueRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
        std::memcpy(out, &pixel, sizeof pixel);
    }
}

// Sends libjpeg's errors and warnings to `manager`, whose jump buffer the caller then sets.
void reportTo(jpeg_decompress_struct& cinfo, ErrorManager& manager) {
    cinfo.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = failDecoding;
    manager.pub.emit_message = onMessage;
}

// After the caller's setjmp: reads the header of the JPEG in memory, or jumps back.
void readHeader(jpeg_decompress_struct& cinfo, const unsigned char* data, std::size_t size) {
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
}

// decodeJpeg at 1/scaleDenom of the picture's size (1, 2, 4 or 8): the same compressed data
// read and the same warnings met, with less of the inverse transform and colour conversion.
bool decodeScaled(const unsigned char* data, std::size_t size, const JpegTarget& target,
                  unsigned scaleDenom, char* error, std::size_t errorSize) {
    setError(error, errorSize, "");
    if (size == 0) {
        setError(error, errorSize, "empty file");
        return false;
    }
    jpeg_decompress_struct cinfo{};
    ErrorManager manager{};
    reportTo(cinfo, manager);

    if (setjmp(manager.jump) != 0) {
        return giveUp(&cinfo, error, errorSize, manager.message);
    }
    readHeader(cinfo, data, size);
    // Before any memory for the picture is asked for.
    if (static_cast<long long>(cinfo.image_width) * cinfo.image_height > kJpegMaxPixels) {
        return giveUp(&cinfo, error, errorSize, "picture too large");
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom = scaleDenom;

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        cinfo.out_color_space = JCS_CMYK;
    } else {
        // The alpha variants guarantee 0xFF in the fourth byte, as 0xffRRGGBB pixels need.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        cinfo.out_color_space = JCS_EXT_ARGB;
#else
        cinfo.out_color_space = JCS_EXT_BGRA;
#endif
    }
    jpeg_start_decompress(&cinfo);

    const unsigned width = cinfo.output_width;
    const unsigned height = cinfo.output_height;
    std::ptrdiff_t stride = 0;
    unsigned char* pixels =
        target.allocate(target.context, static_cast<int>(width), static_cast<int>(height), &stride);
    if (pixels == nullptr) {
        return giveUp(&cinfo, error, errorSize, "out of memory for the picture");
    }

    if (cmyk) {
        JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                     JPOOL_IMAGE, width * 4, 1);
        const bool inverted = cinfo.saw_Adobe_marker;
        while (cinfo.output_scanline < height) {
            unsigned char* row = pixels + stride * std::ptrdiff_t(cinfo.output_scanline);
            if (jpeg_read_scanlines(&cinfo, line, 1) != 1) {
                return giveUp(&cinfo, error, errorSize, "picture data ends early");
            }
            cmykRowToRgb(line[0], width, inverted, row);
        }
    } else {
        constexpr unsigned kBatch = 8;
        JSAMPROW rows[kBatch];
        while (cinfo.output_scanline < height) {
            const unsigned first = cinfo.output_scanline;
            const unsigned count = height - first < kBatch ? height - first : kBatch;
            for (unsigned i = 0; i < count; ++i) {
                rows[i] = pixels + stride * std::ptrdiff_t(first + i);
            }
            if (jpeg_read_scanlines(&cinfo, rows, count) == 0) {
                return giveUp(&cinfo, error, errorSize, "picture data ends early");
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// A buffer of the verification's small picture, freed by whoever made the target.
unsigned char* allocateScratch(void* context, int width, int height, std::ptrdiff_t* stride) {
    auto** pixels = static_cast<unsigned char**>(context);
    *stride = std::ptrdiff_t(width) * 4;
    *pixels =
        static_cast<unsigned char*>(std::malloc(std::size_t(width) * std::size_t(height) * 4));
    return *pixels;
}

} // namespace

bool decodeJpeg(const unsigned char* data, std::size_t size, const JpegTarget& target, char* error,
                std::size_t errorSize) {
    return decodeScaled(data, size, target, 1, error, errorSize);
}

bool verifyJpeg(const unsigned char* data, std::size_t size, char* error, std::size_t errorSize) {
    unsigned char* pixels = nullptr;
    const bool whole =
        decodeScaled(data, size, JpegTarget{&pixels, allocateScratch}, 8, error, errorSize);
    std::free(pixels);
    return whole;
}

bool readJpegSize(const unsigned char* data, std::size_t size, int* width, int* height) {
    *width = 0;
    *height = 0;
    if (size == 0) {
        return false;
    }
    jpeg_decompress_struct cinfo{};
    ErrorManager manager{};
    reportTo(cinfo, manager);
    if (setjmp(manager.jump) != 0) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    readHeader(cinfo, data, size);
    const long long pixels = static_cast<long long>(cinfo.image_width) * cinfo.image_height;
    const bool fits = pixels > 0 && pixels <= kJpegMaxPixels;
    if (fits) {
        *width = static_cast<int>(cinfo.image_width);
        *height = static_cast<int>(cinfo.image_height);
    }
    jpeg_destroy_decompress(&cinfo);
    return fits;
}
