// Operations over a whole array at once: giving every cell the same field
// values leaves the same bytes as setting each cell in turn, and the journal
// of record changes names what each operation touched.
#include <gtest/gtest.h>

#include <cstring>

#include "track_document.h"

namespace {

TEST(BulkEditTest, SetAllFieldsWritesWhatSettingEachCellWrites) {
    TrackDocument each, all;
    ASSERT_EQ(each.createTrack(7, 5, 3, 0, 0, 0), 1);
    ASSERT_EQ(all.createTrack(7, 5, 3, 0, 0, 0), 1);
    each.setFieldShape(2, 2, 4);  // earlier values are overwritten alike
    all.setFieldShape(2, 2, 4);
    for (DWORD j = 0; j < 5; ++j)
        for (DWORD i = 0; i < 7; ++i) {
            each.setFieldMap(i, j, 2);
            each.setFieldShape(i, j, 3);
            each.setFieldOrientation(i, j, 1);
        }
    EXPECT_EQ(all.setAllFields(2, 3, 1), 1);
    EXPECT_EQ(std::memcmp(each.fields, all.fields, 35 * sizeof(Field)), 0);
    EXPECT_EQ(all.fields[34].empty, kSlotUsed);
}

TEST(BulkEditTest, SetAllFieldsWithoutATrackOrCellsChangesNothing) {
    TrackDocument none;
    EXPECT_EQ(none.setAllFields(1, 1, 1), 0);
    TrackDocument empty;
    ASSERT_EQ(empty.createTrack(0, 9, 1, 0, 0, 0), 1);
    EXPECT_EQ(empty.setAllFields(1, 1, 1), 1);
}

TEST(BulkEditTest, JournalNamesEveryChangedObjectAndStartsOverForANewTrack) {
    TrackDocument doc;
    ASSERT_EQ(doc.createTrack(2, 2, 1, 3, 3, 3), 1);
    const uint64_t era = doc.journal.era();
    doc.setBillboardPosX(2, 10);
    doc.setBorderTop(1, 5);
    doc.setMeshFile(0, "a.x");
    doc.setFieldMap(0, 0, 0);    // cells are not objects: not noted
    doc.setBillboardPosX(9, 1);  // refused: nothing changed, nothing noted
    ASSERT_EQ(doc.journal.position(), 3u);
    EXPECT_EQ(doc.journal.at(0).kind, RecordKind::Billboard);
    EXPECT_EQ(doc.journal.at(0).index, 2u);
    EXPECT_EQ(doc.journal.at(1).kind, RecordKind::Border);
    EXPECT_EQ(doc.journal.at(2).kind, RecordKind::Mesh);
    EXPECT_TRUE(doc.journal.canReplayFrom(era, 0));
    ASSERT_EQ(doc.addBorder(), 1);
    EXPECT_EQ(doc.journal.at(3).index, 3u);
    ASSERT_EQ(doc.createTrack(2, 2, 1, 3, 3, 3), 1);
    EXPECT_FALSE(doc.journal.canReplayFrom(era, 0));
    TrackDocument other;
    EXPECT_NE(other.journal.era(), doc.journal.era());
}

}  // namespace
