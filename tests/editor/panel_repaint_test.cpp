// Which panel commands repaint the Preview, played in-process on the main
// dialog with the device's call trace counting the frames presented.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "headless_actions.h"
#include "kelvane_ids.h"
#include "main_dialog.h"
#include "platform/d3d9_trace.h"
#include "platform/headless.h"
#include "preview.h"
#include "renderer.h"
#include "track_document.h"

namespace headless = platform::headless;

namespace {

using namespace actions;

struct Step {
    const char* what;
    Action action;
    size_t frames;  // frames the step must present
};

// Runs New with the defaults, then each step, and reports every step whose
// frame count differs as "what: got N".
std::vector<std::string> playSteps(const std::vector<Step>& steps) {
    std::vector<std::string> trace, wrong;
    auto presents = [&trace] {
        return static_cast<size_t>(std::count(trace.begin(), trace.end(), "Present()"));
    };
    queue({click(IDC_TRACK_NEW), enter()});
    int line = 3;
    for (const Step& step : steps) {
        headless::queueAction(line++, [&, step] {
            platform::d3d9::setCallTrace(&trace);
            size_t before = presents();
            std::string failed = step.action();
            headless::deliverPaints();
            size_t got = presents() - before;
            platform::d3d9::setCallTrace(nullptr);
            if (!failed.empty() || got != step.frames)
                wrong.push_back(std::string(step.what) + ": got " + std::to_string(got) + " " +
                                failed);
            return std::string();
        });
    }
    camera = Camera{3.14f, 1500.0f, 200.0f, 500.0f, 0.0f};
    DialogBoxParamA(NULL, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc, 0);
    headless::reset();
    trackDocument.destroyTrack();
    shutdownRenderer();
    return wrong;
}

// A click whose command answers with a message box.
Action refusedClick(int id) {
    return [id] {
        headless::answerBox(IDOK);
        return headless::click(id);
    };
}

TEST(PanelRepaint, DisplayOnlyCommandsPresentNoFrameAndEditsPresentOne) {
    std::vector<std::string> wrong = playSteps({
        {"shape radio", click(IDC_SHAPE_TOP), 0},
        {"orientation", choose(IDC_FIELD_ORIENTATION, 2), 0},
        {"border type", choose(IDC_BORDER_TYPE, 1), 0},
        {"mesh list", choose(IDC_MESH_LIST, 0), 0},
        {"Add Mesh", click(IDC_MESH_ADD), 0},
        {"field I", type(IDC_FIELD_I, "4"), 1},
        {"Set", click(IDC_FIELD_SET), 1},
        {"Set All", click(IDC_FIELD_SET_ALL), 1},
        {"Add Map", click(IDC_FIELD_ADD_MAP), 1},
        {"billboard X", type(IDC_SPRITE_POS_X, "12"), 1},
        {"Face", click(IDC_SPRITE_FACE), 1},
        {"No.:", choose(IDC_SPRITE_NUMBER, 2), 1},
        {"Map:", choose(IDC_SPRITE_MAP, 1), 1},
        {"Add Billboard", click(IDC_SPRITE_ADD), 1},
        {"mesh Scale", type(IDC_MESH_SCALE, "30"), 1},
        {"border X1", type(IDC_BORDER_X1, "5"), 1},
        {"Border:", choose(IDC_BORDER_LIST, 3), 1},
        {"Add Border", click(IDC_BORDER_ADD), 1},
        {"Show Borders", click(IDC_SHOW_BORDERS), 1},
        {"Border map", choose(IDC_BORDER_MAP, 2), 1},
        {"Background map", choose(IDC_BACKGROUND_MAP, 1), 1},
    });
    EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
}

// Refused commands change nothing, so there is nothing to show again.
TEST(PanelRepaint, RefusalsPresentNoFrame) {
    std::vector<std::string> wrong = playSteps({
        {"I outside", type(IDC_FIELD_I, "99"), 1},
        // The first click takes the focus from I, which repaints as any
        // change of I does; the refusal itself adds no frame.
        {"refused Set leaving I", refusedClick(IDC_FIELD_SET), 1},
        {"refused Set", refusedClick(IDC_FIELD_SET), 0},
        {"Browse cancelled",
         [] {
             headless::answerFileCancel();
             return headless::click(IDC_FIELD_BROWSE);
         },
         0},
        {"mesh Browse cancelled",
         [] {
             headless::answerFileCancel();
             return headless::click(IDC_MESH_BROWSE);
         },
         0},
    });
    EXPECT_TRUE(wrong.empty()) << ::testing::PrintToString(wrong);
}

}  // namespace
