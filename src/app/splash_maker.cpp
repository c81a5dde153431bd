// Draws the program's splash picture and stores it as a JPEG file: the build puts it beside the
// program as "Splash.jpg".
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "app/splash_picture.h"
#include "files/atomic_file.h"
#include "pictures/jpeg_encoder.h"
#include "pictures/raster_pictures.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.jpg\n", argv[0]);
        return 2;
    }
    try {
        stowbel::JpegEncoder encoder;
        const std::string bytes = stowbel::EncodePicture(
            encoder, stowbel::DrawSplashPicture(stowbel::kSplashPictureSize));
        stowbel::WriteFileAtomically(argv[1], bytes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
