// The D3DX loaders read through the file functions: only plain files, and a
// FIFO, device or folder is refused at once instead of blocking the caller.
#include <sys/stat.h>

#include "device_fixture.h"
#include "temp_folder.h"

TEST_F(DeviceTest, LoadersRefuseAnythingButAPlainFileWithoutWaiting) {
    TempFolder temp;
    ASSERT_TRUE(temp.ok());
    const std::string fifo = temp.path("pipe.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    for (const std::string& name : {fifo, std::string("/dev/zero"), temp.dir()}) {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(D3DXCreateTextureFromFileA(device_, name.c_str(), &texture), E_FAIL) << name;
        EXPECT_EQ(texture, nullptr);
        ID3DXMesh* mesh = nullptr;
        ID3DXBuffer* materials = nullptr;
        DWORD count = 0;
        EXPECT_EQ(D3DXLoadMeshFromXA(name.c_str(), D3DXMESH_SYSTEMMEM, device_, nullptr,
                                     &materials, nullptr, &count, &mesh),
                  E_FAIL)
            << name;
        EXPECT_EQ(mesh, nullptr);
    }
    // A plain file is still read whole, through a Windows-style path.
    IDirect3DTexture9* texture = nullptr;
    std::string windowsPath = dataPath("quadrants.bmp");
    for (char& c : windowsPath)
        if (c == '/') c = '\\';
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, windowsPath.c_str(), &texture), D3D_OK);
    texture->Release();
}
