#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <ostream>

#include "../temp_dir.h"
#include "output/atomic_file.h"
#include "output/codepage.h"
#include "output/file_error.h"
#include "output/jpeg_encoder.h"
#include "output/order_file.h"
#include "output/raster_pictures.h"
#include "output/report_file.h"
#include "output/result_files.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

struct PathCase {
    const char* dir;
    const char* order;
    const char* result;
};

std::ostream& operator<<(std::ostream& os, const PathCase& c) {
    return os << c.order;
}

class ResultPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(ResultPathTest, DropsOneLowercaseTAndKeepsTheExtension) {
    EXPECT_EQ(ResultPath(GetParam().dir, GetParam().order), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Names, ResultPathTest,
                         testing::Values(PathCase{"OUT", "IN/t0001.txt", "OUT/r0001.txt"},
                                         PathCase{"OUT/", "/x/IN/T0001.txt", "OUT/rT0001.txt"},
                                         PathCase{"/srv/OUT", "order.txt", "/srv/OUT/rorder.txt"},
                                         PathCase{"OUT", "tt.txt", "OUT/rt.txt"},
                                         PathCase{"OUT", "t", "OUT/r"}));

TEST(ReportFileTest, Windows1251WithCrLfAfterEveryLine) {
    const std::string bytes = EncodeReportFile({"Заказ 1 ё", "угол 28°,  ", ""});
    EXPECT_EQ(bytes, "\xC7\xE0\xEA\xE0\xE7 1 \xB8\r\n\xF3\xE3\xEE\xEB 28\xB0,  \r\n\r\n");
    EXPECT_EQ(EncodeReportFile({"✓ x"}), "? x\r\n");
    EXPECT_EQ(EncodeReportFile({}), "");
}

TEST(OrderFileTest, Utf8WithOrWithoutBomElseWindows1251) {
    EXPECT_EQ(DecodeOrderText("\xEF\xBB\xBF//Ширина\r\n2450\n"),
              (std::vector<std::string>{"//Ширина", "2450"}));
    EXPECT_EQ(DecodeOrderText("//\xD8\xE8\xF0\xE8\xED\xE0\r2450"),
              (std::vector<std::string>{"//Ширина", "2450"}));
    EXPECT_EQ(DecodeOrderText("a\n\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(DecodeOrderText(std::string("a\0b", 3)),
              (std::vector<std::string>{std::string("a\0b", 3)}));
    EXPECT_TRUE(DecodeOrderText("").empty());
}

TEST(AtomicFileTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string file = dir.Write("r0001.txt", "old old old old");
    WriteFileAtomically(file, "new");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(AtomicFileTest, FailureNamesThePath) {
    TempDir dir;
    try {
        WriteFileAtomically(dir / "missing/r0001.txt", "x");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing/r0001.txt"), std::string::npos);
    }
    fs::create_directory(dir / "sub");
    EXPECT_THROW(WriteFileAtomically(dir / "sub", "x"), FileError);
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

TEST(AtomicFileTest, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    // A name of 250 bytes leaves no room for the temporary file's suffix beside it, so the write
    // fails (for any user, root too) after the old file was there.
    const std::string file = dir.Write(std::string(250, 'r'), "old");
    EXPECT_THROW(WriteFileAtomically(file, "new"), FileError);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(AtomicFileTest, ReadingRefusesDirectoriesAndMissingFiles) {
    TempDir dir;
    EXPECT_THROW(ReadWholeFile(dir.Path().string()), FileError);
    EXPECT_THROW(ReadWholeFile(dir / "none.txt"), FileError);
    EXPECT_EQ(ReadWholeFile(dir.Write("t.txt", "abc")), "abc");
}

TEST(OrderFileTest, HugeFilesAreRefusedUnread) {
    TempDir dir;
    const std::string path = dir.Write("t.txt", "");
    fs::resize_file(path, 100 * 1024 * 1024);
    try {
        ReadOrderFile(path);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("слишком велик"), std::string::npos);
    }
}

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

TEST(CodepageTest, RoundTripOfTheReportAlphabet) {
    const std::string text = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя°";
    EXPECT_EQ(Windows1251ToUtf8(Utf8ToWindows1251(text)), text);
}

}  // namespace
}  // namespace stowbel
