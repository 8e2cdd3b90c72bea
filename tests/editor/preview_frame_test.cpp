// What one Preview frame asks of the device, from the call trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvane_ids.h"
#include "platform/d3d9_trace.h"
#include "platform/window_surface.h"
#include "preview.h"
#include "renderer.h"
#include "scene.h"
#include "track_document.h"
#include "transforms.h"

namespace {

INT_PTR CALLBACK passiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// One owner, one Preview and one device for the whole suite, as the program
// has them.
class PreviewFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The main dialog's template stands in as the owner whose "Show
        // Borders" box the frame reads.
        owner = CreateDialogParamA(NULL, MAKEINTRESOURCEA(IDD_MAIN), NULL, passiveDialogProc, 0);
        preview =
            CreateDialogParamA(NULL, MAKEINTRESOURCEA(IDD_PREVIEW), owner, PreviewDialogProc, 0);
        deviceReady = preview != nullptr && SUCCEEDED(renderer.initRenderer(preview));
    }
    static void TearDownTestSuite() { shutdownRenderer(); }

    void SetUp() override {
        ASSERT_NE(owner, nullptr);
        ASSERT_TRUE(deviceReady);
        camera = Camera{3.14f, 1500.0f, 200.0f, 500.0f, 10.0f};
    }
    void TearDown() override { trackDocument.destroyTrack(); }

    std::vector<std::string> frame() {
        std::vector<std::string> lines;
        platform::d3d9::TraceScope trace(&lines);
        drawFrame(preview);
        return lines;
    }

    static int count(const std::vector<std::string>& lines, const std::string& prefix) {
        return static_cast<int>(std::count_if(
            lines.begin(), lines.end(),
            [&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; }));
    }

    static size_t notClear(const platform::Frame& shown) {
        size_t n = 0;
        for (size_t i = 0; i + 3 < shown.rgba.size(); i += 4) {
            const unsigned char* p = &shown.rgba[i];
            if (p[0] != 0 || p[1] != 0 || p[2] != 255 || p[3] != 255) ++n;
        }
        return n;
    }

    static HWND owner;
    static HWND preview;
    static bool deviceReady;
};

HWND PreviewFrame::owner;
HWND PreviewFrame::preview;
bool PreviewFrame::deviceReady;

TEST_F(PreviewFrame, WithoutATrackOnlyClearsAndPresents) {
    std::vector<std::string> lines = frame();
    EXPECT_GE(count(lines, "Clear("), 1);
    EXPECT_EQ(count(lines, "Present("), 1);
    EXPECT_EQ(count(lines, "BeginScene"), 0);
    EXPECT_EQ(count(lines, "SetTransform(D3DTS_VIEW"), 0);
    platform::Frame shown;
    ASSERT_TRUE(platform::readPresentedFrame(preview, &shown));
    ASSERT_GT(shown.width, 0);
    EXPECT_EQ(notClear(shown), 0u);
}

TEST_F(PreviewFrame, WithATrackSetsTheCameraViewInsideClearAndPresent) {
    ASSERT_TRUE(trackDocument.createTrack(10, 10, 5, 5, 20, 1));
    std::vector<std::string> lines = frame();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front().compare(0, 6, "Clear("), 0);
    EXPECT_EQ(lines.back(), "Present()");
    auto at = [&](const std::string& prefix) {
        return std::find_if(
                   lines.begin(), lines.end(),
                   [&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; }) -
               lines.begin();
    };
    EXPECT_LT(at("SetTransform(D3DTS_VIEW"), at("BeginScene()"));
    EXPECT_LT(at("BeginScene()"), at("EndScene()"));
    EXPECT_LT(at("EndScene()"), at("Present()"));
    EXPECT_EQ(count(lines, "BeginScene()"), 1);
}

TEST_F(PreviewFrame, BordersAreDrawnInsideTheBiasOnlyWhileShowBordersIsChecked) {
    ASSERT_TRUE(trackDocument.createTrack(10, 10, 5, 5, 20, 1));
    ASSERT_TRUE(trackDocument.setBorderX2(3, 300));
    HWND show = GetDlgItem(owner, IDC_SHOW_BORDERS);
    SendMessageA(show, BM_SETCHECK, BST_UNCHECKED, 0);
    std::vector<std::string> hidden = frame();
    EXPECT_EQ(count(hidden, "SetRenderState(D3DRS_DEPTHBIAS"), 0);

    SendMessageA(show, BM_SETCHECK, BST_CHECKED, 0);
    std::vector<std::string> lines = frame();
    auto on = std::find(lines.begin(), lines.end(), "SetRenderState(D3DRS_DEPTHBIAS, 16)");
    auto off = std::find(lines.begin(), lines.end(), "SetRenderState(D3DRS_DEPTHBIAS, 0)");
    ASSERT_NE(on, lines.end());
    ASSERT_NE(off, lines.end());
    EXPECT_LT(on, off);
    EXPECT_EQ(count(lines, "SetRenderState(D3DRS_DEPTHBIAS"), 2);
    // The border's lines are drawn inside the bracket and nowhere else.
    auto draws = [](std::vector<std::string>::const_iterator from,
                    std::vector<std::string>::const_iterator to) {
        return std::count_if(from, to,
                             [](const std::string& l) { return l.compare(0, 4, "Draw") == 0; });
    };
    EXPECT_GT(draws(on, off), 0);
    EXPECT_EQ(draws(lines.begin(), on), draws(hidden.begin(), hidden.end()));
    EXPECT_EQ(draws(off, lines.end()), 0);
}

// The client area of a 640 x 480 Preview is 634 x 451; larger, it draws
// more pixels of the same scene, and back at its start size every state the
// main dialog set is back: the picture is the same to the byte.
TEST_F(PreviewFrame, AResizedPreviewDrawsAtItsNewSizeAndBackAgainTheSame) {
    ASSERT_TRUE(trackDocument.createTrack(10, 10, 5, 5, 20, 1));
    for (DWORD j = 0; j < 10; ++j)
        for (DWORD i = 0; i < 10; ++i) trackDocument.setFieldMap(i, j, 1);
    // Placed and given its state as the main dialog does at start.
    ASSERT_TRUE(MoveWindow(preview, 10, 10, 640, 480, FALSE));
    prepareTrackScene();
    if (!scene.quads[0]) scene.buildQuads();
    std::vector<std::string> small = frame();
    platform::Frame before;
    ASSERT_TRUE(platform::readPresentedFrame(preview, &before));
    ASSERT_EQ(before.width, 634);
    ASSERT_EQ(before.height, 451);

    std::vector<std::string> resize;
    {
        platform::d3d9::TraceScope trace(&resize);
        ASSERT_TRUE(MoveWindow(preview, 10, 10, 1000, 700, FALSE));
    }
    EXPECT_EQ(count(resize, "Reset(994 x 671)"), 1);
    std::vector<std::string> large = frame();
    platform::Frame grown;
    ASSERT_TRUE(platform::readPresentedFrame(preview, &grown));
    EXPECT_EQ(grown.width, 994);
    EXPECT_EQ(grown.height, 671);
    EXPECT_EQ(count(large, "Draw"), count(small, "Draw"));
    EXPECT_GT(notClear(grown), notClear(before));
    EXPECT_GT(notClear(before), 0u);

    ASSERT_TRUE(MoveWindow(preview, 10, 10, 640, 480, FALSE));
    frame();
    platform::Frame after;
    ASSERT_TRUE(platform::readPresentedFrame(preview, &after));
    ASSERT_EQ(after.width, before.width);
    EXPECT_TRUE(after.rgba == before.rgba);
}

TEST_F(PreviewFrame, CloseBoxIsIgnoredAndOtherSystemCommandsAreNot) {
    EXPECT_EQ(PreviewDialogProc(preview, WM_SYSCOMMAND, SC_CLOSE, 0), TRUE);
    EXPECT_EQ(PreviewDialogProc(preview, WM_SYSCOMMAND, SC_MINIMIZE, 0), FALSE);
    EXPECT_EQ(PreviewDialogProc(preview, WM_INITDIALOG, 0, 0), TRUE);
}

}  // namespace
