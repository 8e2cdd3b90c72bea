// The call trace: the lines render tests match against.
#include "device_fixture.h"
#include "platform/d3d9_trace.h"

TEST_F(DeviceTest, TraceListsEachCallWithItsArguments) {
    std::vector<std::string> lines;
    {
        platform::d3d9::TraceScope trace(&lines);
        device_->SetRenderState(D3DRS_LIGHTING, FALSE);
        device_->SetRenderState(D3DRS_AMBIENT, 0xFF9B9B9B);
        D3DXMATRIX world;
        D3DXMatrixTranslation(&world, 1, 2.5f, -3);
        device_->SetTransform(D3DTS_WORLD, &world);
        device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
        device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
        IDirect3DVertexBuffer9* buffer = nullptr;
        device_->CreateVertexBuffer(144, 0, 0x152, D3DPOOL_MANAGED, &buffer, nullptr);
        device_->SetStreamSource(0, buffer, 0, 36);
        device_->SetFVF(0x152);
        device_->SetTexture(0, nullptr);
        device_->BeginScene();
        device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
        device_->EndScene();
        device_->SetStreamSource(0, nullptr, 0, 0);
        buffer->Release();
        device_->Present(nullptr, nullptr, nullptr, nullptr);
    }
    device_->BeginScene();  // after the scope: not traced
    device_->EndScene();
    ASSERT_EQ(lines.size(), 15u);
    const std::string vb = lines[5].substr(lines[5].rfind("vb#"));
    const std::vector<std::string> expected = {
        "SetRenderState(D3DRS_LIGHTING, 0)",
        "SetRenderState(D3DRS_AMBIENT, 0xff9b9b9b)",
        "SetTransform(D3DTS_WORLD, [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2.5, -3, 1])",
        "Clear(0, NULL, 0x1, 0xff0000ff, 1, 0)",
        "SetSamplerState(0, D3DSAMP_MAGFILTER, 2)",
        "CreateVertexBuffer(144, 0x0, 0x152, D3DPOOL_MANAGED) = " + vb,
        "SetStreamSource(0, " + vb + ", 0, 36)",
        "SetFVF(0x152)",
        "SetTexture(0, NULL)",
        "BeginScene()",
        "DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2)",
        "EndScene()",
        "SetStreamSource(0, NULL, 0, 0)",
        vb + ".Release()",
        "Present()",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(DeviceTest, TraceMarksFailedCalls) {
    std::vector<std::string> lines;
    platform::d3d9::TraceScope trace(&lines);
    device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(22), 1);  // culling: not supported
    device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);                  // outside a scene
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "SetRenderState(22, 1) -> FAILED");
    EXPECT_EQ(lines[1], "DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2) -> FAILED");
}

TEST_F(DeviceTest, TraceWritesMaterialsAndLightsInFull) {
    std::vector<std::string> lines;
    platform::d3d9::TraceScope trace(&lines);
    D3DMATERIAL9 m = {};
    m.Diffuse = {1, 0.5f, 0, 1};
    m.Power = 15;
    device_->SetMaterial(&m);
    D3DLIGHT9 l = {};
    l.Type = D3DLIGHT_POINT;
    l.Diffuse = {0.5f, 0.5f, 0.5f, 0};
    l.Position = {0, 500, 0};
    l.Range = 10000;
    l.Attenuation0 = 1;
    device_->SetLight(0, &l);
    device_->LightEnable(0, TRUE);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "SetMaterial({D=(1, 0.5, 0, 1), A=(0, 0, 0, 0), S=(0, 0, 0, 0), "
              "E=(0, 0, 0, 0), P=15})");
    EXPECT_EQ(lines[1],
              "SetLight(0, {type=1, D=(0.5, 0.5, 0.5, 0), S=(0, 0, 0, 0), "
              "A=(0, 0, 0, 0), pos=(0, 500, 0), dir=(0, 0, 0), range=10000, "
              "falloff=0, att=(1, 0, 0), theta=0, phi=0})");
    EXPECT_EQ(lines[2], "LightEnable(0, 1)");
}

TEST_F(DeviceTest, TraceNamesLoadedResourcesAndMeshDraws) {
    std::vector<std::string> lines;
    platform::d3d9::TraceScope trace(&lines);
    IDirect3DTexture9* texture = nullptr;
    ID3DXMesh* mesh = nullptr;
    const std::string image = dataPath("red.bmp"), x = dataPath("three_materials.x");
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, image.c_str(), &texture), D3D_OK);
    ASSERT_EQ(D3DXLoadMeshFromXA(x.c_str(), D3DXMESH_SYSTEMMEM, device_, nullptr, nullptr, nullptr,
                                 nullptr, &mesh),
              D3D_OK);
    device_->BeginScene();
    mesh->DrawSubset(1);
    device_->EndScene();
    mesh->Release();
    texture->Release();
    ASSERT_EQ(lines.size(), 7u);
    const std::string tex = lines[0].substr(lines[0].rfind("tex#"));
    const std::string m = lines[1].substr(lines[1].rfind("mesh#"));
    EXPECT_EQ(lines[0], "D3DXCreateTextureFromFileA(\"" + image + "\") = " + tex);
    EXPECT_EQ(lines[1], "D3DXLoadMeshFromXA(\"" + x + "\") = " + m);
    EXPECT_EQ(lines[3], m + ".DrawSubset(1)");
    EXPECT_EQ(lines[5], m + ".Release()");
    EXPECT_EQ(lines[6], tex + ".Release()");
}
