// The borders as wire frames: four edges and both diagonals of the upright
// rectangle each border stands for, red, the selected one white. The type
// does not show: all three kinds look alike.
#include "passes.h"

#include "scene.h"
#include "selection.h"
#include "visible_objects.h"

namespace {

struct Point {
    float x, y, z;
};

void drawSegment(Point from, Point to, float r, float g, float b) {
    scene.drawLine(from.x, from.y, from.z, to.x, to.y, to.z, r, g, b);
}

void drawBorder(const Border& border, float r, float g, float b) {
    Point a1{float(border.x1), float(border.bottom), float(border.z1)};
    Point a2{float(border.x2), float(border.bottom), float(border.z2)};
    Point b1{float(border.x1), float(border.top), float(border.z1)};
    Point b2{float(border.x2), float(border.top), float(border.z2)};
    drawSegment(b1, b2, r, g, b);  // top edge
    drawSegment(a1, a2, r, g, b);  // bottom edge
    drawSegment(a1, b1, r, g, b);  // upright at the first end
    drawSegment(a2, b2, r, g, b);  // upright at the second end
    drawSegment(a1, b2, r, g, b);  // diagonals
    drawSegment(a2, b1, r, g, b);
}

// Red, or white for the selected border.
void drawIfUsed(const TrackDocument& track, DWORD b) {
    const Border* border = track.borderAt(b);
    if (!border || border->empty != 0) return;
    bool selected = selectedBorder >= 0 && DWORD(selectedBorder) == b;
    if (selected)
        drawBorder(*border, 1.0f, 1.0f, 1.0f);
    else
        drawBorder(*border, 1.0f, 0.0f, 0.0f);
}

}  // namespace

int borderPass(const TrackDocument& track) {
    for (DWORD b = 0; b < track.header.borderCount; ++b) drawIfUsed(track, b);
    return 1;
}

int borderPass(const TrackDocument& track, const ViewVolume& volume) {
    if (!volume.bounded()) return borderPass(track);
    for (DWORD b : visibleBorders(track, volume)) drawIfUsed(track, b);
    return 1;
}
