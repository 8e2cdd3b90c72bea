#include "mesh_pick.h"

#include "scene.h"

bool rayHitsSceneMesh(DWORD slot, const D3DXMATRIX& world, const PickRay& ray, double* distance) {
    if (slot >= kMeshSlotCount || !scene.meshSlots[slot].mesh) return false;
    D3DXVECTOR3 origin, direction;
    if (!rayIntoLocal(world, ray, &origin, &direction)) return false;
    BOOL hit = FALSE;
    FLOAT t = 0;
    if (FAILED(D3DXIntersect(scene.meshSlots[slot].mesh, &origin, &direction, &hit, nullptr,
                             nullptr, nullptr, &t, nullptr, nullptr)) ||
        !hit)
        return false;
    // The world ray's direction is of unit length: t is the distance itself.
    *distance = t;
    return true;
}
