// .x files through Assimp. Assimp turns the file right-handed on import;
// aiProcess_ConvertToLeftHanded turns positions, texture v and winding back
// into the file's own Direct3D convention. The frame hierarchy is walked here
// rather than baked by Assimp so that attribute ids stay the file's material
// numbers.
#include "xfile_load.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>

namespace platform {
namespace d3d9 {
namespace {

D3DCOLORVALUE colourOf(const aiMaterial* m, const char* key, unsigned type, unsigned index,
                       float defaultAlpha) {
    aiColor4D c;
    if (aiGetMaterialColor(m, key, type, index, &c) != AI_SUCCESS)
        return D3DCOLORVALUE{0, 0, 0, defaultAlpha};
    return D3DCOLORVALUE{c.r, c.g, c.b, c.a};
}

// Assimp files a texture under a kind it guesses from the name; the material
// has one texture at most, so whichever kind holds it is the one.
std::string textureOf(const aiMaterial* m) {
    for (int type = aiTextureType_DIFFUSE; type <= aiTextureType_UNKNOWN; ++type) {
        aiString path;
        if (m->GetTexture(static_cast<aiTextureType>(type), 0, &path) == AI_SUCCESS)
            return path.C_Str();
    }
    return std::string();
}

XMaterial materialOf(const aiMaterial* m) {
    XMaterial out;
    D3DMATERIAL9& d = out.material;
    d.Diffuse = colourOf(m, AI_MATKEY_COLOR_DIFFUSE, 1.0f);
    d.Ambient = D3DCOLORVALUE{0, 0, 0, 0};  // .x materials carry no ambient colour
    d.Specular = colourOf(m, AI_MATKEY_COLOR_SPECULAR, 1.0f);
    d.Emissive = colourOf(m, AI_MATKEY_COLOR_EMISSIVE, 1.0f);
    float power = 0;
    if (aiGetMaterialFloat(m, AI_MATKEY_SHININESS, &power) != AI_SUCCESS) power = 0;
    d.Power = power;
    out.textureFile = textureOf(m);
    return out;
}

// Appends one Assimp mesh with the accumulated frame transform applied.
bool appendMesh(const aiMesh* in, const aiMatrix4x4& transform, XMeshData* out) {
    if (out->vertices.size() + in->mNumVertices > kMaxXVertices) return false;
    aiMatrix3x3 normalTransform(transform);
    normalTransform.Inverse().Transpose();
    const uint32_t base = static_cast<uint32_t>(out->vertices.size());
    for (unsigned i = 0; i < in->mNumVertices; ++i) {
        XVertex v = {};
        const aiVector3D p = transform * in->mVertices[i];
        v.position[0] = p.x, v.position[1] = p.y, v.position[2] = p.z;
        if (in->mNormals) {
            aiVector3D n = normalTransform * in->mNormals[i];
            const float length = n.Length();
            if (length > 0 && std::isfinite(length)) n /= length;
            v.normal[0] = n.x, v.normal[1] = n.y, v.normal[2] = n.z;
        }
        if (in->mTextureCoords[0]) {
            v.uv[0] = in->mTextureCoords[0][i].x;
            v.uv[1] = in->mTextureCoords[0][i].y;
        }
        out->vertices.push_back(v);
    }
    for (unsigned f = 0; f < in->mNumFaces; ++f) {
        const aiFace& face = in->mFaces[f];
        if (face.mNumIndices != 3) continue;  // points and lines are not drawn by a mesh
        if (out->attributes.size() >= kMaxXFaces) return false;
        for (int k = 0; k < 3; ++k) {
            if (face.mIndices[k] >= in->mNumVertices) return false;
            out->indices.push_back(base + face.mIndices[k]);
        }
        out->attributes.push_back(in->mMaterialIndex);
    }
    return true;
}

bool appendNode(const aiScene* scene, const aiNode* node, const aiMatrix4x4& parent, int depth,
                XMeshData* out) {
    if (depth > 256) return false;
    const aiMatrix4x4 transform = parent * node->mTransformation;
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        if (node->mMeshes[i] >= scene->mNumMeshes) return false;
        const aiMesh* mesh = scene->mMeshes[node->mMeshes[i]];
        if (mesh->mMaterialIndex >= scene->mNumMaterials) return false;
        if (!appendMesh(mesh, transform, out)) return false;
    }
    for (unsigned i = 0; i < node->mNumChildren; ++i)
        if (!appendNode(scene, node->mChildren[i], transform, depth + 1, out)) return false;
    return true;
}

}  // namespace

const char* loadXFile(const uint8_t* bytes, size_t size, XMeshData* mesh) {
    if (!bytes || size < 16) return "too short for a .x file";
    if (std::string(reinterpret_cast<const char*>(bytes), 4) != "xof ") return "not a .x file";
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(
        bytes, size, aiProcess_ConvertToLeftHanded | aiProcess_Triangulate, "x");
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE))
        return "damaged .x file";
    XMeshData out;
    if (!appendNode(scene, scene->mRootNode, aiMatrix4x4(), 0, &out)) return "damaged .x file";
    if (out.attributes.empty()) return "no faces";
    for (unsigned i = 0; i < scene->mNumMaterials; ++i)
        out.materials.push_back(materialOf(scene->mMaterials[i]));
    *mesh = std::move(out);
    return nullptr;
}

}  // namespace d3d9
}  // namespace platform
