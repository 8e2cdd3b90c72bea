// The things besides cells that a click can choose: billboards as the quads
// the billboard pass draws, meshes through the caller's test, and border
// lines within reach on screen. The nearest wins.
#include <cmath>

#include "pick.h"
#include "quads.h"
#include "transforms.h"

namespace {

const double kLineReach = 4.0;  // pixels
constexpr float kSizeFactor = 0.1f;
constexpr float kDegreesToRadians = 0.017444444f;
constexpr float kAngleOffset = 1.57f;
constexpr float kMeshScaleFactor = 0.1f;

// The world matrix the billboard pass gives this billboard.
D3DXMATRIX billboardWorld(const Billboard& b, const PickScene& scene) {
    D3DXMATRIX scale = scalingMatrix(float(b.scaleX) * kSizeFactor, float(b.scaleY) * kSizeFactor, 1);
    D3DXMATRIX turn;
    if (b.face != 0) {
        D3DXMatrixIdentity(&turn);
        turn._11 = scene.lookDirZ;
        turn._13 = -scene.lookDirX;
        turn._31 = scene.lookDirX;
        turn._33 = scene.lookDirZ;
    } else {
        turn = rotationYMatrix(float(b.angleY) * kDegreesToRadians - kAngleOffset);
    }
    return composeMatrices(translationMatrix(float(b.posX), float(b.posY), float(b.posZ)),
                           composeMatrices(turn, scale));
}

bool rayHitsBillboard(const Billboard& b, const PickScene& scene, const PickRay& ray,
                      double* distance) {
    D3DXMATRIX world = billboardWorld(b, scene);
    const QuadVertex* v = quadVertices(BillboardQuad);
    D3DXVECTOR3 c[4];
    for (int k = 0; k < 4; ++k) {
        D3DXVECTOR3 local(v[k].x, v[k].y, v[k].z);
        c[k].x = local.x * world._11 + local.y * world._21 + local.z * world._31 + world._41;
        c[k].y = local.x * world._12 + local.y * world._22 + local.z * world._32 + world._42;
        c[k].z = local.x * world._13 + local.y * world._23 + local.z * world._33 + world._43;
    }
    double first, second;
    bool a = rayHitsTriangle(ray, c[0], c[1], c[2], &first);
    bool bHit = rayHitsTriangle(ray, c[0], c[2], c[3], &second);
    if (!a && !bHit) return false;
    *distance = a && bHit ? std::fmin(first, second) : a ? first : second;
    return true;
}

D3DXMATRIX meshWorld(const MeshPlacement& p) {
    D3DXMATRIX scale = scalingMatrix(float(p.scaleX) * kMeshScaleFactor,
                                     float(p.scaleY) * kMeshScaleFactor,
                                     float(p.scaleZ) * kMeshScaleFactor);
    D3DXMATRIX turn = rotationYMatrix(float(p.angleY) * kDegreesToRadians);
    D3DXMATRIX move = translationMatrix(float(p.posX), float(p.posY), float(p.posZ));
    return composeMatrices(move, composeMatrices(turn, scale));
}

// Distance in pixels from the click to segment (a, b) on screen, and the
// segment's ray distance at the nearest point; false when it does not reach.
bool segmentWithinReach(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const PickScene& scene,
                        const PickRay& ray, double* distance) {
    double ax, ay, bx, by;
    if (!projectToPixel(*scene.view, *scene.projection, scene.width, scene.height, a, &ax, &ay) ||
        !projectToPixel(*scene.view, *scene.projection, scene.width, scene.height, b, &bx, &by))
        return false;
    double px = scene.x + 0.5, py = scene.y + 0.5;
    double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
    double u = length2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    u = u < 0 ? 0 : u > 1 ? 1 : u;
    double ex = ax + u * dx - px, ey = ay + u * dy - py;
    if (ex * ex + ey * ey > kLineReach * kLineReach) return false;
    // The world point there, then its distance along the ray.
    double w[3] = {a.x + u * (double(b.x) - a.x), a.y + u * (double(b.y) - a.y),
                   a.z + u * (double(b.z) - a.z)};
    *distance = (w[0] - ray.origin[0]) * ray.direction[0] +
                (w[1] - ray.origin[1]) * ray.direction[1] + (w[2] - ray.origin[2]) * ray.direction[2];
    return *distance > 0;
}

bool rayReachesBorder(const Border& border, const PickScene& scene, const PickRay& ray,
                      double* distance) {
    D3DXVECTOR3 a1(float(border.x1), float(border.bottom), float(border.z1));
    D3DXVECTOR3 a2(float(border.x2), float(border.bottom), float(border.z2));
    D3DXVECTOR3 b1(float(border.x1), float(border.top), float(border.z1));
    D3DXVECTOR3 b2(float(border.x2), float(border.top), float(border.z2));
    const D3DXVECTOR3* segments[6][2] = {{&b1, &b2}, {&a1, &a2}, {&a1, &b1},
                                         {&a2, &b2}, {&a1, &b2}, {&a2, &b1}};
    bool found = false;
    for (auto& s : segments) {
        double d = 0;
        if (segmentWithinReach(*s[0], *s[1], scene, ray, &d) && (!found || d < *distance)) {
            *distance = d;
            found = true;
        }
    }
    return found;
}

void keepNearer(PickResult* best, PickKind kind, DWORD index, double distance) {
    if (best->kind != PickKind::Nothing && best->distance <= distance) return;
    best->kind = kind;
    best->index = index;
    best->distance = distance;
}

void pickBillboards(const TrackDocument& track, const PickRay& ray, const PickScene& scene,
                    PickResult* best) {
    for (DWORD b = 0; b < track.header.billboardCount; ++b) {
        const Billboard* billboard = track.billboardAt(b);
        double d = 0;
        if (billboard && billboard->empty == 0 && rayHitsBillboard(*billboard, scene, ray, &d))
            keepNearer(best, PickKind::Billboard, b, d);
    }
}

void pickMeshes(const TrackDocument& track, const PickRay& ray, const PickScene& scene,
                PickResult* best) {
    if (!scene.meshHit) return;
    for (DWORD m = 0; m < track.header.meshCount; ++m) {
        const MeshPlacement* placement = track.meshAt(m);
        double d = 0;
        if (placement && placement->empty == 0 &&
            scene.meshHit(m, meshWorld(*placement), ray, &d))
            keepNearer(best, PickKind::Mesh, m, d);
    }
}

void pickBorders(const TrackDocument& track, const PickRay& ray, const PickScene& scene,
                 PickResult* best) {
    if (!scene.bordersShown || !scene.view || !scene.projection) return;
    for (DWORD b = 0; b < track.header.borderCount; ++b) {
        const Border* border = track.borderAt(b);
        double d = 0;
        if (border && border->empty == 0 && rayReachesBorder(*border, scene, ray, &d))
            keepNearer(best, PickKind::Border, b, d);
    }
}

}  // namespace

PickResult pickAt(const TrackDocument& track, const PickRay& ray, const PickScene& scene) {
    PickResult best;
    if (!track.loaded) return best;
    pickCell(track, ray, &best);
    pickBillboards(track, ray, scene, &best);
    pickMeshes(track, ray, scene, &best);
    pickBorders(track, ray, scene, &best);
    return best;
}
