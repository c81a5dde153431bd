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

    // rgb: height rows of width * 3 bytes (red, green, blue), stride bytes apart.
    std::string Encode(const std::uint8_t* rgb, int width, int height, int stride);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace stowbel
