// Accelerator tables and the message-filter hook: keys pressed in a dialog
// reach the hooks before the focused edit box, TranslateAcceleratorA turns a
// matching key into WM_COMMAND, and what no hook takes types as before.
#include "recording_dialog.h"

namespace {

HACCEL keys;
HHOOK filter;
std::vector<int> filterCodes;

// Translates for the test's dialog, as an application's hook would.
LRESULT CALLBACK translatingFilter(int code, WPARAM wParam, LPARAM lParam) {
    filterCodes.push_back(code);
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && TranslateAcceleratorA(recorder.dialog, keys, message))
        return TRUE;
    return CallNextHookEx(filter, code, wParam, lParam);
}

std::vector<UINT> seenByOuter;
HHOOK outer;

LRESULT CALLBACK outerFilter(int code, WPARAM wParam, LPARAM lParam) {
    seenByOuter.push_back(reinterpret_cast<MSG*>(lParam)->message);
    return CallNextHookEx(outer, code, wParam, lParam);
}

class AcceleratorTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        keys = LoadAcceleratorsA(testInstance(), MAKEINTRESOURCEA(IDR_KEYS));
        ASSERT_NE(keys, nullptr);
        filterCodes.clear();
        seenByOuter.clear();
        filter = SetWindowsHookExA(WH_MSGFILTER, translatingFilter, nullptr, GetCurrentThreadId());
        ASSERT_NE(filter, nullptr);
    }
    void TearDown() override {
        if (filter) UnhookWindowsHookEx(filter);
        if (outer) UnhookWindowsHookEx(outer);
        filter = outer = nullptr;
        LayerTest::TearDown();
    }
};

}  // namespace

// Ctrl+Z in a focused edit box is the table's command, not a 'z' in the box;
// Ctrl+Shift+Z is the other entry; plain Z types; a key of no entry types.
TEST_F(AcceleratorTest, MatchingKeysBecomeCommandsBeforeTheEditBoxSeesThem) {
    platform::headless::type(IDC_TEXT, "ab");
    recorder.clear();
    platform::headless::pressKey('Z', true, false, false);
    EXPECT_EQ(recorder.commands(), std::vector<Event>{command(IDM_FIRST, 1)});
    EXPECT_EQ(textOf(dialog, IDC_TEXT), "ab");
    recorder.clear();
    platform::headless::pressKey('Z', true, true, false);
    EXPECT_EQ(recorder.commands(), std::vector<Event>{command(IDM_SECOND, 1)});
    recorder.clear();
    platform::headless::pressKey('Z', false, false, false);
    platform::headless::pressKey('Z', false, true, false);
    EXPECT_EQ(textOf(dialog, IDC_TEXT), "abzZ");
    // Four presses, each a key-down and a key-up, and Ctrl's and Shift's own
    // down and up around them, as a keyboard sends them: all seen by the hook.
    EXPECT_EQ(filterCodes, std::vector<int>(2 + 2 + 2 + 2 + 2 * 4, MSGF_DIALOGBOX));
    for (const Event& event : recorder.commands()) EXPECT_EQ(event.id, IDC_TEXT);
    // Alt+Z matches no entry: Alt must match exactly as Ctrl and Shift do.
    recorder.clear();
    platform::headless::pressKey('Z', true, false, true);
    EXPECT_TRUE(recorder.commands().empty());
}

// A number entry names the virtual key; an ASCII entry matches a character
// message only, never a key-down.
TEST_F(AcceleratorTest, VirtualKeyAndCharacterEntriesMatchTheirOwnMessages) {
    MSG message = {};
    message.hwnd = dialog;
    message.message = WM_KEYDOWN;
    message.wParam = VK_F1_LIKE;
    EXPECT_EQ(TranslateAcceleratorA(dialog, keys, &message), 1);
    message.message = WM_KEYUP;
    EXPECT_EQ(TranslateAcceleratorA(dialog, keys, &message), 0);
    message.message = WM_KEYDOWN;
    message.wParam = 'q';
    EXPECT_EQ(TranslateAcceleratorA(dialog, keys, &message), 0);
    message.message = WM_CHAR;
    EXPECT_EQ(TranslateAcceleratorA(dialog, keys, &message), 1);
    EXPECT_EQ(recorder.commands(),
              (std::vector<Event>{command(IDM_THIRD, 1), command(IDM_THIRD, 1)}));
    // A disabled window takes the key without a command.
    EnableWindow(dialog, FALSE);
    recorder.clear();
    EXPECT_EQ(TranslateAcceleratorA(dialog, keys, &message), 1);
    EXPECT_TRUE(recorder.commands().empty());
    EnableWindow(dialog, TRUE);
}

// The newest hook runs first and passes on with CallNextHookEx; after
// unhooking, keys type into the box again.
TEST_F(AcceleratorTest, HooksChainNewestFirstAndUnhookingRestoresTyping) {
    outer = SetWindowsHookExA(WH_MSGFILTER, outerFilter, nullptr, GetCurrentThreadId());
    ASSERT_NE(outer, nullptr);
    platform::headless::pressKey('Z', true, false, false);
    // Ctrl down, Z down, Z up, Ctrl up.
    EXPECT_EQ(seenByOuter, (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP, WM_KEYUP}));
    EXPECT_EQ(filterCodes.size(), 4u);
    ASSERT_TRUE(UnhookWindowsHookEx(filter));
    filter = nullptr;
    EXPECT_FALSE(UnhookWindowsHookEx(reinterpret_cast<HHOOK>(&filterCodes)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));
    platform::headless::type(IDC_TEXT, "");
    platform::headless::pressKey('Q', false, false, false);
    EXPECT_EQ(textOf(dialog, IDC_TEXT), "q");
}

// What the layer does not provide fails with Windows' errors.
TEST_F(AcceleratorTest, UnknownTablesAndUnsupportedHooksAreRefused) {
    EXPECT_EQ(LoadAcceleratorsA(testInstance(), MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    const int kKeyboardHook = 2;  // WH_KEYBOARD
    EXPECT_EQ(SetWindowsHookExA(kKeyboardHook, outerFilter, nullptr, GetCurrentThreadId()),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_FILTER));
    EXPECT_EQ(SetWindowsHookExA(WH_MSGFILTER, nullptr, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FILTER_PROC));
    EXPECT_EQ(SetWindowsHookExA(WH_MSGFILTER, outerFilter, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOOK_NEEDS_HMOD));
}
