// A view of a whole big grid draws it in blocks of cells: a bounded number of
// draws whatever the grid's size, the same picture as cell by cell where the
// blocks are uniform, and the selected cell still shows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "passes.h"
#include "platform/d3d9_trace.h"
#include "render_fixture.h"
#include "scene.h"
#include "selection.h"
#include "track_document.h"

namespace {

class CoarseFieldTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        ASSERT_TRUE(folder.ok());
        const Rgba colours[4] = {
            {200, 60, 60, 255}, {60, 200, 60, 255}, {60, 60, 200, 255}, {220, 220, 60, 255}};
        for (DWORD m = 0; m < 4; ++m) {
            std::string path = folder.path("map" + std::to_string(m) + ".tga");
            writeSolidTga(path, 2, 2, colours[m]);
            ASSERT_EQ(scene.loadMapTexture(m, path.c_str()), S_OK);
        }
        selectedFieldI = selectedFieldJ = -1;
    }

    // Straight down on the whole grid with a parallel projection, as the top
    // view looks at it; shifted a little, so that no pixel centre falls on
    // a cell's edge, where rounding alone decides which side covers it.
    void lookDownOn(const TrackDocument& track) {
        const float x = float(track.header.sizeX) * 50.0f + kShift;
        const float z = float(track.header.sizeY) * 50.0f + kShift;
        lookAt(D3DXVECTOR3(x, 20000, z), D3DXVECTOR3(x, 0, z), D3DXVECTOR3(0, 0, 1));
        const float span = float(track.header.sizeY) * 100.0f * 1.04f;
        std::memset(&projection, 0, sizeof projection);
        projection._11 = 2.0f / (span * kWidth / kHeight);
        projection._22 = 2.0f / span;
        projection._33 = 1.0f / 39999.0f;
        projection._43 = -1.0f / 39999.0f;
        projection._44 = 1.0f;
        device()->SetTransform(D3DTS_PROJECTION, &projection);
    }

    std::vector<unsigned char> drawn(const TrackDocument& track, DWORD step) {
        beginFrame();
        coarseFieldPass(track, ViewVolume::everything(), step);
        finishFrame();
        return frame.rgba;
    }

    static constexpr float kShift = 31.7f;
    TempFolder folder;
};

// Every block of `block` x `block` cells one map, flat, with the quarter
// turns varying cell by cell; some blocks left unused.
void fillInBlocks(TrackDocument& track, DWORD block) {
    for (DWORD j = 0; j < track.header.sizeY; ++j)
        for (DWORD i = 0; i < track.header.sizeX; ++i) {
            const DWORD b = (i / block) * 7 + (j / block) * 13;
            if (b % 11 == 0) continue;
            track.setFieldMap(i, j, b % 4);
            track.setFieldShape(i, j, b % 2);  // flat on the ground or lifted
            track.setFieldOrientation(i, j, (i + j) % 4);
        }
}

TEST(CoarseStepTest, BlocksOnlyWhereTheGridIsWiderThanTheLimit) {
    EXPECT_EQ(coarseStep(10, 10), 1u);
    EXPECT_EQ(coarseStep(kCoarseBlocksASide, 3), 1u);
    EXPECT_EQ(coarseStep(kCoarseBlocksASide + 1, 3), 2u);
    EXPECT_EQ(coarseStep(5, 4096), 4096 / kCoarseBlocksASide);
    EXPECT_EQ(coarseStep(4096, 4096), 4096 / kCoarseBlocksASide);
}

TEST_F(CoarseFieldTest, DrawsAtMostTheBlockLimitAndTheSamePictureForUniformBlocks) {
    TrackDocument track;
    ASSERT_TRUE(track.createTrack(600, 600, 4, 0, 0, 0));
    const DWORD step = coarseStep(600, 600);
    ASSERT_EQ(600 % step, 0u) << "whole blocks only";
    fillInBlocks(track, step);
    lookDownOn(track);
    std::vector<std::string> trace;
    device()->BeginScene();
    {
        platform::d3d9::TraceScope scope(&trace);
        coarseFieldPass(track, ViewVolume::everything(), step);
    }
    device()->EndScene();
    const size_t blocks = kCoarseBlocksASide * kCoarseBlocksASide;
    EXPECT_LE(linesStartingWith(trace, "DrawPrimitive(").size(), blocks + 4 * kCoarseBlocksASide);
    EXPECT_GT(linesStartingWith(trace, "DrawPrimitive(").size(), blocks / 2);

    const std::vector<unsigned char> coarse = drawn(track, step);
    const std::vector<unsigned char> full = drawn(track, 1);
    ASSERT_EQ(coarse.size(), full.size());
    // Lighting is worked out at the corners of what is drawn, so where the
    // light reaches (round the origin) a block may be a shade off the cells
    // under it; beyond its range every pixel is the same.
    const float unitsPerPixel = float(track.header.sizeY) * 100.0f * 1.04f / kHeight;
    size_t lit = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float worldX = 30000.0f + kShift + (x + 0.5f - kWidth / 2) * unitsPerPixel;
            const float worldZ = 30000.0f + kShift - (y + 0.5f - kHeight / 2) * unitsPerPixel;
            const size_t p = (size_t(y) * kWidth + x) * 4;
            if (worldX * worldX + worldZ * worldZ < 10500.0f * 10500.0f) {
                ++lit;
                continue;
            }
            ASSERT_EQ(std::memcmp(&coarse[p], &full[p], 4), 0)
                << "pixel " << x << ", " << y << ": " << int(coarse[p]) << " " << int(coarse[p + 1])
                << " " << int(coarse[p + 2]) << " against " << int(full[p]) << " "
                << int(full[p + 1]) << " " << int(full[p + 2]);
        }
    EXPECT_LT(lit, full.size() / 4 / 20);
}

TEST_F(CoarseFieldTest, TheSelectedCellTintsItsBlock) {
    // Blocks of 3 x 3 cells, more than two pixels each in this picture.
    TrackDocument track;
    ASSERT_TRUE(track.createTrack(260, 260, 4, 0, 0, 0));
    for (DWORD j = 0; j < 260; ++j)
        for (DWORD i = 0; i < 260; ++i) track.setFieldMap(i, j, 1);
    lookDownOn(track);
    const DWORD step = coarseStep(260, 260);
    ASSERT_EQ(step, 3u);
    const std::vector<unsigned char> plain = drawn(track, step);
    // Not the cell in the block's middle (100, 151): only the selection
    // makes it drawn.
    selectedFieldI = 100;
    selectedFieldJ = 150;
    drawn(track, step);
    // Map 1 is green; the highlight lets mostly its red through.
    const Rgba tinted = pixelAt(D3DXVECTOR3(10050, 0, 15150));
    EXPECT_GT(tinted.r, tinted.g + 8) << tinted.r << " " << tinted.g;
    selectedFieldI = selectedFieldJ = -1;
    EXPECT_EQ(drawn(track, step), plain);
}

}  // namespace
