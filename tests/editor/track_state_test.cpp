// Reading numbers from text, the New dialog's limits and the change
// detection behind the unsaved-work question.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "control_text.h"
#include "document_digest.h"
#include "new_dialog.h"
#include "track_document.h"

namespace {

TEST(ControlText, NumbersFollowTheAtoiRulesAndSaturate) {
    EXPECT_EQ(parseNumber(""), 0);
    EXPECT_EQ(parseNumber("  -12abc"), -12);
    EXPECT_EQ(parseNumber("250"), 250);
    EXPECT_EQ(parseNumber("x5"), 0);
    EXPECT_EQ(parseNumber("999999999999999"), INT_MAX);
    EXPECT_EQ(parseNumber("-99999999999999"), INT_MIN);
}

std::string refusal(NewTrackSize size) {
    char text[160];
    newTrackRefusal(size, text, sizeof text);
    return text;
}

TEST(NewDialogLimits, RefusesWhatTheDocumentCannotHoldAndNamesTheLimit) {
    EXPECT_EQ(refusal({10, 10, 5, 5, 20, 1}), "");
    EXPECT_EQ(refusal({0, 0, 0, 0, 0, 0}), "");
    EXPECT_EQ(refusal({4096, 4096, 0, 0, 0, 0}), "");
    // 65536 x 65536 wraps to 0 in 32 bits; it must still be refused.
    std::string cells = refusal({65536, 65536, 0, 0, 0, 0});
    EXPECT_NE(cells.find("16777216"), std::string::npos) << cells;
    EXPECT_NE(refusal({kMaxCells + 1, 0, 0, 0, 0, 0}).find("X Size"), std::string::npos);
    EXPECT_NE(refusal({0, 0xFFFFFFFFu, 0, 0, 0, 0}).find("Y Size"), std::string::npos);
    std::string maps = refusal({10, 10, kMaxRecords + 1, 5, 20, 1});
    EXPECT_NE(maps.find("Maps"), std::string::npos) << maps;
    EXPECT_NE(maps.find("1048576"), std::string::npos) << maps;
    EXPECT_NE(refusal({10, 10, 5, 5, 0xFFFFFFFFu, 1}).find("Borders"), std::string::npos);
    EXPECT_NE(refusal({10, 10, 5, 5, 20, kMaxRecords + 1}).find("Meshes"), std::string::npos);
    EXPECT_NE(refusal({10, 10, 5, kMaxRecords + 1, 20, 1}).find("Billboards"), std::string::npos);
}

TEST(DocumentDigest, OnlyRealChangesOfTheBytesCount) {
    TrackDocument doc;
    EXPECT_FALSE(documentChangedSinceSaved(doc));
    ASSERT_TRUE(doc.createTrack(10, 10, 5, 5, 20, 1));
    markDocumentSaved(doc);
    EXPECT_FALSE(documentChangedSinceSaved(doc));
    doc.setBillboardScale(0, 100, 100);  // the value already stored
    doc.setBorderMap(0);
    EXPECT_FALSE(documentChangedSinceSaved(doc));
    doc.setBillboardPosX(4, 250);
    EXPECT_TRUE(documentChangedSinceSaved(doc));
    doc.setBillboardPosX(4, 0);
    EXPECT_FALSE(documentChangedSinceSaved(doc));
    doc.setFieldShape(9, 9, 1);  // last cell: the whole grid is covered
    EXPECT_TRUE(documentChangedSinceSaved(doc));
    markDocumentSaved(doc);
    doc.addBorder();
    EXPECT_TRUE(documentChangedSinceSaved(doc));
    markDocumentSaved(doc);
    doc.setMeshFile(0, "hut.x");
    EXPECT_TRUE(documentChangedSinceSaved(doc));
    // A closed track has nothing to lose.
    doc.destroyTrack();
    EXPECT_FALSE(documentChangedSinceSaved(doc));
}

}  // namespace
