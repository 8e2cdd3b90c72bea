// Picking a placed mesh: the ray against the faces of the mesh loaded into
// the placement's slot, as the mesh pass draws it.
#ifndef KELVANE_RENDER_MESH_PICK_H
#define KELVANE_RENDER_MESH_PICK_H

#include "pick.h"

// A MeshHitTest over the scene's mesh slots; false for an empty slot.
bool rayHitsSceneMesh(DWORD slot, const D3DXMATRIX& world, const PickRay& ray, double* distance);

#endif
