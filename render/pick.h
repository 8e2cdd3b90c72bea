// What the Preview shows under a pixel: the ray from the eye through it,
// made with the frame's own view and projection, and the nearest thing it
// meets: a field cell on its real surface, a billboard, a placed mesh or a
// border line. Pure arithmetic over the document; nothing here draws.
//
// Cells are found by walking the grid along the ray, only through the
// height band the cells occupy, so a pick costs the cells the ray crosses,
// not the size of the track.
#ifndef KELVANE_RENDER_PICK_H
#define KELVANE_RENDER_PICK_H

#include <windows.h>
#include <d3dx9.h>

#include "track_document.h"

struct PickRay {
    double origin[3];
    double direction[3];  // unit length
};

// The ray through pixel (x, y) of a width x height picture (pixel centres at
// half units); false when the matrices cannot be inverted.
bool rayThroughPixel(const D3DXMATRIX& view, const D3DXMATRIX& projection, int width, int height,
                     int x, int y, PickRay* ray);

// Where a world point lands in the picture, in pixels; false behind the eye.
bool projectToPixel(const D3DXMATRIX& view, const D3DXMATRIX& projection, int width, int height,
                    const D3DXVECTOR3& point, double* x, double* y);

enum class PickKind { Nothing, Cell, Billboard, Mesh, Border };

struct PickResult {
    PickKind kind = PickKind::Nothing;
    DWORD i = 0, j = 0;  // the cell
    DWORD index = 0;     // the billboard, mesh placement or border
    double distance = 0;
};

// A ray against the triangles of a placed mesh, in its world; the distance
// of the nearest front face met, or false.
typedef bool (*MeshHitTest)(DWORD slot, const D3DXMATRIX& world, const PickRay& ray,
                            double* distance);

// What else the frame showed, besides the document.
struct PickScene {
    float lookDirX = 0, lookDirZ = 1;  // billboards that face the camera turn by it
    bool bordersShown = false;
    // Borders are lines: they are met within a few pixels on screen.
    const D3DXMATRIX* view = nullptr;
    const D3DXMATRIX* projection = nullptr;
    int width = 0, height = 0;
    int x = 0, y = 0;
    MeshHitTest meshHit = nullptr;  // null: meshes are not picked
};

// The nearest cell on the ray, or false; cells not in use count as level
// ground.
bool pickCell(const TrackDocument& track, const PickRay& ray, PickResult* hit);

// The nearest thing of any kind under the pixel the ray was made for.
PickResult pickAt(const TrackDocument& track, const PickRay& ray, const PickScene& scene);

// Ray against triangle (a, b, c), front faces only (clockwise as seen, as
// the device culls); the distance along the ray or false.
bool rayHitsTriangle(const PickRay& ray, const D3DXVECTOR3& a, const D3DXVECTOR3& b,
                     const D3DXVECTOR3& c, double* distance);

#endif
