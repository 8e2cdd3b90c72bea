#include "x_files.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

const XMaterial kMaterials[3] = {
    {{1, 0, 0, 1}, 10, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, "red.tga"},
    {{0, 1, 0, 1}, 20, {0, 0, 0}, {0.25f, 0, 0}, "green.tga"},
    {{0, 0, 1, 0.5f}, 30, {0, 0, 0}, {0, 0, 0}, ""},
};

// Three separate triangles side by side in the x-y plane.
const float kPositions[9][3] = {
    {0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {2, 0, 0}, {2, 1, 0},
    {3, 0, 0}, {4, 0, 0}, {4, 1, 0}, {5, 0, 0},
};
const float kUv[9][2] = {
    {0, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 0}, {1, 1},
};

void materialText(std::ostringstream& x, const XMaterial& m) {
    x << "    Material {\n     " << m.diffuse[0] << ";" << m.diffuse[1] << ";" << m.diffuse[2]
      << ";" << m.diffuse[3] << ";;\n     " << m.power << ";\n     " << m.specular[0] << ";"
      << m.specular[1] << ";" << m.specular[2] << ";;\n     " << m.emissive[0] << ";"
      << m.emissive[1] << ";" << m.emissive[2] << ";;\n";
    if (!m.texture.empty()) x << "     TextureFilename { \"" << m.texture << "\"; }\n";
    x << "    }\n";
}

// Binary .x tokens: little-endian words and double words.
class BinaryX {
public:
    void word(uint16_t v) { raw(&v, 2); }
    void dword(uint32_t v) { raw(&v, 4); }
    void name(const std::string& s) {
        word(1);
        dword(uint32_t(s.size()));
        bytes_ += s;
    }
    void string(const std::string& s) {
        word(2);
        dword(uint32_t(s.size()));
        bytes_ += s;
        word(0x14);  // the terminating semicolon
    }
    void open() { word(0x0a); }
    void close() { word(0x0b); }
    void ints(const std::vector<uint32_t>& values) {
        word(6);
        dword(uint32_t(values.size()));
        for (uint32_t v : values) dword(v);
    }
    void floats(const std::vector<float>& values) {
        word(7);
        dword(uint32_t(values.size()));
        for (float v : values) raw(&v, 4);
    }
    const std::string& bytes() const { return bytes_; }

private:
    void raw(const void* p, size_t n) { bytes_.append(static_cast<const char*>(p), n); }
    std::string bytes_ = "xof 0303bin 0032";
};

void materialBinary(BinaryX& x, const XMaterial& m) {
    x.name("Material");
    x.open();
    x.floats({m.diffuse[0], m.diffuse[1], m.diffuse[2], m.diffuse[3], m.power, m.specular[0],
              m.specular[1], m.specular[2], m.emissive[0], m.emissive[1], m.emissive[2]});
    if (!m.texture.empty()) {
        x.name("TextureFilename");
        x.open();
        x.string(m.texture);
        x.close();
    }
    x.close();
}

}  // namespace

const XMaterial* threeMaterials() {
    return kMaterials;
}

void writeTextX(const std::string& path) {
    std::ostringstream x;
    x << "xof 0303txt 0032\n\nFrame Root {\n FrameTransformMatrix {\n"
      << "  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n }\n"
      << " Mesh Triangles {\n  9;\n";
    for (int i = 0; i < 9; ++i) {
        x << "  " << kPositions[i][0] << ";" << kPositions[i][1] << ";" << kPositions[i][2] << ";"
          << (i < 8 ? "," : ";") << "\n";
    }
    x << "  3;\n  3;0,1,2;,\n  3;3,4,5;,\n  3;6,7,8;;\n";
    x << "  MeshMaterialList {\n   3;\n   3;\n   0,\n   1,\n   2;\n";
    for (const XMaterial& m : kMaterials) materialText(x, m);
    x << "  }\n  MeshTextureCoords {\n   9;\n";
    for (int i = 0; i < 9; ++i) {
        x << "   " << kUv[i][0] << ";" << kUv[i][1] << ";" << (i < 8 ? "," : ";") << "\n";
    }
    x << "  }\n }\n}\n";
    std::ofstream(path, std::ios::binary) << x.str();
}

void writeBinaryX(const std::string& path) {
    BinaryX x;
    x.name("Frame");
    x.name("Root");
    x.open();
    x.name("Mesh");
    x.name("Triangles");
    x.open();
    x.ints({9});
    std::vector<float> positions(&kPositions[0][0], &kPositions[0][0] + 27);
    x.floats(positions);
    x.ints({3, 3, 0, 1, 2, 3, 3, 4, 5, 3, 6, 7, 8});
    x.name("MeshMaterialList");
    x.open();
    x.ints({3, 3, 0, 1, 2});
    for (const XMaterial& m : kMaterials) materialBinary(x, m);
    x.close();
    x.name("MeshTextureCoords");
    x.open();
    x.ints({9});
    x.floats(std::vector<float>(&kUv[0][0], &kUv[0][0] + 18));
    x.close();
    x.close();
    x.close();
    std::ofstream(path, std::ios::binary) << x.bytes();
}
