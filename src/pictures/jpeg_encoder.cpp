#include "pictures/jpeg_encoder.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>
#include <stdexcept>

namespace stowbel {

namespace {

// libjpeg reports errors through a callback that must not return; it jumps back to Encode,
// which turns the message into an exception outside libjpeg's C frames.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

}  // namespace

struct JpegEncoder::State {
    jpeg_compress_struct compress{};
    ErrorManager errors{};
    bool created = false;
    // The memory destination writes these; kept off the stack so that they stay valid after a
    // jump back from the error handler.
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

JpegEncoder::JpegEncoder() : state_(std::make_unique<State>()) {
    state_->compress.err = jpeg_std_error(&state_->errors.base);
    state_->errors.base.error_exit = OnError;
    if (setjmp(state_->errors.jump) != 0) {
        throw std::runtime_error(state_->errors.message);
    }
    jpeg_create_compress(&state_->compress);
    state_->created = true;
}

JpegEncoder::~JpegEncoder() {
    if (state_->created) {
        jpeg_destroy_compress(&state_->compress);
    }
}

std::string JpegEncoder::Encode(const std::uint8_t* pixels, int width, int height, int stride,
                                Layout layout) {
    jpeg_compress_struct& c = state_->compress;
    state_->buffer = nullptr;
    state_->size = 0;
    if (setjmp(state_->errors.jump) != 0) {
        jpeg_abort_compress(&c);
        std::free(state_->buffer);
        state_->buffer = nullptr;
        throw std::runtime_error(state_->errors.message);
    }
    jpeg_mem_dest(&c, &state_->buffer, &state_->size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    // The colour conversion of libjpeg-turbo reads any of these layouts alike: the file is the
    // same whatever the memory holds.
    switch (layout) {
        case Layout::Rgb:
            c.input_components = 3;
            c.in_color_space = JCS_RGB;
            break;
        case Layout::Bgrx:
            c.input_components = 4;
            c.in_color_space = JCS_EXT_BGRX;
            break;
        case Layout::Xrgb:
            c.input_components = 4;
            c.in_color_space = JCS_EXT_XRGB;
            break;
    }
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, kQuality, TRUE);
    c.write_JFIF_header = TRUE;
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(pixels + static_cast<std::ptrdiff_t>(c.next_scanline) * stride);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    std::string result(reinterpret_cast<const char*>(state_->buffer), state_->size);
    std::free(state_->buffer);
    state_->buffer = nullptr;
    return result;
}

}  // namespace stowbel
