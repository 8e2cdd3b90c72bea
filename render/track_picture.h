// A track drawn offscreen into a PNG by the Preview's own renderer: the
// thumbnail of `trk render` and the pictures of the README.
#ifndef KELVANE_RENDER_TRACK_PICTURE_H
#define KELVANE_RENDER_TRACK_PICTURE_H

#include <string>

#include "frame.h"
#include "track_document.h"

enum class PictureView {
    Start,   // the camera Kelvane starts with
    Top,     // straight down on the whole track
    Camera,  // the camera given
};

struct PictureRequest {
    int width = 640;
    int height = 480;
    PictureView view = PictureView::Start;
    Camera camera = {};
};

// The camera the editor starts with: the Preview's first view of a track.
Camera startCamera();

// Draws the track, its maps and meshes looked up in `folder`, and writes the
// picture to pngPath. An empty string on success, else why it failed.
std::string drawTrackPicture(const TrackDocument& track, const char* folder,
                             const PictureRequest& request, const char* pngPath);

#endif
