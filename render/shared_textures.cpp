#include "shared_textures.h"

#include <d3dx9.h>

#include "com_release.h"

SharedTextures sharedTextures;

namespace {

// One spelling per file: either separator, repeated or not, names the same
// folder, so "dir\grass.bmp" from a track and "dir/grass.bmp" from a file
// dialog share their texture.
std::string fileKey(const char* path) {
    std::string key;
    for (const char* p = path; *p; ++p) {
        const char c = *p == '\\' ? '/' : *p;
        if (c == '/' && !key.empty() && key.back() == '/') continue;
        key += c;
    }
    return key;
}

UINT bytesPerTexel(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_R5G6B5:
            return 2;
        case D3DFMT_R8G8B8:
            return 3;
        default:
            return 4;
    }
}

}  // namespace

uint64_t textureBytes(IDirect3DTexture9* texture) {
    uint64_t bytes = 0;
    const DWORD levels = texture->GetLevelCount();
    for (DWORD level = 0; level < levels; ++level) {
        D3DSURFACE_DESC desc;
        if (FAILED(texture->GetLevelDesc(level, &desc))) break;
        bytes += uint64_t(desc.Width) * desc.Height * bytesPerTexel(desc.Format);
    }
    return bytes;
}

IDirect3DTexture9* SharedTextures::acquire(IDirect3DDevice9* device, const char* path,
                                           ResourceFailure* why) {
    std::string key = fileKey(path);
    auto found = byKey_.find(key);
    if (found != byKey_.end()) {
        found->second.texture->AddRef();
        ++found->second.users;
        return found->second.texture;
    }
    IDirect3DTexture9* texture = nullptr;
    HRESULT result = D3DXCreateTextureFromFileA(device, path, &texture);
    if (FAILED(result) || !texture) {
        *why = classifyLoadFailure(path, result, ResourceFailure::NotAnImage);
        return nullptr;
    }
    const uint64_t bytes = textureBytes(texture);
    if (bytes > budget_ || bytesInUse_ + bytes > budget_) {
        releaseCom(texture);
        *why = ResourceFailure::OverBudget;
        return nullptr;
    }
    bytesInUse_ += bytes;
    keyOf_[texture] = key;
    byKey_[std::move(key)] = Entry{texture, 1, bytes};
    return texture;
}

void SharedTextures::release(IDirect3DTexture9*& texture) {
    if (!texture) return;
    auto key = keyOf_.find(texture);
    if (key != keyOf_.end()) {
        auto entry = byKey_.find(key->second);
        if (--entry->second.users == 0) {
            bytesInUse_ -= entry->second.bytes;
            byKey_.erase(entry);
            keyOf_.erase(key);
        }
    }
    releaseCom(texture);
}
