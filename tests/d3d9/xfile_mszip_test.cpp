// Compressed .x files (tzip, bzip): MSZIP blocks made here with zlib, each
// block's window carrying on from the one before, load as the plain file does.
#include <zlib.h>

#include <cstring>

#include "device_fixture.h"
#include "platform/d3d9_inspect.h"
#include "xfile_binary.h"

namespace {

void put16(std::string* out, size_t value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>(value >> 8 & 0xFF));
}

// The plain file packed into blocks of blockSize unpacked bytes.
std::string mszip(const std::string& plain, size_t blockSize) {
    std::string out = plain.substr(0, 16);
    std::memcpy(&out[8], plain.compare(8, 4, "txt ") == 0 ? "tzip" : "bzip", 4);
    put16(&out, plain.size() & 0xFFFF);
    put16(&out, plain.size() >> 16);
    for (size_t at = 16; at < plain.size(); at += blockSize) {
        const size_t length = std::min(blockSize, plain.size() - at);
        z_stream z{};
        deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        const size_t history = std::min<size_t>(at - 16, 32768);
        if (history > 0)
            deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(plain.data() + at - history),
                                 static_cast<uInt>(history));
        std::string packed(deflateBound(&z, length), '\0');
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data() + at));
        z.avail_in = static_cast<uInt>(length);
        z.next_out = reinterpret_cast<Bytef*>(&packed[0]);
        z.avail_out = static_cast<uInt>(packed.size());
        deflate(&z, Z_FINISH);
        packed.resize(z.total_out);
        deflateEnd(&z);
        put16(&out, length);
        put16(&out, packed.size() + 2);
        out += "CK" + packed;
    }
    return out;
}

platform::d3d9::MeshContents load(IDirect3DDevice9* device, const std::string& path,
                                  HRESULT* result, DWORD* count) {
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    *result = D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_SYSTEMMEM, device, nullptr, &materials,
                                 nullptr, count, &mesh);
    platform::d3d9::MeshContents contents;
    if (mesh) platform::d3d9::readMesh(mesh, &contents);
    if (materials) materials->Release();
    if (mesh) mesh->Release();
    return contents;
}

}  // namespace

// Small blocks, so that later blocks refer back into earlier ones.
TEST_F(DeviceTest, CompressedXFilesLoadAsThePlainFile) {
    const std::string text = readTextFile(dataPath("three_materials.x"));
    for (const std::string& plain : {text, binaryXFromText(text, false)}) {
        const std::string plainPath = ::testing::TempDir() + "plain.x";
        const std::string packedPath = ::testing::TempDir() + "packed.x";
        writeFile(plainPath, plain);
        writeFile(packedPath, mszip(plain, 97));
        HRESULT plainResult = E_FAIL, packedResult = E_FAIL;
        DWORD plainCount = 0, packedCount = 0;
        const auto expected = load(device_, plainPath, &plainResult, &plainCount);
        const auto got = load(device_, packedPath, &packedResult, &packedCount);
        ASSERT_EQ(plainResult, D3D_OK);
        ASSERT_EQ(packedResult, D3D_OK) << plain.substr(0, 16);
        EXPECT_EQ(packedCount, plainCount);
        EXPECT_EQ(got.indices, expected.indices);
        EXPECT_EQ(got.attributes, expected.attributes);
        ASSERT_EQ(got.vertices.size(), expected.vertices.size());
        EXPECT_EQ(std::memcmp(got.vertices.data(), expected.vertices.data(),
                              got.vertices.size() * sizeof got.vertices[0]),
                  0);
    }
}

TEST_F(DeviceTest, DamagedCompressedXFilesFail) {
    const std::string packed = mszip(readTextFile(dataPath("three_materials.x")), 97);
    std::string lying = packed;
    lying[19] = 0x10;  // an unpacked size far beyond what the blocks hold
    std::string broken = packed;
    broken[packed.size() / 2] ^= 0x55;
    const std::string path = ::testing::TempDir() + "damaged.x";
    for (const std::string& bytes :
         {packed.substr(0, packed.size() - 5), lying, broken, packed.substr(0, 18)}) {
        writeFile(path, bytes);
        HRESULT result = D3D_OK;
        DWORD count = 0;
        load(device_, path, &result, &count);
        EXPECT_EQ(result, E_FAIL);
        EXPECT_EQ(count, 0u);
    }
}
