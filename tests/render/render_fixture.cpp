#include "render_fixture.h"

#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/d3d9_inspect.h"
#include "renderer.h"
#include "scene.h"
#include "transforms.h"

::testing::AssertionResult colourNear(Rgba actual, Rgba expected, int tolerance) {
    if (std::abs(actual.r - expected.r) <= tolerance &&
        std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance &&
        std::abs(actual.a - expected.a) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << actual.r << ", " << actual.g << ", " << actual.b << ", " << actual.a
           << "), expected (" << expected.r << ", " << expected.g << ", " << expected.b << ", "
           << expected.a << ") within " << tolerance;
}

void writeTga(const std::string& path, int width, int height, const std::vector<Rgba>& pixels) {
    unsigned char header[18] = {};
    header[2] = 2;  // uncompressed true colour
    header[12] = static_cast<unsigned char>(width & 0xFF);
    header[13] = static_cast<unsigned char>(width >> 8);
    header[14] = static_cast<unsigned char>(height & 0xFF);
    header[15] = static_cast<unsigned char>(height >> 8);
    header[16] = 32;
    header[17] = 0x28;  // 8 alpha bits, first row at the top
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (const Rgba& p : pixels) {
        const char bgra[4] = {static_cast<char>(p.b), static_cast<char>(p.g),
                              static_cast<char>(p.r), static_cast<char>(p.a)};
        out.write(bgra, 4);
    }
}

void writeSolidTga(const std::string& path, int width, int height, Rgba colour) {
    writeTga(path, width, height, std::vector<Rgba>(size_t(width) * size_t(height), colour));
}

void RenderTest::SetUp() {
    liveAtStart = platform::d3d9::liveObjectCount();
    window = platform::createBareWindow(kWidth, kHeight);
    ASSERT_EQ(renderer.initRenderer(window), S_OK);
    // The editor's start-up order after the device exists.
    device()->SetRenderState(D3DRS_AMBIENT, 0xFF9B9B9B);
    scene.setProjection();
    scene.setWorld(identityMatrix());
    scene.setupLight();
    scene.buildQuads();
    D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f, 1.33f, 1.0f, 3000.0f);
    lookAt(D3DXVECTOR3(0, 1000, 0), D3DXVECTOR3(500, 0, 500), D3DXVECTOR3(0, 1, 0));
}

void RenderTest::TearDown() {
    shutdownRenderer();
    EXPECT_EQ(renderer.device, nullptr);
    EXPECT_EQ(renderer.direct3d, nullptr);
    platform::destroyBareWindow(window);
    // Everything the test made through the scene is gone again.
    EXPECT_EQ(platform::d3d9::liveObjectCount(), liveAtStart);
}

IDirect3DDevice9* RenderTest::device() const {
    return renderer.device;
}

void RenderTest::lookAt(D3DXVECTOR3 eye, D3DXVECTOR3 target, D3DXVECTOR3 up) {
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    device()->SetTransform(D3DTS_VIEW, &view);
    D3DXVECTOR3 direction(target.x - eye.x, 0, target.z - eye.z);
    float length = std::sqrt(direction.x * direction.x + direction.z * direction.z);
    if (length > 0) {
        scene.lookDirX = direction.x / length;
        scene.lookDirZ = direction.z / length;
    }
}

void RenderTest::beginFrame() {
    renderer.clearFrame();
    device()->BeginScene();
}

void RenderTest::finishFrame() {
    device()->EndScene();
    renderer.presentFrame();
    ASSERT_TRUE(platform::readPresentedFrame(window, &frame));
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
}

Rgba RenderTest::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) return Rgba{-1, -1, -1, -1};
    const unsigned char* p = &frame.rgba[(size_t(y) * size_t(frame.width) + size_t(x)) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
}

Rgba RenderTest::pixelAt(D3DXVECTOR3 world) const {
    POINT p = project(world);
    return pixel(p.x, p.y);
}

POINT RenderTest::project(D3DXVECTOR3 world) const {
    D3DXMATRIX viewProjection;
    D3DXMatrixMultiply(&viewProjection, &view, &projection);
    const D3DXMATRIX& m = viewProjection;
    float x = world.x * m._11 + world.y * m._21 + world.z * m._31 + m._41;
    float y = world.x * m._12 + world.y * m._22 + world.z * m._32 + m._42;
    float w = world.x * m._14 + world.y * m._24 + world.z * m._34 + m._44;
    POINT p;
    p.x = LONG(std::floor((x / w + 1.0f) * 0.5f * kWidth));
    p.y = LONG(std::floor((1.0f - y / w) * 0.5f * kHeight));
    return p;
}

bool parseTracedMatrix(const std::string& line, D3DXMATRIX* matrix) {
    size_t open = line.find('[');
    if (open == std::string::npos) return false;
    const char* cursor = line.c_str() + open + 1;
    for (int i = 0; i < 16; ++i) {
        char* end = nullptr;
        (&matrix->_11)[i] = std::strtof(cursor, &end);
        if (end == cursor) return false;
        cursor = end;
        while (*cursor == ',' || *cursor == ' ') ++cursor;
    }
    return *cursor == ']';
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& trace,
                                           const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : trace) {
        if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
    }
    return found;
}
