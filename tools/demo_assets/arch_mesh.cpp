#include "arch_mesh.h"

#include <cstdio>
#include <vector>

namespace demo {
namespace {

struct Vec3 {
    float x, y, z;
};

struct Vertex {
    Vec3 position, normal;
    float u, v;
};

struct Box {
    Vec3 min, max;
    int material;
};

// One face of a box: normal n, and tangents t1, t2 with t1 x t2 = n, so that the
// corner order below is clockwise seen from outside (Direct3D's front faces).
struct FaceAxes {
    Vec3 n, t1, t2;
};

const FaceAxes kFaces[6] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
};

float pick(const Vec3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

int axisOf(const Vec3& v) { return v.x != 0 ? 0 : v.y != 0 ? 1 : 2; }

// Corner k of a face: signs (-,-), (+,-), (+,+), (-,+) along t1 and t2.
Vertex faceCorner(const Box& box, const FaceAxes& f, int k) {
    const float s1 = (k == 1 || k == 2) ? 1.0f : -1.0f, s2 = (k >= 2) ? 1.0f : -1.0f;
    const Vec3 lo = box.min, hi = box.max;
    auto coord = [&](int axis) {
        const float sign = pick(f.n, axis) != 0 ? pick(f.n, axis)
                           : pick(f.t1, axis) != 0 ? s1
                                                   : s2;
        return sign > 0 ? pick(hi, axis) : pick(lo, axis);
    };
    Vertex vertex{{coord(0), coord(1), coord(2)}, f.n, 0, 0};
    // Texture across the face: x (or z on the sides) left to right, y top to bottom.
    const int across = axisOf(f.n) == 0 ? 2 : 0;
    const int down = axisOf(f.n) == 1 ? 2 : 1;
    vertex.u = (pick(vertex.position, across) - pick(lo, across)) / (pick(hi, across) - pick(lo, across));
    vertex.v = (pick(hi, down) - pick(vertex.position, down)) / (pick(hi, down) - pick(lo, down));
    return vertex;
}

std::string format(const char* pattern, float a, float b, float c) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

std::string materialText(float r, float g, float b, const std::string& texture) {
    std::string out = "  Material {\n" + format("   %.3f;%.3f;%.3f;1.000;;\n", r, g, b) +
                      "   8.000;\n   0.000;0.000;0.000;;\n   0.000;0.000;0.000;;\n";
    if (!texture.empty()) out += "   TextureFilename { \"" + texture + "\"; }\n";
    return out + "  }\n";
}

struct MeshData {
    std::vector<Vertex> vertices;
    std::vector<int> faceMaterials;  // two triangles per box face
};

MeshData boxesToMesh(const std::vector<Box>& boxes) {
    MeshData mesh;
    for (const Box& box : boxes)
        for (const FaceAxes& f : kFaces) {
            for (int k = 0; k < 4; ++k) mesh.vertices.push_back(faceCorner(box, f, k));
            mesh.faceMaterials.insert(mesh.faceMaterials.end(), {box.material, box.material});
        }
    return mesh;
}

// "N;" and then one entry per vertex, each from `entry`, the list closed with ";;".
template <typename Entry>
std::string vertexList(const MeshData& mesh, Entry entry) {
    std::string out = std::to_string(mesh.vertices.size()) + ";\n";
    for (size_t i = 0; i < mesh.vertices.size(); ++i)
        out += entry(mesh.vertices[i]) + (i + 1 == mesh.vertices.size() ? ";;\n" : ";,\n");
    return out;
}

// Two triangles per quad of four vertices, as a count and a face list.
std::string faceList(const MeshData& mesh) {
    const size_t quads = mesh.faceMaterials.size() / 2;
    std::string out = std::to_string(quads * 2) + ";\n";
    for (size_t q = 0; q < quads; ++q) {
        const std::string a = std::to_string(q * 4), b = std::to_string(q * 4 + 1),
                          c = std::to_string(q * 4 + 2), d = std::to_string(q * 4 + 3);
        out += " 3;" + a + "," + b + "," + c + ";, 3;" + a + "," + c + "," + d +
               (q + 1 == quads ? ";;\n" : ";,\n");
    }
    return out;
}

std::string materialList(const MeshData& mesh, const std::string& bannerTexture) {
    const size_t faces = mesh.faceMaterials.size();
    std::string out = " MeshMaterialList {\n  2;\n  " + std::to_string(faces) + ";\n  ";
    for (size_t i = 0; i < faces; ++i)
        out += std::to_string(mesh.faceMaterials[i]) + (i + 1 == faces ? ";\n" : ",");
    return out + materialText(0.62f, 0.6f, 0.56f, "") +
           materialText(1.0f, 1.0f, 1.0f, bannerTexture) + " }\n";
}

std::string meshBody(const std::vector<Box>& boxes, const std::string& bannerTexture) {
    const MeshData mesh = boxesToMesh(boxes);
    const std::string faces = faceList(mesh);
    const std::string positions = vertexList(mesh, [](const Vertex& v) {
        return format(" %.3f;%.3f;%.3f", v.position.x, v.position.y, v.position.z);
    });
    const std::string normals = vertexList(mesh, [](const Vertex& v) {
        return format("  %.1f;%.1f;%.1f", v.normal.x, v.normal.y, v.normal.z);
    });
    const std::string uvs = vertexList(
        mesh, [](const Vertex& v) { return format("  %.3f;%.3f", v.u, v.v, 0.0f); });
    return positions + faces + " MeshNormals {\n" + normals + faces + " }\n" +
           " MeshTextureCoords {\n" + uvs + " }\n" + materialList(mesh, bannerTexture);
}

}  // namespace

std::string archMeshText(const std::string& bannerTexture) {
    const std::vector<Box> boxes = {
        {{-6.0f, 0.0f, -0.5f}, {-5.0f, 7.0f, 0.5f}, 0},
        {{5.0f, 0.0f, -0.5f}, {6.0f, 7.0f, 0.5f}, 0},
        {{-6.5f, 7.0f, -0.6f}, {6.5f, 8.5f, 0.6f}, 1},
    };
    return "xof 0303txt 0032\n\n// Start/finish arch: stone pillars, a chequered banner.\n"
           "Mesh arch {\n " +
           meshBody(boxes, bannerTexture) + "}\n";
}

}  // namespace demo
