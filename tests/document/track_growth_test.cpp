#include <gtest/gtest.h>

#include <cstring>

#include "track_document.h"
#include "track_snapshot.h"

namespace {

TEST(TrackGrowthTest, AddMapKeepsSlotsNamesAndEmptyWords) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    doc.setMapFile(1, "sand.tga");
    doc.setMapFile(3, "longer-name.bmp");
    doc.setMapFile(3, "dirt.bmp");
    ASSERT_EQ(doc.addMap(), 1);
    EXPECT_EQ(doc.getMapCount(), 6u);
    const DWORD empties[6] = {1, 0, 1, 0, 1, 1};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(doc.maps[k].empty, empties[k]) << k;
    EXPECT_STREQ(doc.getMapName(1), "sand.tga");
    EXPECT_STREQ(doc.getMapName(3), "dirt.bmp");
    EXPECT_EQ(doc.getMapName(5), nullptr);
    EXPECT_EQ(doc.maps[5].fileName[0], '\0');
    // A map slot moves with its name only: the old name's tail is dropped.
    for (size_t b = 9; b < sizeof doc.maps[3].fileName; ++b) EXPECT_EQ(doc.maps[3].fileName[b], 0);
}

TEST(TrackGrowthTest, AddMapCarriesAnUnterminatedNameWithoutOverrunning) {
    TrackDocument doc;
    doc.createTrack(1, 1, 1, 0, 0, 0);
    std::memset(doc.maps[0].fileName, 'z', sizeof doc.maps[0].fileName);
    ASSERT_EQ(doc.addMap(), 1);
    EXPECT_EQ(doc.maps[0].fileName[63], 'z');
    EXPECT_EQ(doc.maps[1].fileName[0], '\0');
}

TEST(TrackGrowthTest, AddCopiesBillboardsBordersAndMeshesWhole) {
    TrackDocument doc;
    fillTrack(doc);
    const Billboard b1 = doc.billboards[1];
    const Billboard b0 = doc.billboards[0];
    const Border r0 = doc.borders[0];
    const MeshPlacement m0 = doc.meshes[0], m1 = doc.meshes[1];
    ASSERT_EQ(doc.addBillboard(), 1);
    ASSERT_EQ(doc.addBorder(), 1);
    ASSERT_EQ(doc.addMesh(), 1);
    EXPECT_EQ(std::memcmp(&doc.billboards[0], &b0, sizeof b0), 0);
    EXPECT_EQ(std::memcmp(&doc.billboards[1], &b1, sizeof b1), 0);
    EXPECT_EQ(std::memcmp(&doc.borders[0], &r0, sizeof r0), 0);
    EXPECT_EQ(std::memcmp(&doc.meshes[0], &m0, sizeof m0), 0)
        << "an unused first mesh stays unused";
    EXPECT_EQ(std::memcmp(&doc.meshes[1], &m1, sizeof m1), 0);
    EXPECT_EQ(doc.getBillboardCount(), 3u);
    EXPECT_EQ(doc.getBorderCount(), 3u);
    EXPECT_EQ(doc.getMeshCount(), 3u);
}

TEST(TrackGrowthTest, NewSlotsStartAtTheirDefaultsFromAnEmptyArray) {
    TrackDocument doc;
    doc.createTrack(1, 1, 0, 0, 0, 0);
    ASSERT_EQ(doc.addMap(), 1);
    ASSERT_EQ(doc.addBillboard(), 1);
    ASSERT_EQ(doc.addBorder(), 1);
    ASSERT_EQ(doc.addMesh(), 1);
    Billboard billboard = {};
    billboard.empty = 1;
    billboard.scaleX = billboard.scaleY = 100;
    Border border = {};
    border.empty = 1;
    MeshPlacement mesh = {};
    mesh.empty = 1;
    mesh.scaleX = mesh.scaleY = mesh.scaleZ = 100;
    MapEntry map = {};
    map.empty = 1;
    EXPECT_EQ(std::memcmp(&doc.maps[0], &map, sizeof map), 0);
    EXPECT_EQ(std::memcmp(&doc.billboards[0], &billboard, sizeof billboard), 0);
    EXPECT_EQ(std::memcmp(&doc.borders[0], &border, sizeof border), 0);
    EXPECT_EQ(std::memcmp(&doc.meshes[0], &mesh, sizeof mesh), 0);
}

TEST(TrackGrowthTest, AddAtTheRecordLimitIsRefusedAndChangesNothing) {
    TrackDocument doc;
    ASSERT_EQ(doc.createTrack(1, 1, 0, 0, kMaxRecords, 0), 1);
    doc.setBorderX1(kMaxRecords - 1, 5);
    EXPECT_EQ(doc.addBorder(), 0);
    EXPECT_EQ(doc.lastError(), TrackError::TooLarge);
    EXPECT_EQ(doc.getBorderCount(), kMaxRecords);
    EXPECT_EQ(doc.getBorder(kMaxRecords - 1).x1, 5u);
}

}  // namespace
