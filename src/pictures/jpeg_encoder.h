#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace stowbel {

// Baseline JFIF encoder: 24-bit colour, quality 90, not progressive. One encoder serves several
// pictures in turn. libjpeg errors become std::runtime_error with libjpeg's message.
class JpegEncoder {
public:
    JpegEncoder();
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    static constexpr int kQuality = 90;

    // The bytes of one pixel in memory.
    enum class Layout {
        Rgb,   // red, green, blue
        Bgrx,  // blue, green, red, unused: a 32-bit 0xffRRGGBB pixel on a little-endian machine
        Xrgb,  // the same pixel on a big-endian machine
    };

    // height rows of width pixels, stride bytes apart.
    std::string Encode(const std::uint8_t* pixels, int width, int height, int stride,
                       Layout layout = Layout::Rgb);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace stowbel
