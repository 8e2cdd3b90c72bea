#include "track_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "track_snapshot.h"

namespace {

TEST(TrackDocumentTest, DefaultTrackHasEveryDefault) {
    TrackDocument doc;
    ASSERT_EQ(doc.createTrack(10, 10, 5, 5, 20, 1), 1);
    EXPECT_EQ(doc.isLoaded(), 1u);
    EXPECT_EQ(std::memcmp(doc.header.magic, "MTRACK00", 8), 0);
    EXPECT_EQ(doc.header.fieldCount, 100u);
    EXPECT_EQ(doc.getSizeX(), 10u);
    EXPECT_EQ(doc.getSizeY(), 10u);
    EXPECT_EQ(doc.getMapCount(), 5u);
    EXPECT_EQ(doc.getBillboardCount(), 5u);
    EXPECT_EQ(doc.getBorderCount(), 20u);
    EXPECT_EQ(doc.getMeshCount(), 1u);
    EXPECT_EQ(doc.getBorderMap(), 0u);
    EXPECT_EQ(doc.getBackgroundMap(), 0u);
    for (int k = 0; k < 100; ++k) EXPECT_EQ(doc.fields[k].empty, 1u) << k;
    for (int k = 0; k < 5; ++k) EXPECT_EQ(doc.maps[k].empty, 1u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(doc.billboards[k].empty, 1u);
        EXPECT_EQ(doc.getBillboardScaleX(k), 100u);
        EXPECT_EQ(doc.getBillboardScaleY(k), 100u);
        EXPECT_EQ(doc.getBillboardFace(k), 0u);
    }
    for (int k = 0; k < 20; ++k) EXPECT_EQ(doc.borders[k].empty, 1u);
    EXPECT_EQ(doc.meshes[0].empty, 1u);
    EXPECT_EQ(doc.meshes[0].scaleX, 100u);
    EXPECT_EQ(doc.meshes[0].scaleY, 100u);
    EXPECT_EQ(doc.meshes[0].scaleZ, 100u);
}

TEST(TrackDocumentTest, FieldSettersAddressCellIPlusJTimesSizeX) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    EXPECT_EQ(doc.setFieldShape(3, 2, 1), 1);
    EXPECT_EQ(doc.setFieldOrientation(3, 2, 2), 1);
    EXPECT_EQ(doc.fields[23].empty, 1u) << "shape and orientation alone leave the cell unused";
    EXPECT_EQ(doc.setFieldMap(3, 2, 4), 1);
    EXPECT_EQ(doc.fields[23].empty, 0u);
    EXPECT_EQ(doc.fields[23].map, 4u);
    EXPECT_EQ(doc.fields[23].shape, 1u);
    EXPECT_EQ(doc.fields[23].orientation, 2u);
}

TEST(TrackDocumentTest, BillboardValuesKeepTheirBitPatterns) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    EXPECT_EQ(doc.setBillboardPosX(2, DWORD(-5)), 1);
    EXPECT_EQ(doc.getBillboardPosX(2), 0xFFFFFFFBu);
    EXPECT_EQ(doc.billboards[2].empty, 1u) << "a position does not put a billboard in use";
    EXPECT_EQ(doc.getBillboardMap(2), kNoValue);
    EXPECT_EQ(doc.setBillboardMap(2, 3), 1);
    EXPECT_EQ(doc.getBillboardMap(2), 3u);
    EXPECT_EQ(doc.billboards[2].empty, 0u);
    EXPECT_EQ(doc.setBillboardFace(2, 1), 1);
    EXPECT_EQ(doc.setBillboardAngle(2, 45), 1);
    EXPECT_EQ(doc.getBillboardAngle(2), 45u);
    EXPECT_EQ(doc.getBillboardFace(2), 1u);
}

TEST(TrackDocumentTest, BorderCoordinatesMarkTheBorderUsedButTypeDoesNot) {
    TrackDocument doc;
    doc.createTrack(1, 1, 0, 0, 7, 0);
    EXPECT_EQ(doc.setBorderType(0, 2), 1);
    EXPECT_EQ(doc.getBorderType(0), 2u);
    EXPECT_EQ(doc.borders[0].empty, 1u);
    int (TrackDocument::*setters[])(DWORD, DWORD) = {
        &TrackDocument::setBorderX1, &TrackDocument::setBorderZ1,  &TrackDocument::setBorderX2,
        &TrackDocument::setBorderZ2, &TrackDocument::setBorderTop, &TrackDocument::setBorderBottom};
    for (DWORD k = 0; k < 6; ++k) {
        EXPECT_EQ((doc.*setters[k])(k + 1, 10 + k), 1);
        EXPECT_EQ(doc.borders[k + 1].empty, 0u) << k;
    }
    Border b = doc.getBorder(6);
    EXPECT_EQ(b.bottom, 15u);
    EXPECT_EQ(doc.getBorder(1).x1, 10u);
    EXPECT_EQ(doc.getBorder(4).z2, 13u);
    EXPECT_EQ(doc.getBorder(4).top, 0u);
    EXPECT_EQ(doc.getBorder(5).top, 14u);
}

TEST(TrackDocumentTest, MeshSettersAndGetters) {
    TrackDocument doc;
    doc.createTrack(1, 1, 0, 0, 0, 2);
    EXPECT_EQ(doc.getMeshName(1), nullptr);
    EXPECT_EQ(doc.setMeshFile(1, "rock.x"), 1);
    EXPECT_STREQ(doc.getMeshName(1), "rock.x");
    EXPECT_EQ(doc.setMeshPosX(1, 1), 1);
    EXPECT_EQ(doc.setMeshPosY(1, 2), 1);
    EXPECT_EQ(doc.setMeshPosZ(1, 3), 1);
    EXPECT_EQ(doc.setMeshScale(1, 7), 1);
    EXPECT_EQ(doc.setMeshAngle(1, 180), 1);
    EXPECT_EQ(doc.getMeshPosX(1) + doc.getMeshPosY(1) * 10 + doc.getMeshPosZ(1) * 100, 321u);
    EXPECT_EQ(doc.getMeshScale(1), 7u);
    EXPECT_EQ(doc.meshes[1].scaleZ, 7u);
    EXPECT_EQ(doc.getMeshAngle(1), 180u);
}

TEST(TrackDocumentTest, WithoutTrackGuardsAnswerAndNothingIsWritten) {
    TrackDocument doc;
    EXPECT_EQ(doc.getSizeX(), 0u);
    EXPECT_EQ(doc.getMapCount(), 0u);
    EXPECT_EQ(doc.getBillboardAngle(0), kNoValue);
    EXPECT_EQ(doc.setFieldMap(0, 0, 1), 0);
    EXPECT_EQ(doc.setMapFile(0, "a.bmp"), 0);
    EXPECT_EQ(doc.getMapName(0), nullptr);
    EXPECT_EQ(doc.addMap(), 0);
    EXPECT_EQ(doc.lastError(), TrackError::NoTrack);

    // After destroyTrack the header keeps its counts but the arrays are gone:
    // nothing may reach them through the stale counts.
    doc.createTrack(2, 2, 2, 2, 2, 2);
    doc.destroyTrack();
    EXPECT_EQ(doc.header.mapCount, 2u);
    EXPECT_EQ(doc.getSizeX(), 0u);
    EXPECT_EQ(doc.setMapFile(0, "a.bmp"), 0);
    EXPECT_EQ(doc.getMapName(0), nullptr);
    EXPECT_EQ(doc.getBillboardPosX(0), 0u);
    EXPECT_EQ(doc.setMeshFile(0, "m.x"), 0);
    EXPECT_EQ(doc.getBorder(0).empty, 1u);
    EXPECT_EQ(doc.addBillboard(), 0);
    EXPECT_EQ(doc.header.billboardCount, 2u);
}

// Every setter handed an index one past its array, or the -1 of a list with
// no selection, returns 0 and leaves every byte of the track alone.
TEST(TrackDocumentTest, IndexOutsideItsArrayIsRefused) {
    TrackDocument doc;
    fillTrack(doc);
    const std::string before = trackSnapshot(doc);
    const DWORD none = 0xFFFFFFFFu;
    for (DWORD bad : {DWORD(2), DWORD(3), none}) {
        EXPECT_EQ(doc.setBillboardPosX(bad, 1), 0);
        EXPECT_EQ(doc.setBillboardScale(bad, 1, 1), 0);
        EXPECT_EQ(doc.setBillboardMap(bad, 1), 0);
        EXPECT_EQ(doc.setBorderX1(bad, 1), 0);
        EXPECT_EQ(doc.setBorderType(bad, 1), 0);
        EXPECT_EQ(doc.setMeshFile(bad, "x.x"), 0);
        EXPECT_EQ(doc.setMeshScale(bad, 1), 0);
        EXPECT_EQ(doc.getBillboardAngle(bad), kNoValue);
        EXPECT_EQ(doc.getBillboardMap(bad), kNoValue);
        EXPECT_EQ(doc.getMeshName(bad), nullptr);
        EXPECT_EQ(doc.getBorder(bad).empty, 1u);
    }
    EXPECT_EQ(doc.setMapFile(3, "x.bmp"), 0);
    EXPECT_EQ(doc.setMapFile(none, "x.bmp"), 0);
    EXPECT_EQ(doc.getMapName(3), nullptr);
    // Column 4 of row 0 would be cell (0, 1) if only the product were checked.
    EXPECT_EQ(doc.setFieldMap(4, 0, 1), 0);
    EXPECT_EQ(doc.setFieldMap(0, 3, 1), 0);
    EXPECT_EQ(doc.setFieldShape(none, 0, 1), 0);
    EXPECT_EQ(doc.setFieldOrientation(0, none, 1), 0);
    EXPECT_EQ(trackSnapshot(doc), before);
}

TEST(TrackDocumentTest, NamesLongerThanTheirSlotAreRefusedWhole) {
    TrackDocument doc;
    doc.createTrack(1, 1, 1, 0, 0, 1);
    const std::string map63(63, 'm'), mesh67(67, 'x');
    EXPECT_EQ(doc.setMapFile(0, map63.c_str()), 1);
    EXPECT_EQ(doc.getMapName(0), map63);
    EXPECT_EQ(doc.setMeshFile(0, mesh67.c_str()), 1);
    EXPECT_EQ(doc.getMeshName(0), mesh67);

    doc.createTrack(1, 1, 1, 0, 0, 1);
    const std::string before = trackSnapshot(doc);
    EXPECT_EQ(doc.setMapFile(0, (map63 + "m").c_str()), 0);
    EXPECT_EQ(doc.setMeshFile(0, (mesh67 + "x").c_str()), 0);
    EXPECT_EQ(doc.setMapFile(0, nullptr), 0);
    EXPECT_EQ(trackSnapshot(doc), before) << "a refused name marks nothing used and cuts nothing";
}

TEST(TrackDocumentTest, ShorterNameKeepsTheOldTailAndReadsBackAlone) {
    TrackDocument doc;
    doc.createTrack(1, 1, 1, 0, 0, 0);
    doc.setMapFile(0, "longer-name.bmp");
    doc.setMapFile(0, "a.bmp");
    EXPECT_STREQ(doc.getMapName(0), "a.bmp");
    EXPECT_EQ(std::memcmp(doc.maps[0].fileName, "a.bmp\0-name.bmp", 16), 0);
}

TEST(TrackDocumentTest, NameWithoutTerminatorIsNotHandedOut) {
    TrackDocument doc;
    doc.createTrack(1, 1, 1, 0, 0, 1);
    doc.maps[0].empty = 0;
    std::memset(doc.maps[0].fileName, 'a', sizeof doc.maps[0].fileName);
    doc.meshes[0].empty = 0;
    std::memset(doc.meshes[0].fileName, 'b', sizeof doc.meshes[0].fileName);
    EXPECT_EQ(doc.getMapName(0), nullptr);
    EXPECT_EQ(doc.getMeshName(0), nullptr);
}

TEST(TrackDocumentTest, CreateRefusesWhatCannotBeBuiltAndKeepsThePreviousTrack) {
    TrackDocument doc;
    fillTrack(doc);
    const std::string before = trackSnapshot(doc);
    // 65536 x 65536 wraps to 0 cells in 32 bits; 65537 x 65535 wraps to 1.
    EXPECT_EQ(doc.createTrack(65536, 65536, 1, 1, 1, 1), 0);
    EXPECT_EQ(doc.lastError(), TrackError::TooLarge);
    EXPECT_EQ(doc.createTrack(65537, 65535, 1, 1, 1, 1), 0);
    EXPECT_EQ(doc.createTrack(kMaxCells + 1, 1, 1, 1, 1, 1), 0);
    EXPECT_EQ(doc.createTrack(4097, 4096, 1, 1, 1, 1), 0);
    EXPECT_EQ(doc.createTrack(1, 1, kMaxRecords + 1, 1, 1, 1), 0);
    EXPECT_EQ(doc.createTrack(1, 1, 1, kMaxRecords + 1, 1, 1), 0);
    EXPECT_EQ(doc.createTrack(1, 1, 1, 1, kMaxRecords + 1, 1), 0);
    EXPECT_EQ(doc.createTrack(1, 1, 1, 1, 1, 0xFFFFFFFFu), 0);
    EXPECT_EQ(doc.createTrack(0xFFFFFFFFu, 0, 1, 1, 1, 1), 0) << "no cells, but a side too long";
    EXPECT_EQ(trackSnapshot(doc), before);

    TrackDocument none;
    EXPECT_EQ(none.createTrack(1, 1, DWORD(-3), 0, 0, 0), 0);
    EXPECT_EQ(none.isLoaded(), 0u);
    EXPECT_EQ(none.getMapCount(), 0u);
}

TEST(TrackDocumentTest, CreateReplacesALoadedTrackEntirely) {
    TrackDocument doc;
    fillTrack(doc);
    ASSERT_EQ(doc.createTrack(2, 1, 0, 0, 0, 0), 1);
    EXPECT_EQ(doc.lastError(), TrackError::None);
    EXPECT_EQ(doc.header.fieldCount, 2u);
    EXPECT_EQ(doc.getBorderMap(), 0u);
    EXPECT_EQ(doc.header.reserved60[27], 0);
    EXPECT_EQ(doc.getMapName(0), nullptr);
    EXPECT_EQ(doc.fields[1].empty, 1u);
}

}  // namespace
