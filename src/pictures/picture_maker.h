#pragma once

#include <memory>
#include <string>

#include "scheme/scheme_pictures.h"

namespace stowbel {

class PlacementRecording;

// The three pictures of a run: the 2D loading scheme, the main 3D view and the summary picture.
enum class Picture { Scheme2D, View3D, Summary };

// The sizes the three pictures of a run are drawn at.
struct PictureSizes {
    ImageSize scheme2D = kDefaultScheme2DSize;
    ImageSize view3D = kDefaultView3DSize;
    ImageSize summary = kDefaultSummarySize;
};

// Which pictures a front end wants to see. The pictures that are stored are drawn as well.
struct PictureSet {
    bool scheme2D = false;
    bool view3D = false;
    bool summary = false;

    static constexpr PictureSet None() { return {}; }
    // What the desktop program shows in its panes.
    static constexpr PictureSet Shown() { return {true, true, false}; }
    static constexpr PictureSet All() { return {true, true, true}; }
};

// One drawn picture; what it holds is the picture maker's business (raster_pictures.h).
struct DrawnPicture;

// Pictures of a run; a picture that was not needed is not there (null).
struct RunPictures {
    std::shared_ptr<const DrawnPicture> scheme2D;
    std::shared_ptr<const DrawnPicture> view3D;
    std::shared_ptr<const DrawnPicture> summary;

    std::shared_ptr<const DrawnPicture>& operator[](Picture picture);
};

// Draws the pictures of a recorded run and encodes them as files. Front ends that draw give the
// calculation job one; a calculation without pictures needs none, and no toolkit either. The job
// calls it from several threads at once.
class PictureMaker {
public:
    virtual ~PictureMaker() = default;

    // Draws one picture as the run would have drawn it while it went on.
    virtual std::shared_ptr<const DrawnPicture> Draw(const PlacementRecording& run,
                                                     const PictureSizes& sizes,
                                                     Picture picture) const = 0;
    // The bytes of the picture's file. Throws std::runtime_error.
    virtual std::string Encode(const DrawnPicture& picture) const = 0;
};

}  // namespace stowbel
