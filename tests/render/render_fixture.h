// A device on a bare offscreen window, set up as the editor's start-up does,
// with helpers to draw one frame, read it back and map world points to pixels.
#ifndef KELVANE_TESTS_RENDER_FIXTURE_H
#define KELVANE_TESTS_RENDER_FIXTURE_H

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window_surface.h"
#include "temp_folder.h"

struct Rgba {
    int r, g, b, a;
};

// Each channel within `tolerance` of the expected value.
::testing::AssertionResult colourNear(Rgba actual, Rgba expected, int tolerance);

// An uncompressed 32-bit TGA, rows top-down; pixels are width * height RGBA.
void writeTga(const std::string& path, int width, int height, const std::vector<Rgba>& pixels);
// A width x height image of one colour.
void writeSolidTga(const std::string& path, int width, int height, Rgba colour);

class RenderTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* device() const;
    // Looks from eye at target; the projection is the scene's fixed one.
    void lookAt(D3DXVECTOR3 eye, D3DXVECTOR3 target, D3DXVECTOR3 up);
    // Clear and BeginScene; then draw; then finishFrame ends, presents and
    // reads the frame back.
    void beginFrame();
    void finishFrame();
    Rgba pixel(int x, int y) const;
    Rgba pixelAt(D3DXVECTOR3 world) const;
    // Window pixel of a world point under the current view and projection.
    POINT project(D3DXVECTOR3 world) const;

    HWND window = nullptr;
    platform::Frame frame;
    D3DXMATRIX view;
    D3DXMATRIX projection;
    int liveAtStart = 0;
};

// Parses the 16 floats of a traced "SetTransform(D3DTS_..., [...])" line.
bool parseTracedMatrix(const std::string& line, D3DXMATRIX* matrix);
// Lines of the trace that begin with the prefix.
std::vector<std::string> linesStartingWith(const std::vector<std::string>& trace,
                                           const std::string& prefix);

#endif
