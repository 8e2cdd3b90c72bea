// Picking: a click at the drawn centre of every visible cell, from several
// camera poses and the top view, chooses that cell, on the surface the field
// pass really draws (each cell painted in a colour of its own and read back
// from the frame); billboards and borders in front of cells win; the sky
// chooses nothing.
#include <gtest/gtest.h>

#include <string>

#include "cell_surface.h"
#include "frame.h"
#include "passes.h"
#include "pick.h"
#include "render_fixture.h"
#include "renderer.h"
#include "scene.h"

namespace {

const DWORD kSide = 12;
const DWORD kCells = kSide * kSide;
const DWORD kWallMap = kCells;  // the ring's own colour, like no cell's

Rgba idColour(DWORD map) {
    if (map == kWallMap) return Rgba{255, 255, 255, 255};
    return Rgba{int(30 + (map % kSide) * 18), int(30 + (map / kSide) * 18), 90, 255};
}

class PickTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        ASSERT_TRUE(track.createTrack(kSide, kSide, kCells + 1, 1, 1, 0));
        for (DWORD map = 0; map <= kCells; ++map) {
            std::string path = folder.path("m" + std::to_string(map) + ".tga");
            writeSolidTga(path, 1, 1, idColour(map));
            ASSERT_EQ(scene.loadMapTexture(map, path.c_str()), S_OK);
        }
        track.setBorderMap(kWallMap);
        // Every shape at both heights, every quarter turn, all over the grid.
        for (DWORD j = 0; j < kSide; ++j)
            for (DWORD i = 0; i < kSide; ++i) {
                track.setFieldMap(i, j, i + j * kSide);
                track.setFieldShape(i, j, (i + 2 * j) % 5);
                track.setFieldOrientation(i, j, (3 * i + j) % 4);
            }
    }

    // Draws the cells seen through the frame's matrices, unlit so every
    // cell shows exactly its colour.
    FrameView drawCells(const Camera& pose, bool topView) {
        FrameView seen = frameView(track, pose, topView, kWidth, kHeight);
        view = seen.view;
        projection = seen.projection;
        device()->SetTransform(D3DTS_VIEW, &seen.view);
        // Billboards that face the camera turn by the look direction setView keeps.
        if (!topView)
            setView(D3DXVECTOR3(pose.eyeX, pose.eyeY, pose.eyeZ), cameraTarget(pose),
                    D3DXVECTOR3(0, 1, 0));
        device()->SetTransform(D3DTS_PROJECTION, &seen.projection);
        device()->SetRenderState(D3DRS_LIGHTING, FALSE);
        beginFrame();
        fieldPass(track);
        finishFrame();
        return seen;
    }

    // The centre of the drawn surface: the middle of the fan's shared diagonal.
    static D3DXVECTOR3 surfaceCentre(const TrackDocument& t, DWORD i, DWORD j);

    bool drawnAround(int x, int y, Rgba colour) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (x + dx < 0 || y + dy < 0 || x + dx >= kWidth || y + dy >= kHeight) return false;
                if (!colourNear(pixel(x + dx, y + dy), colour, 0)) return false;
            }
        return true;
    }

    PickResult pickPixel(const FrameView& seen, int x, int y) {
        PickRay ray;
        EXPECT_TRUE(rayThroughPixel(seen.view, seen.projection, kWidth, kHeight, x, y, &ray));
        PickScene shown;
        shown.lookDirX = scene.lookDirX;
        shown.lookDirZ = scene.lookDirZ;
        shown.bordersShown = true;
        shown.view = &seen.view;
        shown.projection = &seen.projection;
        shown.width = kWidth;
        shown.height = kHeight;
        shown.x = x;
        shown.y = y;
        return pickAt(track, ray, shown);
    }

    // Every cell whose centre is drawn (with a pixel round it) picks itself;
    // returns how many there were.
    int checkEveryVisibleCell(const Camera& pose, bool topView) {
        FrameView seen = drawCells(pose, topView);
        int checked = 0;
        for (DWORD j = 0; j < kSide; ++j)
            for (DWORD i = 0; i < kSide; ++i) {
                double px, py;
                if (!projectToPixel(seen.view, seen.projection, kWidth, kHeight,
                                    surfaceCentre(track, i, j), &px, &py))
                    continue;
                int x = int(px), y = int(py);
                if (!drawnAround(x, y, idColour(i + j * kSide))) continue;
                PickResult hit = pickPixel(seen, x, y);
                EXPECT_EQ(hit.kind, PickKind::Cell) << i << "," << j;
                EXPECT_EQ(hit.i, i) << "cell " << i << "," << j << " at " << x << "," << y;
                EXPECT_EQ(hit.j, j) << "cell " << i << "," << j << " at " << x << "," << y;
                ++checked;
            }
        return checked;
    }

    TempFolder folder;
    TrackDocument track;
};

D3DXVECTOR3 PickTest::surfaceCentre(const TrackDocument& t, DWORD i, DWORD j) {
    const Field* cell = t.fieldAt(i, j);
    D3DXVECTOR3 c[4];
    cellCorners(*cell, i, j, c);
    return D3DXVECTOR3((c[0].x + c[2].x) / 2, (c[0].y + c[2].y) / 2, (c[0].z + c[2].z) / 2);
}

Camera pose(float heading, float x, float y, float z) {
    return Camera{heading, x, y, z, 10.0f};
}

TEST_F(PickTest, EveryVisibleCellPicksItselfFromEveryPose) {
    struct Named {
        const char* name;
        Camera camera;
        bool topView;
        int atLeast;
    } poses[] = {
        {"start", pose(3.14f, 1500, 200, 500), false, 20},
        {"high", pose(1.57f, 600, 1500, -600), false, 60},
        {"low", pose(1.57f, 600, 40, -150), false, 6},
        {"looking back", pose(0.0f, -400, 350, 600), false, 30},
        {"top view", pose(3.14f, 1500, 200, 500), true, int(kCells)},
    };
    for (const Named& p : poses) {
        SCOPED_TRACE(p.name);
        EXPECT_GE(checkEveryVisibleCell(p.camera, p.topView), p.atLeast);
    }
}

TEST_F(PickTest, BillboardsAndBordersInFrontWinAndTheSkyChoosesNothing) {
    Camera high = pose(1.57f, 600, 800, -400);
    FrameView seen = drawCells(high, false);
    // A billboard facing the camera over cell (3, 2), a border over (8, 6).
    track.setBillboardMap(0, 0);
    track.setBillboardFace(0, 1);
    track.setBillboardPosX(0, 350);
    track.setBillboardPosZ(0, 250);
    track.setBorderX1(0, 700);
    track.setBorderZ1(0, 650);
    track.setBorderX2(0, 1000);
    track.setBorderZ2(0, 650);
    track.setBorderTop(0, 100);
    double px, py;
    ASSERT_TRUE(projectToPixel(seen.view, seen.projection, kWidth, kHeight,
                               D3DXVECTOR3(350, 50, 250), &px, &py));
    PickResult hit = pickPixel(seen, int(px), int(py));
    EXPECT_EQ(hit.kind, PickKind::Billboard);
    EXPECT_EQ(hit.index, 0u);
    ASSERT_TRUE(projectToPixel(seen.view, seen.projection, kWidth, kHeight,
                               D3DXVECTOR3(850, 100, 650), &px, &py));
    hit = pickPixel(seen, int(px), int(py) + 2);  // a line is met within a few pixels
    EXPECT_EQ(hit.kind, PickKind::Border);
    // The top of the picture looks over the grid into the sky.
    EXPECT_EQ(pickPixel(seen, kWidth / 2, 0).kind, PickKind::Nothing);
}

// A new track's cells are not drawn but are picked as level ground; the
// ground is seen only from above.
TEST_F(PickTest, UnusedCellsAreGroundSeenOnlyFromAbove) {
    FrameView seen = drawCells(pose(1.57f, 600, 800, -400), false);
    PickRay ray;
    ASSERT_TRUE(rayThroughPixel(seen.view, seen.projection, kWidth, kHeight, kWidth / 2,
                                kHeight / 2, &ray));
    TrackDocument unused;
    ASSERT_TRUE(unused.createTrack(kSide, kSide, 1, 0, 0, 0));
    PickResult onGround;
    ASSERT_TRUE(pickCell(unused, ray, &onGround));
    double t = -ray.origin[1] / ray.direction[1];
    EXPECT_EQ(onGround.i, DWORD((ray.origin[0] + t * ray.direction[0]) / 100));
    EXPECT_EQ(onGround.j, DWORD((ray.origin[2] + t * ray.direction[2]) / 100));
    FrameView below = frameView(track, pose(1.57f, 600, -300, 600), false, kWidth, kHeight);
    ASSERT_TRUE(rayThroughPixel(below.view, below.projection, kWidth, kHeight, kWidth / 2, 10,
                                &ray));
    PickResult none;
    EXPECT_FALSE(pickCell(track, ray, &none));
    EXPECT_FALSE(pickCell(unused, ray, &none));
}

}  // namespace

