#include "track_assets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "com_release.h"
#include "path_utils.h"
#include "renderer.h"
#include "scene.h"
#include "shared_textures.h"
#include "track_document.h"

namespace {

// Where a failure goes when the caller keeps no report: the budget must still
// stop the load that passed it.
ResourceReport* reportOr(ResourceReport* report, ResourceReport* fallback) {
    return report ? report : fallback;
}

// A mesh material's texture from the directory; null when the material names
// none, the name leaves the folder, the path does not fit or the file cannot
// be made a texture within the budget (said in the report). Nothing more is
// loaded once the budget stopped the load.
IDirect3DTexture9* loadMaterialTexture(const char* directory, const char* fileName,
                                       const std::string& meshName, ResourceReport* report) {
    if (!fileName || !fileName[0] || !directory || report->stopped) return nullptr;
    const std::string shownName = std::string(fileName) + " (in " + meshName + ")";
    if (!nameStaysInFolder(fileName, std::strlen(fileName))) {
        report->add(shownName, ResourceFailure::RefusedName);
        return nullptr;
    }
    char path[kPathBufferSize];
    if (!composePath(path, sizeof path, directory, fileName, std::strlen(fileName))) {
        report->add(shownName, ResourceFailure::PathTooLong);
        return nullptr;
    }
    ResourceFailure why = ResourceFailure::NotAnImage;
    IDirect3DTexture9* texture = sharedTextures.acquire(renderer.device, path, &why);
    if (!texture) report->add(shownName, why);
    return texture;
}

// Copies the materials out of the loader's buffer into the slot, ambient taken
// from diffuse so a mesh lit by the grey ambient keeps its own colour.
bool fillMaterials(MeshSlot* slot, ID3DXBuffer* buffer, const char* textureDirectory,
                   const std::string& meshName, ResourceReport* report) {
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
        slot->textures[m] = loadMaterialTexture(textureDirectory, source[m].pTextureFilename,
                                                meshName, report);
    }
    return true;
}

void clearSlot(MeshSlot* slot) {
    if (slot->textures) {
        for (DWORD m = 0; m < slot->materialCount; ++m) sharedTextures.release(slot->textures[m]);
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

HRESULT Scene::loadMapTexture(DWORD index, const char* path, ResourceReport* report,
                              const char* name) {
    if (index >= kMapTextureCount) return E_FAIL;
    // The old picture goes first: after a failed load the slot shows nothing
    // rather than an image its map no longer names.
    sharedTextures.release(mapTextures[index]);
    if (!renderer.device || !path) return E_FAIL;
    ResourceReport ignored;
    report = reportOr(report, &ignored);
    if (report->stopped) return E_FAIL;
    ResourceFailure why = ResourceFailure::NotAnImage;
    mapTextures[index] = sharedTextures.acquire(renderer.device, path, &why);
    if (mapTextures[index]) return S_OK;
    report->add(name ? name : path, why);
    return E_FAIL;
}

HRESULT Scene::loadMesh(DWORD slot, const char* path, const char* textureDirectory,
                        ResourceReport* report, const char* name) {
    if (slot >= kMeshSlotCount) return E_FAIL;
    // Callers release first; doing it here too keeps a forgotten release from
    // leaking the mesh the slot held.
    releaseMesh(slot);
    if (!renderer.device || !path) return E_FAIL;
    ResourceReport ignored;
    report = reportOr(report, &ignored);
    const std::string meshName = name ? name : path;
    MeshSlot loaded = {};
    ID3DXBuffer* materialBuffer = nullptr;
    HRESULT result = D3DXLoadMeshFromXA(path, D3DXMESH_SYSTEMMEM, renderer.device, nullptr,
                                        &materialBuffer, nullptr, &loaded.materialCount,
                                        &loaded.mesh);
    if (FAILED(result) || !loaded.mesh) {
        releaseCom(materialBuffer);
        releaseCom(loaded.mesh);
        report->add(meshName, classifyLoadFailure(path, result, ResourceFailure::NotAMesh));
        return E_FAIL;
    }
    bool filled = fillMaterials(&loaded, materialBuffer, textureDirectory, meshName, report);
    releaseCom(materialBuffer);
    if (!filled) {
        clearSlot(&loaded);
        report->add(meshName, ResourceFailure::TooLarge);
        return E_FAIL;
    }
    measureMesh(&loaded);
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
    for (DWORD i = 0; i < kMapTextureCount; ++i) sharedTextures.release(mapTextures[i]);
    for (DWORD i = 0; i < kMeshSlotCount; ++i) releaseMesh(i);
}

namespace {

// The stored name up to its terminator; a damaged name may fill its whole
// field without one, and nothing past the field is read.
template <size_t N>
std::string storedName(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    return std::string(field, end ? static_cast<const char*>(end) - field : N);
}

// "directory\name" for a name the track stores, or false with the reason in
// the report: a name that leaves the folder, or a path that does not fit.
bool storedNamePath(char (&path)[kPathBufferSize], const char* directory, const std::string& name,
                    ResourceReport* report) {
    if (!nameStaysInFolder(name.c_str(), name.size())) {
        report->add(name, ResourceFailure::RefusedName);
        return false;
    }
    if (composePath(path, sizeof path, directory, name.c_str(), name.size())) return true;
    report->add(name, ResourceFailure::PathTooLong);
    return false;
}

// A record without a file name has nothing to load and nothing to report.
void loadMapOfTrack(DWORD index, const std::string& name, const char* directory,
                    ResourceReport* report) {
    char path[kPathBufferSize];
    if (!name.empty() && storedNamePath(path, directory, name, report))
        scene.loadMapTexture(index, path, report, name.c_str());
}

void loadMeshOfTrack(DWORD index, const std::string& name, const char* directory,
                     ResourceReport* report) {
    char path[kPathBufferSize];
    if (!report->stopped && !name.empty() && storedNamePath(path, directory, name, report))
        scene.loadMesh(index, path, directory, report, name.c_str());
}

}  // namespace

// Every slot is emptied first: the files of the new track are read afresh,
// and no picture of an earlier track holds memory the budget is kept for.
int loadTrackResources(const TrackDocument& document, const char* directory,
                       ResourceReport* report) {
    if (!document.loaded) return 0;
    ResourceReport ignored;
    report = reportOr(report, &ignored);
    scene.releaseTexturesAndMeshes();
    DWORD mapCount = document.maps ? std::min(document.header.mapCount, kMapTextureCount) : 0;
    for (DWORD i = 0; i < mapCount; ++i)
        loadMapOfTrack(i, storedName(document.maps[i].fileName), directory, report);
    DWORD meshCount = document.meshes ? std::min(document.header.meshCount, kMeshSlotCount) : 0;
    for (DWORD i = 0; i < meshCount; ++i)
        loadMeshOfTrack(i, storedName(document.meshes[i].fileName), directory, report);
    return 1;
}

int loadTrackResources(const char* directory, ResourceReport* report) {
    return loadTrackResources(trackDocument, directory, report);
}
