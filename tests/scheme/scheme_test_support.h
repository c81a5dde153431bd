#pragma once

#include <memory>

#include "scheme/recording_canvas.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// Three recording canvases as the pictures of a run, with access to what each recorded.
struct RecordedPictures {
    RecordingCanvas* scheme2D = new RecordingCanvas;
    RecordingCanvas* view3D = new RecordingCanvas;
    RecordingCanvas* summary = new RecordingCanvas;
    SchemePictures pictures{std::unique_ptr<Canvas>(scheme2D), std::unique_ptr<Canvas>(view3D),
                            std::unique_ptr<Canvas>(summary)};

    void ClearRecords() {
        scheme2D->Clear();
        view3D->Clear();
        summary->Clear();
    }
};

inline Container MakeContainer(double width, double length, double height) {
    Container spec;
    spec.Width = width;
    spec.Length = length;
    spec.Height = height;
    spec.SideClearance = 50;
    return spec;
}

}  // namespace stowbel
