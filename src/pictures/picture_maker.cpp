#include "pictures/picture_maker.h"

namespace stowbel {

std::shared_ptr<const DrawnPicture>& RunPictures::operator[](Picture picture) {
    switch (picture) {
        case Picture::Scheme2D:
            return scheme2D;
        case Picture::View3D:
            return view3D;
        case Picture::Summary:
            break;
    }
    return summary;
}

}  // namespace stowbel
