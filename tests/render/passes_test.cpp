// The drawing passes: what each asks of the device (read back from the call
// trace as a list of draws with the state in force) and, for the marks the
// user relies on, what reaches the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "passes.h"
#include "platform/d3d9_trace.h"
#include "render_fixture.h"
#include "renderer.h"
#include "scene.h"
#include "selection.h"
#include "transforms.h"

namespace {

using platform::d3d9::TraceScope;

// One DrawPrimitive with the state that was in force for it.
struct Draw {
    std::string primitive;  // the whole DrawPrimitive line
    D3DXMATRIX world;
    std::string material;
    std::string texture;
    std::string stream;
};

std::vector<Draw> drawsOf(const std::vector<std::string>& trace) {
    std::vector<Draw> draws;
    Draw state{};
    state.world = identityMatrix();
    for (const std::string& line : trace) {
        if (line.rfind("SetTransform(D3DTS_WORLD", 0) == 0) parseTracedMatrix(line, &state.world);
        if (line.rfind("SetMaterial(", 0) == 0) state.material = line;
        if (line.rfind("SetTexture(0, ", 0) == 0) state.texture = line.substr(14, line.size() - 15);
        if (line.rfind("SetStreamSource(0, ", 0) == 0) state.stream = line;
        if (line.rfind("DrawPrimitive(", 0) == 0) {
            state.primitive = line;
            draws.push_back(state);
        }
    }
    return draws;
}

D3DXVECTOR3 transformPoint(const D3DXMATRIX& m, D3DXVECTOR3 p) {
    return D3DXVECTOR3(p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41,
                       p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42,
                       p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43);
}

// Where a BillboardQuad's front (its -z normal) points under a world matrix.
D3DXVECTOR3 frontOf(const D3DXMATRIX& m) {
    return D3DXVECTOR3(-m._31, -m._32, -m._33);
}

const char kRedHighlight[] = "D=(1, 0.200000003, 0.200000003, 1)";

class PassTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        selectedFieldI = selectedFieldJ = selectedBillboard = selectedBorder = 0;
    }
    void TearDown() override {
        track.destroyTrack();
        RenderTest::TearDown();
    }
    // The calls a pass makes inside a scene, as the frame runs it.
    template <typename Pass>
    std::vector<std::string> traced(Pass pass, int* result = nullptr) {
        std::vector<std::string> trace;
        device()->BeginScene();
        {
            TraceScope scope(&trace);
            int r = pass();
            if (result) *result = r;
        }
        device()->EndScene();
        for (const std::string& line : trace)
            EXPECT_EQ(line.find("FAILED"), std::string::npos) << line;
        return trace;
    }
    void useCell(DWORD i, DWORD j, DWORD shape, DWORD orientation) {
        track.setFieldMap(i, j, 0);
        track.setFieldShape(i, j, shape);
        track.setFieldOrientation(i, j, orientation);
    }

    TrackDocument track;
};

TEST_F(PassTest, NoTrackDrawsNothing) {
    int result = -1;
    auto field = traced([&] { return fieldPass(track); }, &result);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(field.size(), 1u);  // the default material, set before the test
    EXPECT_EQ(field[0].rfind("SetMaterial(", 0), 0u);
    EXPECT_TRUE(traced([&] { return billboardPass(track); }, &result).empty());
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(traced([&] { return backgroundPass(track, 1400); }, &result).empty());
    EXPECT_EQ(result, 0);
}

TEST_F(PassTest, EmptyCellsAndEmptyGridsDrawNoCellAndNoWall) {
    ASSERT_TRUE(track.createTrack(3, 3, 1, 0, 0, 0));
    EXPECT_TRUE(drawsOf(traced([&] { return fieldPass(track); })).empty());
    ASSERT_TRUE(track.createTrack(0, 5, 1, 0, 0, 0));
    int result = 0;
    EXPECT_TRUE(drawsOf(traced([&] { return fieldPass(track); }, &result)).empty());
    EXPECT_EQ(result, 1);
}

TEST_F(PassTest, TopCellIsLiftedAndWallsComeOnlyFromUsedEdgeCells) {
    ASSERT_TRUE(track.createTrack(3, 2, 1, 0, 0, 0));
    useCell(1, 1, 1, 0);  // an inner-row cell of column 1: no wall
    std::vector<Draw> draws = drawsOf(traced([&] { return fieldPass(track); }));
    ASSERT_EQ(draws.size(), 1u);
    D3DXVECTOR3 centre = transformPoint(draws[0].world, D3DXVECTOR3(0, 0, 0));
    EXPECT_FLOAT_EQ(centre.x, 150);
    EXPECT_FLOAT_EQ(centre.y, 25);
    EXPECT_FLOAT_EQ(centre.z, 150);

    useCell(0, 0, 0, 0);  // a corner: two side walls of row 0 and two end walls of column 0
    draws = drawsOf(traced([&] { return fieldPass(track); }));
    ASSERT_EQ(draws.size(), 6u);
    const D3DXVECTOR3 gridCentre(150, 0, 100);
    for (size_t k = 1; k < 5; ++k) {
        D3DXVECTOR3 base = transformPoint(draws[k].world, D3DXVECTOR3(0, 0, 0));
        D3DXVECTOR3 front = frontOf(draws[k].world);
        D3DXVECTOR3 inward(gridCentre.x - base.x, 0, gridCentre.z - base.z);
        EXPECT_GT(front.x * inward.x + front.z * inward.z, 0) << "wall " << k << " faces out";
        EXPECT_FLOAT_EQ(base.y, 0);
        D3DXVECTOR3 top = transformPoint(draws[k].world, D3DXVECTOR3(0, 10, 0));
        EXPECT_NEAR(top.y, 100, 1e-3);
    }
}

// The high edge of a slope, as the direction from the cell centre to it.
D3DXVECTOR3 slopeRise(const D3DXMATRIX& world) {
    D3DXVECTOR3 high = transformPoint(world, D3DXVECTOR3(0, 25, 5));
    D3DXVECTOR3 centre = transformPoint(world, D3DXVECTOR3(0, 0, 0));
    return D3DXVECTOR3(high.x - centre.x, 0, high.z - centre.z);
}

TEST_F(PassTest, SlopeOrientationsRiseTowardsPlusZPlusXMinusZMinusX) {
    ASSERT_TRUE(track.createTrack(4, 1, 1, 0, 0, 0));
    for (DWORD i = 0; i < 4; ++i) useCell(i, 0, 2, i);
    std::vector<Draw> draws = drawsOf(traced([&] { return fieldPass(track); }));
    const float expected[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    int cell = 0;
    for (const Draw& draw : draws) {
        if (std::fabs(draw.world._22 - 1) > 1e-3) continue;  // a wall, 10 high
        D3DXVECTOR3 rise = slopeRise(draw.world);
        EXPECT_NEAR(rise.x / 50, expected[cell][0], 0.01) << "orientation " << cell;
        EXPECT_NEAR(rise.z / 50, expected[cell][1], 0.01) << "orientation " << cell;
        ++cell;
    }
    EXPECT_EQ(cell, 4);
}

TEST_F(PassTest, ForeignShapeIsSkippedAndForeignOrientationDrawsUnturned) {
    ASSERT_TRUE(track.createTrack(2, 1, 1, 0, 0, 0));
    useCell(0, 0, 7, 0);
    useCell(1, 0, 0, 9);
    std::vector<Draw> draws = drawsOf(traced([&] { return fieldPass(track); }));
    ASSERT_EQ(draws.size(), 3u);  // cell 1 and its two end walls
    EXPECT_FLOAT_EQ(draws[0].world._11, 10);
    EXPECT_FLOAT_EQ(draws[0].world._13, 0);
}

TEST_F(PassTest, OnlyTheSelectedCellIsRedTinted) {
    ASSERT_TRUE(track.createTrack(3, 3, 1, 0, 0, 0));
    for (DWORD j = 0; j < 3; ++j)
        for (DWORD i = 0; i < 3; ++i) useCell(i, j, 0, 0);
    selectedFieldI = 2;
    selectedFieldJ = 1;
    lookAt(D3DXVECTOR3(150, 900, 149), D3DXVECTOR3(150, 0, 150), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    fieldPass(track);
    finishFrame();
    for (DWORD j = 0; j < 3; ++j) {
        for (DWORD i = 0; i < 3; ++i) {
            Rgba colour = pixelAt(D3DXVECTOR3(100.0f * i + 50, 0, 100.0f * j + 50));
            bool selected = i == 2 && j == 1;
            EXPECT_GT(colour.r, 100) << i << "," << j;
            // Diffuse comes from the white vertex colour, so only the ambient
            // part turns red: a tint, not a red cell.
            if (selected)
                EXPECT_LT(colour.g, colour.r - 60) << "selected cell is not red-tinted";
            else
                EXPECT_NEAR(colour.g, colour.r, 3) << i << "," << j << " is tinted";
        }
    }
    selectedFieldI = -1;  // outside the grid: nothing tinted
    auto trace = traced([&] { return fieldPass(track); });
    for (const std::string& line : trace) EXPECT_EQ(line.find(kRedHighlight), std::string::npos);
}

TEST_F(PassTest, BillboardsNeedAMapFaceTheCameraAndTheSelectedOneGlows) {
    ASSERT_TRUE(track.createTrack(1, 1, 1, 3, 0, 0));
    track.setBillboardPosX(1, 500);
    EXPECT_TRUE(drawsOf(traced([&] { return billboardPass(track); })).empty());
    track.setBillboardMap(1, 0);
    track.setBillboardFace(1, 1);
    track.setBillboardAngle(1, 90);
    track.setBillboardMap(2, 0);  // fixed, angle 0: front towards +x
    selectedBillboard = 2;
    lookAt(D3DXVECTOR3(0, 100, 0), D3DXVECTOR3(1000, 0, 1000), D3DXVECTOR3(0, 1, 0));
    std::vector<Draw> draws = drawsOf(traced([&] { return billboardPass(track); }));
    ASSERT_EQ(draws.size(), 2u);
    D3DXVECTOR3 facing = frontOf(draws[0].world);
    EXPECT_NEAR(facing.x, -std::sqrt(0.5f), 1e-4);  // against the look direction
    EXPECT_NEAR(facing.z, -std::sqrt(0.5f), 1e-4);
    EXPECT_EQ(draws[0].material.find("E=(1, 0, 0, 1)"), std::string::npos);
    D3DXVECTOR3 fixed = frontOf(draws[1].world);
    EXPECT_NEAR(fixed.x, 1, 1e-3);
    EXPECT_NE(draws[1].material.find("E=(1, 0, 0, 1)"), std::string::npos) << "no red glow";
}

TEST_F(PassTest, BackgroundFollowsTheEyeAcrossTheGroundButNotInHeightUnlit) {
    ASSERT_TRUE(track.createTrack(1, 1, 4, 0, 0, 0));
    track.setBackgroundMap(3);
    scene.eye[0] = 700;
    scene.eye[1] = 5000;
    scene.eye[2] = -200;
    auto trace = traced([&] { return backgroundPass(track, -1400); });
    std::vector<std::string> states = linesStartingWith(trace, "SetRenderState(");
    ASSERT_EQ(states.size(), 4u);
    EXPECT_EQ(states[0], "SetRenderState(D3DRS_LIGHTING, 0)");
    EXPECT_EQ(states[1], "SetRenderState(D3DRS_ZWRITEENABLE, 0)");
    EXPECT_EQ(states[2], "SetRenderState(D3DRS_ZWRITEENABLE, 1)");
    EXPECT_EQ(states[3], "SetRenderState(D3DRS_LIGHTING, 1)");
    EXPECT_EQ(trace.back(), states[3]);  // every wall drawn while unlit
    std::vector<Draw> walls = drawsOf(trace);
    ASSERT_EQ(walls.size(), 4u);
    for (const Draw& wall : walls) {
        D3DXVECTOR3 base = transformPoint(wall.world, D3DXVECTOR3(0, 0, 0));
        D3DXVECTOR3 top = transformPoint(wall.world, D3DXVECTOR3(0, 10, 0));
        EXPECT_NEAR(std::hypot(base.x - 700, base.z + 200), 1400, 0.01);
        EXPECT_FLOAT_EQ(base.y, -1400);
        EXPECT_NEAR(top.y, 1400, 0.01);
        D3DXVECTOR3 front = frontOf(wall.world);
        EXPECT_GT(front.x * (700 - base.x) + front.z * (-200 - base.z), 0);
    }
}

TEST_F(PassTest, MeshesAreScaledInTenthsAndTurnedByStoredDegrees) {
    ASSERT_TRUE(track.createTrack(1, 1, 1, 0, 0, 2));
    for (DWORD m = 0; m < 2; ++m) {
        track.setMeshFile(m, "absent.x");
        track.setMeshScale(m, 10);
    }
    track.setMeshAngle(1, 90);
    track.setMeshPosX(1, 300);
    auto trace = traced([&] { return meshPass(track); });
    std::vector<std::string> worlds = linesStartingWith(trace, "SetTransform(D3DTS_WORLD");
    ASSERT_EQ(worlds.size(), 2u);
    D3DXMATRIX stored, turned;
    ASSERT_TRUE(parseTracedMatrix(worlds[0], &stored));
    ASSERT_TRUE(parseTracedMatrix(worlds[1], &turned));
    EXPECT_FLOAT_EQ(stored._11, 1);  // scale 10 tenths: the stored size
    EXPECT_NEAR(turned._11, std::cos(1.57f), 1e-6);
    EXPECT_NEAR(turned._13, -std::sin(1.57f), 1e-6);
    EXPECT_FLOAT_EQ(turned._41, 300);
}

TEST_F(PassTest, BordersAreRedWireFramesTheSelectedOneWhite) {
    ASSERT_TRUE(track.createTrack(1, 1, 1, 0, 3, 0));
    track.setBorderX2(0, 100);
    track.setBorderTop(2, 50);
    track.setBorderType(1, 2);  // a type alone does not make it drawn
    selectedBorder = 2;
    std::vector<Draw> draws = drawsOf(traced([&] { return borderPass(track); }));
    ASSERT_EQ(draws.size(), 12u);
    for (size_t k = 0; k < draws.size(); ++k) {
        EXPECT_EQ(draws[k].primitive, "DrawPrimitive(D3DPT_LINELIST, 0, 1)");
        const char* colour = k < 6 ? "E=(1, 0, 0, 1)" : "E=(1, 1, 1, 1)";
        EXPECT_NE(draws[k].material.find(colour), std::string::npos) << k;
    }
}

TEST_F(PassTest, BorderPixelsAreRed) {
    ASSERT_TRUE(track.createTrack(1, 1, 1, 0, 1, 0));
    track.setBorderX1(0, 100);
    track.setBorderX2(0, 400);
    track.setBorderTop(0, 100);
    selectedBorder = -1;
    lookAt(D3DXVECTOR3(250, 50, -400), D3DXVECTOR3(250, 50, 0), D3DXVECTOR3(0, 1, 0));
    beginFrame();
    borderPass(track);
    finishFrame();
    POINT a = project(D3DXVECTOR3(100, 50, 0));  // on the first upright
    bool red = false;
    for (int dx = -1; dx <= 1; ++dx) {
        Rgba c = pixel(a.x + dx, a.y);
        red = red || (c.r > 200 && c.g < 60 && c.b < 60);
    }
    EXPECT_TRUE(red);
}

}  // namespace
