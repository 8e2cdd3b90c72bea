// The mouse and the keyboard on a window a device presents into: the
// messages and their parameters, focus on click, the capture, held keys
// with their auto-repeat and clock, and the script lines that play them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layer_test_ids.h"
#include "platform/headless.h"
#include "platform/ui_script.h"
#include "platform/window_surface.h"
#include "recording_dialog.h"

namespace {

namespace headless = platform::headless;

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Message> received;
bool captureOnPress = false;

INT_PTR CALLBACK SurfaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL) received.push_back({message, wParam, lParam});
    if (message == WM_KEYDOWN || message == WM_KEYUP) received.push_back({message, wParam, lParam});
    if (message == WM_LBUTTONDOWN && captureOnPress) SetCapture(window);
    if (message == WM_LBUTTONUP && captureOnPress) ReleaseCapture();
    return message == WM_INITDIALOG;
}

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// A dialog whose edit box has the focus, and a window a device draws into.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        received.clear();
        captureOnPress = false;
        // The scripted user types into the dialog opened last.
        surface = CreateDialogParamA(testInstance(), MAKEINTRESOURCEA(IDD_PLAIN), nullptr,
                                     SurfaceProc, 0);
        dialog = CreateDialogParamA(testInstance(), MAKEINTRESOURCEA(IDD_PLAIN), nullptr,
                                    QuietProc, 0);
        ASSERT_TRUE(dialog && surface);
        platform::setFrameSource(surface, [](platform::Frame*) { return false; });
        ASSERT_EQ(headless::type(IDC_TEXT, "ab"), "");
    }
    void TearDown() override {
        platform::setFrameSource(surface, {});
        EndDialog(dialog, 0);
        EndDialog(surface, 0);
        headless::reset();
    }
    std::string editText() {
        char text[32] = "";
        GetWindowTextA(GetDlgItem(dialog, IDC_TEXT), text, sizeof text);
        return text;
    }
    HWND dialog = nullptr;
    HWND surface = nullptr;
};

TEST_F(InputTest, AClickSendsTheButtonMessagesAndTakesTheFocus) {
    ASSERT_EQ(GetFocus(), GetDlgItem(dialog, IDC_TEXT));
    EXPECT_EQ(headless::mouseDown(12, 34, headless::MouseButton::Left, MK_CONTROL), "");
    EXPECT_EQ(GetFocus(), surface);
    EXPECT_EQ(headless::mouseMove(15, 36, MK_SHIFT), "");
    EXPECT_EQ(headless::mouseUp(15, 36, headless::MouseButton::Left, 0), "");
    EXPECT_EQ(headless::mouseDown(1, 2, headless::MouseButton::Right, 0), "");
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(received[0].wParam, WPARAM(MK_LBUTTON | MK_CONTROL));
    EXPECT_EQ(received[0].lParam, MAKELPARAM(12, 34));
    EXPECT_EQ(received[1].message, UINT(WM_MOUSEMOVE));
    EXPECT_EQ(received[1].wParam, WPARAM(MK_LBUTTON | MK_SHIFT));  // the button is still down
    EXPECT_EQ(received[2].message, UINT(WM_LBUTTONUP));
    EXPECT_EQ(received[2].wParam, WPARAM(0));
    EXPECT_EQ(received[3].message, UINT(WM_RBUTTONDOWN));
    EXPECT_EQ(received[3].wParam, WPARAM(MK_RBUTTON));
}

TEST_F(InputTest, OutsideTheClientAreaOnlyTheCaptureGetsTheMouse) {
    EXPECT_NE(headless::mouseMove(-5, 10, 0), "");
    EXPECT_TRUE(received.empty());
    captureOnPress = true;
    EXPECT_EQ(headless::mouseDown(10, 10, headless::MouseButton::Left, 0), "");
    EXPECT_EQ(GetCapture(), surface);
    EXPECT_EQ(headless::mouseMove(-5, 10, 0), "");
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].lParam, MAKELPARAM(WORD(short(-5)), 10));
    EXPECT_EQ(headless::mouseUp(-5, 10, headless::MouseButton::Left, 0), "");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, TheWheelSendsItsDeltaAndTheScreenPoint) {
    EXPECT_EQ(headless::wheel(7, 8, -240), "");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(received[0].wParam), -240);
    RECT client;
    GetClientRect(surface, &client);
    EXPECT_NE(received[0].lParam, MAKELPARAM(7, 8));  // screen, not client, coordinates
}

// A held key: one press, then one repeat per interval with the clock moved
// on before each; the edit box that had the focus sees none of it.
TEST_F(InputTest, HeldKeysRepeatGoToTheFocusedWindowOnlyAndMoveTheClock) {
    DWORD start = GetTickCount();
    EXPECT_EQ(headless::keyDown('B', 3), "");
    EXPECT_EQ(headless::keyUp('B'), "");
    EXPECT_EQ(GetTickCount() - start, 3 * headless::kKeyRepeatInterval);
    ASSERT_EQ(received.size(), 5u);
    EXPECT_EQ(received[0].lParam, LPARAM(1));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(received[i].message, UINT(WM_KEYDOWN));
        EXPECT_EQ(received[i].wParam, WPARAM('B'));
        EXPECT_EQ(received[i].lParam, LPARAM(0x40000001));
    }
    EXPECT_EQ(received[4].message, UINT(WM_KEYUP));
    EXPECT_EQ(DWORD(received[4].lParam), 0xC0000001u);
    EXPECT_EQ(editText(), "ab");
    EXPECT_EQ(GetFocus(), surface);
}

TEST_F(InputTest, ScriptLinesParseExactlyTheirSyntax) {
    std::vector<std::string> reasons;
    headless::setFailureHandler([&](int, const std::string& reason) { reasons.push_back(reason); });
    platform::queueUiScript(
        "mouse down 3 4 right shift ctrl\nmouse up 3 4 right\nwheel 3 4 120\nkeydown PageUp 2\n"
        "keyup PageUp\nkeydown q\nkeyup Q\n");
    for (const char* bad : {"mouse drag 1 2", "mouse down 1", "mouse down 1 2 middle",
                            "mouse down 1 2 shift shift", "wheel 1 2", "keydown F1",
                            "keydown Up -1", "keyup", "keyup Up 2"})
        platform::queueUiScript(std::string(bad) + "\n");
    DialogBoxParamA(testInstance(), MAKEINTRESOURCEA(IDD_INNER), nullptr, QuietProc, 0);
    headless::setFailureHandler(nullptr);
    EXPECT_EQ(reasons.size(), 9u);
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received[0].message, UINT(WM_RBUTTONDOWN));
    EXPECT_EQ(received[0].wParam, WPARAM(MK_RBUTTON | MK_SHIFT | MK_CONTROL));
    size_t keys = 0;
    for (const Message& m : received) keys += m.message == WM_KEYDOWN || m.message == WM_KEYUP;
    EXPECT_EQ(keys, 6u);  // PageUp and two repeats, its release, q, Q
}

}  // namespace
