#include "material_block.h"

#include <d3dx9.h>

#include <cstring>

namespace platform {
namespace d3d9 {

size_t materialBlockSize(const std::vector<XMaterial>& materials) {
    size_t names = 0;
    for (const XMaterial& m : materials)
        names += m.textureFile.empty() ? 0 : m.textureFile.size() + 1;
    return materials.size() * sizeof(D3DXMATERIAL) + names;
}

void writeMaterialBlock(const std::vector<XMaterial>& materials, void* block) {
    auto* entries = static_cast<D3DXMATERIAL*>(block);
    char* text = reinterpret_cast<char*>(entries + materials.size());
    for (size_t i = 0; i < materials.size(); ++i) {
        entries[i].MatD3D = materials[i].material;
        entries[i].pTextureFilename = nullptr;
        const std::string& name = materials[i].textureFile;
        if (name.empty()) continue;
        std::memcpy(text, name.c_str(), name.size() + 1);
        entries[i].pTextureFilename = text;
        text += name.size() + 1;
    }
}

}  // namespace d3d9
}  // namespace platform
