// Where and how triangles and lines land in the frame: placement by the
// matrices, texture orientation, culling, alpha test and blending, depth bias.
#include "device_fixture.h"

#include <cstring>
#include <vector>

namespace {

bool near(const Rgba& p, int r, int g, int b, int tolerance = 2) {
    return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance &&
           std::abs(p.b - b) <= tolerance;
}

DWORD floatBits(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

class DrawTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        lookDownOrtho();
        device_->SetRenderState(D3DRS_LIGHTING, FALSE);
        clear(0xFF0000FF);
    }
    IDirect3DTexture9* load(const char* name) {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(D3DXCreateTextureFromFileA(device_, dataPath(name).c_str(), &texture), D3D_OK);
        return texture;
    }
};

// The square spans x 16..48 and y 8..40 of the 64 x 48 frame.
TEST_F(DrawTest, TexturedQuadFromAboveIsPlacedUprightAndUnmirrored) {
    IDirect3DTexture9* texture = load("quadrants.png");
    device_->SetTexture(0, texture);
    drawFan(levelSquare(5, 0, 0xFFFFFFFF));
    const platform::Frame frame = present();
    EXPECT_TRUE(near(pixel(frame, 20, 12), 255, 0, 0));    // top left: red
    EXPECT_TRUE(near(pixel(frame, 44, 12), 0, 255, 0));    // top right: green
    EXPECT_TRUE(near(pixel(frame, 20, 36), 0, 0, 255));    // bottom left: blue
    EXPECT_TRUE(near(pixel(frame, 44, 36), 255, 255, 0));  // bottom right: yellow
    EXPECT_TRUE(near(pixel(frame, 14, 24), 0, 0, 255));    // left of the square: clear colour
    EXPECT_TRUE(near(pixel(frame, 50, 24), 0, 0, 255));
    EXPECT_TRUE(near(pixel(frame, 30, 6), 0, 0, 255));
    EXPECT_TRUE(near(pixel(frame, 30, 42), 0, 0, 255));
    device_->SetTexture(0, nullptr);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(DrawTest, WorldMatrixMovesTheQuad) {
    D3DXMATRIX world;
    D3DXMatrixTranslation(&world, 5, 0, 0);  // 16 pixels to the right
    device_->SetTransform(D3DTS_WORLD, &world);
    drawFan(levelSquare(2.5f, 0, 0xFFFF0000));
    const platform::Frame frame = present();
    EXPECT_TRUE(near(pixel(frame, 48, 24), 255, 0, 0));
    EXPECT_TRUE(near(pixel(frame, 32, 24), 0, 0, 255));
}

TEST_F(DrawTest, CounterClockwiseTrianglesAreCulled) {
    std::vector<TestVertex> square = levelSquare(5, 0, 0xFFFF0000);
    std::swap(square[1], square[3]);  // same square, wound the other way
    drawFan(square);
    const platform::Frame frame = present();
    EXPECT_TRUE(near(pixel(frame, 32, 24), 0, 0, 255));
}

// Left half of alpha.png has alpha 0, the right half alpha 128. The alpha-0
// half must write no depth, so a farther green square shows through it.
TEST_F(DrawTest, AlphaZeroTexelsAreDroppedOthersBlended) {
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device_->SetRenderState(D3DRS_ALPHAREF, 1);
    device_->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device_->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    IDirect3DTexture9* texture = load("alpha.png");
    device_->SetTexture(0, texture);
    drawFan(levelSquare(5, 1, 0xFFFFFFFF));
    device_->SetTexture(0, nullptr);
    drawFan(levelSquare(5, 0, 0xFF00FF00));
    const platform::Frame frame = present();
    EXPECT_TRUE(near(pixel(frame, 20, 24), 0, 255, 0));
    EXPECT_TRUE(near(pixel(frame, 44, 24), 128, 0, 127));
    texture->Release();
}

// A bias pulling the farther green square in front of the red one moves
// triangles only: a blue line at the green square's depth stays hidden.
TEST_F(DrawTest, DepthBiasMovesTrianglesButNotLines) {
    drawFan(levelSquare(5, 1, 0xFFFF0000));
    device_->SetRenderState(D3DRS_DEPTHBIAS, floatBits(-0.5f));
    drawFan(levelSquare(2.5f, 0, 0xFF00FF00));
    std::vector<TestVertex> line = {{-4, 0, -4, 0, 1, 0, 0xFF0000FF, 0, 0},
                                    {-4, 0, 4, 0, 1, 0, 0xFF0000FF, 0, 0}};
    IDirect3DVertexBuffer9* buffer = makeBuffer(line);
    device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    device_->BeginScene();
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_LINELIST, 0, 1), D3D_OK);
    device_->EndScene();
    buffer->Release();
    device_->SetRenderState(D3DRS_DEPTHBIAS, 0);
    const platform::Frame frame = present();
    EXPECT_TRUE(near(pixel(frame, 32, 24), 0, 255, 0));
    // The line runs down column 19 (x = -4); nowhere on it does blue win.
    for (int y = 12; y < 36; ++y) EXPECT_TRUE(near(pixel(frame, 19, y), 255, 0, 0)) << y;
}

// The frame's raw bias 16 is a float's bits: about 2.2e-44 of the depth
// range, far below one step of the depth buffer. A square and lines lying on
// the ground in perspective, where their depths tie with the ground's, come
// out exactly as with no bias at all.
TEST_F(DrawTest, TheRawBiasSixteenChangesNoPixel) {
    D3DXMATRIX view, projection;
    D3DXVECTOR3 eye(0, 3, -12), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 0.8f, float(kWidth) / kHeight, 1.0f, 5000.0f);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
    std::vector<TestVertex> lines = {{-6, 0, -3, 0, 1, 0, 0xFFFF0000, 0, 0},
                                     {6, 0, 5, 0, 1, 0, 0xFFFF0000, 0, 0},
                                     {-5, 0, 4, 0, 1, 0, 0xFFFF0000, 0, 0},
                                     {5, 0, -2, 0, 1, 0, 0xFFFF0000, 0, 0}};
    IDirect3DVertexBuffer9* buffer = makeBuffer(lines);
    platform::Frame frames[2];
    const DWORD biases[2] = {0, 16};
    for (int k = 0; k < 2; ++k) {
        clear(0xFF000000);
        drawFan(levelSquare(8, 0, 0xFF00FF00));
        device_->SetRenderState(D3DRS_DEPTHBIAS, biases[k]);
        drawFan(levelSquare(2, 0, 0xFFFFFF00));
        device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
        device_->BeginScene();
        EXPECT_EQ(device_->DrawPrimitive(D3DPT_LINELIST, 0, 2), D3D_OK);
        device_->EndScene();
        device_->SetRenderState(D3DRS_DEPTHBIAS, 0);
        frames[k] = present();
    }
    buffer->Release();
    EXPECT_EQ(frames[0].rgba, frames[1].rgba);
}

TEST_F(DrawTest, WithoutBiasTheNearerSquareWins) {
    drawFan(levelSquare(5, 1, 0xFFFF0000));
    drawFan(levelSquare(2.5f, 0, 0xFF00FF00));
    EXPECT_TRUE(near(pixel(present(), 32, 24), 255, 0, 0));
}

TEST_F(DrawTest, ZWriteOffLetsLaterDrawsCover) {
    device_->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    drawFan(levelSquare(5, 1, 0xFFFF0000));
    device_->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    drawFan(levelSquare(5, 0, 0xFF00FF00));
    EXPECT_TRUE(near(pixel(present(), 32, 24), 0, 255, 0));
}

// A line of bare positions, coloured by an emissive material with lighting on.
TEST_F(DrawTest, LineTakesItsColourFromTheMaterial) {
    device_->SetRenderState(D3DRS_LIGHTING, TRUE);
    D3DMATERIAL9 red = {};
    red.Diffuse = red.Ambient = red.Specular = red.Emissive = {1, 0, 0, 1};
    red.Power = 15;
    device_->SetMaterial(&red);
    const float points[6] = {-8, 0, 0, 8, 0, 0};
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(device_->CreateVertexBuffer(24, 0, D3DFVF_XYZ, D3DPOOL_MANAGED, &buffer, nullptr),
              D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 24, &data, 0), D3D_OK);
    std::memcpy(data, points, sizeof points);
    buffer->Unlock();
    device_->SetStreamSource(0, buffer, 0, 12);
    device_->SetFVF(D3DFVF_XYZ);
    device_->BeginScene();
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_LINELIST, 0, 1), D3D_OK);
    device_->EndScene();
    buffer->Release();
    const platform::Frame frame = present();
    int red_pixels = 0;
    for (int y = 22; y <= 25; ++y) red_pixels += near(pixel(frame, 32, y), 255, 0, 0) ? 1 : 0;
    EXPECT_EQ(red_pixels, 1);
}

// Draws with equal state are drawn together; their order must survive.
TEST_F(DrawTest, LaterDrawsOfOneBatchCoverEarlierOnes) {
    device_->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    drawFan(levelSquare(5, 0, 0xFFFF0000));
    drawFan(levelSquare(2.5f, 0, 0xFF00FF00));
    const platform::Frame frame = present();
    EXPECT_TRUE(near(pixel(frame, 32, 24), 0, 255, 0));
    EXPECT_TRUE(near(pixel(frame, 20, 24), 255, 0, 0));
}

// A texture released while a draw with it still waits to reach OpenGL.
TEST_F(DrawTest, TextureReleasedInsideASceneStillShows) {
    IDirect3DTexture9* texture = load("red.bmp");
    IDirect3DVertexBuffer9* buffer = makeBuffer(levelSquare(5, 0, 0xFFFFFFFF));
    device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    device_->SetFVF(kTestFvf);
    device_->SetTexture(0, texture);
    device_->BeginScene();
    device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
    device_->SetTexture(0, nullptr);
    EXPECT_EQ(texture->Release(), 0u);
    device_->EndScene();
    buffer->Release();
    EXPECT_TRUE(near(pixel(present(), 32, 24), 255, 0, 0));
}

// Thousands of like draws in one scene reach OpenGL in several parts; every
// draw lands where it should and later ones still cover earlier ones.
TEST_F(DrawTest, LongRunsOfLikeDrawsAllLandInOrder) {
    const int columns = kWidth / 2, rows = kHeight / 2;
    const float pixelSize = 20.0f / kWidth;  // the ortho view spans x -10..10
    auto cellColour = [](int cx, int cy, int pass) {
        return D3DCOLOR_ARGB(255, cx * 8, cy * 10, pass * 100);
    };
    std::vector<IDirect3DVertexBuffer9*> buffers;
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<TestVertex> vertices;
        for (int cy = 0; cy < rows; ++cy)
            for (int cx = 0; cx < columns; ++cx) {
                // Pixel centres sit on whole pixel coordinates: the square
                // round the two of a cell's diagonal keeps them half a pixel inside.
                const float x = -10 + (2 * cx + 0.5f) * pixelSize,
                            z = 7.5f - (2 * cy + 0.5f) * pixelSize;
                for (const TestVertex& v : levelSquare(pixelSize, 0, cellColour(cx, cy, pass)))
                    vertices.push_back({v.x + x, v.y, v.z + z, v.nx, v.ny, v.nz, v.colour, 0, 0});
            }
        buffers.push_back(makeBuffer(vertices));
    }
    device_->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device_->SetFVF(kTestFvf);
    device_->BeginScene();
    for (IDirect3DVertexBuffer9* buffer : buffers) {
        device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
        for (int k = 0; k < columns * rows; ++k)
            ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, UINT(k) * 4, 2), D3D_OK);
    }
    device_->EndScene();
    for (IDirect3DVertexBuffer9* buffer : buffers) buffer->Release();
    const platform::Frame frame = present();
    int wrong = 0;
    for (int cy = 0; cy < rows; ++cy)
        for (int cx = 0; cx < columns; ++cx) {
            const D3DCOLOR c = cellColour(cx, cy, 2);
            const bool right = near(pixel(frame, 2 * cx, 2 * cy), (c >> 16) & 0xFF, (c >> 8) & 0xFF,
                                    c & 0xFF, 0) &&
                               near(pixel(frame, 2 * cx + 1, 2 * cy + 1), (c >> 16) & 0xFF,
                                    (c >> 8) & 0xFF, c & 0xFF, 0);
            wrong += right ? 0 : 1;
        }
    EXPECT_EQ(wrong, 0);
}

// Draws lying wholly beyond one side of the view are dropped before they
// reach OpenGL; one whose corners are each beyond some side still covers it.
TEST_F(DrawTest, OnlyDrawsWhollyOutsideOneSideAreDropped) {
    std::vector<TestVertex> vertices = levelSquare(2, 0, 0xFFFF0000);
    for (TestVertex& v : vertices) v.x += 30;  // right of the view
    for (const TestVertex& v : levelSquare(2, 0, 0xFF00FF00)) vertices.push_back(v);
    for (const TestVertex& v : levelSquare(50, -1, 0xFFFFFFFF)) vertices.push_back(v);
    IDirect3DVertexBuffer9* buffer = makeBuffer(vertices);
    device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    device_->SetFVF(kTestFvf);
    device_->BeginScene();
    for (UINT first : {0u, 4u, 8u})
        EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, first, 2), D3D_OK);
    device_->EndScene();
    buffer->Release();
    const platform::Frame frame = present();
    EXPECT_TRUE(near(pixel(frame, 32, 24), 0, 255, 0));  // the square after the dropped one
    EXPECT_TRUE(near(pixel(frame, 2, 2), 255, 255, 255));
    EXPECT_TRUE(near(pixel(frame, 61, 45), 255, 255, 255));
}
