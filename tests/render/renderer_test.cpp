// The device's start-up state and the per-frame clear and present, by trace
// and by the pixels of the offscreen frame.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/d3d9_trace.h"
#include "render_fixture.h"
#include "renderer.h"
#include "scene.h"
#include "transforms.h"

namespace {

using platform::d3d9::TraceScope;

TEST(RendererWithoutDevice, ClearAndPresentIssueNothing) {
    ASSERT_EQ(renderer.device, nullptr);
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        renderer.clearFrame();
        EXPECT_EQ(renderer.presentFrame(), S_OK);
        shutdownRenderer();
    }
    EXPECT_TRUE(trace.empty()) << trace.front();
}

TEST(RendererWithoutDevice, ANonWindowFailsAndLeavesNothing) {
    EXPECT_EQ(renderer.initRenderer(nullptr), E_FAIL);
    EXPECT_EQ(renderer.device, nullptr);
    EXPECT_EQ(renderer.direct3d, nullptr);
}

TEST(RendererStartUp, SetsTheFixedStateInOrder) {
    HWND window = platform::createBareWindow(200, 100);
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        ASSERT_EQ(renderer.initRenderer(window), S_OK);
    }
    // A second start would orphan the first device.
    EXPECT_EQ(renderer.initRenderer(window), E_FAIL);
    const std::vector<std::string> expected = {
        "SetSamplerState(0, D3DSAMP_MAGFILTER, 2)",
        "SetSamplerState(0, D3DSAMP_MINFILTER, 2)",
        "SetRenderState(D3DRS_ALPHABLENDENABLE, 1)",
        "SetRenderState(D3DRS_SRCBLEND, 5)",
        "SetRenderState(D3DRS_DESTBLEND, 6)",
        "SetRenderState(D3DRS_ALPHAREF, 1)",
        "SetRenderState(D3DRS_ALPHATESTENABLE, 1)",
        "SetRenderState(D3DRS_ALPHAFUNC, 7)",
        "SetRenderState(D3DRS_LIGHTING, 1)",
        "SetMaterial({D=(1, 1, 1, 1), A=(1, 1, 1, 1), S=(0, 0, 0, 1), E=(0, 0, 0, 1), P=15})",
    };
    std::vector<std::string> deviceCalls = linesStartingWith(trace, "Set");
    EXPECT_EQ(deviceCalls, expected);
    // The back buffer takes the client size.
    EXPECT_EQ(renderer.presentParams.Windowed, TRUE);
    EXPECT_EQ(renderer.presentParams.EnableAutoDepthStencil, TRUE);
    EXPECT_EQ(renderer.presentParams.AutoDepthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(renderer.presentParams.SwapEffect, D3DSWAPEFFECT_DISCARD);
    shutdownRenderer();
    platform::destroyBareWindow(window);
}

class RendererTest : public RenderTest {};

TEST_F(RendererTest, LightProjectionAndClearAreTheFixedValues) {
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        scene.setupLight();
        scene.setProjection();
        renderer.clearFrame();
        renderer.presentFrame();
    }
    ASSERT_EQ(trace.size(), 6u);
    EXPECT_EQ(trace[0],
              "SetLight(0, {type=1, D=(0.5, 0.5, 0.5, 0), S=(1, 1, 1, 0), A=(0.100000001, "
              "0.100000001, 0.100000001, 0), pos=(0, 500, 0), dir=(0, 0, 0), range=10000, "
              "falloff=0, att=(1, 0, 0), theta=0, phi=0})");
    EXPECT_EQ(trace[1], "LightEnable(0, 1)");
    D3DXMATRIX traced;
    ASSERT_TRUE(parseTracedMatrix(trace[2], &traced)) << trace[2];
    EXPECT_EQ(trace[2].rfind("SetTransform(D3DTS_PROJECTION, ", 0), 0u);
    EXPECT_NEAR(traced._11, 2.4142135f / 1.33f, 1e-5);
    EXPECT_NEAR(traced._33, 3000.0f / 2999.0f, 1e-6);
    EXPECT_EQ(trace[3], "Clear(0, NULL, 0x1, 0xff0000ff, 1, 0)");
    EXPECT_EQ(trace[4], "Clear(0, NULL, 0x2, 0xff0000ff, 1, 0)");
    EXPECT_EQ(trace[5], "Present()");
}

TEST_F(RendererTest, AClearedFrameIsOpaqueBlueEverywhere) {
    beginFrame();
    finishFrame();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_TRUE(colourNear(pixel(x, y), Rgba{0, 0, 255, 255}, 0)) << x << ", " << y;
        }
    }
}

// A white untextured ground quad far from the light: ambient 0x9B/255 plus
// the light's ambient 0.1, plus half the cosine between the normal and the
// direction to the light at (0, 500, 0).
TEST_F(RendererTest, AnUntexturedWhiteQuadShowsTheLitGrey) {
    const float z = 1500;
    lookAt(D3DXVECTOR3(0, 20, z - 1), D3DXVECTOR3(0, 0, z), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    scene.selectQuad(FlatQuad);
    scene.setWorld(translationMatrix(0, 0, z));
    scene.drawQuad(0);
    finishFrame();
    const double cosine = 500.0 / std::sqrt(500.0 * 500.0 + z * z);
    const double grey = (155.0 / 255.0 + 0.1 + 0.5 * cosine) * 255.0;
    const int expected = int(grey + 0.5);
    EXPECT_TRUE(
        colourNear(pixelAt(D3DXVECTOR3(0, 0, z)), Rgba{expected, expected, expected, 255}, 3));
}

TEST_F(RendererTest, BackFacesAreCulled) {
    // The billboard from its front, from behind, and the ground from below.
    lookAt(D3DXVECTOR3(0, 5, -30), D3DXVECTOR3(0, 5, 0), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    scene.selectQuad(BillboardQuad);
    scene.setWorld(identityMatrix());
    scene.drawQuad(0);
    finishFrame();
    EXPECT_FALSE(colourNear(pixelAt(D3DXVECTOR3(0, 5, 0)), Rgba{0, 0, 255, 255}, 8));

    lookAt(D3DXVECTOR3(0, 5, 30), D3DXVECTOR3(0, 5, 0), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    scene.drawQuad(0);
    finishFrame();
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(0, 5, 0)), Rgba{0, 0, 255, 255}, 0));

    lookAt(D3DXVECTOR3(0, -30, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 1));
    beginFrame();
    scene.selectQuad(FlatQuad);
    scene.drawQuad(0);
    finishFrame();
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(0, 0, 0)), Rgba{0, 0, 255, 255}, 0));
}

}  // namespace
