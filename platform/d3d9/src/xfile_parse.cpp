// The .x parser: the data objects a mesh file is made of (frames with their
// transforms, meshes with normals, texture coordinates and material lists,
// materials with texture names, references to named materials). Everything
// else is skipped by its braces. Every count is checked against the numbers
// left in the file before anything of its size is allocated.
#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "matrix_product.h"
#include "xfile_raw.h"

namespace platform {
namespace d3d9 {
namespace {

const int kMaxDepth = 64;

struct Frame {
    size_t parent;  // the root is its own parent
    float local[16];
};

void identity(float* m) {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

// out = a * b for row-vector matrices (a applies first), with the product
// D3DX's matrices use.
void multiply(const float* a, const float* b, float* out) {
    using Rows = const float (*)[4];
    multiplyMatrices(reinterpret_cast<Rows>(a), reinterpret_cast<Rows>(b),
                     reinterpret_cast<float (*)[4]>(out));
}

class Parser {
public:
    explicit Parser(const XTokens& tokens) : cursor_(tokens) { frames_.push_back(rootFrame()); }
    bool parseFile();
    // The meshes with the world matrices of their frames.
    std::vector<RawMesh> takeMeshes();
    // World matrix of a frame: its transform, then its parents'.
    void worldOf(size_t frame, float* out) const;

private:
    static Frame rootFrame() {
        Frame f{0, {}};
        identity(f.local);
        return f;
    }
    bool openObject(std::string* name);
    bool parseObject(const std::string& kind, size_t frame, int depth);
    bool parseFrame(size_t parent, int depth);
    bool parseMesh(size_t frame, int depth);
    bool parseFaces(size_t vertices, std::vector<XFace>* faces);
    bool parseMeshChild(RawMesh* mesh, int depth);
    bool parseMaterialList(RawMesh* mesh, int depth);
    bool parseMaterial(XMaterial* material, int depth);
    bool parseTextureName(std::string* name);

    XCursor cursor_;
    std::vector<Frame> frames_;
    std::vector<RawMesh> meshes_;
    std::vector<size_t> meshFrames_;
    std::map<std::string, XMaterial> namedMaterials_;
};

// After the object's kind: an optional name, then the opening brace.
bool Parser::openObject(std::string* name) {
    name->clear();
    if (cursor_.isNext(XToken::Name)) {
        *name = cursor_.peek()->text;
        cursor_.advance();
    }
    if (!cursor_.isNext(XToken::Open)) return false;
    cursor_.advance();
    return true;
}

bool Parser::parseFile() {
    while (const XToken* token = cursor_.peek()) {
        if (token->kind == XToken::Open) {  // a top-level reference: nothing to load
            cursor_.advance();
            if (!cursor_.skipBlock()) return false;
            continue;
        }
        if (token->kind != XToken::Name) return false;
        const std::string kind = token->text;
        cursor_.advance();
        if (!parseObject(kind, 0, 0)) return false;
    }
    return true;
}

bool Parser::parseObject(const std::string& kind, size_t frame, int depth) {
    if (depth > kMaxDepth) return false;
    if (kind == "template") {
        if (!cursor_.isNext(XToken::Name)) return false;
        cursor_.advance();
    }
    std::string name;
    if (!openObject(&name)) return false;
    if (kind == "Frame") return parseFrame(frame, depth + 1);
    if (kind == "Mesh") return parseMesh(frame, depth + 1);
    if (kind == "Material") {
        XMaterial material;
        if (!parseMaterial(&material, depth + 1)) return false;
        if (!name.empty()) namedMaterials_[name] = material;
        return true;
    }
    return cursor_.skipBlock();
}

bool Parser::parseFrame(size_t parent, int depth) {
    const size_t self = frames_.size();
    Frame frame{parent, {}};
    identity(frame.local);
    frames_.push_back(frame);
    while (!cursor_.isNext(XToken::Close)) {
        if (cursor_.isNext(XToken::Open)) {  // a reference to another frame: not followed
            cursor_.advance();
            if (!cursor_.skipBlock()) return false;
            continue;
        }
        if (!cursor_.isNext(XToken::Name)) return false;
        const std::string kind = cursor_.peek()->text;
        cursor_.advance();
        if (kind == "FrameTransformMatrix") {
            std::string name;
            if (!openObject(&name) || !cursor_.numbers(16, frames_[self].local) ||
                !cursor_.isNext(XToken::Close))
                return false;
            cursor_.advance();
        } else if (!parseObject(kind, self, depth)) {
            return false;
        }
    }
    cursor_.advance();
    return true;
}

// A face count, then per face an index count and indices below `vertices`.
bool Parser::parseFaces(size_t vertices, std::vector<XFace>* faces) {
    size_t count = 0;
    if (!cursor_.count(1, &count)) return false;
    faces->resize(count);
    for (XFace& face : *faces) {
        size_t n = 0;
        if (!cursor_.count(1, &n) || n < 3) return false;
        face.indices.resize(n);
        for (uint32_t& index : face.indices) {
            size_t value = 0;
            if (!cursor_.count(0, &value) || value >= vertices) return false;
            index = static_cast<uint32_t>(value);
        }
    }
    return true;
}

bool Parser::parseMesh(size_t frame, int depth) {
    RawMesh mesh;
    meshFrames_.push_back(frame);
    size_t vertices = 0;
    if (!cursor_.count(3, &vertices) || vertices > kMaxXVertices) return false;
    mesh.positions.resize(vertices * 3);
    if (!cursor_.numbers(vertices * 3, mesh.positions.data())) return false;
    if (!parseFaces(vertices, &mesh.faces)) return false;
    while (!cursor_.isNext(XToken::Close))
        if (!parseMeshChild(&mesh, depth)) return false;
    cursor_.advance();
    meshes_.push_back(std::move(mesh));
    return true;
}

bool Parser::parseMeshChild(RawMesh* mesh, int depth) {
    if (!cursor_.isNext(XToken::Name)) return false;
    const std::string kind = cursor_.peek()->text;
    cursor_.advance();
    std::string name;
    if (kind == "MeshNormals") {
        size_t count = 0;
        if (!openObject(&name) || !cursor_.count(3, &count)) return false;
        mesh->normals.resize(count * 3);
        if (!cursor_.numbers(count * 3, mesh->normals.data()) ||
            !parseFaces(count, &mesh->normalFaces))
            return false;
        return cursor_.skipBlock();
    }
    if (kind == "MeshTextureCoords") {
        const size_t vertices = mesh->positions.size() / 3;
        size_t count = 0;
        if (!openObject(&name) || !cursor_.count(2, &count) || count != vertices) return false;
        mesh->uvs.resize(count * 2);
        return cursor_.numbers(count * 2, mesh->uvs.data()) && cursor_.skipBlock();
    }
    if (kind == "MeshMaterialList") return openObject(&name) && parseMaterialList(mesh, depth + 1);
    return openObject(&name) && cursor_.skipBlock();  // other children are skipped
}

// Material count, face count, a material index per face, then the materials
// themselves or references to named ones.
bool Parser::parseMaterialList(RawMesh* mesh, int depth) {
    size_t materials = 0, faces = 0;
    if (!cursor_.count(0, &materials) || materials > cursor_.tokenCount()) return false;
    if (!cursor_.count(1, &faces)) return false;
    mesh->faceMaterials.resize(faces);
    for (uint32_t& index : mesh->faceMaterials) {
        size_t value = 0;
        if (!cursor_.count(0, &value) || value >= materials) return false;
        index = static_cast<uint32_t>(value);
    }
    while (!cursor_.isNext(XToken::Close)) {
        XMaterial material;
        if (cursor_.isNext(XToken::Open)) {
            cursor_.advance();
            if (!cursor_.isNext(XToken::Name)) return false;
            auto it = namedMaterials_.find(cursor_.peek()->text);
            if (it == namedMaterials_.end()) return false;
            material = it->second;
            cursor_.advance();
            if (!cursor_.isNext(XToken::Close)) return false;
            cursor_.advance();
        } else {
            std::string name;
            if (!cursor_.isNext(XToken::Name) || cursor_.peek()->text != "Material") return false;
            cursor_.advance();
            if (!openObject(&name) || !parseMaterial(&material, depth + 1)) return false;
        }
        mesh->materials.push_back(material);
    }
    cursor_.advance();
    return mesh->materials.size() == materials;
}

bool Parser::parseMaterial(XMaterial* out, int depth) {
    float v[11];
    if (depth > kMaxDepth || !cursor_.numbers(11, v)) return false;
    D3DMATERIAL9& m = out->material;
    m.Diffuse = {v[0], v[1], v[2], v[3]};
    m.Ambient = {0, 0, 0, 0};  // .x materials carry no ambient colour
    m.Power = v[4];
    m.Specular = {v[5], v[6], v[7], 1};
    m.Emissive = {v[8], v[9], v[10], 1};
    while (!cursor_.isNext(XToken::Close)) {
        if (!cursor_.isNext(XToken::Name)) return false;
        const std::string kind = cursor_.peek()->text;
        cursor_.advance();
        if (kind == "TextureFilename" || kind == "TextureFileName") {
            if (!parseTextureName(&out->textureFile)) return false;
        } else if (!parseObject(kind, 0, depth)) {
            return false;
        }
    }
    cursor_.advance();
    return true;
}

bool Parser::parseTextureName(std::string* name) {
    std::string objectName;
    if (!openObject(&objectName) || !cursor_.isNext(XToken::String)) return false;
    *name = cursor_.peek()->text;
    cursor_.advance();
    return cursor_.skipBlock();
}

std::vector<RawMesh> Parser::takeMeshes() {
    for (size_t i = 0; i < meshes_.size(); ++i) worldOf(meshFrames_[i], meshes_[i].world);
    return std::move(meshes_);
}

void Parser::worldOf(size_t frame, float* out) const {
    identity(out);
    for (int guard = 0; frame != 0 && guard <= kMaxDepth + 1; ++guard) {
        float next[16];
        multiply(out, frames_[frame].local, next);
        std::copy(next, next + 16, out);
        frame = frames_[frame].parent;
    }
}

}  // namespace

const char* parseXTokens(const XTokens& tokens, std::vector<RawMesh>* meshes) {
    Parser parser(tokens);
    if (!parser.parseFile()) return "damaged .x file";
    *meshes = parser.takeMeshes();
    return nullptr;
}

}  // namespace d3d9
}  // namespace platform
