// Grouping faces by attribute with a stable order, so that faces of one
// material keep the order the file gave them.
#include "mesh_subsets.h"

#include <algorithm>
#include <numeric>

namespace platform {
namespace d3d9 {
namespace {

MeshSubset subsetOfRun(const XMeshData& mesh, const std::vector<uint32_t>& order, size_t begin,
                       size_t end) {
    MeshSubset s{mesh.attributes[order[begin]], static_cast<uint32_t>(begin),
                 static_cast<uint32_t>(end - begin), UINT32_MAX, 0};
    uint32_t high = 0;
    for (size_t f = begin; f < end; ++f)
        for (int c = 0; c < 3; ++c) {
            const uint32_t index = mesh.indices[order[f] * 3 + c];
            s.vertexStart = std::min(s.vertexStart, index);
            high = std::max(high, index);
        }
    s.vertexCount = high - s.vertexStart + 1;
    return s;
}

}  // namespace

MeshSubsets groupFacesByAttribute(const XMeshData& mesh) {
    MeshSubsets out;
    const size_t faces = mesh.attributes.size();
    std::vector<uint32_t> order(faces);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return mesh.attributes[a] < mesh.attributes[b];
    });
    out.indices.reserve(faces * 3);
    for (uint32_t f : order) {
        out.attributes.push_back(mesh.attributes[f]);
        out.indices.insert(out.indices.end(), &mesh.indices[f * 3], &mesh.indices[f * 3] + 3);
    }
    for (size_t begin = 0; begin < faces;) {
        size_t end = begin;
        while (end < faces && mesh.attributes[order[end]] == mesh.attributes[order[begin]]) ++end;
        out.subsets.push_back(subsetOfRun(mesh, order, begin, end));
        begin = end;
    }
    out.byAttribute.assign(mesh.materials.size(), -1);
    for (size_t i = 0; i < out.subsets.size(); ++i)
        if (out.subsets[i].attribute < out.byAttribute.size())
            out.byAttribute[out.subsets[i].attribute] = static_cast<int32_t>(i);
    return out;
}

const MeshSubset* findSubset(const MeshSubsets& grouped, uint32_t attribute) {
    if (attribute < grouped.byAttribute.size()) {
        const int32_t i = grouped.byAttribute[attribute];
        return i < 0 ? nullptr : &grouped.subsets[static_cast<size_t>(i)];
    }
    auto it = std::lower_bound(grouped.subsets.begin(), grouped.subsets.end(), attribute,
                               [](const MeshSubset& s, uint32_t a) { return s.attribute < a; });
    return it != grouped.subsets.end() && it->attribute == attribute ? &*it : nullptr;
}

}  // namespace d3d9
}  // namespace platform
