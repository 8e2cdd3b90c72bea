#include "ray_faces.h"

#include <cmath>
#include <cstring>

namespace platform {
namespace d3d9 {
namespace {

struct Hit {
    double t, u, v;
};

void positionOf(const unsigned char* vertex, double out[3]) {
    float p[3];
    std::memcpy(p, vertex, sizeof p);
    for (int k = 0; k < 3; ++k) out[k] = p[k];
}

// Moller-Trumbore, both sides of the face; false when the ray misses it or
// meets it behind its origin.
bool rayMeetsFace(const double o[3], const double d[3], const double a[3], const double b[3],
                  const double c[3], Hit* hit) {
    double e1[3], e2[3], s[3], p[3], q[3];
    for (int k = 0; k < 3; ++k) {
        e1[k] = b[k] - a[k];
        e2[k] = c[k] - a[k];
        s[k] = o[k] - a[k];
    }
    p[0] = d[1] * e2[2] - d[2] * e2[1];
    p[1] = d[2] * e2[0] - d[0] * e2[2];
    p[2] = d[0] * e2[1] - d[1] * e2[0];
    const double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
    if (std::fabs(det) < 1e-12) return false;
    hit->u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) / det;
    if (hit->u < 0 || hit->u > 1) return false;
    q[0] = s[1] * e1[2] - s[2] * e1[1];
    q[1] = s[2] * e1[0] - s[0] * e1[2];
    q[2] = s[0] * e1[1] - s[1] * e1[0];
    hit->v = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) / det;
    if (hit->v < 0 || hit->u + hit->v > 1) return false;
    hit->t = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det;
    return hit->t >= 0;
}

}  // namespace

FaceHit nearestFaceHit(const double origin[3], const double direction[3],
                       const unsigned char* vertices, size_t stride, size_t vertexCount,
                       const uint32_t* indices, size_t faceCount) {
    FaceHit best;
    for (size_t f = 0; f < faceCount; ++f) {
        const uint32_t* corner = &indices[f * 3];
        if (corner[0] >= vertexCount || corner[1] >= vertexCount || corner[2] >= vertexCount)
            continue;
        double a[3], b[3], c[3];
        positionOf(vertices + corner[0] * stride, a);
        positionOf(vertices + corner[1] * stride, b);
        positionOf(vertices + corner[2] * stride, c);
        Hit hit;
        if (!rayMeetsFace(origin, direction, a, b, c, &hit)) continue;
        ++best.count;
        if (best.found && hit.t >= best.t) continue;
        best.found = true;
        best.face = static_cast<uint32_t>(f);
        best.t = hit.t;
        best.u = hit.u;
        best.v = hit.v;
    }
    return best;
}

}  // namespace d3d9
}  // namespace platform
