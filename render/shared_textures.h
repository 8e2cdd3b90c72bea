// One texture per image file: map slots and mesh materials that name the same
// file share one texture object, counted by its users and released with the
// last of them (D3DX itself makes a new texture per call). Every texture the
// scene holds comes from here, so here the texture memory budget is kept.
#ifndef KELVANE_RENDER_SHARED_TEXTURES_H
#define KELVANE_RENDER_SHARED_TEXTURES_H

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "resource_report.h"

class SharedTextures {
public:
    static constexpr uint64_t kDefaultBudget = uint64_t(1) << 30;

    // The texture of the image at path, made on the device at the first use
    // of the file; the caller holds one reference and gives it back through
    // release. Null on failure, with the reason in *why: a texture that would
    // take the textures held past the budget is refused (OverBudget).
    IDirect3DTexture9* acquire(IDirect3DDevice9* device, const char* path, ResourceFailure* why);
    // Gives back a reference acquire handed out, and nulls the pointer.
    void release(IDirect3DTexture9*& texture);

    uint64_t bytesInUse() const { return bytesInUse_; }
    size_t fileCount() const { return byKey_.size(); }
    uint64_t budget() const { return budget_; }
    void setBudget(uint64_t bytes) { budget_ = bytes; }

private:
    struct Entry {
        IDirect3DTexture9* texture;
        DWORD users;
        uint64_t bytes;
    };
    std::unordered_map<std::string, Entry> byKey_;
    std::unordered_map<IDirect3DTexture9*, std::string> keyOf_;
    uint64_t bytesInUse_ = 0;
    uint64_t budget_ = kDefaultBudget;
};

extern SharedTextures sharedTextures;

// The memory a texture takes: every level's texels at its format's size.
uint64_t textureBytes(IDirect3DTexture9* texture);

#endif
