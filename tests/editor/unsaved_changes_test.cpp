// The main dialog run in-process by the headless driver: the question before
// changed work is replaced or closed, and how repaint requests become paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "editor_state.h"
#include "headless_actions.h"
#include "kelvane_ids.h"
#include "main_dialog.h"
#include "platform/d3d9_trace.h"
#include "platform/headless.h"
#include "preview.h"
#include "temp_folder.h"
#include "renderer.h"
#include "track_document.h"

namespace headless = platform::headless;

namespace {

using namespace actions;

Action doNew() {
    return click(IDC_TRACK_NEW);
}
// A change to the track's bytes, as the panels' commands will make them.
Action changeTrack() {
    return [] {
        trackDocument.setBillboardPosX(0, 5);
        return std::string();
    };
}

struct Session {
    std::vector<std::string> boxes;  // the message boxes shown
    size_t actionsLeft = 0;          // actions not played because the dialog ended
    bool trackLeft = false;          // a track still existed after the dialog
    DWORD billboardX = 0;            // billboard 0's X then
    DWORD mapCount = 0;
};

// Runs the main dialog with the actions as the user's input.
Session runMainDialog(const std::vector<Action>& actions) {
    queue(actions);
    camera = Camera{3.14f, 1500.0f, 200.0f, 500.0f, 0.0f};
    DialogBoxParamA(NULL, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc, 0);
    Session session;
    session.boxes = headless::messageBoxesShown();
    session.actionsLeft = headless::queuedActionCount();
    session.trackLeft = trackDocument.isLoaded() != 0;
    session.billboardX = trackDocument.getBillboardPosX(0);
    session.mapCount = trackDocument.getMapCount();
    headless::reset();
    trackDocument.destroyTrack();
    shutdownRenderer();
    return session;
}

int questions(const Session& s) {
    const std::string question = "Kelvane: The track has changed";
    return static_cast<int>(std::count_if(
        s.boxes.begin(), s.boxes.end(),
        [&](const std::string& box) { return box.compare(0, question.size(), question) == 0; }));
}

TEST(UnsavedChanges, CloseAsksOnlyAfterARealChange) {
    Session unchanged = runMainDialog({doNew(), enter(), close(), click(IDC_CAMERA_UP)});
    EXPECT_EQ(questions(unchanged), 0) << testing::PrintToString(unchanged.boxes);
    EXPECT_EQ(unchanged.actionsLeft, 1u);
    EXPECT_FALSE(unchanged.trackLeft);

    Session cancelled = runMainDialog(
        {doNew(), enter(), changeTrack(), answerBox(IDCANCEL), close(), click(IDC_CAMERA_UP)});
    EXPECT_EQ(questions(cancelled), 1) << testing::PrintToString(cancelled.boxes);
    EXPECT_EQ(cancelled.actionsLeft, 0u) << "Cancel must keep the dialog open";
    EXPECT_EQ(cancelled.billboardX, 5u);

    Session no = runMainDialog(
        {doNew(), enter(), changeTrack(), answerBox(IDNO), close(), click(IDC_CAMERA_UP)});
    EXPECT_EQ(questions(no), 1);
    EXPECT_EQ(no.actionsLeft, 1u) << "No must close";
    EXPECT_FALSE(no.trackLeft);
}

TEST(UnsavedChanges, YesOnCloseSavesFirstAndClosesOnlyWhenSaved) {
    TempFolder folder;
    std::string saved = folder.path("kept.trk");
    Session yes = runMainDialog({doNew(), enter(), changeTrack(), answerBox(IDYES),
                                 answerFile(saved), close(), click(IDC_CAMERA_UP)});
    EXPECT_EQ(questions(yes), 1);
    EXPECT_EQ(yes.actionsLeft, 1u);
    TrackDocument reread;
    ASSERT_TRUE(reread.loadTrack(saved.c_str()));
    EXPECT_EQ(reread.getBillboardPosX(0), 5u);

    std::string unwritable = folder.path("missing/kept.trk");
    Session failed = runMainDialog({doNew(), enter(), changeTrack(), answerBox(IDYES),
                                    answerFile(unwritable), close(), click(IDC_CAMERA_UP)});
    ASSERT_EQ(failed.boxes.size(), 2u);
    EXPECT_NE(failed.boxes[1].find("Cannot save the track"), std::string::npos) << failed.boxes[1];
    EXPECT_EQ(failed.actionsLeft, 0u) << "a failed save must keep the dialog open";
    EXPECT_EQ(failed.billboardX, 5u);
}

TEST(UnsavedChanges, NewAsksBeforeItsDialogOpens) {
    // Cancel: no New dialog opens, and the changed track stays.
    char caption[32] = {};
    Session cancelled =
        runMainDialog({doNew(), enter(), changeTrack(), answerBox(IDCANCEL), doNew(), [&caption] {
                           GetWindowTextA(headless::activeDialog(), caption, sizeof caption);
                           return std::string();
                       }});
    EXPECT_EQ(questions(cancelled), 1);
    EXPECT_EQ(cancelled.billboardX, 5u);
    EXPECT_STREQ(caption, "Kelvane v0.33");

    Session no = runMainDialog({doNew(), enter(), changeTrack(), answerBox(IDNO), doNew(),
                                type(IDC_NEW_MAPS, "3"), enter()});
    EXPECT_EQ(questions(no), 1);
    EXPECT_EQ(no.mapCount, 3u);
    EXPECT_EQ(no.billboardX, 0u);
}

TEST(UnsavedChanges, LoadAsksAndYesSavesBeforeLoading) {
    TempFolder folder;
    std::string other = folder.path("other.trk");
    {
        TrackDocument doc;
        doc.createTrack(3, 3, 7, 1, 1, 1);
        ASSERT_TRUE(doc.saveTrack(other.c_str()));
    }
    Session cancelled = runMainDialog({doNew(), enter(), changeTrack(), answerBox(IDCANCEL),
                                       answerFile(other), click(IDC_TRACK_LOAD)});
    EXPECT_EQ(questions(cancelled), 1);
    EXPECT_EQ(cancelled.mapCount, 5u);
    EXPECT_EQ(cancelled.billboardX, 5u);

    std::string kept = folder.path("kept.trk");
    Session yes = runMainDialog({doNew(), enter(), changeTrack(), answerBox(IDYES),
                                 answerFile(kept), answerFile(other), click(IDC_TRACK_LOAD)});
    EXPECT_EQ(questions(yes), 1);
    EXPECT_EQ(yes.mapCount, 7u);
    TrackDocument reread;
    ASSERT_TRUE(reread.loadTrack(kept.c_str()));
    EXPECT_EQ(reread.getBillboardPosX(0), 5u);

    // After a load the track counts as saved: closing asks nothing.
    Session loaded = runMainDialog({answerFile(other), click(IDC_TRACK_LOAD), close()});
    EXPECT_EQ(questions(loaded), 0) << testing::PrintToString(loaded.boxes);
}

TEST(Repaint, SeveralRequestsBeforeThePaintGiveOneFrame) {
    std::vector<std::string> trace;
    std::vector<size_t> presentsAfter;
    auto presents = [&trace] {
        return static_cast<size_t>(std::count(trace.begin(), trace.end(), "Present()"));
    };
    auto mark = [&] {
        presentsAfter.push_back(presents());
        return std::string();
    };
    Session s = runMainDialog({
        [&] {
            platform::d3d9::setCallTrace(&trace);
            return std::string();
        },
        [&] {
            requestRedraw();
            requestRedraw();
            requestRedraw();
            return std::string();
        },
        mark,
        click(IDC_CAMERA_FORWARD),
        mark,
        [&] {
            platform::d3d9::setCallTrace(nullptr);
            return std::string();
        },
    });
    ASSERT_EQ(presentsAfter.size(), 2u);
    EXPECT_EQ(presentsAfter[0], 1u);
    EXPECT_EQ(presentsAfter[1], 2u);
}

}  // namespace
