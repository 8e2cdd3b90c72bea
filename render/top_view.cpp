#include "top_view.h"

#include <algorithm>
#include <cstring>

bool topViewShown = false;

namespace {

const float kMargin = 1.04f;  // a little ground round the grid
const float kNear = 1.0f;
const float kFar = 2.0f * kTopViewEyeHeight;

}  // namespace

void topViewMatrices(const TrackDocument& track, int width, int height, D3DXMATRIX* view,
                     D3DXMATRIX* projection) {
    float extentX = std::max(1.0f, float(track.header.sizeX) * 100.0f);
    float extentZ = std::max(1.0f, float(track.header.sizeY) * 100.0f);
    float aspect = height > 0 && width > 0 ? float(width) / float(height) : 1.33f;
    float spanX = std::max(extentX, extentZ * aspect) * kMargin;
    float spanZ = spanX / aspect;
    D3DXVECTOR3 eye(extentX * 0.5f, kTopViewEyeHeight, extentZ * 0.5f);
    D3DXVECTOR3 at(eye.x, 0.0f, eye.z), up(0.0f, 0.0f, 1.0f);
    D3DXMatrixLookAtLH(view, &eye, &at, &up);
    // A left-handed parallel projection of spanX x spanZ, depth 0..1.
    std::memset(static_cast<void*>(projection), 0, sizeof *projection);
    projection->_11 = 2.0f / spanX;
    projection->_22 = 2.0f / spanZ;
    projection->_33 = 1.0f / (kFar - kNear);
    projection->_43 = kNear / (kNear - kFar);
    projection->_44 = 1.0f;
}
