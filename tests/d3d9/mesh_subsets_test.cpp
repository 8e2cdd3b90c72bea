// Faces grouped by attribute, the layout both builds' meshes draw from: one
// contiguous run per attribute, file order kept inside a run, each run's
// vertex range covering exactly the vertices its faces use.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "device_fixture.h"
#include "mesh_subsets.h"

namespace {

using platform::d3d9::findSubset;
using platform::d3d9::groupFacesByAttribute;
using platform::d3d9::MeshSubsets;
using platform::d3d9::XMeshData;

XMeshData interleaved() {
    XMeshData mesh;
    mesh.vertices.resize(9);
    mesh.indices = {4, 5, 6, 0, 1, 2, 7, 8, 6, 2, 3, 1, 8, 8, 8};
    mesh.attributes = {1, 0, 1, 0, 7};  // 7: past the two materials
    mesh.materials.resize(2);
    return mesh;
}

TEST(MeshSubsets, RunsPerAttributeInFileOrderWithTheirVertexRanges) {
    const MeshSubsets grouped = groupFacesByAttribute(interleaved());
    EXPECT_EQ(grouped.indices,
              (std::vector<uint32_t>{0, 1, 2, 2, 3, 1, 4, 5, 6, 7, 8, 6, 8, 8, 8}));
    EXPECT_EQ(grouped.attributes, (std::vector<uint32_t>{0, 0, 1, 1, 7}));
    ASSERT_EQ(grouped.subsets.size(), 3u);
    const uint32_t expected[3][5] = {{0, 0, 2, 0, 4}, {1, 2, 2, 4, 5}, {7, 4, 1, 8, 1}};
    for (size_t i = 0; i < 3; ++i) {
        const auto& s = grouped.subsets[i];
        EXPECT_EQ((std::vector<uint32_t>{s.attribute, s.faceStart, s.faceCount, s.vertexStart,
                                         s.vertexCount}),
                  std::vector<uint32_t>(expected[i], expected[i] + 5))
            << "subset " << i;
    }
}

TEST(MeshSubsets, FindsEveryAttributeThatHasFacesAndNoOther) {
    XMeshData mesh = interleaved();
    mesh.materials.resize(4);  // materials 2 and 3 carry no face
    const MeshSubsets grouped = groupFacesByAttribute(mesh);
    EXPECT_EQ(findSubset(grouped, 0), &grouped.subsets[0]);
    EXPECT_EQ(findSubset(grouped, 1), &grouped.subsets[1]);
    EXPECT_EQ(findSubset(grouped, 7), &grouped.subsets[2]);
    EXPECT_EQ(findSubset(grouped, 2), nullptr);
    EXPECT_EQ(findSubset(grouped, 3), nullptr);
    EXPECT_EQ(findSubset(grouped, 6), nullptr);
    EXPECT_EQ(findSubset(grouped, 0xFFFFFFFFu), nullptr);
}

TEST(MeshSubsets, AParsedFileKeepsEveryFaceInsideItsRun) {
    std::ifstream in(dataPath("three_materials.x"), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    XMeshData mesh;
    ASSERT_EQ(platform::d3d9::loadXFile(bytes.data(), bytes.size(), &mesh), nullptr);
    const MeshSubsets grouped = groupFacesByAttribute(mesh);
    ASSERT_EQ(grouped.subsets.size(), 3u);
    uint32_t faces = 0;
    for (const auto& s : grouped.subsets) {
        EXPECT_EQ(s.faceStart, faces);
        faces += s.faceCount;
        for (uint32_t k = s.faceStart * 3; k < (s.faceStart + s.faceCount) * 3; ++k) {
            EXPECT_GE(grouped.indices[k], s.vertexStart);
            EXPECT_LT(grouped.indices[k], s.vertexStart + s.vertexCount);
            EXPECT_EQ(grouped.attributes[k / 3], s.attribute);
        }
    }
    EXPECT_EQ(faces, mesh.attributes.size());
    std::vector<uint32_t> before = mesh.indices, after = grouped.indices;
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(before, after);
}

}  // namespace
