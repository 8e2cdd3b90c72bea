// The dialog manager: Enter, Escape, Tab, the close box, dialog units,
// coalesced paints, modal dialogs inside a command, message boxes, handles.
#include "platform/window_surface.h"
#include "recording_dialog.h"
#include "temp_folder.h"

using platform::headless::Key;
using platform::headless::key;

TEST_F(LayerTest, EnterClicksTheDefaultButtonOrTheFocusedPushButton) {
    platform::headless::type(IDC_TEXT, "x");
    recorder.clear();
    key(Key::Enter);
    EXPECT_EQ(recorder.commands(), std::vector<Event>{command(IDC_GO, BN_CLICKED)});
    platform::headless::click(IDC_OTHER);
    recorder.clear();
    key(Key::Enter);
    EXPECT_EQ(recorder.commands(), std::vector<Event>{command(IDC_OTHER, BN_CLICKED)});
    // DM_SETDEFID names another default button.
    platform::headless::type(IDC_TEXT, "y");
    SendMessageA(dialog, DM_SETDEFID, IDC_OTHER, 0);
    recorder.clear();
    key(Key::Enter);
    EXPECT_EQ(recorder.commands(), std::vector<Event>{command(IDC_OTHER, BN_CLICKED)});
}

TEST_F(LayerTest, EscapeSendsIdCancelWithoutACancelButtonAndCloseSendsScClose) {
    key(Key::Escape);
    EXPECT_EQ(recorder.commands(), std::vector<Event>{command(IDCANCEL, BN_CLICKED)});
    recorder.clear();
    platform::headless::close();
    // Unhandled, the close box becomes IDCANCEL, as Windows' default does.
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].message, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(recorder.events[0].id, SC_CLOSE);
    EXPECT_EQ(recorder.events[1], command(IDCANCEL, BN_CLICKED));
}

TEST_F(LayerTest, TabVisitsTabStopsInTemplateOrderSelectingEditText) {
    SetWindowTextA(item(IDC_DIGITS), "55");
    platform::headless::type(IDC_TEXT, "a");
    key(Key::Tab);
    recorder.clear();
    // Typing replaces the whole text Tab selected.
    platform::headless::type(IDC_DIGITS, "1");
    EXPECT_EQ(textOf(dialog, IDC_DIGITS), "1");
    for (int i = 0; i < 6; ++i) key(Key::Tab);  // mirror, A1, A2, B1, B2, check box
    recorder.clear();
    key(Key::Tab);  // push-like check box; buttons notify focus only with BS_NOTIFY
    EXPECT_TRUE(recorder.commands().empty());
    // The disabled button is skipped: after Go comes the first edit box again.
    for (int i = 0; i < 4; ++i) key(Key::Tab);  // list, drop-down, Other, Go
    recorder.clear();
    key(Key::Tab);
    EXPECT_EQ(recorder.commands(), std::vector<Event>{command(IDC_TEXT, EN_SETFOCUS)});
}

namespace {

// Fills the edit boxes before the dialog manager focuses the first one.
INT_PTR CALLBACK FilledDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    SetWindowTextA(GetDlgItem(dialog, IDC_TEXT), "10");
    SetWindowTextA(GetDlgItem(dialog, IDC_DIGITS), "1.0");
    SetWindowTextA(GetDlgItem(dialog, IDC_MIRROR), "abc");
    return TRUE;
}

}  // namespace

// The dialog manager selects the whole text of an edit box that gets the
// focus from the dialog's start, Tab or Shift+Tab, so typing replaces it;
// a click then typing elsewhere in the text is not its business.
TEST(DialogFocus, StartTabAndShiftTabSelectTheWholeTextOfAnEditBox) {
    namespace headless = platform::headless;
    headless::reset();
    std::string shown[4];
    auto keep = [&shown](int slot, int id) {
        headless::queueAction(slot + 10, [&shown, slot, id] {
            shown[slot] = textOf(headless::activeDialog(), id);
            return std::string();
        });
    };
    headless::queueAction(1, [] { return headless::typeIntoFocus("20"); });
    keep(0, IDC_TEXT);
    headless::queueAction(2, [] { return headless::key(Key::Tab); });
    headless::queueAction(3, [] { return headless::typeIntoFocus("25"); });
    keep(1, IDC_DIGITS);
    headless::queueAction(4, [] { return headless::key(Key::Tab); });
    headless::queueAction(5, [] { return headless::key(Key::ShiftTab); });
    headless::queueAction(6, [] { return headless::typeIntoFocus("7"); });
    keep(2, IDC_DIGITS);
    headless::queueAction(7, [] { return headless::key(Key::ShiftTab); });
    headless::queueAction(8, [] { return headless::key(Key::ShiftTab); });  // wraps to Go
    headless::queueAction(9, [] { return headless::typeIntoFocus("x"); });
    DialogBoxParamA(testInstance(), MAKEINTRESOURCEA(IDD_CONTROLS), nullptr, FilledDialogProc, 0);
    EXPECT_EQ(shown[0], "20");
    EXPECT_EQ(shown[1], "25");
    EXPECT_EQ(shown[2], "7");
    EXPECT_EQ(headless::lastFailure(), "no edit box of dialog \"Controls\" has the focus");
    headless::reset();
}

TEST_F(LayerTest, DialogUnitsFollowTheFontsBaseUnits) {
    int width = 0, height = 0;
    ASSERT_TRUE(platform::windowClientSize(dialog, &width, &height));
    // MS Sans Serif 8 pt: 6 x 13 pixels per 4 x 8 dialog units.
    EXPECT_EQ(width, 243);   // 162 * 6 / 4
    EXPECT_EQ(height, 356);  // 219 * 13 / 8, rounded
    ASSERT_TRUE(platform::windowClientSize(item(IDC_TEXT), &width, &height));
    EXPECT_EQ(width, 120);
    EXPECT_EQ(height, 20);
    // MoveWindow sets the outer rectangle; the client area is smaller.
    MoveWindow(dialog, 10, 10, 640, 480, TRUE);
    ASSERT_TRUE(platform::windowClientSize(dialog, &width, &height));
    EXPECT_LT(width, 640);
    EXPECT_LT(height, 480 - 20);
}

TEST_F(LayerTest, SeveralInvalidationsMakeOnePaint) {
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(InvalidateRgn(dialog, nullptr, FALSE));
    EXPECT_EQ(recorder.paints, 0);
    platform::headless::deliverPaints();
    EXPECT_EQ(recorder.paints, 1);
    platform::headless::deliverPaints();
    EXPECT_EQ(recorder.paints, 1);
    // Every user action ends with the paints a message loop would deliver.
    InvalidateRgn(dialog, nullptr, FALSE);
    platform::headless::click(IDC_OTHER);
    EXPECT_EQ(recorder.paints, 2);
}

TEST_F(LayerTest, ModalDialogInsideACommandTakesTheQueuedInput) {
    INT_PTR innerResult = 0;
    std::string typed;
    static INT_PTR(CALLBACK * innerProc)(HWND, UINT, WPARAM, LPARAM) =
        [](HWND inner, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(inner, LOWORD(wParam) == IDOK ? 7 : 8);
            return TRUE;
        }
        return FALSE;
    };
    recorder.hook = [&](HWND dlg, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message != WM_COMMAND || LOWORD(wParam) != IDC_OTHER) return FALSE;
        innerResult =
            DialogBoxParamA(testInstance(), MAKEINTRESOURCEA(IDD_INNER), dlg, innerProc, 0);
        return TRUE;
    };
    platform::headless::queueAction(1, [&] { return platform::headless::type(IDC_TEXT, "12"); });
    platform::headless::queueAction(2, [&] {
        typed = textOf(platform::headless::activeDialog(), IDC_TEXT);
        return platform::headless::key(Key::Enter);
    });
    platform::headless::click(IDC_OTHER);
    EXPECT_EQ(innerResult, 7);
    EXPECT_EQ(typed, "12");
    EXPECT_EQ(platform::headless::activeDialog(), dialog);
    // With no input left, a modal dialog ends at once with 0.
    platform::headless::click(IDC_OTHER);
    EXPECT_EQ(innerResult, 0);
}

TEST_F(LayerTest, QueuedActionsThatFailReachTheFailureHandler) {
    int failedLine = 0;
    platform::headless::setFailureHandler([&](int line, const std::string&) { failedLine = line; });
    recorder.hook = [&](HWND dlg, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_OTHER)
            DialogBoxParamA(testInstance(), MAKEINTRESOURCEA(IDD_PLAIN), dlg, RecordingDialogProc,
                            0);
        return FALSE;
    };
    platform::headless::queueAction(5, [] { return platform::headless::click(IDC_GO); });
    platform::headless::click(IDC_OTHER);
    platform::headless::setFailureHandler(nullptr);
    EXPECT_EQ(failedLine, 5);
    EXPECT_EQ(platform::headless::lastFailure(), "no control 3031 in dialog \"Plain\"");
}

// A script's reader sees each box on standard output; a test asks the driver.
TEST_F(LayerTest, MessageBoxesPrintAndReturnTheAnswerOrTheirDefault) {
    platform::headless::reset();
    testing::internal::CaptureStdout();
    EXPECT_EQ(MessageBoxA(dialog, "Sure?", "Ask", MB_YESNO | MB_DEFBUTTON2), IDNO);
    platform::headless::answerBox(IDYES);
    EXPECT_EQ(MessageBoxA(dialog, "Sure?", "Ask", MB_YESNO | MB_DEFBUTTON2), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "Done", nullptr, MB_ICONERROR), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "MessageBox: Ask: Sure?\nMessageBox: Ask: Sure?\nMessageBox: Error: Done\n");
    EXPECT_EQ(platform::headless::messageBoxesShown(),
              std::vector<std::string>({"Ask: Sure?", "Ask: Sure?", "Error: Done"}));
    EXPECT_EQ(MessageBoxA(nullptr, "x", "y", 0x7), 0);
    EXPECT_EQ(platform::headless::messageBoxesShown().size(), 3u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
}

// Another process (a test running the program) reads the boxes from the
// log file the environment names, each whole, line breaks included.
TEST_F(LayerTest, MessageBoxesGoToTheLogFileTheEnvironmentNames) {
    TempFolder folder;
    const std::string log = folder.path("boxes.log");
    setenv("KELVANE_MESSAGE_BOX_LOG", log.c_str(), 1);
    MessageBoxA(dialog, "first line\nsecond line", "Ask", MB_OK);
    MessageBoxA(dialog, "Done", "Tell", MB_OK);
    unsetenv("KELVANE_MESSAGE_BOX_LOG");
    MessageBoxA(dialog, "not logged", "Tell", MB_OK);
    EXPECT_EQ(TempFolder::read(log), std::string("Ask: first line\nsecond line\0Tell: Done\0", 39));
}

TEST(DialogManager, BadHandlesAndTemplatesFailWithWindowsErrors) {
    SetLastError(0);
    EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(0x1234), WM_SETTEXT, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(
        DialogBoxParamA(testInstance(), MAKEINTRESOURCEA(999), nullptr, RecordingDialogProc, 0),
        -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(CreateDialogParamA(testInstance(), MAKEINTRESOURCEA(IDD_BROKEN_CHILD), nullptr,
                                 RecordingDialogProc, 0),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(LoadIconA(testInstance(), MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    HWND plain = CreateDialogParamA(testInstance(), MAKEINTRESOURCEA(IDD_PLAIN), nullptr,
                                    RecordingDialogProc, 0);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(GetDlgItem(plain, 1), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
    EXPECT_EQ(GetParent(GetDlgItem(plain, IDC_TEXT)), plain);
    EXPECT_FALSE(InvalidateRgn(plain, reinterpret_cast<HRGN>(0x10), FALSE));
    EndDialog(plain, 0);
}

TEST(DialogManager, BareWindowsHaveExactlyTheirClientSize) {
    HWND bare = platform::createBareWindow(320, 200);
    int width = 0, height = 0;
    ASSERT_TRUE(platform::windowClientSize(bare, &width, &height));
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);
    platform::setFrameSource(bare, [](platform::Frame* frame) {
        frame->width = 1;
        frame->height = 1;
        frame->rgba = {1, 2, 3, 4};
        return true;
    });
    platform::Frame frame;
    EXPECT_TRUE(platform::readPresentedFrame(bare, &frame));
    EXPECT_EQ(frame.rgba[2], 3);
    platform::destroyBareWindow(bare);
    EXPECT_FALSE(platform::windowClientSize(bare, &width, &height));
    EXPECT_FALSE(platform::readPresentedFrame(bare, &frame));
}

// A move that changes the client size sends WM_SIZE with the new size; one
// that only moves sends none. The style word reads back as set.
TEST_F(LayerTest, ResizingSendsWmSizeAndTheStyleWordIsKept) {
    std::vector<LPARAM> sizes;
    recorder.hook = [&](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_SIZE && wParam == SIZE_RESTORED) sizes.push_back(lParam);
        return FALSE;
    };
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    ASSERT_NE(style, 0);
    EXPECT_EQ(SetWindowLongA(dialog, GWL_STYLE, style | WS_THICKFRAME), style);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE), style | WS_THICKFRAME);
    RECT client;
    ASSERT_TRUE(MoveWindow(dialog, 10, 10, 400, 300, FALSE));
    ASSERT_TRUE(GetClientRect(dialog, &client));
    ASSERT_TRUE(MoveWindow(dialog, 50, 60, 400, 300, FALSE));
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], MAKELPARAM(client.right, client.bottom));

    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(dialog, 1234), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongA(dialog, 1234, 5), 0);
    EXPECT_EQ(GetWindowLongA(nullptr, GWL_STYLE), 0);
}
