#include "pictures/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <stdexcept>

#include "pictures/raster_pictures.h"

namespace stowbel {
namespace {

QImage TestImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    return image;
}

TEST(JpegEncoderTest, BaselineJfifOfTheRightSize) {
    JpegEncoder encoder;
    const std::string first = EncodePicture(encoder, TestImage(120, 80));
    const std::string second = EncodePicture(encoder, TestImage(33, 17));
    for (const std::string& bytes : {first, second}) {
        ASSERT_GT(bytes.size(), 100U);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
        EXPECT_EQ(bytes.substr(6, 4), "JFIF");
        EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);  // baseline frame
        EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);  // never progressive
    }
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(reinterpret_cast<const uchar*>(first.data()),
                                     static_cast<int>(first.size()), "JPG"));
    EXPECT_EQ(decoded.size(), QSize(120, 80));
    EXPECT_NEAR(qGreen(decoded.pixel(60, 40)), 200, 3);
}

// The pictures are encoded from their 32-bit pixels as they lie; the file must be the one that
// their conversion to 24-bit colour gives.
TEST(JpegEncoderTest, ThirtyTwoBitPixelsGiveTheSameFileAsTheirRgbCopy) {
    QImage image(97, 61, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 2, y * 4, (x * y) % 256));
        }
    }
    JpegEncoder encoder;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const std::string expected = encoder.Encode(rgb.constBits(), rgb.width(), rgb.height(),
                                                static_cast<int>(rgb.bytesPerLine()));
    EXPECT_EQ(EncodePicture(encoder, image), expected);
}

TEST(JpegEncoderTest, LibjpegErrorsBecomeExceptions) {
    JpegEncoder encoder;
    const std::uint8_t pixel[3] = {0, 0, 0};
    EXPECT_THROW(encoder.Encode(pixel, 0, 0, 3), std::runtime_error);
    // The encoder stays usable after an error.
    EXPECT_NO_THROW(EncodePicture(encoder, TestImage(8, 8)));
}

}  // namespace
}  // namespace stowbel
