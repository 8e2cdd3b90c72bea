// What a view and a projection can show: the volume of world space that
// lands on screen, so a frame draws only the cells and objects that can
// appear in it. Any view and projection will do (the free camera's
// perspective, a straight-down view of the whole track); the tests are
// conservative, with a margin for the rounding of the device's own float
// arithmetic, so nothing that could colour a pixel is ever left out.
#ifndef KELVANE_RENDER_VIEW_VOLUME_H
#define KELVANE_RENDER_VIEW_VOLUME_H

#include <windows.h>
#include <d3dx9.h>

#include <vector>

// An axis-aligned box in world space.
struct WorldBox {
    double lo[3];
    double hi[3];
};

// A closed range of numbers; empty when lo > hi.
struct Span {
    double lo;
    double hi;
    bool empty() const { return lo > hi; }
};

// The convex outline, on the ground plane (x, z), of the part of a view
// volume that lies between two heights.
class GroundOutline {
public:
    bool empty() const { return points_.empty(); }
    // Extent along x (axis 0) or z (axis 2) of the whole outline.
    Span extent(int axis) const;
    // Extent along the other ground axis of the outline's part whose `axis`
    // coordinate lies within `band`.
    Span across(int axis, Span band) const;

private:
    friend class ViewVolume;
    struct Point {
        double x, z;
    };
    std::vector<Point> points_;  // convex hull, in order round it
    double margin_ = 0.0;        // added to every extent
};

class ViewVolume {
public:
    // The volume of a view and a projection as handed to the device. Matrices
    // that cannot be inverted, or that give no finite volume, make a volume
    // that holds everything.
    ViewVolume(const D3DXMATRIX& view, const D3DXMATRIX& projection);
    // A volume that holds everything: nothing is left out.
    static ViewVolume everything();

    bool bounded() const { return bounded_; }
    // Whether anything inside the box may show.
    bool mayShow(const WorldBox& box) const;
    // The ground outline of the volume's part between heights y0 and y1,
    // already widened by the margin.
    GroundOutline outlineBetween(double y0, double y1) const;
    // The ground extent of the whole volume, widened by the margin.
    Span extent(int axis) const;
    // The margin, in world units, by which every test is widened.
    double margin() const { return margin_; }

private:
    ViewVolume() = default;
    bool bounded_ = false;
    double corners_[8][3] = {};
    double planes_[6][4] = {};  // inside where a x + b y + c z + d >= 0; (a, b, c) unit
    double margin_ = 0.0;
};

#endif
