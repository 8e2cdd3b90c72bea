#include "track_assets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "com_release.h"
#include "renderer.h"
#include "scene.h"
#include "track_document.h"

namespace {

// Loads a mesh material's texture from the directory; null when the material
// names none, the path does not fit or the file cannot be read.
IDirect3DTexture9* loadMaterialTexture(const char* directory, const char* fileName) {
    if (!fileName || !fileName[0] || !directory) return nullptr;
    char path[kPathBufferSize];
    if (!composePath(path, sizeof path, directory, fileName, std::strlen(fileName))) return nullptr;
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(D3DXCreateTextureFromFileA(renderer.device, path, &texture))) return nullptr;
    return texture;
}

// Copies the materials out of the loader's buffer into the slot, ambient taken
// from diffuse so a mesh lit by the grey ambient keeps its own colour.
bool fillMaterials(MeshSlot* slot, ID3DXBuffer* buffer, const char* textureDirectory) {
    DWORD count = slot->materialCount;
    if (count == 0) return true;
    if (!buffer || buffer->GetBufferSize() / sizeof(D3DXMATERIAL) < count) return false;
    slot->materials = new (std::nothrow) D3DMATERIAL9[count];
    slot->textures = new (std::nothrow) IDirect3DTexture9*[count]();
    if (!slot->materials || !slot->textures) return false;
    const D3DXMATERIAL* source = static_cast<const D3DXMATERIAL*>(buffer->GetBufferPointer());
    for (DWORD m = 0; m < count; ++m) {
        slot->materials[m] = source[m].MatD3D;
        slot->materials[m].Ambient = source[m].MatD3D.Diffuse;
        slot->textures[m] = loadMaterialTexture(textureDirectory, source[m].pTextureFilename);
    }
    return true;
}

void clearSlot(MeshSlot* slot) {
    if (slot->textures) {
        for (DWORD m = 0; m < slot->materialCount; ++m) releaseCom(slot->textures[m]);
    }
    delete[] slot->textures;
    delete[] slot->materials;
    releaseCom(slot->mesh);
    *slot = MeshSlot{};
}

}  // namespace

bool composePath(char* out, size_t outSize, const char* directory, const char* name,
                 size_t nameLength) {
    if (outSize == 0) return false;
    out[0] = '\0';
    if (!directory || !name || nameLength > 0x7FFFFFFF) return false;
    int written =
        std::snprintf(out, outSize, "%s\\%.*s", directory, static_cast<int>(nameLength), name);
    if (written < 0 || static_cast<size_t>(written) >= outSize) {
        out[0] = '\0';
        return false;
    }
    return true;
}

IDirect3DTexture9* Scene::mapTexture(DWORD map) const {
    return map < kMapTextureCount ? mapTextures[map] : nullptr;
}

HRESULT Scene::loadMapTexture(DWORD index, const char* path) {
    if (index >= kMapTextureCount) return E_FAIL;
    // The old picture goes first: after a failed load the slot shows nothing
    // rather than an image its map no longer names.
    releaseCom(mapTextures[index]);
    if (!renderer.device || !path) return E_FAIL;
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(D3DXCreateTextureFromFileA(renderer.device, path, &texture))) return E_FAIL;
    mapTextures[index] = texture;
    return S_OK;
}

HRESULT Scene::loadMesh(DWORD slot, const char* path, const char* textureDirectory) {
    if (slot >= kMeshSlotCount) return E_FAIL;
    // Callers release first; doing it here too keeps a forgotten release from
    // leaking the mesh the slot held.
    releaseMesh(slot);
    if (!renderer.device || !path) return E_FAIL;
    MeshSlot loaded = {};
    ID3DXBuffer* materialBuffer = nullptr;
    if (FAILED(D3DXLoadMeshFromXA(path, D3DXMESH_SYSTEMMEM, renderer.device, nullptr,
                                  &materialBuffer, nullptr, &loaded.materialCount, &loaded.mesh)) ||
        !loaded.mesh) {
        releaseCom(materialBuffer);
        releaseCom(loaded.mesh);
        return E_FAIL;
    }
    bool filled = fillMaterials(&loaded, materialBuffer, textureDirectory);
    releaseCom(materialBuffer);
    if (!filled) {
        clearSlot(&loaded);
        return E_FAIL;
    }
    meshSlots[slot] = loaded;
    return S_OK;
}

int Scene::releaseMesh(DWORD slot) {
    if (slot < kMeshSlotCount && meshSlots[slot].mesh) clearSlot(&meshSlots[slot]);
    return 1;
}

HRESULT Scene::drawMesh(DWORD slot) {
    if (slot >= kMeshSlotCount || !renderer.device) return S_OK;
    const MeshSlot& s = meshSlots[slot];
    if (!s.mesh) return S_OK;
    for (DWORD m = 0; m < s.materialCount; ++m) {
        renderer.device->SetMaterial(&s.materials[m]);
        renderer.device->SetTexture(0, s.textures[m]);
        s.mesh->DrawSubset(m);
    }
    return S_OK;
}

void Scene::releaseTexturesAndMeshes() {
    for (DWORD i = 0; i < kMapTextureCount; ++i) releaseCom(mapTextures[i]);
    for (DWORD i = 0; i < kMeshSlotCount; ++i) releaseMesh(i);
}

namespace {

// A stored name may fill its whole field without a terminator (a damaged
// file); never read past the field.
template <size_t N>
bool storedNamePath(char (&path)[kPathBufferSize], const char* directory, const char (&name)[N]) {
    const void* end = std::memchr(name, '\0', N);
    size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - name) : N;
    return composePath(path, sizeof path, directory, name, length);
}

}  // namespace

int loadTrackResources(const TrackDocument& document, const char* directory) {
    if (!document.loaded) return 0;
    char path[kPathBufferSize];
    DWORD mapCount = document.maps ? std::min(document.header.mapCount, kMapTextureCount) : 0;
    for (DWORD i = 0; i < mapCount; ++i) {
        if (storedNamePath(path, directory, document.maps[i].fileName)) {
            scene.loadMapTexture(i, path);
        } else {
            scene.loadMapTexture(i, nullptr);  // empties the slot
        }
    }
    DWORD meshCount = document.meshes ? std::min(document.header.meshCount, kMeshSlotCount) : 0;
    for (DWORD i = 0; i < meshCount; ++i) {
        scene.releaseMesh(i);
        if (storedNamePath(path, directory, document.meshes[i].fileName)) {
            scene.loadMesh(i, path, directory);
        }
    }
    return 1;
}

int loadTrackResources(const char* directory) {
    return loadTrackResources(trackDocument, directory);
}
