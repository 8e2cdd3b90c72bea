// A device on a bare window, created as the editor creates its device, with
// helpers to draw quads and read the presented frame back.
#ifndef KELVANE_TESTS_D3D9_DEVICE_FIXTURE_H
#define KELVANE_TESTS_D3D9_DEVICE_FIXTURE_H

#include <d3d9.h>
#include <d3dx9.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_surface.h"

struct TestVertex {  // D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1
    float x, y, z;
    float nx, ny, nz;
    D3DCOLOR colour;
    float u, v;
};
const DWORD kTestFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Rgba {
    int r, g, b, a;
};

class DeviceTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    void SetUp() override;
    void TearDown() override;

    // A vertex buffer holding the vertices; the test owns the reference.
    IDirect3DVertexBuffer9* makeBuffer(const std::vector<TestVertex>& vertices);
    // Draws a triangle fan of the vertices inside a scene.
    void drawFan(const std::vector<TestVertex>& vertices);
    // Camera at (0, 10, 0) looking straight down, +x to the right and +z up
    // the screen, orthographic over x, z in [-10, 10] x [-7.5, 7.5].
    void lookDownOrtho();
    void clear(D3DCOLOR colour);
    platform::Frame present();
    static Rgba pixel(const platform::Frame& frame, int x, int y);

    HWND window_ = nullptr;
    IDirect3D9* d3d_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
    int liveAtStart_ = 0;
};

// A file of tests/d3d9/data.
std::string dataPath(const std::string& name);

// The level square x, z in [-s, s] at height y, upright texture, clockwise
// seen from above.
std::vector<TestVertex> levelSquare(float s, float y, D3DCOLOR colour);

#endif
