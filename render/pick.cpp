#include "pick.h"

#include <cmath>

#include "cell_surface.h"

namespace {

// Room above and below the band of cell heights for float rounding.
const double kBandSlack = 0.5;

typedef double Matrix4[4][4];

void multiply(const D3DXMATRIX& a, const D3DXMATRIX& b, Matrix4 out) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += double(a.m[r][k]) * double(b.m[k][c]);
            out[r][c] = sum;
        }
}

// Gauss-Jordan with partial pivoting; false for a singular matrix.
bool invert(const Matrix4 in, Matrix4 out) {
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = in[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-300) return false;
        for (int c = 0; c < 8; ++c) std::swap(a[col][c], a[pivot][c]);
        double scale = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c) a[col][c] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == col) continue;
            double f = a[r][col];
            for (int c = 0; c < 8; ++c) a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[r][c] = a[r][c + 4];
    return true;
}

// Row vector (x, y, z, 1) times m, divided by w.
bool transformPoint(const Matrix4 m, const double in[3], double out[3]) {
    double v[4];
    for (int c = 0; c < 4; ++c)
        v[c] = in[0] * m[0][c] + in[1] * m[1][c] + in[2] * m[2][c] + m[3][c];
    if (std::fabs(v[3]) < 1e-300) return false;
    for (int c = 0; c < 3; ++c) out[c] = v[c] / v[3];
    return true;
}

void sub(const D3DXVECTOR3& a, const D3DXVECTOR3& b, double out[3]) {
    out[0] = double(a.x) - b.x;
    out[1] = double(a.y) - b.y;
    out[2] = double(a.z) - b.z;
}

void cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

double dot(const double a[3], const double b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}  // namespace

bool rayThroughPixel(const D3DXMATRIX& view, const D3DXMATRIX& projection, int width, int height,
                     int x, int y, PickRay* ray) {
    if (width <= 0 || height <= 0) return false;
    Matrix4 viewProjection, inverse;
    multiply(view, projection, viewProjection);
    if (!invert(viewProjection, inverse)) return false;
    double nx = (x + 0.5) * 2.0 / width - 1.0;
    double ny = 1.0 - (y + 0.5) * 2.0 / height;
    double nearPoint[3] = {nx, ny, 0.0}, farPoint[3] = {nx, ny, 1.0}, a[3], b[3];
    if (!transformPoint(inverse, nearPoint, a) || !transformPoint(inverse, farPoint, b))
        return false;
    double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    double length = std::sqrt(dot(d, d));
    if (!(length > 0)) return false;
    for (int k = 0; k < 3; ++k) {
        ray->origin[k] = a[k];
        ray->direction[k] = d[k] / length;
    }
    return true;
}

bool projectToPixel(const D3DXMATRIX& view, const D3DXMATRIX& projection, int width, int height,
                    const D3DXVECTOR3& point, double* x, double* y) {
    Matrix4 m;
    multiply(view, projection, m);
    double v[4];
    for (int c = 0; c < 4; ++c)
        v[c] = point.x * m[0][c] + point.y * m[1][c] + point.z * m[2][c] + m[3][c];
    if (v[3] <= 1e-9 || v[2] < 0) return false;
    *x = (v[0] / v[3] + 1.0) * 0.5 * width;
    *y = (1.0 - v[1] / v[3]) * 0.5 * height;
    return true;
}

bool rayHitsTriangle(const PickRay& ray, const D3DXVECTOR3& a, const D3DXVECTOR3& b,
                     const D3DXVECTOR3& c, double* distance) {
    double e1[3], e2[3], o[3], normal[3];
    sub(b, a, e1);
    sub(c, a, e2);
    cross(e1, e2, normal);
    if (dot(normal, ray.direction) >= 0) return false;  // seen from behind: culled
    double p[3], q[3];
    cross(ray.direction, e2, p);
    double det = dot(e1, p);
    if (std::fabs(det) < 1e-12) return false;
    for (int k = 0; k < 3; ++k) o[k] = ray.origin[k] - double((&a.x)[k]);
    double u = dot(o, p) / det;
    if (u < 0 || u > 1) return false;
    cross(o, e1, q);
    double v = dot(ray.direction, q) / det;
    if (v < 0 || u + v > 1) return false;
    double t = dot(e2, q) / det;
    if (t <= 0) return false;
    *distance = t;
    return true;
}

namespace {

// A cell not in use is not drawn, yet a new track has only such cells: it
// is picked as level ground, so the user can point at it and paint it.
const Field kUnusedGround = {1, 0, 0, 0, 0};

// The nearest front face of the cell's two fan triangles, if any.
bool rayHitsCell(const TrackDocument& track, const PickRay& ray, DWORD i, DWORD j,
                 double* distance) {
    const Field* cell = track.fieldAt(i, j);
    if (!cell) return false;
    D3DXVECTOR3 c[4];
    cellCorners(cellIsDrawn(*cell) ? *cell : kUnusedGround, i, j, c);
    double first, second;
    bool hitFirst = rayHitsTriangle(ray, c[0], c[1], c[2], &first);
    bool hitSecond = rayHitsTriangle(ray, c[0], c[2], c[3], &second);
    if (!hitFirst && !hitSecond) return false;
    *distance = hitFirst && hitSecond ? std::fmin(first, second) : hitFirst ? first : second;
    return true;
}

// The part [t0, t1] of the ray inside the grid's box of cell heights.
bool clipToGridBox(const TrackDocument& track, const PickRay& ray, double* t0, double* t1) {
    double low[3] = {0.0, -kBandSlack, 0.0};
    double high[3] = {double(track.header.sizeX) * kCellSize, kTopHeight + kBandSlack,
                      double(track.header.sizeY) * kCellSize};
    *t0 = 0.0;
    *t1 = 1e300;
    for (int k = 0; k < 3; ++k) {
        double o = ray.origin[k], d = ray.direction[k];
        if (std::fabs(d) < 1e-15) {
            if (o < low[k] || o > high[k]) return false;
            continue;
        }
        double a = (low[k] - o) / d, b = (high[k] - o) / d;
        if (a > b) std::swap(a, b);
        *t0 = std::fmax(*t0, a);
        *t1 = std::fmin(*t1, b);
    }
    return *t0 <= *t1;
}

// One axis of the grid walk: the cell, its step and where the next line is.
struct WalkAxis {
    long cell;
    long step;
    double nextT;   // ray distance to the next cell line
    double deltaT;  // ray distance between lines
};

WalkAxis startAxis(double origin, double direction, double t0, long cells) {
    WalkAxis axis;
    double at = origin + direction * t0;
    long cell = static_cast<long>(std::floor(at / kCellSize));
    axis.cell = cell < 0 ? 0 : cell >= cells ? cells - 1 : cell;
    if (direction > 0) {
        axis.step = 1;
        axis.deltaT = kCellSize / direction;
        axis.nextT = t0 + ((axis.cell + 1) * double(kCellSize) - at) / direction;
    } else if (direction < 0) {
        axis.step = -1;
        axis.deltaT = -kCellSize / direction;
        axis.nextT = t0 + (axis.cell * double(kCellSize) - at) / direction;
    } else {
        axis.step = 0;
        axis.deltaT = axis.nextT = 1e300;
    }
    return axis;
}

}  // namespace

// Cells are visited in the order the ray crosses them; a neighbour's turned
// quad may reach a hair into the next cell, so the walk goes on until the
// next cell starts beyond the nearest hit.
bool pickCell(const TrackDocument& track, const PickRay& ray, PickResult* hit) {
    if (!track.loaded || track.header.sizeX == 0 || track.header.sizeY == 0) return false;
    double t0, t1;
    if (!clipToGridBox(track, ray, &t0, &t1)) return false;
    long sizeX = long(track.header.sizeX), sizeY = long(track.header.sizeY);
    WalkAxis x = startAxis(ray.origin[0], ray.direction[0], t0, sizeX);
    WalkAxis z = startAxis(ray.origin[2], ray.direction[2], t0, sizeY);
    double best = 1e300, enter = t0;
    while (enter <= t1 && enter <= best + 1.0) {
        double distance;
        if (rayHitsCell(track, ray, DWORD(x.cell), DWORD(z.cell), &distance) && distance < best) {
            best = distance;
            hit->kind = PickKind::Cell;
            hit->i = DWORD(x.cell);
            hit->j = DWORD(z.cell);
            hit->distance = distance;
        }
        WalkAxis& next = x.nextT < z.nextT ? x : z;
        enter = next.nextT;
        next.cell += next.step;
        next.nextT += next.deltaT;
        if (next.cell < 0 || next.cell >= (&next == &x ? sizeX : sizeY)) break;
    }
    return best < 1e300;
}
