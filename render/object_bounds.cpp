#include "object_bounds.h"

#include <algorithm>
#include <initializer_list>

namespace {

// 2^24: beyond it floats no longer hold every whole number, and no track
// reaches it (the largest is 409,600 units across).
constexpr DWORD kExtreme = 16777216;
// The billboard pass's size factor on the 10 x 10 quad.
constexpr float kSizeFactor = 0.1f;

bool anyExtreme(std::initializer_list<DWORD> values) {
    return std::any_of(values.begin(), values.end(), [](DWORD v) { return v >= kExtreme; });
}

ObjectBounds extreme() {
    return {BoundKind::Extreme, {}};
}

}  // namespace

// The quad spans 5 units either side of its centre and 10 up, scaled; turned
// about the vertical, fixed or to the camera, it stays within that radius.
ObjectBounds billboardBounds(const Billboard& b) {
    if (b.empty != kSlotUsed) return {BoundKind::Unused, {}};
    if (anyExtreme({b.posX, b.posY, b.posZ, b.scaleX, b.scaleY}) || b.scaleX == 0 || b.scaleY == 0)
        return extreme();
    const double radius = 5.0 * double(float(b.scaleX) * kSizeFactor);
    const double height = 10.0 * double(float(b.scaleY) * kSizeFactor);
    const double x = b.posX, y = b.posY, z = b.posZ;
    return {BoundKind::Box, {{x - radius, y, z - radius}, {x + radius, y + height, z + radius}}};
}

ObjectBounds borderBounds(const Border& b) {
    if (b.empty != kSlotUsed) return {BoundKind::Unused, {}};
    if (anyExtreme({b.x1, b.z1, b.x2, b.z2, b.top, b.bottom})) return extreme();
    return {BoundKind::Box,
            {{double(std::min(b.x1, b.x2)), double(std::min(b.top, b.bottom)),
              double(std::min(b.z1, b.z2))},
             {double(std::max(b.x1, b.x2)), double(std::max(b.top, b.bottom)),
              double(std::max(b.z1, b.z2))}}};
}
