#pragma once

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

// libjpeg error handling for the generator's writers: an error jumps back to the writer's
// setjmp with libjpeg's message, instead of libjpeg's default exit().
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

inline void jpegErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}
