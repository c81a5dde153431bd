#include "pictures/picture_maker.h"

#include <utility>

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

const std::shared_ptr<const DrawnPicture>& RunPictures::operator[](Picture picture) const {
    return const_cast<RunPictures&>(*this)[picture];
}

Picture OverviewPicture(const Container& container) {
    return SummaryShowsUnits(container) ? Picture::Summary : Picture::Scheme2D;
}

RunPictures DrawPictures(const PictureMaker& maker, const PlacementRecording& run,
                         const PictureSizes& sizes, const PictureSet& wanted) {
    RunPictures pictures;
    const std::pair<Picture, bool> all[] = {{Picture::Scheme2D, wanted.scheme2D},
                                            {Picture::View3D, wanted.view3D},
                                            {Picture::Summary, wanted.summary}};
    for (const auto& [picture, want] : all) {
        if (want) {
            pictures[picture] = maker.Draw(run, sizes, picture);
        }
    }
    return pictures;
}

}  // namespace stowbel
