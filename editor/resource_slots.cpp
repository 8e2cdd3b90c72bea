#include "resource_slots.h"

#include <cstdio>
#include <map>
#include <string>

#include "editor_state.h"
#include "path_utils.h"
#include "track_assets.h"
#include "scene.h"
#include "track_document.h"

namespace {

struct SlotFiles {
    std::map<DWORD, std::string> nameInSlot;
    std::map<std::string, std::string> pathOfName;  // by file name, as last chosen
};

SlotFiles& pictures() {
    static SlotFiles files;
    return files;
}

SlotFiles& models() {
    static SlotFiles files;
    return files;
}

std::string titleOf(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void note(SlotFiles& files, DWORD slot, const char* path) {
    std::string title = titleOf(path ? path : "");
    files.nameInSlot[slot] = title;
    if (!title.empty()) files.pathOfName[title] = path;
}

// The full path a name was chosen at, or the track's folder and the name.
std::string pathFor(const SlotFiles& files, const std::string& name) {
    auto known = files.pathOfName.find(name);
    if (known != files.pathOfName.end()) return known->second;
    return std::string(trackDirectory) + "\\" + name;
}

}  // namespace

void notePictureSlot(DWORD slot, const char* path) {
    note(pictures(), slot, path);
}

void noteModelSlot(DWORD slot, const char* path) {
    note(models(), slot, path);
}

void noteTrackResources(const char* directory) {
    const TrackDocument& doc = trackDocument;
    for (DWORD k = 0; k < doc.getMapCount() && k < kMapTextureCount; ++k) {
        const char* name = doc.getMapName(k);
        pictures().nameInSlot[k] = name ? name : "";
    }
    for (DWORD k = 0; k < doc.getMeshCount() && k < kMeshSlotCount; ++k) {
        const char* name = doc.getMeshName(k);
        models().nameInSlot[k] = name ? name : "";
    }
}

void reloadChangedPictures(DWORD first, DWORD last) {
    for (DWORD k = first; k <= last && k < trackDocument.getMapCount() && k < kMapTextureCount;
         ++k) {
        const char* stored = trackDocument.getMapName(k);
        std::string name = stored ? stored : "";
        if (pictures().nameInSlot[k] == name) continue;
        std::string path = name.empty() ? std::string() : pathFor(pictures(), name);
        scene.loadMapTexture(k, name.empty() ? nullptr : path.c_str());
        pictures().nameInSlot[k] = name;
    }
}

void reloadChangedModels(DWORD first, DWORD last) {
    for (DWORD k = first; k <= last && k < trackDocument.getMeshCount() && k < kMeshSlotCount;
         ++k) {
        const char* stored = trackDocument.getMeshName(k);
        std::string name = stored ? stored : "";
        if (models().nameInSlot[k] == name) continue;
        scene.releaseMesh(k);
        models().nameInSlot[k] = name;
        if (name.empty()) continue;
        std::string path = pathFor(models(), name);
        char folder[kEditorPathSize];
        directoryOfPath(folder, sizeof folder, path.c_str(), name.c_str());
        scene.loadMesh(k, path.c_str(), folder);
    }
}
