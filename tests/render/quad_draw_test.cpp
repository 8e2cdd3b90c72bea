// What the quad operations ask of the device, and what the billboard, placed
// quad and line draws look like on screen.
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

const char kDefaultMaterialLine[] =
    "SetMaterial({D=(1, 1, 1, 1), A=(1, 1, 1, 1), S=(0, 0, 0, 1), E=(0, 0, 0, 1), P=15})";

// Zero usage and lock flags read the same whether traced as 0 or 0x0.
std::string zeroAsDecimal(std::string line) {
    for (size_t at = line.find("0x0"); at != std::string::npos; at = line.find("0x0", at)) {
        char next = at + 3 < line.size() ? line[at + 3] : ')';
        if (next == ',' || next == ')') {
            line.replace(at, 3, "0");
        } else {
            at += 3;
        }
    }
    return line;
}

class QuadDrawTest : public RenderTest {
protected:
    // Rebuilds the quads under a trace and remembers each one's traced name.
    void rebuildQuadsTraced() {
        std::vector<std::string> trace;
        {
            TraceScope scope(&trace);
            scene.buildQuads();
        }
        for (std::string& line : trace) line = zeroAsDecimal(line);
        std::vector<std::string> created = linesStartingWith(trace, "CreateVertexBuffer(");
        ASSERT_EQ(created.size(), size_t(kQuadCount));
        for (int i = 0; i < kQuadCount; ++i) {
            EXPECT_EQ(created[i].rfind("CreateVertexBuffer(144, 0, 0x152, D3DPOOL_MANAGED) = ", 0),
                      0u);
            quadNames[i] = created[i].substr(created[i].rfind(' ') + 1);
            EXPECT_EQ(linesStartingWith(trace, quadNames[i] + ".Lock(0, 144, 0)").size(), 1u);
            EXPECT_EQ(linesStartingWith(trace, quadNames[i] + ".Unlock()").size(), 1u);
        }
    }
    std::string streamLine(int quad) const {
        return "SetStreamSource(0, " + quadNames[quad] + ", 0, 36)";
    }
    // The world matrix the last traced SetTransform(D3DTS_WORLD, ...) set.
    static D3DXMATRIX lastWorld(const std::vector<std::string>& trace) {
        std::vector<std::string> worlds = linesStartingWith(trace, "SetTransform(D3DTS_WORLD");
        D3DXMATRIX m = identityMatrix();
        EXPECT_FALSE(worlds.empty());
        if (!worlds.empty()) {
            EXPECT_TRUE(parseTracedMatrix(worlds.back(), &m));
        }
        return m;
    }
    // Where the quad's front (its -z normal) points after the world matrix.
    static D3DXVECTOR3 frontDirection(const D3DXMATRIX& m) {
        return D3DXVECTOR3(-m._31, -m._32, -m._33);
    }

    std::string quadNames[kQuadCount];
};

TEST_F(QuadDrawTest, SelectQuadBindsOnlyTheFiveQuads) {
    beginFrame();
    rebuildQuadsTraced();
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        EXPECT_EQ(scene.selectQuad(5), 1);
        EXPECT_EQ(scene.selectQuad(-1), 1);
    }
    EXPECT_TRUE(trace.empty());
    for (int q = 0; q < kQuadCount; ++q) {
        trace.clear();
        {
            TraceScope scope(&trace);
            scene.selectQuad(q);
            scene.selectQuad(7);
            scene.drawQuad(0);
        }
        const std::vector<std::string> expected = {streamLine(q), "SetFVF(0x152)",
                                                   "SetTexture(0, NULL)",
                                                   "DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2)"};
        EXPECT_EQ(trace, expected);
    }
    finishFrame();
}

TEST_F(QuadDrawTest, MapIndicesBeyondTheTableBindNoTexture) {
    beginFrame();
    TempFolder dir;
    writeSolidTga(dir.path("grey.tga"), 4, 4, Rgba{128, 128, 128, 255});
    ASSERT_EQ(scene.loadMapTexture(255, (dir.dir() + "\\grey.tga").c_str()), S_OK);
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        scene.selectQuad(FlatQuad);
        scene.drawQuad(255);
        scene.drawQuad(256);
        scene.drawQuad(0xFFFFFFFFu);
    }
    std::vector<std::string> textures = linesStartingWith(trace, "SetTexture(");
    ASSERT_EQ(textures.size(), 3u);
    EXPECT_NE(textures[0], "SetTexture(0, NULL)");
    EXPECT_EQ(textures[1], "SetTexture(0, NULL)");
    EXPECT_EQ(textures[2], "SetTexture(0, NULL)");
    finishFrame();
}

TEST_F(QuadDrawTest, DrawLineLeavesTheDefaultStateBehind) {
    beginFrame();
    rebuildQuadsTraced();
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        scene.drawLine(1, 2, 3, 4, 5, 6, 1, 0, 0);
        scene.drawQuad(0);
    }
    for (std::string& t : trace) t = zeroAsDecimal(t);
    ASSERT_FALSE(trace.empty());
    const std::string& created = trace[0];
    ASSERT_EQ(created.rfind("CreateVertexBuffer(24, 0x208, 0x2, D3DPOOL_DEFAULT) = ", 0), 0u);
    const std::string line = created.substr(created.rfind(' ') + 1);
    std::vector<std::string> calls;
    for (const std::string& t : trace) {
        if (t.rfind(line + ".", 0) != 0) calls.push_back(t);
    }
    const std::vector<std::string> expected = {
        created,
        "SetMaterial({D=(1, 0, 0, 1), A=(1, 0, 0, 1), S=(1, 0, 0, 1), E=(1, 0, 0, 1), P=15})",
        "SetTransform(D3DTS_WORLD, [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1])",
        "SetTexture(0, NULL)",
        "SetStreamSource(0, " + line + ", 0, 12)",
        "SetFVF(0x2)",
        "DrawPrimitive(D3DPT_LINELIST, 0, 1)",
        streamLine(BillboardQuad),
        "SetFVF(0x152)",
        kDefaultMaterialLine,
        // The next quad draw is the billboard quad with the default material.
        "SetTexture(0, NULL)",
        "DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2)",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(linesStartingWith(trace, line + ".Lock(0, 24, 0x2000)").size(), 1u);
    EXPECT_TRUE(linesStartingWith(trace, line + ".Release()").empty());
    finishFrame();
}

// Every line of every frame goes through one buffer, made by the first line
// and let go with the quads.
TEST_F(QuadDrawTest, LinesShareOneBufferReleasedWithTheQuads) {
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        for (int pass = 0; pass < 2; ++pass) {
            beginFrame();
            for (int k = 0; k < 6; ++k) scene.drawLine(0, 0, 0, 1, float(k), 1, 1, 0, 0);
            finishFrame();
        }
    }
    std::vector<std::string> created = linesStartingWith(trace, "CreateVertexBuffer(");
    ASSERT_EQ(created.size(), 1u);
    const std::string line = created[0].substr(created[0].rfind(' ') + 1);
    EXPECT_EQ(linesStartingWith(trace, line + ".Lock(").size(), 12u);
    EXPECT_EQ(linesStartingWith(trace, "SetStreamSource(0, " + line + ",").size(), 12u);
    EXPECT_EQ(linesStartingWith(trace, "DrawPrimitive(D3DPT_LINELIST").size(), 12u);
    EXPECT_TRUE(linesStartingWith(trace, line + ".Release()").empty());
    trace.clear();
    {
        TraceScope scope(&trace);
        scene.releaseQuads();
    }
    EXPECT_EQ(linesStartingWith(trace, line + ".Release()").size(), 1u);
    EXPECT_EQ(scene.lineBuffer, nullptr);
}

// Rewriting the shared buffer for the next line does not move a line that
// was drawn before it in the same frame.
TEST_F(QuadDrawTest, EachLineOfAFrameKeepsItsOwnPlace) {
    lookAt(D3DXVECTOR3(0, 0, -60), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    scene.drawLine(-20, 8, 0, 20, 8, 0, 1, 0, 0);
    scene.drawLine(-20, -8, 0, 20, -8, 0, 1, 1, 1);
    finishFrame();
    for (float y : {8.0f, -8.0f}) {
        const Rgba wanted = y > 0 ? Rgba{255, 0, 0, 255} : Rgba{255, 255, 255, 255};
        POINT centre = project(D3DXVECTOR3(0, y, 0));
        int found = 0;
        for (int dy = -2; dy <= 2; ++dy)
            found += colourNear(pixel(centre.x, centre.y + dy), wanted, 2) ? 1 : 0;
        EXPECT_GE(found, 1) << "line at y = " << y;
    }
}

// Quads that could not be built are never bound or drawn; a line still is.
TEST_F(QuadDrawTest, MissingQuadsAreNeverUsed) {
    scene.releaseQuads();
    beginFrame();
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        scene.selectQuad(FlatQuad);
        scene.drawQuad(0);
        scene.drawPlacedQuad(0, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0), 1, 1);
        scene.drawBillboard(0, 0, 0, 0, 1, 1);
        scene.drawLine(0, 0, 0, 1, 1, 1, 1, 1, 1);
    }
    finishFrame();
    std::vector<std::string> draws = linesStartingWith(trace, "DrawPrimitive(");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0], "DrawPrimitive(D3DPT_LINELIST, 0, 1)");
    std::vector<std::string> streams = linesStartingWith(trace, "SetStreamSource(");
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams[1], "SetStreamSource(0, NULL, 0, 0)");
    for (const std::string& line : trace) EXPECT_EQ(line.find("FAILED"), std::string::npos) << line;
}

TEST_F(QuadDrawTest, ARedLineIsRed) {
    lookAt(D3DXVECTOR3(0, 0, -60), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    scene.drawLine(-20, 0, 0, 20, 0, 0, 1, 0, 0);
    finishFrame();
    POINT centre = project(D3DXVECTOR3(0, 0, 0));
    int red = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        Rgba p = pixel(centre.x, centre.y + dy);
        if (colourNear(p, Rgba{255, 0, 0, 255}, 2)) {
            ++red;
        } else {
            EXPECT_TRUE(colourNear(p, Rgba{0, 0, 255, 255}, 0));
        }
    }
    EXPECT_GE(red, 1);
    // Beyond its ends the line draws nothing.
    EXPECT_TRUE(colourNear(pixelAt(D3DXVECTOR3(30, 0, 0)), Rgba{0, 0, 255, 255}, 0));
}

TEST_F(QuadDrawTest, ABillboardFacesTheEyeFromEveryDirection) {
    for (int step = 0; step < 8; ++step) {
        const float angle = 0.3f + step * 0.785f;
        D3DXVECTOR3 look(std::cos(angle), 0, std::sin(angle));
        D3DXVECTOR3 eye(-look.x * 60, 20, -look.z * 60);
        lookAt(eye, D3DXVECTOR3(0, 10, 0), D3DXVECTOR3(0, 1, 0));
        std::vector<std::string> trace;
        beginFrame();
        {
            TraceScope scope(&trace);
            scene.drawBillboard(0, 0, 0, 0, 2, 3);
        }
        finishFrame();
        D3DXMATRIX world = lastWorld(trace);
        D3DXVECTOR3 front = frontDirection(world);
        EXPECT_NEAR(front.x, -look.x * 1, 1e-5) << step;
        EXPECT_NEAR(front.y, 0, 1e-6) << step;
        EXPECT_NEAR(front.z, -look.z * 1, 1e-5) << step;
        // 20 wide and 30 high, standing on the given point.
        EXPECT_NEAR(world._22, 3.0f, 1e-6);
        EXPECT_NEAR(std::hypot(world._11, world._13), 2.0f, 1e-5);
        EXPECT_FALSE(colourNear(pixelAt(D3DXVECTOR3(0, 15, 0)), Rgba{0, 0, 255, 255}, 8))
            << "billboard culled at step " << step;
    }
}

TEST_F(QuadDrawTest, ABillboardLookedAtAlongZIsUnturned) {
    beginFrame();
    scene.lookDirX = 0;
    scene.lookDirZ = 1;
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        scene.drawBillboard(3, 10, 20, 30, 2, 4);
    }
    D3DXMATRIX expected = composeMatrices(translationMatrix(10, 20, 30), scalingMatrix(2, 4, 1));
    D3DXMATRIX world = lastWorld(trace);
    for (int i = 0; i < 16; ++i) EXPECT_EQ((&world._11)[i], (&expected._11)[i]) << i;
    EXPECT_EQ(linesStartingWith(trace, "SetStreamSource(0, ").size(), 1u);
    EXPECT_EQ(linesStartingWith(trace, "SetFVF(0x152)").size(), 1u);
    finishFrame();
}

TEST_F(QuadDrawTest, PlacedQuadsTurnAboutXThenY) {
    beginFrame();
    scene.selectQuad(BillboardQuad);
    struct Case {
        D3DXVECTOR3 rotation;
        D3DXVECTOR3 front;
    } cases[] = {
        {D3DXVECTOR3(1.5707963f, 0, 0), D3DXVECTOR3(0, 1, 0)},   // laid flat, facing up
        {D3DXVECTOR3(0, 1.5707963f, 0), D3DXVECTOR3(-1, 0, 0)},  // standing, facing -x
        {D3DXVECTOR3(0, 0, 1.5707963f), D3DXVECTOR3(0, 0, -1)},  // z angle not applied
    };
    for (const Case& c : cases) {
        std::vector<std::string> trace;
        {
            TraceScope scope(&trace);
            scene.drawPlacedQuad(0, D3DXVECTOR3(7, 8, 9), c.rotation, 1, 1);
        }
        D3DXMATRIX world = lastWorld(trace);
        D3DXVECTOR3 front = frontDirection(world);
        EXPECT_NEAR(front.x, c.front.x, 1e-6);
        EXPECT_NEAR(front.y, c.front.y, 1e-6);
        EXPECT_NEAR(front.z, c.front.z, 1e-6);
        EXPECT_EQ(world._41, 7.0f);
        EXPECT_EQ(world._42, 8.0f);
        EXPECT_EQ(world._43, 9.0f);
        EXPECT_EQ(linesStartingWith(trace, "DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2)").size(), 1u);
    }
    // Scaling acts first: a wall 10.1 across and 10 up, then turned.
    std::vector<std::string> trace;
    {
        TraceScope scope(&trace);
        scene.drawPlacedQuad(0, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 1.5707963f, 0), 10.1f, 10);
    }
    D3DXMATRIX world = lastWorld(trace);
    EXPECT_NEAR(std::hypot(world._11, world._13), 10.1f, 1e-5);
    EXPECT_NEAR(world._22, 10.0f, 1e-6);
    finishFrame();
}

}  // namespace
