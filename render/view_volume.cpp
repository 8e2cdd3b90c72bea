#include "view_volume.h"

#include <algorithm>
#include <cmath>

namespace {

using Matrix = double[4][4];

// Row-vector product a * b, as the device combines view and projection.
void multiply(const D3DXMATRIX& a, const D3DXMATRIX& b, Matrix out) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += double(a.m[r][k]) * double(b.m[k][c]);
            out[r][c] = sum;
        }
}

// Gauss-Jordan with partial pivoting; false for a singular matrix.
bool invert(const Matrix in, Matrix out) {
    double work[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            work[r][c] = in[r][c];
            work[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(work[r][col]) > std::fabs(work[pivot][col])) pivot = r;
        if (!(std::fabs(work[pivot][col]) > 1e-300)) return false;
        for (int c = 0; c < 8; ++c) std::swap(work[col][c], work[pivot][c]);
        double scale = 1.0 / work[col][col];
        for (int c = 0; c < 8; ++c) work[col][c] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == col) continue;
            double factor = work[r][col];
            for (int c = 0; c < 8; ++c) work[r][c] -= factor * work[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[r][c] = work[r][c + 4];
    return true;
}

// Corners are numbered by bits: 1 = right (x +1), 2 = top (y +1), 4 = far
// (z 1); an edge joins two corners that differ in one bit.
const int kEdges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                           {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

// The margin: a unit, plus what float rounding can move a point by at the
// size of the coordinates in play.
double marginFor(double largest) {
    return 1.0 + largest * (1.0 / 65536.0);
}

double cross(double ox, double oz, double ax, double az, double bx, double bz) {
    return (ax - ox) * (bz - oz) - (az - oz) * (bx - ox);
}

}  // namespace

ViewVolume ViewVolume::everything() {
    return ViewVolume();
}

ViewVolume::ViewVolume(const D3DXMATRIX& view, const D3DXMATRIX& projection) {
    Matrix m, inverse;
    multiply(view, projection, m);
    if (!invert(m, inverse)) return;
    // Direct3D's clip volume: -w <= x <= w, -w <= y <= w, 0 <= z <= w.
    const int axis[6] = {0, 0, 1, 1, 2, 2};
    const double sign[6] = {1, -1, 1, -1, 1, -1};
    const double withW[6] = {1, 1, 1, 1, 0, 1};
    for (int p = 0; p < 6; ++p) {
        double length = 0.0;
        for (int k = 0; k < 4; ++k) {
            planes_[p][k] = withW[p] * m[k][3] + sign[p] * m[k][axis[p]];
            if (k < 3) length += planes_[p][k] * planes_[p][k];
        }
        length = std::sqrt(length);
        if (!(length > 1e-300) || !std::isfinite(length)) return;
        for (double& value : planes_[p]) value /= length;
    }
    double largest = 0.0;
    for (int c = 0; c < 8; ++c) {
        const double ndc[4] = {c & 1 ? 1.0 : -1.0, c & 2 ? 1.0 : -1.0, c & 4 ? 1.0 : 0.0, 1.0};
        double world[4] = {0, 0, 0, 0};
        for (int k = 0; k < 4; ++k)
            for (int r = 0; r < 4; ++r) world[k] += ndc[r] * inverse[r][k];
        if (!(std::fabs(world[3]) > 1e-300)) return;
        for (int k = 0; k < 3; ++k) {
            corners_[c][k] = world[k] / world[3];
            if (!std::isfinite(corners_[c][k])) return;
            largest = std::max(largest, std::fabs(corners_[c][k]));
        }
    }
    margin_ = marginFor(largest);
    bounded_ = true;
}

bool ViewVolume::mayShow(const WorldBox& box) const {
    if (!bounded_) return true;
    for (const double* plane : planes_) {
        double distance = plane[3];
        for (int k = 0; k < 3; ++k) distance += plane[k] * (plane[k] >= 0 ? box.hi[k] : box.lo[k]);
        double size = std::max({std::fabs(box.lo[0]), std::fabs(box.lo[1]), std::fabs(box.lo[2]),
                                std::fabs(box.hi[0]), std::fabs(box.hi[1]), std::fabs(box.hi[2])});
        if (distance < -(margin_ + size * (1.0 / 65536.0))) return false;
    }
    return true;
}

Span ViewVolume::extent(int axis) const {
    if (!bounded_) return {-HUGE_VAL, HUGE_VAL};
    Span span = {HUGE_VAL, -HUGE_VAL};
    for (const double* corner : corners_) {
        span.lo = std::min(span.lo, corner[axis]);
        span.hi = std::max(span.hi, corner[axis]);
    }
    return {span.lo - margin_, span.hi + margin_};
}

GroundOutline ViewVolume::outlineBetween(double y0, double y1) const {
    GroundOutline outline;
    outline.margin_ = margin_;
    std::vector<GroundOutline::Point> points;
    y0 -= margin_;
    y1 += margin_;
    for (const double* c : corners_)
        if (c[1] >= y0 && c[1] <= y1) points.push_back({c[0], c[2]});
    for (const int* edge : kEdges) {
        const double* a = corners_[edge[0]];
        const double* b = corners_[edge[1]];
        for (double level : {y0, y1}) {
            if ((a[1] - level) * (b[1] - level) >= 0) continue;
            double t = (level - a[1]) / (b[1] - a[1]);
            points.push_back({a[0] + t * (b[0] - a[0]), a[2] + t * (b[2] - a[2])});
        }
    }
    // Monotone chain: the hull of the points, in order round the outline.
    std::sort(points.begin(), points.end(),
              [](const auto& p, const auto& q) { return p.x < q.x || (p.x == q.x && p.z < q.z); });
    std::vector<GroundOutline::Point>& hull = outline.points_;
    for (int pass = 0; pass < 2; ++pass) {
        size_t start = hull.size();
        for (const auto& p : points) {
            while (hull.size() >= start + 2 &&
                   cross(hull[hull.size() - 2].x, hull[hull.size() - 2].z, hull.back().x,
                         hull.back().z, p.x, p.z) <= 0)
                hull.pop_back();
            hull.push_back(p);
        }
        if (!hull.empty()) hull.pop_back();
        std::reverse(points.begin(), points.end());
    }
    if (hull.empty() && !points.empty()) hull.push_back(points.front());
    return outline;
}

namespace {

// A point's coordinate along a ground axis: x for 0, z otherwise.
template <typename P>
double along(const P& p, int axis) {
    return axis == 0 ? p.x : p.z;
}

}  // namespace

Span GroundOutline::extent(int axis) const {
    Span span = {HUGE_VAL, -HUGE_VAL};
    for (const Point& p : points_) {
        span.lo = std::min(span.lo, along(p, axis));
        span.hi = std::max(span.hi, along(p, axis));
    }
    if (span.empty()) return span;
    return {span.lo - margin_, span.hi + margin_};
}

Span GroundOutline::across(int axis, Span band) const {
    const int other = axis == 0 ? 2 : 0;
    band = {band.lo - margin_, band.hi + margin_};
    Span span = {HUGE_VAL, -HUGE_VAL};
    auto take = [&span](double value) {
        span.lo = std::min(span.lo, value);
        span.hi = std::max(span.hi, value);
    };
    for (size_t k = 0; k < points_.size(); ++k) {
        const Point& p = points_[k];
        const Point& q = points_[(k + 1) % points_.size()];
        double pa = along(p, axis), qa = along(q, axis);
        if (pa >= band.lo && pa <= band.hi) take(along(p, other));
        // Where the edge crosses either side of the band.
        for (double level : {band.lo, band.hi}) {
            if ((pa - level) * (qa - level) >= 0) continue;
            double t = (level - pa) / (qa - pa);
            take(along(p, other) + t * (along(q, other) - along(p, other)));
        }
    }
    if (span.empty()) return span;
    return {span.lo - margin_, span.hi + margin_};
}
