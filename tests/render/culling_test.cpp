// Leaving out what the view cannot show changes nothing on screen: frames of
// random tracks from random cameras (outside the grid, below the ground,
// looking up) are drawn with and without culling and compared pixel for
// pixel; the index of where objects lie follows every kind of edit; and the
// grid arithmetic visits only a view's worth of cells on the largest grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "frame.h"
#include "grid_view.h"
#include "passes.h"
#include "platform/d3d9_trace.h"
#include "render_fixture.h"
#include "renderer.h"
#include "scene.h"
#include "selection.h"
#include "track_document.h"
#include "track_history.h"
#include "visible_objects.h"
#include "x_files.h"

namespace {

// Enough objects that they are found through the index, not scanned.
constexpr DWORD kIndexedCount = kScanLimit + 100;
constexpr DWORD kNegativeFive = 0xFFFFFFFBu;  // -5 typed into a box, read unsigned

ViewVolume volumeOf(const Camera& camera) {
    D3DXVECTOR3 eye(camera.eyeX, camera.eyeY, camera.eyeZ), target = cameraTarget(camera),
                                                            up(0, 1, 0);
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    return ViewVolume(view, previewProjection());
}

class CullingTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        ASSERT_TRUE(folder.ok());
        const Rgba colours[4] = {
            {200, 60, 60, 255}, {60, 200, 60, 255}, {60, 60, 200, 255}, {220, 220, 60, 128}};
        for (DWORD m = 0; m < 4; ++m) {
            std::string path = folder.path("map" + std::to_string(m) + ".tga");
            writeSolidTga(path, 2, 2, colours[m]);
            ASSERT_EQ(scene.loadMapTexture(m, path.c_str()), S_OK);
        }
    }

    std::vector<unsigned char> drawn(const TrackDocument& track, const Camera& camera,
                                     Culling culling) {
        renderer.clearFrame();
        drawTrackScene(track, camera, true, culling);
        renderer.presentFrame();
        platform::Frame shown;
        EXPECT_TRUE(platform::readPresentedFrame(window, &shown));
        return shown.rgba;
    }

    // The number of pixels that differ between the culled and the full frame.
    size_t differences(const TrackDocument& track, const Camera& camera) {
        std::vector<unsigned char> culled = drawn(track, camera, Culling::On);
        std::vector<unsigned char> full = drawn(track, camera, Culling::Off);
        EXPECT_EQ(culled.size(), full.size());
        size_t count = 0;
        for (size_t p = 0; p + 3 < std::min(culled.size(), full.size()); p += 4)
            if (std::memcmp(&culled[p], &full[p], 4) != 0) ++count;
        return count;
    }

    TempFolder folder;
};

DWORD pick(std::mt19937& random, DWORD lo, DWORD hi) {
    return std::uniform_int_distribution<DWORD>(lo, hi)(random);
}

// Now and then a value far out of range: what a negative entry becomes.
DWORD coordinate(std::mt19937& random, DWORD extent) {
    return pick(random, 0, 60) == 0 ? kNegativeFive : pick(random, 0, extent);
}

void randomCells(TrackDocument& track, std::mt19937& random) {
    for (DWORD j = 0; j < track.header.sizeY; ++j)
        for (DWORD i = 0; i < track.header.sizeX; ++i) {
            if (pick(random, 0, 9) == 0) continue;  // left unused
            track.setFieldMap(i, j, pick(random, 0, 4));
            track.setFieldShape(i, j, pick(random, 0, 20) == 0 ? 9 : pick(random, 0, 4));
            track.setFieldOrientation(i, j, pick(random, 0, 4));
        }
}

void randomObjects(TrackDocument& track, std::mt19937& random) {
    const DWORD extent = std::max(track.header.sizeX, track.header.sizeY) * 100 + 1000;
    for (DWORD k = 0; k < track.header.billboardCount; ++k) {
        track.setBillboardMap(k, pick(random, 0, 4));
        track.setBillboardPosX(k, coordinate(random, extent));
        track.setBillboardPosY(k, pick(random, 0, 30) == 0 ? kNegativeFive : pick(random, 0, 60));
        track.setBillboardPosZ(k, coordinate(random, extent));
        track.setBillboardScale(k, pick(random, 0, 40) == 0 ? 0 : pick(random, 10, 300),
                                pick(random, 0, 40) == 0 ? kNegativeFive : pick(random, 10, 300));
        track.setBillboardFace(k, pick(random, 0, 1));
        track.setBillboardAngle(k, pick(random, 0, 400));
    }
    for (DWORD k = 0; k < track.header.borderCount; ++k) {
        DWORD x = coordinate(random, extent), z = coordinate(random, extent);
        track.setBorderX1(k, x);
        track.setBorderZ1(k, z);
        track.setBorderX2(k, pick(random, 0, 50) == 0 ? kNegativeFive : x + pick(random, 0, 400));
        track.setBorderZ2(k, z + pick(random, 0, 400));
        track.setBorderTop(k, pick(random, 0, 150));
        track.setBorderBottom(k, pick(random, 0, 20));
    }
}

Camera randomCamera(std::mt19937& random, const TrackDocument& track) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float width = float(track.header.sizeX) * 100.0f;
    const float depth = float(track.header.sizeY) * 100.0f;
    Camera camera;
    camera.heading = unit(random) * 6.3f;
    // Inside the grid and up to 20 cells beyond it on every side.
    camera.eyeX = -2000.0f + unit(random) * (width + 4000.0f);
    camera.eyeZ = -2000.0f + unit(random) * (depth + 4000.0f);
    // From below the ground (looking up at it) to high above.
    camera.eyeY = -400.0f + unit(random) * 1600.0f;
    camera.moveStep = 0.5f + unit(random) * 20.0f;
    return camera;
}

TEST_F(CullingTest, RandomTracksAndCamerasDrawTheSamePixels) {
    std::mt19937 random(20261209);
    for (int t = 0; t < 3; ++t) {
        TrackDocument track;
        ASSERT_TRUE(track.createTrack(pick(random, 1, 50), pick(random, 1, 50), 5, kIndexedCount,
                                      kIndexedCount, 0));
        track.setBorderMap(pick(random, 0, 4));
        track.setBackgroundMap(2);
        randomCells(track, random);
        randomObjects(track, random);
        selectedFieldI = int(pick(random, 0, track.header.sizeX));
        selectedFieldJ = int(pick(random, 0, track.header.sizeY));
        selectedBillboard = int(pick(random, 0, kIndexedCount - 1));
        selectedBorder = int(pick(random, 0, kIndexedCount - 1));
        for (int c = 0; c < 5; ++c) {
            Camera camera = randomCamera(random, track);
            EXPECT_EQ(differences(track, camera), 0u)
                << "track " << t << ", camera at (" << camera.eyeX << ", " << camera.eyeY << ", "
                << camera.eyeZ << ") heading " << camera.heading << " step " << camera.moveStep;
        }
    }
}

// Views that only see the wall ring from outside, sweep along one wall, look
// straight along the grid's edge, or look up from under the ground.
TEST_F(CullingTest, EdgeAndUndersideViewsDrawTheSamePixels) {
    TrackDocument track;
    ASSERT_TRUE(track.createTrack(30, 20, 5, 0, 0, 0));
    for (DWORD j = 0; j < 20; ++j)
        for (DWORD i = 0; i < 30; ++i) track.setFieldMap(i, j, (i + j) % 4);
    track.setBorderMap(1);
    const Camera cameras[] = {
        {0.0f, -1500.0f, 150.0f, 1000.0f, 10.0f},  // outside, facing the near side wall
        {1.57f, 50.0f, 60.0f, -800.0f, 10.0f},     // outside the near end, along x = 0
        {3.14f, 6000.0f, 50.0f, 2000.0f, 10.0f},   // beyond the far side, level with the tops
        {4.71f, 1500.0f, 40.0f, 1999.0f, 10.0f},   // inside, against the far end wall
        {0.8f, 1500.0f, -200.0f, 1000.0f, 10.0f},  // under the ground, looking up
        {2.0f, 1500.0f, -5.0f, 1000.0f, 0.01f},    // just under it, nearly straight up
        {0.3f, 1500.0f, 2500.0f, 1000.0f, 0.5f},   // high above, nearly straight down
    };
    for (const Camera& camera : cameras)
        EXPECT_EQ(differences(track, camera), 0u) << "camera heading " << camera.heading;
}

// Placed meshes, some turned, grown, shrunk to nothing or sent far off by a
// negative entry, seen from random cameras; and one placed far from the view
// is not drawn at all.
TEST_F(CullingTest, MeshPlacementsDrawTheSamePixels) {
    std::mt19937 random(7);
    const std::string mesh = folder.path("three.x");
    writeTextX(mesh);
    TrackDocument track;
    ASSERT_TRUE(track.createTrack(30, 30, 5, 0, 0, 24));
    randomCells(track, random);
    for (DWORD k = 0; k < 24; ++k) {
        ASSERT_EQ(scene.loadMesh(k, mesh.c_str(), folder.dir().c_str()), S_OK);
        track.setMeshFile(k, "three.x");
        track.setMeshPosX(k, coordinate(random, 3500));
        track.setMeshPosY(k, pick(random, 0, 60));
        track.setMeshPosZ(k, coordinate(random, 3500));
        const DWORD scales[] = {0, 10, 100, 300, 3000, kNegativeFive};
        track.setMeshScale(k, scales[pick(random, 0, 5)]);
        track.setMeshAngle(k, pick(random, 0, 360));
    }
    for (int c = 0; c < 6; ++c) {
        Camera camera = randomCamera(random, track);
        EXPECT_EQ(differences(track, camera), 0u) << "camera " << c;
    }
    track.setMeshPosX(0, 20000);
    track.setMeshScale(0, 100);
    const Camera start = {3.14f, 1500.0f, 200.0f, 500.0f, 10.0f};
    std::vector<std::string> culled, full;
    device()->BeginScene();
    {
        platform::d3d9::TraceScope scope(&culled);
        meshPass(track, volumeOf(start));
    }
    {
        platform::d3d9::TraceScope scope(&full);
        meshPass(track);
    }
    device()->EndScene();
    EXPECT_LT(linesStartingWith(culled, "mesh").size(), linesStartingWith(full, "mesh").size());
    for (DWORD k = 0; k < 24; ++k) scene.releaseMesh(k);
}

// The mesh pass reads the placements every frame, so each kind of edit is
// seen at once: moved into view it is drawn, moved or turned away it is not.
TEST_F(CullingTest, AMeshPlacementFollowsItsEdits) {
    const std::string mesh = folder.path("three.x");
    writeTextX(mesh);
    ASSERT_EQ(scene.loadMesh(0, mesh.c_str(), folder.dir().c_str()), S_OK);
    TrackDocument track;
    ASSERT_TRUE(track.createTrack(30, 30, 5, 0, 0, 1));
    track.setMeshFile(0, "three.x");
    track.setMeshScale(0, 100);
    const ViewVolume volume = volumeOf({3.14f, 1500.0f, 200.0f, 500.0f, 10.0f});
    auto meshDraws = [&] {
        std::vector<std::string> trace;
        device()->BeginScene();
        {
            platform::d3d9::TraceScope scope(&trace);
            meshPass(track, volume);
        }
        device()->EndScene();
        return linesStartingWith(trace, "mesh").size();
    };
    track.setMeshPosX(0, 20000);
    track.setMeshPosZ(0, 500);
    EXPECT_EQ(meshDraws(), 0u);
    track.setMeshPosX(0, 800);
    const size_t inView = meshDraws();
    EXPECT_GT(inView, 0u);
    track.setMeshPosY(0, 90000);
    EXPECT_EQ(meshDraws(), 0u) << "lifted far above";
    track.setMeshPosY(0, 0);
    track.setMeshPosX(0, 5000);
    EXPECT_EQ(meshDraws(), 0u) << "behind the camera";
    // Off to the side and turned half round, it reaches back across the
    // view once grown.
    track.setMeshPosX(0, 800);
    track.setMeshPosZ(0, 5000);
    track.setMeshAngle(0, 180);
    EXPECT_EQ(meshDraws(), 0u) << "off to the side";
    track.setMeshScale(0, 20000);
    EXPECT_EQ(meshDraws(), inView) << "grown until it reaches into view";
    track.setMeshScale(0, kNegativeFive);
    EXPECT_EQ(meshDraws(), inView) << "an extreme scale is drawn as before";
    scene.releaseMesh(0);
}

bool contains(const std::vector<DWORD>& list, DWORD value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// A track of many objects far from the camera's view, with record `k` of
// each kind placed in front of it.
class IndexEditTest : public CullingTest {
protected:
    void SetUp() override {
        CullingTest::SetUp();
        ASSERT_TRUE(track.createTrack(100, 100, 5, kIndexedCount, kIndexedCount, 0));
        for (DWORD k = 0; k < kIndexedCount; ++k) {
            track.setBillboardMap(k, 1);
            track.setBillboardPosX(k, 9000 + k % 10 * 50);
            track.setBillboardPosZ(k, 9000);
            track.setBorderX1(k, 9000);
            track.setBorderZ1(k, 9000 + k % 10 * 50);
            track.setBorderX2(k, 9100);
            track.setBorderZ2(k, 9000);
        }
        selectedBillboard = selectedBorder = -1;
        EXPECT_TRUE(visibleBillboards(track, view).empty());
        EXPECT_TRUE(visibleBorders(track, view).empty());
    }

    // The start camera: looking towards -x from (1500, 200, 500).
    const Camera camera = {3.14f, 1500.0f, 200.0f, 500.0f, 10.0f};
    const ViewVolume view = volumeOf(camera);
    TrackDocument track;
};

TEST_F(IndexEditTest, AMovedBillboardAppearsAndDisappears) {
    track.setBillboardPosX(7, 800);
    track.setBillboardPosZ(7, 500);
    EXPECT_EQ(visibleBillboards(track, view), std::vector<DWORD>{7});
    EXPECT_EQ(differences(track, camera), 0u);
    track.setBillboardPosZ(7, 60000);
    EXPECT_TRUE(visibleBillboards(track, view).empty());
    EXPECT_EQ(differences(track, camera), 0u);
}

TEST_F(IndexEditTest, ScaleAndNewRecordsReachTheIndex) {
    // Grown from far away until it reaches into the view.
    track.setBillboardPosX(3, 1500);
    track.setBillboardPosZ(3, 4500);
    EXPECT_TRUE(visibleBillboards(track, view).empty());
    track.setBillboardScale(3, 9000, 100);
    EXPECT_TRUE(contains(visibleBillboards(track, view), 3));
    // Made extreme, it is drawn whatever the view, as before culling.
    track.setBillboardScale(3, 0, 100);
    EXPECT_TRUE(contains(visibleBillboards(track, view), 3));
    // A record added after the index was built.
    ASSERT_TRUE(track.addBillboard());
    const DWORD added = kIndexedCount;
    track.setBillboardPosX(added, 700);
    track.setBillboardPosZ(added, 450);
    EXPECT_FALSE(contains(visibleBillboards(track, view), added)) << "unused until it has a map";
    track.setBillboardMap(added, 2);
    EXPECT_TRUE(contains(visibleBillboards(track, view), added));
    EXPECT_EQ(differences(track, camera), 0u);
}

TEST_F(IndexEditTest, EveryBorderCoordinateReachesTheIndex) {
    track.setBorderX1(5, 900);
    EXPECT_TRUE(visibleBorders(track, view).empty()) << "the other end is still far away";
    track.setBorderZ1(5, 500);
    EXPECT_EQ(visibleBorders(track, view), std::vector<DWORD>{5});
    track.setBorderX2(5, 900);
    track.setBorderZ2(5, 700);
    track.setBorderTop(5, 80);
    track.setBorderBottom(5, 10);
    EXPECT_EQ(differences(track, camera), 0u);
    track.setBorderX1(5, kNegativeFive);  // extreme: always drawn
    EXPECT_EQ(visibleBorders(track, view), std::vector<DWORD>{5});
    track.setBorderX1(5, 20000);
    track.setBorderX2(5, 20000);
    EXPECT_TRUE(visibleBorders(track, view).empty());
}

TEST_F(IndexEditTest, ManyChangesBetweenFramesAndANewTrackStartOver) {
    // More changes than the journal keeps: the index is built again.
    for (DWORD round = 0; round < 5; ++round)
        for (DWORD k = 0; k < kIndexedCount; ++k) track.setBillboardPosY(k, round);
    track.setBillboardPosX(11, 600);
    track.setBillboardPosZ(11, 520);
    EXPECT_EQ(visibleBillboards(track, view), std::vector<DWORD>{11});
    // A new track in the same document: nothing of the old index is used.
    ASSERT_TRUE(track.createTrack(10, 10, 1, kIndexedCount, kIndexedCount, 0));
    EXPECT_TRUE(visibleBillboards(track, view).empty());
    track.setBillboardMap(11, 0);
    track.setBillboardPosX(11, 9000);
    track.setBillboardMap(12, 0);
    track.setBillboardPosX(12, 400);
    track.setBillboardPosZ(12, 480);
    EXPECT_EQ(visibleBillboards(track, view), std::vector<DWORD>{12});
}

// Undo and redo write records back without the setters; the index follows
// them all the same, and an undone add takes its billboard out of view.
TEST_F(IndexEditTest, UndoAndRedoReachTheIndex) {
    TrackHistory history(track);
    StepSummary summary;
    history.beginStep("Sprite values");
    track.setBillboardPosX(9, 700);
    track.setBillboardPosZ(9, 480);
    history.endStep();
    EXPECT_EQ(visibleBillboards(track, view), std::vector<DWORD>{9});
    history.beginStep("Sprite values");
    track.setBillboardPosZ(9, 40000);
    history.endStep();
    EXPECT_TRUE(visibleBillboards(track, view).empty());
    // Back into view by undo, out again by redo.
    ASSERT_EQ(history.undo(&summary), HistoryResult::Done);
    EXPECT_EQ(visibleBillboards(track, view), std::vector<DWORD>{9});
    ASSERT_EQ(history.redo(&summary), HistoryResult::Done);
    EXPECT_TRUE(visibleBillboards(track, view).empty());
    ASSERT_EQ(history.undo(&summary), HistoryResult::Done);
    ASSERT_EQ(history.undo(&summary), HistoryResult::Done);
    EXPECT_TRUE(visibleBillboards(track, view).empty());

    history.beginStep("Add Billboard");
    ASSERT_TRUE(track.addBillboard());
    const DWORD added = kIndexedCount;
    track.setBillboardMap(added, 1);
    track.setBillboardPosX(added, 650);
    track.setBillboardPosZ(added, 520);
    history.endStep();
    EXPECT_EQ(visibleBillboards(track, view), std::vector<DWORD>{added});
    ASSERT_EQ(history.undo(&summary), HistoryResult::Done);
    EXPECT_TRUE(visibleBillboards(track, view).empty());
    ASSERT_EQ(history.redo(&summary), HistoryResult::Done);
    EXPECT_EQ(visibleBillboards(track, view), std::vector<DWORD>{added});

    history.beginStep("Border values");
    track.setBorderX1(4, 800);
    track.setBorderZ1(4, 450);
    track.setBorderX2(4, 850);
    track.setBorderZ2(4, 550);
    history.endStep();
    EXPECT_EQ(visibleBorders(track, view), std::vector<DWORD>{4});
    history.beginStep("Border values");
    track.setBorderX1(4, 30000);
    track.setBorderX2(4, 30000);
    history.endStep();
    EXPECT_TRUE(visibleBorders(track, view).empty());
    ASSERT_EQ(history.undo(&summary), HistoryResult::Done);
    EXPECT_EQ(visibleBorders(track, view), std::vector<DWORD>{4});
    EXPECT_EQ(differences(track, camera), 0u);
}

// On the largest grid the field pass visits a view's worth of cells, from
// the start camera and from one in the middle of the track.
TEST(GridViewTest, VisitsOnlyAViewsWorthOfTheLargestGrid) {
    const Camera cameras[] = {{3.14f, 1500.0f, 200.0f, 500.0f, 10.0f},
                              {0.7f, 204800.0f, 200.0f, 204800.0f, 10.0f},
                              {2.0f, 204800.0f, -300.0f, 204800.0f, 1.0f}};
    for (const Camera& camera : cameras) {
        GridView grid(volumeOf(camera), 4096, 4096);
        uint64_t visited = 0;
        for (DWORD j = grid.cellRows().first; j < grid.cellRows().last; ++j) {
            IndexRange cells = grid.cellsInRow(j);
            if (!cells.empty()) visited += cells.last - cells.first;
        }
        EXPECT_GT(visited, 0u);
        EXPECT_LT(visited, 3000u) << "heading " << camera.heading;
    }
}

TEST(GridViewTest, AViewThatCannotBeBoundedShowsEverything) {
    GridView grid(ViewVolume::everything(), 7, 5);
    EXPECT_EQ(grid.cellRows().last, 5u);
    EXPECT_EQ(grid.cellsInRow(4).last, 7u);
    EXPECT_EQ(grid.sideWallRows(true).last, 5u);
    EXPECT_EQ(grid.endWallColumns(false).last, 7u);
    D3DXMATRIX zero = {};
    EXPECT_FALSE(ViewVolume(zero, previewProjection()).bounded());
}

}  // namespace
