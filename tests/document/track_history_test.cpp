// Undo and redo through the history: every kind of change comes back to the
// byte, steps merge and drop as promised, and the history stays small.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "record_runs.h"
#include "track_history.h"
#include "track_snapshot.h"

namespace {

struct Edit {
    const char* name;
    std::function<void(TrackDocument&)> apply;
};

const std::vector<Edit>& edits() {
    static const std::vector<Edit> all = {
        {"Set", [](TrackDocument& d) {
             d.setFieldMap(1, 2, 1);
             d.setFieldShape(1, 2, 3);
             d.setFieldOrientation(1, 2, 2);
         }},
        {"Set All", [](TrackDocument& d) {
             for (DWORD j = 0; j < d.getSizeY(); ++j)
                 for (DWORD i = 0; i < d.getSizeX(); ++i) {
                     d.setFieldMap(i, j, 2);
                     d.setFieldShape(i, j, 1);
                 }
         }},
        {"Add Map", [](TrackDocument& d) { d.addMap(); }},
        {"Map Browse", [](TrackDocument& d) { d.setMapFile(2, "road.bmp"); }},
        {"Mesh Browse", [](TrackDocument& d) { d.setMeshFile(1, "block.x"); }},
        {"Add Billboard", [](TrackDocument& d) { d.addBillboard(); }},
        {"Add Mesh", [](TrackDocument& d) { d.addMesh(); }},
        {"Add Border", [](TrackDocument& d) { d.addBorder(); }},
        {"Sprite values", [](TrackDocument& d) {
             d.setBillboardPosX(0, 250);
             d.setBillboardScale(0, 30, 40);
             d.setBillboardAngle(0, 90);
         }},
        {"Face", [](TrackDocument& d) { d.setBillboardFace(1, 1); }},
        {"Sprite map", [](TrackDocument& d) { d.setBillboardMap(0, 1); }},
        {"Mesh values", [](TrackDocument& d) {
             d.setMeshPosZ(0, 70);
             d.setMeshScale(0, 50);
         }},
        {"Border values", [](TrackDocument& d) {
             d.setBorderX2(1, 300);
             d.setBorderTop(1, 40);
         }},
        {"Border Type", [](TrackDocument& d) { d.setBorderType(0, 2); }},
        {"Border map", [](TrackDocument& d) { d.setBorderMap(0); }},
        {"Background", [](TrackDocument& d) { d.setBackgroundMap(0); }},
        {"Paste", [](TrackDocument& d) {
             Field cell = d.fields[7];
             d.setField(0, 0, cell);
             d.clearField(1, 2);
         }},
        {"Add then set", [](TrackDocument& d) {
             d.addBillboard();
             d.setBillboardPosY(d.getBillboardCount() - 1, 12);
             d.setBillboardPosY(0, 13);
         }},
    };
    return all;
}

TEST(TrackHistory, EveryKindOfStepUndoesAndRedoesToTheByte) {
    for (const Edit& edit : edits()) {
        SCOPED_TRACE(edit.name);
        TrackDocument doc;
        fillTrack(doc);
        TrackHistory history(doc);
        const std::string before = trackSnapshot(doc);
        history.beginStep(edit.name);
        edit.apply(doc);
        EXPECT_TRUE(history.endStep().kept);
        const std::string after = trackSnapshot(doc);
        ASSERT_NE(before, after);
        StepSummary summary;
        ASSERT_EQ(history.undo(&summary), HistoryResult::Done);
        EXPECT_EQ(summary.name, edit.name);
        EXPECT_EQ(trackSnapshot(doc), before);
        ASSERT_EQ(history.redo(&summary), HistoryResult::Done);
        EXPECT_EQ(trackSnapshot(doc), after);
        ASSERT_EQ(history.undo(&summary), HistoryResult::Done);
        EXPECT_EQ(trackSnapshot(doc), before);
        EXPECT_EQ(history.undo(&summary), HistoryResult::NothingToDo);
    }
}

TEST(TrackHistory, SummaryNamesWhatTheStepChanged) {
    TrackDocument doc;
    fillTrack(doc);
    TrackHistory history(doc);
    history.beginStep("Add Billboard");
    doc.addBillboard();
    history.endStep();
    history.beginStep("Set");
    doc.setFieldMap(3, 1, 0);
    history.endStep();
    StepSummary summary;
    history.undo(&summary);
    EXPECT_TRUE(summary.of(RecordKind::Field).changed);
    EXPECT_EQ(summary.of(RecordKind::Field).firstIndex, 3u + 1u * 4u);
    EXPECT_FALSE(summary.of(RecordKind::Billboard).changed);
    history.undo(&summary);
    EXPECT_TRUE(summary.of(RecordKind::Billboard).resized);
    EXPECT_EQ(summary.of(RecordKind::Billboard).firstIndex, 2u);  // the slot it added
    EXPECT_EQ(doc.getBillboardCount(), 2u);
}

TEST(TrackHistory, TypingIntoOneBoxIsOneStepUntilSealed) {
    TrackDocument doc;
    fillTrack(doc);
    TrackHistory history(doc);
    const std::string before = trackSnapshot(doc);
    for (DWORD value : {1u, 12u, 123u}) {
        history.beginStep("Pos. X", 42);
        doc.setBillboardPosX(0, value);
        history.endStep();
    }
    EXPECT_EQ(history.undoCount(), 1u);
    history.seal();
    history.beginStep("Pos. X", 42);
    doc.setBillboardPosX(0, 7);
    history.endStep();
    EXPECT_EQ(history.undoCount(), 2u);
    history.undo(nullptr);
    EXPECT_EQ(doc.getBillboardPosX(0), 123u);
    history.undo(nullptr);
    EXPECT_EQ(trackSnapshot(doc), before);
}

TEST(TrackHistory, StepsThatChangeNothingAreNotKeptAndKeepRedo) {
    TrackDocument doc;
    fillTrack(doc);
    TrackHistory history(doc);
    history.beginStep("Set");
    doc.setFieldShape(0, 0, 2);
    history.endStep();
    history.undo(nullptr);
    history.beginStep("Focus");
    doc.setFieldShape(0, 0, doc.fields[0].shape);  // the value it has
    history.beginStep("Nested");                   // nests into the outer step
    history.endStep();
    EXPECT_FALSE(history.endStep().kept);
    EXPECT_EQ(history.undoCount(), 0u);
    EXPECT_EQ(history.redoCount(), 1u);
    EXPECT_EQ(history.redo(nullptr), HistoryResult::Done);
    EXPECT_EQ(doc.fields[0].shape, 2u);
}

TEST(TrackHistory, NewStepClearsRedoAndOpenStepRefusesUndo) {
    TrackDocument doc;
    fillTrack(doc);
    TrackHistory history(doc);
    history.beginStep("a");
    doc.setBorderType(0, 1);
    history.endStep();
    history.undo(nullptr);
    history.beginStep("b");
    doc.setBorderType(0, 2);
    EXPECT_EQ(history.undo(nullptr), HistoryResult::StepOpen);
    history.endStep();
    EXPECT_EQ(history.redoCount(), 0u);
}

TEST(TrackHistory, BudgetDropsTheOldestStepsFirst) {
    TrackDocument doc;
    doc.createTrack(100, 100, 2, 0, 0, 0);
    TrackHistory history(doc);
    for (DWORD k = 0; k < 10; ++k) {
        history.beginStep("Set");
        for (DWORD i = 0; i < 100; ++i) doc.setFieldShape(i, k, i % 5);  // distinct records
        history.endStep();
    }
    size_t perStep = history.bytesUsed() / 10;
    history.setBudget(perStep * 4 + perStep / 2);
    EXPECT_EQ(history.undoCount(), 4u);
    while (history.undo(nullptr) == HistoryResult::Done) {
    }
    // Rows 0-5 stay as they were changed: their steps were dropped.
    EXPECT_EQ(doc.fields[5 * 100 + 1].shape, 1u);
    EXPECT_EQ(doc.fields[6 * 100 + 1].shape, 0u);

    history.setBudget(perStep / 2);
    history.beginStep("Too large");
    for (DWORD i = 0; i < 100; ++i) doc.setFieldShape(i, 50, i % 5);
    StepOutcome outcome = history.endStep();
    EXPECT_TRUE(outcome.tooLarge);
    EXPECT_FALSE(outcome.kept);
    EXPECT_EQ(history.undoCount(), 0u);
    EXPECT_LE(history.bytesUsed(), history.budget());
}

TEST(TrackHistory, SetAllOnTheLargestGridStaysSmall) {
    TrackDocument doc;
    ASSERT_TRUE(doc.createTrack(4096, 4096, 2, 0, 0, 0));
    TrackHistory history(doc);
    history.beginStep("Set All");
    for (DWORD j = 0; j < 4096; ++j)
        for (DWORD i = 0; i < 4096; ++i) doc.setFieldMap(i, j, 1);
    EXPECT_TRUE(history.endStep().kept);
    EXPECT_LT(history.bytesUsed(), size_t(1) << 20);
    history.undo(nullptr);
    EXPECT_EQ(doc.fields[4096 * 4096 - 1].empty, kSlotUnused);
    history.redo(nullptr);
    EXPECT_EQ(doc.fields[4096 * 4096 - 1].map, 1u);
}

TEST(TrackHistory, NewTrackStartsAFreshHistory) {
    TrackDocument doc;
    fillTrack(doc);
    TrackHistory history(doc);
    history.beginStep("Set");
    doc.setFieldMap(0, 0, 1);
    history.endStep();
    history.beginStep("New");
    doc.createTrack(2, 2, 1, 0, 0, 0);
    history.endStep();
    EXPECT_EQ(history.undoCount(), 0u);
    EXPECT_EQ(history.undo(nullptr), HistoryResult::NothingToDo);
}

TEST(TrackHistory, ChangesOutsideAStepBecomeOneAndAMismatchIsNeverWritten) {
    TrackDocument doc;
    fillTrack(doc);
    TrackHistory history(doc);
    const std::string before = trackSnapshot(doc);
    doc.setBorderX1(0, 5);
    doc.setBorderZ1(0, 6);
    EXPECT_EQ(history.undo(nullptr), HistoryResult::Done);
    EXPECT_EQ(trackSnapshot(doc), before);

    history.beginStep("Add Map");
    doc.addMap();
    history.endStep();
    doc.listener = nullptr;  // a change the history never heard of
    doc.addMap();
    doc.listener = &history;
    const std::string unheard = trackSnapshot(doc);
    EXPECT_EQ(history.undo(nullptr), HistoryResult::Mismatch);
    EXPECT_EQ(trackSnapshot(doc), unheard);
    EXPECT_EQ(history.undoCount() + history.redoCount(), 0u);
}

TEST(RecordRuns, RoundTripsMixedRecordsAndRefusesDamagedRuns) {
    std::vector<Field> cells(50);
    for (size_t k = 0; k < cells.size(); ++k) cells[k].map = k < 20 ? 1 : DWORD(k);
    RunBytes runs;
    encodeRuns(reinterpret_cast<unsigned char*>(cells.data()), cells.size(), sizeof(Field), &runs);
    EXPECT_EQ(runs.size(), (1 + 30) * (4 + sizeof(Field)));
    std::vector<Field> back(50);
    ASSERT_TRUE(decodeRuns(runs, sizeof(Field), reinterpret_cast<unsigned char*>(back.data()), 50));
    EXPECT_EQ(0, std::memcmp(back.data(), cells.data(), sizeof(Field) * 50));
    EXPECT_FALSE(decodeRuns(runs, sizeof(Field), reinterpret_cast<unsigned char*>(back.data()), 49));
    runs.pop_back();
    EXPECT_FALSE(decodeRuns(runs, sizeof(Field), reinterpret_cast<unsigned char*>(back.data()), 50));

    RunBytes streamed;
    RunWriter writer(sizeof(Field));
    for (const Field& cell : cells) writer.push(reinterpret_cast<const unsigned char*>(&cell), &streamed);
    writer.finish(&streamed);
    runs.clear();
    encodeRuns(reinterpret_cast<unsigned char*>(cells.data()), cells.size(), sizeof(Field), &runs);
    EXPECT_EQ(streamed, runs);
}

}  // namespace
